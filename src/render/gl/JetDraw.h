#pragma once

#include "model/FountainState.h"
#include "render/JetGeometry.h"

namespace pluviane {

class RandomSource;

// Draws every bound nozzle 0..250: its body and its strands, with foam splashes,
// scattered by fresh numbers from `random`. `geometry` keeps its buffers from
// tick to tick. Called with the view transform on the modelview matrix, which it
// leaves as found; leaves blending off.
void drav_Struja(FountainState& state, RandomSource& random, JetGeometry& geometry);

// Draws the foam splashes of the tick's geometry, each in its group's colour.
void drav_BuranS(const JetGeometry& geometry);

} // namespace pluviane
