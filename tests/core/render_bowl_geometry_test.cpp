#include "render/BowlGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace pluviane;

namespace {

struct Extent {
    float minRadius = 1e9f;
    float maxRadius = -1e9f;
    float minY = 1e9f;
    float maxY = -1e9f;
};

Extent extentOf(const BowlGeometry& bowl, BowlGeometry::Part part)
{
    Extent e;
    const BowlGeometry::Range range = bowl.part(part);
    for (int i = range.first; i < range.first + range.count; ++i) {
        const Vec3f& v = bowl.vertices()[i];
        const float r = std::hypot(v.x, v.z);
        e.minRadius = std::min(e.minRadius, r);
        e.maxRadius = std::max(e.maxRadius, r);
        e.minY = std::min(e.minY, v.y);
        e.maxY = std::max(e.maxY, v.y);
    }
    return e;
}

} // namespace

TEST(BowlGeometryTest, PartsTakeTheirRadiiHeightsAndColoursFromTheControls)
{
    BowlGeometry bowl;
    Rgb drawColour{1, 1, 1};
    bowl.build(BowlShape{21, 45, 150, 18, 25}, BowlColours{8, 6, 4, 7}, drawColour);

    EXPECT_EQ(bowl.part(BowlGeometry::Bottom).count, 3 * 21);
    EXPECT_EQ(bowl.part(BowlGeometry::Top).count, 6 * 21);
    EXPECT_EQ(bowl.part(BowlGeometry::OuterWall).count, 6 * 21);
    EXPECT_EQ(bowl.part(BowlGeometry::InnerWall).count, 6 * 21);
    EXPECT_EQ(bowl.vertexCount(), 21 * 21);

    const Extent bottom = extentOf(bowl, BowlGeometry::Bottom);
    EXPECT_NEAR(bottom.minRadius, 0, 1e-6);
    EXPECT_NEAR(bottom.maxRadius, 14.9, 1e-4);
    EXPECT_NEAR(bottom.minY, 0.1, 1e-6);
    EXPECT_NEAR(bottom.maxY, 0.1, 1e-6);

    const Extent top = extentOf(bowl, BowlGeometry::Top);
    EXPECT_NEAR(top.minRadius, 13.2, 1e-4);
    EXPECT_NEAR(top.maxRadius, 15.0, 1e-4);
    EXPECT_NEAR(top.minY, 2.6, 1e-5);
    EXPECT_NEAR(top.maxY, 2.6, 1e-5);

    const Extent outer = extentOf(bowl, BowlGeometry::OuterWall);
    EXPECT_NEAR(outer.minRadius, 15.0, 1e-4);
    EXPECT_NEAR(outer.maxRadius, 15.0, 1e-4);
    EXPECT_NEAR(outer.minY, 0.1, 1e-6);
    EXPECT_NEAR(outer.maxY, 2.6, 1e-5);

    const Extent inner = extentOf(bowl, BowlGeometry::InnerWall);
    EXPECT_NEAR(inner.minRadius, 13.2, 1e-4);
    EXPECT_NEAR(inner.maxRadius, 13.2, 1e-4);

    const auto colourOf = [&](BowlGeometry::Part p) { return bowl.colours()[bowl.part(p).first]; };
    EXPECT_EQ(colourOf(BowlGeometry::Bottom), kBowlPalette[8]);
    EXPECT_EQ(colourOf(BowlGeometry::Top), kBowlPalette[6]);
    EXPECT_EQ(colourOf(BowlGeometry::OuterWall), kBowlPalette[4]);
    EXPECT_EQ(colourOf(BowlGeometry::InnerWall), kBowlPalette[7]);
    EXPECT_EQ(drawColour, kBowlPalette[7]);
}

TEST(BowlGeometryTest, CornersAreTurnedAboutTheVerticalAxis)
{
    // A square bowl: the quadric's first corner lies on its y axis, which stands
    // along the scene's -z once upright; A turns it about the vertical axis.
    BowlGeometry bowl;
    Rgb drawColour{1, 1, 1};
    for (const int turn : {0, 45, 90}) {
        bowl.build(BowlShape{4, turn, 100, 10, 20}, BowlColours{}, drawColour);
        const Vec3f first = bowl.vertices()[bowl.part(BowlGeometry::OuterWall).first];
        const double a = turn * std::numbers::pi / 180;
        EXPECT_NEAR(first.x, -10 * std::sin(a), 1e-4) << turn;
        EXPECT_NEAR(first.z, -10 * std::cos(a), 1e-4) << turn;
    }
}

TEST(BowlGeometryTest, WallAsThickAsTheBowlIsDrawnAsTheQuadricDrawsIt)
{
    BowlGeometry bowl;
    Rgb drawColour{1, 1, 1};

    // T = W: the inner wall shrinks to the axis and the rim becomes a whole disk.
    bowl.build(BowlShape{6, 0, 50, 50, 20}, BowlColours{}, drawColour);
    EXPECT_EQ(bowl.part(BowlGeometry::Top).count, 3 * 6);
    EXPECT_NEAR(extentOf(bowl, BowlGeometry::Top).maxRadius, 5.0, 1e-5);
    EXPECT_EQ(bowl.part(BowlGeometry::InnerWall).count, 6 * 6);
    EXPECT_NEAR(extentOf(bowl, BowlGeometry::InnerWall).maxRadius, 0, 1e-6);

    // T > W: negative radii, which the quadric refuses to draw; the rest stands.
    bowl.build(BowlShape{6, 0, 30, 40, 20}, BowlColours{1, 2, 3, 5}, drawColour);
    EXPECT_EQ(bowl.part(BowlGeometry::Top).count, 0);
    EXPECT_EQ(bowl.part(BowlGeometry::InnerWall).count, 0);
    EXPECT_EQ(bowl.part(BowlGeometry::Bottom).count, 3 * 6);
    EXPECT_EQ(bowl.part(BowlGeometry::OuterWall).count, 6 * 6);
    EXPECT_EQ(drawColour, kBowlPalette[5]) << "the colour choices run all the same";
}

TEST(BowlGeometryTest, PaletteIndexOutsideTheGridKeepsTheLastColour)
{
    Rgb drawColour{1, 1, 1};
    EXPECT_EQ(turnDrawColour(drawColour, 9), kBowlPalette[9]);
    for (const int index : {16, 255, -1, 1 << 20})
        EXPECT_EQ(turnDrawColour(drawColour, index), kBowlPalette[9]) << index;
    EXPECT_EQ(turnDrawColour(drawColour, 0), kBowlPalette[0]);

    // In the bowl an invalid index paints its part in the colour in force.
    BowlGeometry bowl;
    drawColour = kBowlPalette[12];
    bowl.build(BowlShape{}, BowlColours{40, 6, -3, 7}, drawColour);
    EXPECT_EQ(bowl.colours()[bowl.part(BowlGeometry::Bottom).first], kBowlPalette[12]);
    EXPECT_EQ(bowl.colours()[bowl.part(BowlGeometry::OuterWall).first], kBowlPalette[6]);
}

TEST(BowlGeometryTest, GridPlanesAndAxesSpanTheirSquaresAndLines)
{
    const auto& xz = gridPlaneLines(GridPlane::XZ);
    for (const Vec3f& v : xz) {
        EXPECT_EQ(v.y, 0);
        EXPECT_LE(std::abs(v.x), 20);
        EXPECT_LE(std::abs(v.z), 20);
    }
    EXPECT_EQ(xz[0].x, -20);
    EXPECT_EQ(xz[0].z, -20);
    EXPECT_EQ(xz[1].x, 20);
    for (const Vec3f& v : gridPlaneLines(GridPlane::XY))
        EXPECT_EQ(v.z, 0);
    for (const Vec3f& v : gridPlaneLines(GridPlane::YZ))
        EXPECT_EQ(v.x, 0);
    EXPECT_EQ(axisLine(Axis::Y)[0].y, -100);
    EXPECT_EQ(axisLine(Axis::Y)[1].y, 100);
    EXPECT_EQ(axisColour(Axis::Z), (Rgb{0, 0, 1}));
}
