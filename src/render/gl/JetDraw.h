#pragma once

#include "model/FountainState.h"

struct GLUquadric;

namespace pluviane {

// Draws every bound nozzle 0..250: its body and its strands, with foam splashes.
// Called with the view transform on the modelview matrix, which it leaves as found.
void drav_Struja(FountainState& state, GLUquadric* quadric);

} // namespace pluviane
