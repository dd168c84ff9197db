#include "model/FountainState.h"
#include "model/Random.h"
#include "model/SaveBuffer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

using namespace pluviane;

namespace {

std::unique_ptr<FountainState> startedState(std::uint64_t seed = RandomSource::kSeed)
{
    auto state = std::make_unique<FountainState>();
    RandomSource random(seed);
    setStartValues(*state, random);
    return state;
}

} // namespace

TEST(StartValues, ViewAndLight)
{
    auto s = startedState();
    EXPECT_EQ(s->ViewAngleY, 0);
    EXPECT_EQ(s->ViewAngleZ, 0);
    EXPECT_EQ(s->ViewAngleX, 0);
    EXPECT_EQ(s->ViewPanX, 0);
    EXPECT_DOUBLE_EQ(s->ViewPanY, -12.0);
    EXPECT_FALSE(s->DragPan);
    EXPECT_FALSE(s->DragRotate);
    for (float v : s->LightPos)
        EXPECT_FLOAT_EQ(v, -0.9f);
    EXPECT_EQ(s->BackdropDepth, 199);
    EXPECT_EQ(s->BackdropHalfW, 50);
    EXPECT_EQ(s->BackdropHalfH, 50);
    EXPECT_EQ(s->TextureId, 0);
}

TEST(StartValues, JetProfileIsTheSymmetricParabola)
{
    auto s = startedState();
    const float expected[11] = {0, 1.9f, 3.6f, 5.1f, 6.4f, 7.5f, 8.4f, 9.1f, 9.6f, 9.9f, 10};
    for (int k = 0; k <= 10; ++k) {
        EXPECT_NEAR(s->JetProfile[k], expected[k], 1e-5) << k;
        EXPECT_FLOAT_EQ(s->JetProfile[20 - k], s->JetProfile[k]) << k;
    }
}

TEST(StartValues, TablesAreFilled)
{
    auto s = startedState();
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(s->JetFill[i], 30);
        EXPECT_EQ(s->JetFoam[i], 5);
        EXPECT_EQ(s->JetGroup[i], 0);
        EXPECT_EQ(s->JetShape[i][1], 50);
        EXPECT_EQ(s->JetShape[i][2], 70);
        EXPECT_EQ(s->JetShape[i][3], 90);
        EXPECT_EQ(s->GroupLevel[i], 255);
        EXPECT_EQ(s->JetOrbit[i], 0);
        const std::array<Byte, 4> colour{250, 250, 250, 200};
        EXPECT_EQ(s->GroupColour[i], colour);
        EXPECT_EQ(s->JetPos[i][0], 0);
        EXPECT_EQ(s->JetPos[i][3], 0);
    }
    EXPECT_EQ(nozzleCount(*s), 0);
}

TEST(StartValues, RandomLayoutStaysInsideTheBowlAndRepeats)
{
    auto first = startedState();
    auto second = startedState();
    int distinct = 0;
    for (int i = 0; i < 256; ++i) {
        for (int c : {1, 2}) {
            EXPECT_GE(first->JetPos[i][c], 31);
            EXPECT_LE(first->JetPos[i][c], 150);
        }
        distinct += first->JetPos[i][1] != first->JetPos[(i + 1) % 256][1];
    }
    EXPECT_EQ(first->JetPos, second->JetPos);
    EXPECT_GT(distinct, 200) << "positions should be scattered, not constant";
}

TEST(StartValues, SaveBufferHoldsTheStartModelOnly)
{
    auto s = startedState();
    FountainState copy;
    FromBufSave(s->SaveBuffer, copy);
    EXPECT_EQ(copy.JetPos, s->JetPos);
    EXPECT_EQ(copy.GroupColour, s->GroupColour);
    EXPECT_TRUE(std::all_of(s->SaveBuffer.begin(), s->SaveBuffer.begin() + 256,
                            [](Byte b) { return b == 0; }));
    EXPECT_TRUE(std::all_of(s->SaveBuffer.begin() + kModelBlockEnd, s->SaveBuffer.end(),
                            [](Byte b) { return b == 0; }));
}

TEST(ModelBlock, PlanesAndTransposedRecipe)
{
    FountainState s;
    s.JetPos[7][2] = 77;
    s.GroupColour[3][1] = 33;
    s.JetShape[200][3] = 99;
    s.GroupRecipe[3][1] = 42;
    s.FormPressure[2][5] = 11;
    s.SceneColour[255][15] = 12;
    s.GroupShiftZ[16] = 100;
    FountainImage image{};
    ToBufSave(s, image);
    EXPECT_EQ(image[768 + 7], 77);
    EXPECT_EQ(image[1536 + 3], 33);
    EXPECT_EQ(image[4864 + 200], 99);
    EXPECT_EQ(image[5139], 42);
    EXPECT_EQ(image[5376 + 2 * 16 + 5], 11);
    EXPECT_EQ(image[17664 + 255 * 16 + 15], 12);
    EXPECT_EQ(image[3840 + 16], 100);

    FountainState back;
    FromBufSave(image, back);
    EXPECT_EQ(back.GroupRecipe, s.GroupRecipe);
    EXPECT_EQ(back.SceneColour, s.SceneColour);
    EXPECT_EQ(back.JetShape, s.JetShape);
}

TEST(ModelBlock, RoundTripOfRandomBytesLeavesOtherRegionsAlone)
{
    FountainImage image{};
    RandomSource random(99);
    for (std::size_t i = kModelBlockBegin; i < kModelBlockEnd; ++i)
        image[i] = static_cast<Byte>(random.next() * 256);
    FountainState s;
    FromBufSave(image, s);
    FountainImage again;
    again.fill(0xAB);
    ToBufSave(s, again);
    for (std::size_t i = 0; i < again.size(); ++i) {
        if (i >= kModelBlockBegin && i < kModelBlockEnd)
            ASSERT_EQ(again[i], image[i]) << i;
        else
            ASSERT_EQ(again[i], 0xAB) << i;
    }
}
