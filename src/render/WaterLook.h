#pragma once

#include "render/BowlGeometry.h"
#include "render/JetGeometry.h"
#include "render/SceneVertex.h"

#include <cstdint>
#include <vector>

namespace pluviane {

// The arithmetic of the realistic look: everything it draws is computed here
// from the same jet geometry as the classic look, so levels, heights, tilts,
// spins, foam, scatter and colours mean the same in both.

// One corner of a stream ribbon. The ribbon is laid along the middle of
// the jet's strands; the vertex shader moves each corner sideways by `halfWidth`,
// across the line as the eye sees it, so the stream faces the viewer from
// every side. Laid out for fixed-function arrays: vertex, normal (the
// tangent), texture coordinate (across, along, half width, opacity), colour.
struct RibbonVertex {
    Vec3f centre;
    Vec3f tangent;
    float across = 0;    // -1 at one edge, +1 at the other
    float along = 0;     // 0 at the outlet, 1 at the tip
    float halfWidth = 0; // scene units
    float opacity = 0;
    Rgba8 colour{};
};
static_assert(sizeof(RibbonVertex) == 10 * sizeof(float) + sizeof(Rgba8));

// Width of a stream of one strand: grows with the flow (level / 255) and the
// foam, and spreads toward the tip (along 0..1). Scene units.
float streamWidth(float flow, int foam, float along);

// How opaque a stream is in its core: foamier water is whiter, less clear.
float streamOpacity(int foam);

// How much air a jet carries, 0..1: from foam 6 on the jet is a white
// aerated column rather than a clear stream.
float aeration(int foam);

// Compresses a light colour into 0..1 by its brightest channel and scales
// the others with it: bright coloured light keeps its hue instead of
// clipping channel by channel toward white or cyan.
void toneMap(float rgb[3]);

// The turntable camera of customer videos: one slow turn about the bowl's
// vertical axis a minute, in degrees at `seconds`.
float orbitDegrees(double seconds);

// Where falling water stops: the water in the bowl inside its inner outline
// (taken as a circle), the ground (height 0) everywhere else.
struct Floor {
    float waterLevel = -1e9f; // no bowl: the ground only
    float poolRadius = 0;
    float heightAt(float x, float z) const;
};

// How far to lower the scene so that an eye at `eye` (scene coordinates)
// stands at least `lowest` above the ground: the realistic look never looks
// from under the ground. 0 when the eye is high enough.
float eyeLift(const Vec3f& eye, float lowest);

// A soft round sprite: a droplet, a puff of mist or a glow.
struct Sprite {
    Vec3f centre;
    float size = 0; // diameter, scene units
    Rgba8 colour{}; // alpha is the sprite's opacity at its middle
};
static_assert(sizeof(Sprite) == 4 * sizeof(float) + sizeof(Rgba8));

// A drop in flight: drawn as a short streak along its velocity, which also
// stands in for motion blur.
struct Drop {
    Vec3f centre;
    Vec3f velocity; // scene units a second
    float size = 0; // scene units
    Rgba8 colour{}; // alpha is its opacity
};

// One end of a drop's streak; colours premultiplied, the tail transparent.
struct StreakVertex {
    Vec3f position;
    Rgba8 colour{};
};
static_assert(sizeof(StreakVertex) == 3 * sizeof(float) + sizeof(Rgba8));

// The streams and spray of one tick, built from the tick's jet geometry.
class WaterStreams {
public:
    static constexpr int kRibbonVertices = 2 * JetGeometry::kStrandPoints;
    static constexpr int kRibbonIndices = 6 * (JetGeometry::kStrandPoints - 1);
    static constexpr int kFallingDroplets = 4; // per strand, along its falling end
    static constexpr int kMistFoam = 6;        // jets this foamy throw mist
    static constexpr int kMistPuffs = 4;       // per nozzle
    static constexpr int kSplashDrops = 8;     // per splashing jet, where it lands
    static constexpr int kCrownDrops = 8;      // per vertical jet, at its top
    static constexpr int kFoamPuffs = 5;       // the foam ring where a jet lands
    static constexpr float kGravity = 20.0f;   // scene units a second squared
    static constexpr float kStreakSeconds = 0.06f;

    // `night` makes the underwater glow stronger. `surface` is the height of
    // the water in the bowl (lower than any jet when there is none): each
    // jet glows where it comes out of it. `seconds` moves the drops along
    // their paths; the falling water stops at `floor`.
    void build(const FountainState& state, const JetGeometry& jets, bool night, float surface,
               double seconds = 0, const Floor& floor = {});

    const RibbonVertex* ribbonVertices() const { return ribbon_.data(); }
    int ribbonVertexCount() const { return ribbonCount_; }
    // Triangles, three indices each.
    const std::uint32_t* ribbonIndices() const { return indices_.data(); }
    int ribbonIndexCount() const { return ribbonCount_ / kRibbonVertices * kRibbonIndices; }

    // Drops where the jets break up and fall, at the crowns of vertical
    // jets and where the water lands, each moving on from tick to tick.
    const std::vector<Drop>& droplets() const { return droplets_; }
    // The drops as streaks, two vertices each, head then tail, their light
    // multiplied by `gain` and tone-mapped: built on demand.
    void buildStreaks(float gain);
    const std::vector<StreakVertex>& streaks() const { return streaks_; }
    // Large soft sprites: mist over foamy splashes and the glow of each lit
    // outlet where the jet leaves the water.
    const std::vector<Sprite>& haze() const { return haze_; }

    // Where each lit nozzle's water lands (the middle of its strands' ends)
    // and comes out of the water, with its flow: the surface ripples there.
    struct Fall {
        Vec3f landing;
        Vec3f outlet; // the outlet, or where the stream breaks the surface

        float flow = 0;
        int foam = 0;
        Rgba8 colour{};
    };
    const std::vector<Fall>& falls() const { return falls_; }

private:
    void addRibbon(const Vec3f* points, const Rgba8& colour, float flow, int foam);
    void addFallingDrops(const Vec3f* points, const Rgba8& colour, float flow, int foam, unsigned seed);
    void addCrown(const Vec3f& top, const Rgba8& colour, float flow, unsigned seed);
    void addSplash(const Fall& fall, float floorHeight, unsigned seed);
    Vec3f onTheFloor(const Vec3f& before, const Vec3f& end) const;
    static Vec3f emergence(const Vec3f* points, float surface);
    void growIndices(int ribbons);

    std::vector<RibbonVertex> ribbon_;
    std::vector<std::uint32_t> indices_;
    std::vector<Drop> droplets_;
    std::vector<StreakVertex> streaks_;
    float seconds_ = 0;
    Floor floor_;
    std::vector<Sprite> haze_;
    std::vector<Fall> falls_;
    int ribbonCount_ = 0;
};

// The water in the bowl: a mesh filling the inner outline a little below the
// rim, its height and normal rippled by the jets that fall and rise through
// it, each vertex coloured by the underwater lights of the jets near it.
class WaterSurface {
public:
    static constexpr int kRings = 16;
    static constexpr int kStepsPerSide = 4; // points along each side of the outline, per ring

    struct Vertex {
        Vec3f position;
        Vec3f normal;
        Rgba8 glow{}; // the underwater lights' colour here; alpha unused
    };

    // The water level for a bowl: a little below its rim.
    static float level(const BowlShape& shape);

    // Builds the surface at `seconds` of ripple time. No surface when the
    // bowl has no inside (a wall as thick as the bowl is wide).
    void build(const BowlShape& shape, const std::vector<WaterStreams::Fall>& falls, double seconds,
               bool night);

    const Vertex* vertices() const { return vertices_.data(); }
    int vertexCount() const { return static_cast<int>(vertices_.size()); }
    const std::uint32_t* indices() const { return indices_.data(); }
    int indexCount() const { return static_cast<int>(indices_.size()); }
    float waterLevel() const { return level_; }
    float radius() const { return radius_; } // of the outline's corners
    int corners() const { return corners_; }

private:
    void buildMesh(const BowlShape& shape);

    std::vector<Vertex> vertices_;
    std::vector<Vec3f> flat_; // the mesh at rest, kept while the shape stays
    std::vector<std::uint32_t> indices_;
    BowlShape meshShape_{0, 0, 0, 0, 0};
    float level_ = 0;
    float radius_ = 0;
    int corners_ = 0;
};

// One normal a triangle, given to its three corners: the bowl's parts are flat.
void flatNormals(const Vec3f* vertices, int count, std::vector<Vec3f>& normals);

// Normals for a bowl of `corners` sides about the vertical axis: a round
// bowl's walls shaded smoothly (the normal points away from the axis, as on
// a cylinder), a polygon's sides and every flat part as they are.
void bowlNormals(const Vec3f* vertices, int count, int corners, std::vector<Vec3f>& normals);

} // namespace pluviane
