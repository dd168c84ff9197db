#pragma once

#include "model/FountainState.h"
#include "render/SceneVertex.h"

#include <array>
#include <cstdint>
#include <vector>

namespace pluviane {

class RandomSource;

// Scatter divisor of a jet of foaminess n: every strand coordinate strays by up
// to 0.5 / m either way. (21 - n) / 2 truncated, never below 1.
int scatterDivisor(int foam);

// Radius of a nozzle body for foaminess n.
float nozzleBodyRadius(int foam);

// One tick of jets in scene coordinates (y up, bowl centre at the origin), ready
// for vertex arrays. The buffers only ever grow, so after the first ticks of a
// fountain nothing is allocated.
//
// Per strand the line buffer holds the 22 distinct points of the strand's
// 42-vertex strip, P, Q0, Q1, ..., Q20, and the index buffer joins them by the
// strip's 21 visible segments (P-Q0, Q0-Q1, ..., Q19-Q20) as separate lines.
// The index buffer depends only on the number of strands, so it is written
// only when that number grows. The random numbers are drawn in the order the
// strands and splashes are drawn one by one, so the scatter of a tick is the
// same as that of a renderer drawing vertex by vertex from the same sequence.
class JetGeometry {
public:
    static constexpr int kProfileSteps = kProfilePoints; // Q0..Q20
    static constexpr int kStrandPoints = kProfileSteps + 1;      // P and Q0..Q20
    static constexpr int kStrandIndices = 2 * kProfileSteps;     // 21 segments
    static constexpr int kSplashPoints = 11;
    static constexpr int kBodySlices = 7;
    static constexpr int kBodyVertices = kBodySlices * 6; // two triangles a side
    static constexpr float kBodyHeight = 0.5f;

    // What one drawn nozzle put into the buffers.
    struct NozzleRun {
        int nozzle = 0;
        int group = 0;
        int level = 0;        // the level it was drawn at
        int strands = 0;      // strands; each has kStrandPoints in the line buffer
        int firstStrandVertex = 0;
        int splashes = 0;     // splashes; each has kSplashPoints in the point buffer
        int firstSplashPoint = 0;
        int firstBodyVertex = -1; // -1 when it has no strand and so no body
    };

    // Computes the jets of one tick from the state, drawing scatter from `random`,
    // and writes `StrandPoint` (the last strand's end, nozzle frame).
    void build(FountainState& state, RandomSource& random);

    const Vec3f* strandVertices() const { return strandVertices_.data(); }
    const Rgba8* strandColours() const { return strandColours_.data(); }
    int strandVertexCount() const { return strandVertexCount_; }
    // Pairs of indices into the strand vertices, one pair a segment.
    const std::uint32_t* strandIndices() const { return strandIndices_.data(); }
    int strandIndexCount() const { return strandVertexCount_ / kStrandPoints * kStrandIndices; }

    const Vec3f* splashPoints() const { return splashPoints_.data(); }
    const Rgba8* splashColours() const { return splashColours_.data(); }
    int splashPointCount() const { return splashPointCount_; }

    // Nozzle bodies as triangles, one body per nozzle that has strands: the body
    // is opaque and the same for every strand, so drawing it once per nozzle
    // gives the same picture as drawing it with each strand.
    const Vec3f* bodyVertices() const { return bodyVertices_.data(); }
    const Vec3f* bodyNormals() const { return bodyNormals_.data(); }
    int bodyVertexCount() const { return bodyVertexCount_; }

    const NozzleRun* runs() const { return runs_.data(); }
    int runCount() const { return runCount_; }

    // A bound nozzle was met (the drawing then sets line width 1).
    bool anyNozzle() const { return runCount_ > 0; }

private:
    void reserveFor(const FountainState& state);
    void buildNozzle(FountainState& state, RandomSource& random, int k, NozzleRun& run);
    void writeBody(int foam, const Vec3f& base, float cosTurn, float sinTurn);

    std::vector<Vec3f> strandVertices_;
    std::vector<Rgba8> strandColours_;
    std::vector<std::uint32_t> strandIndices_;
    std::vector<Vec3f> splashPoints_;
    std::vector<Rgba8> splashColours_;
    std::vector<Vec3f> bodyVertices_;
    std::vector<Vec3f> bodyNormals_;
    std::array<NozzleRun, kDrawnNozzles> runs_{};
    int strandVertexCount_ = 0;
    int splashPointCount_ = 0;
    int bodyVertexCount_ = 0;
    int runCount_ = 0;
};

} // namespace pluviane
