#include "model/Random.h"

namespace pluviane {

RandomSource& processRandom()
{
    static RandomSource source;
    return source;
}

} // namespace pluviane
