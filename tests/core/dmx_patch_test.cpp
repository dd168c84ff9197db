#include "model/DmxPatch.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>

using namespace pluviane;

TEST(DmxPatch, RefusesRunsPastTheUniverseAndSharedChannels)
{
    EXPECT_TRUE(dmxPatchProblem(DmxPatch{}).isEmpty());
    EXPECT_TRUE(dmxPatchProblem({0, 497, 1}).isEmpty());   // levels end on 512
    EXPECT_TRUE(dmxPatchProblem({7, 1, 465}).isEmpty());   // colours end on 512
    EXPECT_TRUE(dmxPatchProblem({1, 49, 1}).isEmpty());    // levels right after colours
    EXPECT_TRUE(dmxPatchProblem({1, 1, 17}).isEmpty());    // colours right after levels

    EXPECT_TRUE(dmxPatchProblem({1, 498, 1}).contains("498..513"));
    EXPECT_TRUE(dmxPatchProblem({1, 1, 466}).contains("466..513"));
    EXPECT_FALSE(dmxPatchProblem({1, 0, 17}).isEmpty());
    EXPECT_FALSE(dmxPatchProblem({1, 1, 0}).isEmpty());
    EXPECT_FALSE(dmxPatchProblem({1, 1, 16}).isEmpty());   // last level channel is a red
    EXPECT_FALSE(dmxPatchProblem({1, 48, 1}).isEmpty());   // first level channel is a blue
    EXPECT_FALSE(dmxPatchProblem({-1, 1, 17}).isEmpty());
    EXPECT_FALSE(dmxPatchProblem({65536, 1, 17}).isEmpty());

    // Numbers near the ends of int are refused without wrapping round.
    constexpr int top = std::numeric_limits<int>::max();
    constexpr int bottom = std::numeric_limits<int>::min();
    EXPECT_TRUE(dmxPatchProblem({1, top, 17}).contains("2147483647..2147483662"));
    EXPECT_TRUE(dmxPatchProblem({1, 1, top - 7}).contains("2147483640..2147483687"));
    EXPECT_FALSE(dmxPatchProblem({1, bottom, 17}).isEmpty());
    EXPECT_FALSE(dmxPatchProblem({top, 1, 17}).isEmpty());
}

TEST(DmxPatch, FrameCarriesGroupsOneToSixteenThatOwnNozzlesAndNothingElse)
{
    auto state = std::make_unique<FountainState>();
    for (int g = 1; g <= 16; ++g)
        state->JetGroup[100 + g] = Byte(g);
    state->JetGroup[0] = 40;  // a group beyond 16 is never patched
    for (int g = 0; g < kGroupEntries; ++g) {
        state->GroupLevel[g] = 200;  // groups 0 and 17.. must not leak into the frame
        state->GroupColour[g] = {201, 202, 203, 204};
    }
    for (int g = 1; g <= 16; ++g) {
        state->GroupLevel[g] = Byte(g * 10);
        state->GroupColour[g] = {Byte(g), Byte(100 + g), Byte(g == 16 ? 255 : 50 + g), 99};
    }

    const DmxPatch patch{3, 401, 100};
    const DmxFrame frame = dmxFrame(*state, patch);
    int patched = 0;
    for (int g = 1; g <= 16; ++g) {
        EXPECT_EQ(frame[400 + g - 1], g * 10) << g;
        EXPECT_EQ(frame[99 + 3 * (g - 1)], g) << g;
        EXPECT_EQ(frame[99 + 3 * (g - 1) + 1], 100 + g) << g;
        EXPECT_EQ(frame[99 + 3 * (g - 1) + 2], g == 16 ? 255 : 50 + g) << g;
    }
    for (int channel = 1; channel <= kDmxChannels; ++channel) {
        const bool inRun = (channel >= 401 && channel <= 416) || (channel >= 100 && channel <= 147);
        patched += inRun;
        if (!inRun) {
            EXPECT_EQ(frame[channel - 1], 0) << channel;
        }
    }
    EXPECT_EQ(patched, 64);

    // The defaults and the highest patch both fill the universe's edges.
    EXPECT_EQ(dmxFrame(*state, DmxPatch{})[0], 10);
    EXPECT_EQ(dmxFrame(*state, DmxPatch{})[16], 1);
    EXPECT_EQ(dmxFrame(*state, {1, 497, 1})[511], 160);
    EXPECT_EQ(dmxFrame(*state, {1, 1, 465})[511], 255);

    // Groups that own no nozzle send nothing on their level and colour channels.
    state->JetGroup.fill(0);
    state->JetGroup[3] = 4;
    const DmxFrame four = dmxFrame(*state, DmxPatch{});
    for (int channel = 1; channel <= kDmxChannels; ++channel) {
        const bool group4 = channel == 4 || (channel >= 26 && channel <= 28);
        EXPECT_EQ(four[channel - 1] != 0, group4) << channel;
    }
}
