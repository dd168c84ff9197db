#pragma once

#include "model/FountainState.h"
#include "render/BowlGeometry.h"

namespace pluviane {

// Picks palette colour `index` into `DrawColour` (other indices keep it) and
// makes `DrawColour` the current colour.
void ColorTurn(FountainState& state, int index);

// The bowl, an S-cornered vessel in four palette colours. `geometry` keeps its
// buffers from tick to tick.
void drav_Cup(FountainState& state, BowlGeometry& geometry, int S, int A, int W, int T, int H,
              int bottom, int top, int outer, int inner);

// Grid planes of 41 x 41 lines; the caller sets line width 1.
void drav_Grid(bool xy, bool yz, bool xz);

// Axis lines in red, green and blue; the caller sets line width 3.
void drav_Axes(bool x, bool y, bool z);

} // namespace pluviane
