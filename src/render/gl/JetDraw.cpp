#include "render/gl/JetDraw.h"

namespace pluviane {

void drav_Struja(FountainState& /*state*/, GLUquadric* /*quadric*/)
{
}

} // namespace pluviane
