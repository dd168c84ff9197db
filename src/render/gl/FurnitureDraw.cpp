#include "render/gl/FurnitureDraw.h"

namespace pluviane {

void drav_Cup(FountainState& /*state*/, GLUquadric* /*quadric*/, int /*S*/, int /*A*/, int /*W*/,
              int /*T*/, int /*H*/, int /*bottom*/, int /*top*/, int /*outer*/, int /*inner*/)
{
}

void drav_Grid(bool /*xy*/, bool /*yz*/, bool /*xz*/)
{
}

void drav_Axes(bool /*x*/, bool /*y*/, bool /*z*/)
{
}

} // namespace pluviane
