#include "model/ColorChange.h"

namespace pluviane {

namespace {

// The unmixed colour of a position: eight bands of 32, each ramping one or
// two channels through the position's low five bits.
Rgb bandColour(int v)
{
    const int up = (v % 32) * 8;
    const int down = (31 - v % 32) * 8;
    auto rgb = [](int r, int g, int b) {
        return Rgb{static_cast<Byte>(r), static_cast<Byte>(g), static_cast<Byte>(b)};
    };
    switch (v / 32) {
    case 0: return rgb(255, up, 255);
    case 1: return rgb(down, 255, 255);
    case 2: return rgb(up, down, down);
    case 3: return rgb(255, up, 0);
    case 4: return rgb(down, 255, 0);
    case 5: return rgb(0, down, up);
    case 6: return rgb(0, up, 255);
    default: return rgb(up, 255, 255);
    }
}

} // namespace

Rgb groupColourOf(int position, int saturation, int brightness)
{
    const int v = position & 0xFF;
    int s = saturation & 0xFF;
    if (s == 0)
        s = 1;
    int white = 255 - s;
    if (white == 0)
        white = 1;
    const int bright = brightness & 0xFF;
    // Mix towards white by the saturation, then scale by the brightness.
    auto channel = [&](int c) {
        const int mixed = (c * s + 255 * white) / 256;
        return static_cast<Byte>(mixed * bright / 256);
    };
    const Rgb pure = bandColour(v);
    return Rgb{channel(pure.r), channel(pure.g), channel(pure.b)};
}

void writeGroupColour(FountainState& state, int group, int position, int saturation, int brightness)
{
    const Rgb colour = groupColourOf(position, saturation, brightness);
    auto& entry = state.GroupColour[group & 0xFF];
    entry[0] = colour.r;
    entry[1] = colour.g;
    entry[2] = colour.b;
    entry[3] = 255;
}

} // namespace pluviane
