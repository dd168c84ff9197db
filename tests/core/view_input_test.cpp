#include "render/ViewInput.h"

#include <gtest/gtest.h>

#include <memory>

using namespace pluviane;

namespace {

struct ViewInputTest : ::testing::Test {
    std::unique_ptr<FountainState> owner = std::make_unique<FountainState>();
    FountainState& s = *owner;
};

} // namespace

TEST_F(ViewInputTest, RightDragTurnsOneDegreePerPixel)
{
    viewMousePressed(s, ViewButton::Right, 100, 100);
    viewMouseMoved(s, 110, 95);
    EXPECT_DOUBLE_EQ(s.ViewAngleY, 10);
    EXPECT_DOUBLE_EQ(s.ViewAngleZ, 5);
    EXPECT_EQ(s.ViewPanX, 0);
    viewMouseReleased(s, ViewButton::Right);
    viewMouseMoved(s, 200, 200);
    EXPECT_DOUBLE_EQ(s.ViewAngleY, 10);
    EXPECT_EQ(s.MouseLastX, 200);
}

TEST_F(ViewInputTest, LeftDragMovesBySixteenthsOfAPixel)
{
    viewMousePressed(s, ViewButton::Left, 0, 0);
    viewMouseMoved(s, 32, 16);
    EXPECT_DOUBLE_EQ(s.ViewPanX, 2);
    EXPECT_DOUBLE_EQ(s.ViewPanY, -1);
    EXPECT_EQ(s.ViewAngleY, 0);
}

TEST_F(ViewInputTest, OnlyOneDragAtATime)
{
    viewMousePressed(s, ViewButton::Right, 0, 0);
    viewMousePressed(s, ViewButton::Left, 0, 0);
    EXPECT_TRUE(s.DragPan);
    EXPECT_FALSE(s.DragRotate);
    viewMouseReleased(s, ViewButton::Left);
    EXPECT_FALSE(s.DragPan);
    EXPECT_FALSE(s.DragRotate);

    viewMousePressed(s, ViewButton::Middle, 40, 50);
    EXPECT_FALSE(s.DragPan);
    EXPECT_FALSE(s.DragRotate);
    EXPECT_EQ(s.MouseLastX, 40);
    EXPECT_EQ(s.MouseLastY, 50);
}

TEST_F(ViewInputTest, CursorKeysByModifierMode)
{
    viewKeyPressed(s, ViewKey::Right);
    viewKeyPressed(s, ViewKey::Up);
    EXPECT_NEAR(s.ViewPanX, 0.1, 1e-12);
    EXPECT_NEAR(s.ViewPanY, 0.1, 1e-12);

    viewKeyPressed(s, ViewKey::Shift);
    viewKeyPressed(s, ViewKey::Left);
    viewKeyPressed(s, ViewKey::Down);
    EXPECT_EQ(s.ViewAngleX, 1);
    EXPECT_EQ(s.ViewAngleZ, -1);
    viewKeyReleased(s, ViewKey::Shift);

    viewKeyPressed(s, ViewKey::Ctrl);
    viewKeyPressed(s, ViewKey::Right);
    EXPECT_EQ(s.ViewAngleY, 1);
    viewKeyPressed(s, ViewKey::Up); // Ctrl has no up and down
    EXPECT_EQ(s.ViewAngleZ, -1);
    EXPECT_NEAR(s.ViewPanY, 0.1, 1e-12);
}

TEST_F(ViewInputTest, ReleasingCtrlUnderShiftLeavesNoMode)
{
    viewKeyPressed(s, ViewKey::Shift);
    viewKeyPressed(s, ViewKey::Ctrl);
    EXPECT_EQ(s.KeyMode, 2);
    viewKeyReleased(s, ViewKey::Ctrl);
    EXPECT_EQ(s.KeyMode, 0);
    viewKeyPressed(s, ViewKey::Left); // Shift is still held, yet the keys pan
    EXPECT_NEAR(s.ViewPanX, -0.1, 1e-12);
    EXPECT_EQ(s.ViewAngleX, 0);
}

TEST_F(ViewInputTest, FieldSpinAndItsWrap)
{
    advanceFieldSpin(s, 50);
    EXPECT_EQ(s.ViewAngleY, 0);
    for (int i = 0; i < 71; ++i)
        advanceFieldSpin(s, 100);
    EXPECT_DOUBLE_EQ(s.ViewAngleY, 355);
    advanceFieldSpin(s, 100);
    EXPECT_EQ(s.ViewAngleY, 0) << "reaching 360 starts again at 0";
    for (int i = 0; i < 100; ++i)
        advanceFieldSpin(s, 0);
    EXPECT_DOUBLE_EQ(s.ViewAngleY, -500) << "negative angles are not wrapped";
    s.ViewAngleY = 0;
    advanceFieldSpin(s, 57);
    EXPECT_NEAR(s.ViewAngleY, 0.7, 1e-12);
}

TEST_F(ViewInputTest, IsometricViewAndAspectGuard)
{
    s.ViewAngleX = 33;
    setIsometricView(s);
    EXPECT_EQ(s.ViewAngleY, 10);
    EXPECT_EQ(s.ViewAngleZ, 342);
    EXPECT_EQ(s.ViewAngleX, 0);
    EXPECT_EQ(s.ViewPanX, 0);
    EXPECT_EQ(s.ViewPanY, -15);
    EXPECT_DOUBLE_EQ(viewAspect(800, 400), 2.0);
    EXPECT_DOUBLE_EQ(viewAspect(800, 0), 1.0);
}
