#include "model/ColorChange.h"

#include <gtest/gtest.h>

#include <memory>

using namespace pluviane;

namespace {

Rgb rgb(int r, int g, int b)
{
    return Rgb{static_cast<Byte>(r), static_cast<Byte>(g), static_cast<Byte>(b)};
}

} // namespace

TEST(ColourArithmetic, FullSaturationAndBrightnessIsOneStepBelowTheBand)
{
    EXPECT_EQ(groupColourOf(96, 255, 255), rgb(254, 0, 0));
    EXPECT_EQ(groupColourOf(159, 255, 255), rgb(0, 254, 0));
    EXPECT_EQ(groupColourOf(192, 255, 255), rgb(0, 0, 254));
    EXPECT_EQ(groupColourOf(0, 255, 255), rgb(254, 0, 254));
    EXPECT_EQ(groupColourOf(255, 255, 255), rgb(247, 254, 254));
}

TEST(ColourArithmetic, BandEdgesFallInDifferentBands)
{
    EXPECT_EQ(groupColourOf(63, 255, 255), rgb(0, 254, 254));
    EXPECT_EQ(groupColourOf(64, 255, 255), rgb(0, 247, 247));
    EXPECT_EQ(groupColourOf(95, 255, 255), rgb(247, 0, 0));
    EXPECT_EQ(groupColourOf(96, 255, 255), rgb(254, 0, 0));
    // Band 5 runs green to blue, band 6 blue to azure.
    EXPECT_EQ(groupColourOf(160, 255, 255), rgb(0, 247, 0));
    EXPECT_EQ(groupColourOf(224, 255, 255), rgb(0, 254, 254));
}

TEST(ColourArithmetic, SaturationAndBrightnessScaling)
{
    EXPECT_EQ(groupColourOf(0, 128, 128), rgb(127, 63, 127));
    // Saturation 0 counts as 1: every position is near white.
    for (int v = 0; v < 256; ++v) {
        EXPECT_EQ(groupColourOf(v, 0, 255), groupColourOf(v, 1, 255)) << v;
        const Rgb c = groupColourOf(v, 0, 255);
        for (Byte channel : {c.r, c.g, c.b}) {
            EXPECT_GE(channel, 252) << v;
            EXPECT_LE(channel, 253) << v;
        }
        EXPECT_EQ(groupColourOf(v, 200, 0), rgb(0, 0, 0)) << v;
    }
}

TEST(ColourArithmetic, WritesTheGroupEntryWithItsFourthByte)
{
    auto state = std::make_unique<FountainState>();
    state->GroupColour[7] = {1, 2, 3, 4};
    writeGroupColour(*state, 7, 96, 255, 0);
    EXPECT_EQ(state->GroupColour[7], (std::array<Byte, 4>{0, 0, 0, 255}));
    writeGroupColour(*state, 7, 96, 255, 255);
    EXPECT_EQ(state->GroupColour[7], (std::array<Byte, 4>{254, 0, 0, 255}));
    // A group number out of the byte range keeps its low 8 bits, never writes outside.
    writeGroupColour(*state, 256 + 3, 0, 255, 255);
    EXPECT_EQ(state->GroupColour[3], (std::array<Byte, 4>{254, 0, 254, 255}));
    writeGroupColour(*state, -1, 0, 255, 255);
    EXPECT_EQ(state->GroupColour[255][3], 255);
}
