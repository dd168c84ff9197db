#include "model/SaveBuffer.h"
#include "model/ShowSequencer.h"

#include <gtest/gtest.h>

#include <memory>

using namespace pluviane;

TEST(StepRampLevel, StepsTowardTheTargetWithoutPassingIt)
{
    auto state = std::make_unique<FountainState>();
    state->GroupRampLevel[3] = 100;
    state->FormPressure[2][3] = 70;
    // A step larger than the distance lands on the target and holds there.
    EXPECT_EQ(StepRampLevel(*state, 2, 3, 50), 70);
    EXPECT_EQ(StepRampLevel(*state, 2, 3, 50), 70);
    EXPECT_EQ(state->GroupRampLevel[3], 70);

    state->FormPressure[2][3] = 255;
    EXPECT_EQ(StepRampLevel(*state, 2, 3, 50), 120);
    EXPECT_EQ(StepRampLevel(*state, 2, 3, 200), 255); // no wrap past the top

    // Forms above 250 ramp toward form 250; form 0 means form 1; group 16 means 15.
    state->FormPressure[250][1] = 40;
    state->FormPressure[255][1] = 200;
    for (int form = 251; form <= 255; ++form) {
        state->GroupRampLevel[1] = 41;
        EXPECT_EQ(StepRampLevel(*state, form, 1, 1), 40) << form;
    }
    state->FormPressure[1][15] = 9;
    EXPECT_EQ(StepRampLevel(*state, 0, 16, 50), 9);
    EXPECT_EQ(state->GroupRampLevel[15], 9);
    EXPECT_EQ(state->GroupRampLevel[16], 0);
}

TEST(ShowSequencer, ColourStepRestsOnItsTargetAndTablesLoadFromTheirOffsets)
{
    EXPECT_EQ(stepColourFader(100, 100, 3), 100);
    EXPECT_EQ(stepColourFader(102, 100, 3), 100);
    EXPECT_EQ(stepColourFader(10, 200, 3), 13);
    EXPECT_EQ(stepColourFader(199, 200, 10), 200);

    auto image = std::make_unique<FountainImage>();
    (*image)[offset::FormPressure + 16 * 5 + 2] = 11;
    (*image)[offset::FormAccel + 16 * 255 + 15] = 22;
    (*image)[offset::SpareShowTable + 7] = 33;
    (*image)[offset::SceneColour + 16 * 9 + 4] = 44;
    auto state = std::make_unique<FountainState>();
    state->JetGroup[20] = 3;
    loadShowTables(*image, *state);
    EXPECT_EQ(state->FormPressure[5][2], 11);
    EXPECT_EQ(state->FormAccel[255][15], 22);
    EXPECT_EQ(state->SpareShowTable[0][7], 33);
    EXPECT_EQ(state->SceneColour[9][4], 44);
    EXPECT_EQ(state->JetGroup[20], 3); // nothing but the show is taken
}
