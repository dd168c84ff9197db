#include "render/JetGeometry.h"

#include "model/Random.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace pluviane {

namespace {

// A turn about the scene's vertical axis, as glRotatef(angle, 0, 1, 0) makes it.
struct TurnY {
    float c = 1;
    float s = 0;

    static TurnY degrees(double angle)
    {
        const double radians = angle * std::numbers::pi / 180.0;
        return {static_cast<float>(std::cos(radians)), static_cast<float>(std::sin(radians))};
    }

    Vec3f apply(float x, float y, float z) const { return {c * x + s * z, y, -s * x + c * z}; }
};

// Unit circle of the nozzle body's quadric, angle 2 pi i / slices from the
// quadric's y axis, with the first corner repeated at the end.
struct BodyCircle {
    std::array<float, JetGeometry::kBodySlices + 1> sin{};
    std::array<float, JetGeometry::kBodySlices + 1> cos{};

    BodyCircle()
    {
        for (int i = 0; i < JetGeometry::kBodySlices; ++i) {
            const auto angle = static_cast<float>(2 * std::numbers::pi * i / JetGeometry::kBodySlices);
            sin[i] = static_cast<float>(std::sin(angle));
            cos[i] = static_cast<float>(std::cos(angle));
        }
        sin[JetGeometry::kBodySlices] = sin[0];
        cos[JetGeometry::kBodySlices] = cos[0];
    }
};

const BodyCircle& bodyCircle()
{
    static const BodyCircle circle;
    return circle;
}

template <typename T>
void growTo(std::vector<T>& buffer, std::size_t size)
{
    if (buffer.size() < size)
        buffer.resize(size);
}

bool throwsSplash(int level, int height)
{
    return level > 3 && height > 3;
}

} // namespace

int scatterDivisor(int foam)
{
    return std::max((21 - foam) / 2, 1);
}

float nozzleBodyRadius(int foam)
{
    return static_cast<float>(foam / 50.0 + 0.02);
}

void JetGeometry::reserveFor(const FountainState& state)
{
    std::size_t strands = 0;
    std::size_t splashes = 0;
    std::size_t bodies = 0;
    for (int k = 0; k < kDrawnNozzles; ++k) {
        const int group = state.JetGroup[k];
        if (group == 0)
            continue;
        const int foam = state.JetFoam[k];
        strands += foam;
        bodies += foam > 0 ? 1 : 0;
        if (throwsSplash(drawnLevel(state, group), state.JetShape[k][1]))
            splashes += foam;
    }
    growTo(strandVertices_, strands * kStrandPoints);
    growTo(strandColours_, strands * kStrandPoints);
    const std::size_t indexed = strandIndices_.size() / kStrandIndices;
    if (indexed < strands) {
        strandIndices_.resize(strands * kStrandIndices);
        for (std::size_t s = indexed; s < strands; ++s) {
            std::uint32_t* index = strandIndices_.data() + s * kStrandIndices;
            const auto first = static_cast<std::uint32_t>(s * kStrandPoints);
            for (std::uint32_t segment = 0; segment < kProfileSteps; ++segment) {
                *index++ = first + segment;
                *index++ = first + segment + 1;
            }
        }
    }
    growTo(splashPoints_, splashes * kSplashPoints);
    growTo(splashColours_, splashes * kSplashPoints);
    growTo(bodyVertices_, bodies * kBodyVertices);
    growTo(bodyNormals_, bodies * kBodyVertices);
}

void JetGeometry::build(FountainState& state, RandomSource& random)
{
    reserveFor(state);
    strandVertexCount_ = 0;
    splashPointCount_ = 0;
    bodyVertexCount_ = 0;
    runCount_ = 0;
    for (int k = 0; k < kDrawnNozzles; ++k) {
        if (state.JetGroup[k] == 0)
            continue;
        buildNozzle(state, random, k, runs_[runCount_++]);
    }
}

void JetGeometry::writeBody(int foam, const Vec3f& base, float cosTurn, float sinTurn)
{
    // The quadric's cylinder stands on its own z axis; turned -90 degrees about x
    // and lifted by 1 it stands upright from local height 1 to 1.5. One stack,
    // drawn as the quad strip low0, high0, low1, high1, ... split into triangles.
    const BodyCircle& circle = bodyCircle();
    const float radius = nozzleBodyRadius(foam);
    const TurnY turn{cosTurn, sinTurn};
    Vec3f* vertex = bodyVertices_.data() + bodyVertexCount_;
    Vec3f* normal = bodyNormals_.data() + bodyVertexCount_;

    auto corner = [&](int i, bool high) {
        const float ox = radius * circle.sin[i];
        const float oy = radius * circle.cos[i];
        const float oz = high ? kBodyHeight : 0.0f;
        const Vec3f local = turn.apply(ox, oz + 1.0f, -oy);
        *vertex++ = {base.x + local.x, base.y + local.y, base.z + local.z};
        *normal++ = turn.apply(circle.sin[i], 0.0f, -circle.cos[i]);
    };
    for (int i = 0; i < kBodySlices; ++i) {
        corner(i, false);
        corner(i, true);
        corner(i + 1, false);
        corner(i, true);
        corner(i + 1, true);
        corner(i + 1, false);
    }
    bodyVertexCount_ += kBodyVertices;
}

void JetGeometry::buildNozzle(FountainState& state, RandomSource& random, int k, NozzleRun& run)
{
    const int group = state.JetGroup[k];
    const int foam = state.JetFoam[k];
    const int height = state.JetShape[k][1];
    const int tilt = state.JetShape[k][2];
    const int level = drawnLevel(state, group);
    const bool splash = throwsSplash(level, height);
    const Rgba8 colour{state.GroupColour[group][0], state.GroupColour[group][1],
                       state.GroupColour[group][2], 255};

    run = NozzleRun{};
    run.nozzle = k;
    run.group = group;
    run.level = level;
    run.strands = foam;
    run.firstStrandVertex = strandVertexCount_;
    run.splashes = splash ? foam : 0;
    run.firstSplashPoint = splashPointCount_;
    if (foam == 0)
        return;

    // The nozzle transform, step by step: a first translation (fed zero:
    // nozzle positions already carry the group's centre), the orbit about the
    // bowl centre, the outlet, the spin of the jet's direction. Both turns are
    // about y, so a point p of the outlet frame lands at base + turn(p).
    const Vec3f firstShift{0, 0, 0};
    const TurnY orbit = TurnY::degrees(2.0 * state.JetOrbit[k]);
    const Vec3f outlet = orbit.apply((state.JetPos[k][1] - 100) / 5.0f, state.JetPos[k][3] / 5.0f,
                                     (state.JetPos[k][2] - 100) / 5.0f);
    const Vec3f base{firstShift.x + outlet.x, firstShift.y + outlet.y, firstShift.z + outlet.z};
    const TurnY turn = TurnY::degrees(2.0 * state.JetOrbit[k] + 2.0 * state.JetShape[k][3]);

    run.firstBodyVertex = bodyVertexCount_;
    writeBody(foam, base, turn.c, turn.s);

    const float v = level / 255.0f;
    const float scatter = 1.0f / static_cast<float>(scatterDivisor(foam));
    std::array<float, kProfileSteps> rise{};
    std::array<float, kProfileSteps> travel{};
    for (int j = 0; j < kProfileSteps; ++j) {
        rise[j] = height * state.JetProfile[j] / 50.0f;
        travel[j] = (j / 5.0f) * tilt / 10.0f;
    }
    auto place = [&](float x, float y, float z) {
        return Vec3f{base.x + turn.c * x + turn.s * z, base.y + y, base.z - turn.s * x + turn.c * z};
    };

    Vec3f* line = strandVertices_.data() + strandVertexCount_;
    Vec3f* points = splashPoints_.data() + splashPointCount_;
    for (int strand = 0; strand < foam; ++strand) {
        const float px = (random.nextFloat() - 0.5f) * scatter;
        const float pz = (random.nextFloat() - 0.5f) * scatter;
        *line++ = place(px, 1.0f, pz);
        float qx = 0;
        float qy = 0;
        float qz = 0;
        for (int j = 0; j < kProfileSteps; ++j) {
            const float rx = random.nextFloat();
            const float ry = random.nextFloat();
            const float rz = random.nextFloat();
            qx = v * ((rx - 0.5f) * scatter);
            qy = v * ((ry - 0.5f) * scatter + rise[j]) + 1.0f;
            qz = v * ((rz - 0.5f) * scatter + travel[j]);
            *line++ = place(qx, qy, qz);
        }
        state.StrandPoint = {qx, qy, qz};
        if (!splash)
            continue;
        for (int p = 0; p < kSplashPoints; ++p) {
            const float ra = random.nextFloat();
            const float rb = random.nextFloat();
            *points++ = place(qx + rb - 0.5f, qy, qz + ra - 0.5f);
        }
    }

    const int lineVertices = foam * kStrandPoints;
    std::fill_n(strandColours_.data() + strandVertexCount_, lineVertices, colour);
    strandVertexCount_ += lineVertices;
    const int splashVertices = run.splashes * kSplashPoints;
    std::fill_n(splashColours_.data() + splashPointCount_, splashVertices, colour);
    splashPointCount_ += splashVertices;
}

} // namespace pluviane
