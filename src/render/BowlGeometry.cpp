#include "render/BowlGeometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace pluviane {

const Rgb& turnDrawColour(Rgb& drawColour, int index)
{
    const auto chosen = static_cast<unsigned>(index);
    if (chosen < kBowlPalette.size())
        drawColour = kBowlPalette[chosen];
    return drawColour;
}

namespace {

constexpr int kMaxSlices = 239; // the quadric's own limit
constexpr double kLift = 0.1;   // the bowl stands this far above the ground plane

} // namespace

void BowlGeometry::reserve(int slices)
{
    // Bottom and top as at most two triangles a slice, walls as two each.
    const std::size_t needed = static_cast<std::size_t>(slices) * 6 * PartCount;
    if (vertices_.size() < needed) {
        vertices_.resize(needed);
        colours_.resize(needed);
    }
    if (sin_.size() < static_cast<std::size_t>(slices) + 1) {
        sin_.resize(slices + 1);
        cos_.resize(slices + 1);
    }
}

Vec3f BowlGeometry::place(double radius, int corner, double y) const
{
    // The quadric's point (r sin, r cos, z), turned A degrees about its z axis,
    // then -90 degrees about x so that its z axis becomes the scene's y axis.
    const auto r = static_cast<float>(radius);
    const float x = r * sin_[corner];
    const float z = r * cos_[corner];
    return {x * turnCos_ - z * turnSin_, static_cast<float>(y), -(x * turnSin_ + z * turnCos_)};
}

void BowlGeometry::addTriangle(const Vec3f& a, const Vec3f& b, const Vec3f& c, const Rgb& colour)
{
    vertices_[vertexCount_] = a;
    vertices_[vertexCount_ + 1] = b;
    vertices_[vertexCount_ + 2] = c;
    colours_[vertexCount_] = colour;
    colours_[vertexCount_ + 1] = colour;
    colours_[vertexCount_ + 2] = colour;
    vertexCount_ += 3;
}

void BowlGeometry::addDisk(double y, double innerRadius, double outerRadius, const Rgb& colour)
{
    if (outerRadius <= 0 || innerRadius < 0 || innerRadius > outerRadius)
        return;
    if (innerRadius == 0) {
        // A fan from the centre, corners taken from the last back to the first.
        const Vec3f centre{0, static_cast<float>(y), 0};
        for (int i = slices_; i >= 1; --i)
            addTriangle(centre, place(outerRadius, i, y), place(outerRadius, i - 1, y), colour);
        return;
    }
    for (int i = 0; i < slices_; ++i) {
        const Vec3f outer0 = place(outerRadius, i, y);
        const Vec3f inner0 = place(innerRadius, i, y);
        const Vec3f outer1 = place(outerRadius, i + 1, y);
        const Vec3f inner1 = place(innerRadius, i + 1, y);
        addTriangle(outer0, inner0, outer1, colour);
        addTriangle(inner0, inner1, outer1, colour);
    }
}

void BowlGeometry::addCylinder(double radius, double height, const Rgb& colour)
{
    if (radius < 0 || height < 0)
        return;
    for (int i = 0; i < slices_; ++i) {
        const Vec3f low0 = place(radius, i, kLift);
        const Vec3f high0 = place(radius, i, kLift + height);
        const Vec3f low1 = place(radius, i + 1, kLift);
        const Vec3f high1 = place(radius, i + 1, kLift + height);
        addTriangle(low0, high0, low1, colour);
        addTriangle(high0, high1, low1, colour);
    }
}

void BowlGeometry::beginPart(Part p)
{
    parts_[p].first = vertexCount_;
}

void BowlGeometry::endPart(Part p)
{
    parts_[p].count = vertexCount_ - parts_[p].first;
}

void BowlGeometry::build(const BowlShape& shape, const BowlColours& colours, Rgb& drawColour)
{
    vertexCount_ = 0;
    parts_ = {};

    // The colour chain runs whatever the shape, as the drawing's colour choices do.
    const Rgb bottom = turnDrawColour(drawColour, colours.bottom);
    const Rgb top = turnDrawColour(drawColour, colours.top);
    const Rgb outer = turnDrawColour(drawColour, colours.outer);
    const Rgb inner = turnDrawColour(drawColour, colours.inner);

    if (shape.corners < 2)
        return;
    slices_ = std::min(shape.corners, kMaxSlices);
    reserve(slices_);
    for (int i = 0; i < slices_; ++i) {
        const auto angle = static_cast<float>(2 * std::numbers::pi * i / slices_);
        sin_[i] = static_cast<float>(std::sin(angle));
        cos_[i] = static_cast<float>(std::cos(angle));
    }
    sin_[slices_] = sin_[0];
    cos_[slices_] = cos_[0];
    const double turn = shape.turn * std::numbers::pi / 180.0;
    turnCos_ = static_cast<float>(std::cos(turn));
    turnSin_ = static_cast<float>(std::sin(turn));

    const double W = shape.width / 10.0;
    const double T = shape.wall / 10.0;
    const double H = shape.depth / 10.0;

    beginPart(Bottom);
    addDisk(kLift, 0, W - 0.1, bottom);
    endPart(Bottom);
    beginPart(Top);
    addDisk(H + kLift, W - T, W, top);
    endPart(Top);
    beginPart(OuterWall);
    addCylinder(W, H, outer);
    endPart(OuterWall);
    beginPart(InnerWall);
    addCylinder((shape.width - shape.wall) / 10.0, H, inner);
    endPart(InnerWall);
}

namespace {

std::array<Vec3f, 2 * kGridLinesPerPlane> makeGridPlane(GridPlane plane)
{
    std::array<Vec3f, 2 * kGridLinesPerPlane> lines{};
    int n = 0;
    for (int i = -20; i <= 20; ++i) {
        const auto f = static_cast<float>(i);
        switch (plane) {
        case GridPlane::XY:
            lines[n++] = {-20, f, 0};
            lines[n++] = {20, f, 0};
            lines[n++] = {f, -20, 0};
            lines[n++] = {f, 20, 0};
            break;
        case GridPlane::YZ:
            lines[n++] = {0, -20, f};
            lines[n++] = {0, 20, f};
            lines[n++] = {0, f, -20};
            lines[n++] = {0, f, 20};
            break;
        case GridPlane::XZ:
            lines[n++] = {-20, 0, f};
            lines[n++] = {20, 0, f};
            lines[n++] = {f, 0, -20};
            lines[n++] = {f, 0, 20};
            break;
        }
    }
    return lines;
}

} // namespace

const std::array<Vec3f, 2 * kGridLinesPerPlane>& gridPlaneLines(GridPlane plane)
{
    static const std::array<std::array<Vec3f, 2 * kGridLinesPerPlane>, 3> planes{
        makeGridPlane(GridPlane::XY), makeGridPlane(GridPlane::YZ), makeGridPlane(GridPlane::XZ)};
    return planes[static_cast<int>(plane)];
}

const std::array<Vec3f, 2>& axisLine(Axis axis)
{
    static const std::array<std::array<Vec3f, 2>, 3> axes{{
        {{{-100, 0, 0}, {100, 0, 0}}},
        {{{0, -100, 0}, {0, 100, 0}}},
        {{{0, 0, -100}, {0, 0, 100}}},
    }};
    return axes[static_cast<int>(axis)];
}

const Rgb& axisColour(Axis axis)
{
    static const std::array<Rgb, 3> colours{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
    return colours[static_cast<int>(axis)];
}

} // namespace pluviane
