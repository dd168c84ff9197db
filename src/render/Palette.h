#pragma once

#include <array>

namespace pluviane {

using Rgb = std::array<float, 3>;

// The sixteen standard colours of the bowl's colour grids, as drawn.
inline constexpr std::array<Rgb, 16> kBowlPalette{{
    {0.0f, 0.0f, 0.0f}, {0.5f, 0.0f, 0.0f}, {0.0f, 0.5f, 0.0f}, {0.5f, 0.5f, 0.0f},
    {0.0f, 0.0f, 0.5f}, {0.5f, 0.0f, 0.5f}, {0.0f, 0.5f, 0.5f}, {0.7f, 0.7f, 0.7f},
    {0.3f, 0.3f, 0.3f}, {1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, {1.0f, 1.0f, 0.0f},
    {0.0f, 0.0f, 1.0f}, {1.0f, 0.0f, 1.0f}, {0.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f},
}};

} // namespace pluviane
