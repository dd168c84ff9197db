#pragma once

#include "render/Palette.h"
#include "render/SceneVertex.h"

#include <array>
#include <vector>

namespace pluviane {

// The palette step of ColorTurn: an index 0..15 picks its palette colour into
// `drawColour`; any other index (taken as unsigned) keeps the colour in force.
// Returns the colour now in force.
const Rgb& turnDrawColour(Rgb& drawColour, int index);

// The bowl parameters as the editor's controls hold them (lengths x 10).
struct BowlShape {
    int corners = 21; // S
    int turn = 45;    // A, degrees about the vertical axis
    int width = 150;  // W, outer radius x 10
    int wall = 18;    // T, wall thickness x 10
    int depth = 25;   // H, wall height x 10
};

struct BowlColours {
    int bottom = 8;
    int top = 6;
    int outer = 4;
    int inner = 7;
};

// The bowl of one tick as triangles in scene coordinates, each vertex with the
// colour of its part. Each part is the polygon disk or cylinder a GLU quadric
// draws with S slices and one loop or stack, turned upright and by A degrees
// about the vertical axis. As with the quadric, a part with a negative radius
// (a wall thicker than the bowl is wide) is left out, and the slices are
// limited to 239.
class BowlGeometry {
public:
    enum Part { Bottom, Top, OuterWall, InnerWall, PartCount };

    struct Range {
        int first = 0;
        int count = 0;
    };

    // Builds the bowl; `drawColour` runs through the four colour choices in the
    // order bottom, top, outer wall, inner wall and keeps the last.
    void build(const BowlShape& shape, const BowlColours& colours, Rgb& drawColour);

    const Vec3f* vertices() const { return vertices_.data(); }
    const Rgb* colours() const { return colours_.data(); }
    int vertexCount() const { return vertexCount_; }
    Range part(Part p) const { return parts_[p]; }

private:
    void addDisk(double y, double innerRadius, double outerRadius, const Rgb& colour);
    void addCylinder(double radius, double height, const Rgb& colour);
    void addTriangle(const Vec3f& a, const Vec3f& b, const Vec3f& c, const Rgb& colour);
    Vec3f place(double radius, int corner, double y) const;
    void beginPart(Part p);
    void endPart(Part p);
    void reserve(int slices);

    std::vector<Vec3f> vertices_;
    std::vector<Rgb> colours_;
    std::vector<float> sin_;
    std::vector<float> cos_;
    std::array<Range, PartCount> parts_{};
    int vertexCount_ = 0;
    int slices_ = 0;
    float turnCos_ = 1;
    float turnSin_ = 0;
};

// Grid planes and axis lines: fixed line data in scene coordinates.
enum class GridPlane { XY, YZ, XZ };
enum class Axis { X, Y, Z };

constexpr int kGridLinesPerPlane = 2 * 41;
constexpr float kGridGrey = 0.7f;

// The 82 segments (164 vertices) of one grid plane, 41 x 41 lines one unit apart.
const std::array<Vec3f, 2 * kGridLinesPerPlane>& gridPlaneLines(GridPlane plane);

// The two ends of one axis line, from -100 to 100.
const std::array<Vec3f, 2>& axisLine(Axis axis);

// The colour of an axis: x red, y green, z blue.
const Rgb& axisColour(Axis axis);

} // namespace pluviane
