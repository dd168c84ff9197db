#pragma once

#include "model/FountainState.h"

namespace pluviane {

struct Rgb {
    Byte r = 0;
    Byte g = 0;
    Byte b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The light colour of a colour position 0..255 under the saturation and
// brightness faders (each 0..255), in the panel's exact integer arithmetic.
// Arguments keep their low 8 bits, as the faders' bytes do.
Rgb groupColourOf(int position, int saturation, int brightness);

// Stores that colour in GroupColour entry `group` (low 8 bits) with its
// fourth byte at 255.
void writeGroupColour(FountainState& state, int group, int position, int saturation,
                      int brightness);

} // namespace pluviane
