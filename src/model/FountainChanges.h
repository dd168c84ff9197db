#pragma once

#include "model/FountainState.h"

#include <cstddef>

namespace pluviane {

// Which bytes of two fountain images tell a designer's change from what moves
// by itself. Both images are what a save would write (all 64000 bytes), so any
// part a save learns to write is compared without further ado.

// The live bytes: the view's pan and angles (bytes 200..205), turned by the
// mouse and by the field's spin on every tick, and what a playing show, the
// recorder's form and scene and the manual panel drive: the twelve group
// faders, the group colours and the group levels.
bool isLiveByte(std::size_t byte);

// True when the images differ outside the live bytes.
bool designDiffers(const FountainImage& a, const FountainImage& b);

// Gives `design` the live bytes of `live`, so applying it moves only the design.
void takeLiveBytes(FountainImage& design, const FountainImage& live);

} // namespace pluviane
