#pragma once

#include <array>
#include <cstdint>

namespace pluviane {

// A point in scene coordinates, laid out as three packed floats so a buffer of
// them can go straight into a vertex array.
struct Vec3f {
    float x = 0;
    float y = 0;
    float z = 0;
};
static_assert(sizeof(Vec3f) == 3 * sizeof(float));

// A colour as four bytes in memory order red, green, blue, alpha.
using Rgba8 = std::array<std::uint8_t, 4>;
static_assert(sizeof(Rgba8) == 4);

} // namespace pluviane
