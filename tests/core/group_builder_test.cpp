#include "model/GroupBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>

using namespace pluviane;

namespace {

std::unique_ptr<FountainState> blankState()
{
    auto s = std::make_unique<FountainState>();
    for (auto& pos : s->JetPos)
        pos = {7, 77, 88, 9};
    return s;
}

GroupParams params(int shape, int count)
{
    GroupParams p;
    p.shape = shape;
    p.count = count;
    return p;
}

} // namespace

TEST(Sinus, TruncatesTowardZeroOnTheEllipse)
{
    EXPECT_EQ(Sinus(0, 100, 100).dx, 0);
    EXPECT_EQ(Sinus(0, 100, 100).dz, 50);
    EXPECT_EQ(Sinus(90, 100, 60).dx, 50);
    EXPECT_EQ(Sinus(90, 100, 60).dz, 0);
    EXPECT_EQ(Sinus(45, 100, 100).dx, 35);   // 35.36
    EXPECT_EQ(Sinus(180, 100, 100).dz, -50);
    EXPECT_EQ(Sinus(225, 100, 100).dx, -35); // -35.36 truncates toward zero
    EXPECT_EQ(Sinus(0, -26, -26).dz, -13);
}

TEST(GroupLayout, BindsShapesAndClearsEveryHeightOffset)
{
    auto s = blankState();
    GroupParams p = params(ShapeLine, 3);
    p.start = 40;
    p.group = 5;
    p.height = 150;
    p.tilt = 20;
    p.foam = 25;
    p.groupRotation = 33;
    p.centreX = 90;
    p.centreZ = 120;
    layOutGroup(*s, p);
    for (int k = 40; k < 43; ++k) {
        EXPECT_EQ(s->JetGroup[k], 5);
        EXPECT_EQ(s->JetFoam[k], 25);
        EXPECT_EQ(s->JetShape[k][1], 150);
        EXPECT_EQ(s->JetShape[k][2], 20);
        EXPECT_EQ(s->JetOrbit[k], 33);
    }
    EXPECT_EQ(s->JetGroup[39], 0);
    EXPECT_EQ(s->JetGroup[43], 0);
    EXPECT_EQ(s->GroupShiftX[5], 90);
    EXPECT_EQ(s->GroupShiftZ[5], 120);
    for (int k = 0; k < kNozzleCount; ++k) {
        EXPECT_EQ(s->JetPos[k][0], 0) << k;
        EXPECT_EQ(s->JetPos[k][3], 0) << k;
    }
    // Nozzles outside the group keep their places.
    EXPECT_EQ(s->JetPos[39][1], 77);
    EXPECT_EQ(s->JetPos[200][2], 88);
}

TEST(GroupLayout, LineSpacing)
{
    auto s = blankState();
    GroupParams p = params(ShapeLine, 3);
    p.jetRotation = 170;
    layOutGroup(*s, p);
    EXPECT_EQ(s->JetPos[16][1], 66);
    EXPECT_EQ(s->JetPos[17][1], 99);
    EXPECT_EQ(s->JetPos[18][1], 133);
    for (int k = 16; k < 19; ++k) {
        EXPECT_EQ(s->JetPos[k][2], 100);
        EXPECT_EQ(s->JetShape[k][3], 170);
    }
}

TEST(GroupLayout, SquareCountsAndSides)
{
    EXPECT_EQ(collectorCount(ShapeSquare, 10), 8);
    EXPECT_EQ(collectorCount(ShapeSquare, 2), 4);
    EXPECT_EQ(collectorCount(ShapeSquare, 3), 4);
    EXPECT_EQ(collectorCount(ShapeSquare, 12), 12);
    EXPECT_EQ(collectorCount(ShapeTriangle, 2), 3);
    EXPECT_EQ(collectorCount(ShapeTriangle, 8), 6);
    EXPECT_EQ(collectorCount(ShapeCircle, 7), 7);

    auto s = blankState();
    GroupParams p = params(ShapeSquare, 8);
    p.proportion = 50;
    p.jetRotation = 150;
    layOutGroup(*s, p);
    // Two per side, slots of (256 x 100) div 2 - 1 = 12799: offsets 24 and 74, on the
    // sides along z too, so with proportion 50 those run past the corner.
    const int expected[8][3] = {
        {50, 99, 15},  {50, 149, 15}, // side 1: x = sx - half, spin 150 + 45 - 180
        {74, 125, 60}, {124, 125, 60}, // side 2: z = sz + halfQ
        {150, 99, 105}, {150, 149, 105}, // side 3: x = sx + half
        {74, 75, 150}, {124, 75, 150}, // side 4: z = sz - halfQ
    };
    for (int m = 0; m < 8; ++m) {
        EXPECT_EQ(s->JetPos[16 + m][1], expected[m][0]) << m;
        EXPECT_EQ(s->JetPos[16 + m][2], expected[m][1]) << m;
        EXPECT_EQ(s->JetShape[16 + m][3], expected[m][2]) << m;
    }
}

TEST(GroupLayout, CircleAndHalfCircle)
{
    auto s = blankState();
    GroupParams p = params(ShapeCircle, 8);
    layOutGroup(*s, p);
    const int spins[8] = {0, 22, 45, 67, 90, 112, 135, 157};
    for (int m = 0; m < 8; ++m) {
        const SinusOffset d = Sinus(45 * m, 100, 100);
        EXPECT_EQ(s->JetPos[16 + m][1], 100 - d.dx) << m;
        EXPECT_EQ(s->JetPos[16 + m][2], 100 - d.dz) << m;
        EXPECT_EQ(s->JetShape[16 + m][3], spins[m]) << m;
    }
    EXPECT_EQ(s->JetPos[16][1], 100);
    EXPECT_EQ(s->JetPos[16][2], 50); // first nozzle at (sx, sz - Q div 2)

    p.extra = 50;
    layOutGroup(*s, p);
    const int angles[8] = {0, 22, 45, 67, 90, 112, 135, 157};
    for (int m = 0; m < 8; ++m) {
        const SinusOffset d = Sinus(angles[m], 100, 100);
        EXPECT_EQ(s->JetPos[16 + m][1], 100 - d.dx) << m;
        EXPECT_EQ(s->JetPos[16 + m][2], 100 - d.dz) << m;
    }
}

TEST(GroupLayout, SpiralRadiiGoNegativeAndPositionsWrap)
{
    auto s = blankState();
    GroupParams p = params(ShapeSpiral, 10);
    layOutGroup(*s, p);
    int r = 100;
    for (int m = 0; m < 10; ++m) {
        const SinusOffset d = Sinus(100 * m, r, r);
        EXPECT_EQ(s->JetPos[16 + m][1], (100 - d.dx) & 0xFF) << m;
        EXPECT_EQ(s->JetPos[16 + m][2], (100 - d.dz) & 0xFF) << m;
        // A spin past 180 comes back once only, then keeps its low byte.
        const int spin = 50 * m >= 180 ? 50 * m - 180 : 50 * m;
        EXPECT_EQ(s->JetShape[16 + m][3], spin & 0xFF) << m;
        r -= 14;
    }
    EXPECT_EQ(r + 14, -26); // the last radius

    // A centre near the edge wraps modulo 256 rather than clamping.
    p = params(ShapeLine, 2);
    p.centreX = 0;
    p.size = 200;
    layOutGroup(*s, p);
    EXPECT_EQ(s->JetPos[16][1], (0 - 100 + 49) & 0xFF);
}

TEST(GroupLayout, TriangleOnThreeEqualSides)
{
    auto s = blankState();
    GroupParams p = params(ShapeTriangle, 9);
    p.size = 120;
    layOutGroup(*s, p);
    // Corners sit on the circle of the circumscribed diameter, the first at angle 0.
    EXPECT_EQ(s->JetPos[16][1], 100);
    EXPECT_EQ(s->JetPos[16][2], 100 - 69);
    auto distance = [&](int a, int b) {
        return std::hypot(s->JetPos[a][1] - s->JetPos[b][1], s->JetPos[a][2] - s->JetPos[b][2]);
    };
    // Three per side: corner, third, two thirds; every step about side / 3.
    for (int m = 0; m < 9; ++m)
        EXPECT_NEAR(distance(16 + m, 16 + (m + 1) % 9), 40.0, 2.0) << m;
    // Centroid at the centre.
    double cx = 0;
    double cz = 0;
    for (int corner : {16, 19, 22}) {
        cx += s->JetPos[corner][1] / 3.0;
        cz += s->JetPos[corner][2] / 3.0;
    }
    EXPECT_NEAR(cx, 100, 1.0);
    EXPECT_NEAR(cz, 100, 1.0);
    // Each side's jets turn with it, a third of a turn (60 steps) apart.
    for (int m = 0; m < 9; ++m)
        EXPECT_EQ(s->JetShape[16 + m][3], 30 + 60 * (m / 3)) << m;

    // Proportion squashes along z only.
    p.proportion = 50;
    layOutGroup(*s, p);
    EXPECT_EQ(s->JetPos[16][2], 100 - 34);
    EXPECT_EQ(s->JetPos[16][1], 100);
}

TEST(GroupLayout, NeverWritesPastTheTables)
{
    auto s = blankState();
    GroupParams p = params(ShapeCircle, 100);
    p.start = 200;
    p.group = 16;
    layOutGroup(*s, p);
    EXPECT_EQ(s->JetGroup[255], 16);
    EXPECT_EQ(s->JetGroup[199], 0);
    // Shapes that cannot fill one side leave positions alone instead of dividing by zero.
    p = params(ShapeSquare, 2);
    layOutGroup(*s, p);
    EXPECT_EQ(s->JetPos[16][1], 77);
    p = params(ShapeTriangle, 2);
    layOutGroup(*s, p);
    EXPECT_EQ(s->JetPos[17][1], 77);
}

TEST(GroupRecipe, RowsAndRecall)
{
    auto s = blankState();
    GroupParams p = params(ShapeSpiral, 12);
    p.group = 16;
    p.start = 30;
    p.size = 140;
    p.proportion = 60;
    p.centreX = 90;
    p.centreZ = 110;
    p.groupRotation = 10;
    p.jetRotation = 20;
    p.height = 180;
    p.tilt = 40;
    p.foam = 12;
    s->GroupRecipe[15][13] = 99;
    EXPECT_FALSE(hasRecipe(*s, 16));
    saveRecipe(*s, p);
    EXPECT_TRUE(hasRecipe(*s, 15));
    EXPECT_EQ(s->GroupRecipe[15][1], 30);
    EXPECT_EQ(s->GroupRecipe[15][14], ShapeSpiral);
    EXPECT_EQ(s->GroupRecipe[15][13], 99);
    EXPECT_EQ(s->GroupRecipe[15][0], 0);
    const GroupParams back = recipeOf(*s, 16);
    EXPECT_EQ(back.group, 15);
    EXPECT_EQ(back.start, 30);
    EXPECT_EQ(back.count, 12);
    EXPECT_EQ(back.size, 140);
    EXPECT_EQ(back.proportion, 60);
    EXPECT_EQ(back.centreX, 90);
    EXPECT_EQ(back.centreZ, 110);
    EXPECT_EQ(back.groupRotation, 10);
    EXPECT_EQ(back.jetRotation, 20);
    EXPECT_EQ(back.height, 180);
    EXPECT_EQ(back.tilt, 40);
    EXPECT_EQ(back.foam, 12);

    s->JetGroup.fill(0);
    s->JetGroup[3] = 16;
    s->JetGroup[4] = 2;
    s->JetGroup[5] = 40; // from a file: no button
    const auto used = groupsInUse(*s);
    for (int g = 0; g <= kMaxGroup; ++g)
        EXPECT_EQ(used[g], g == 2 || g == 16) << g;
    releaseGroup(*s, 16);
    EXPECT_EQ(s->JetGroup[3], 0);
    EXPECT_EQ(s->JetGroup[4], 2);
}
