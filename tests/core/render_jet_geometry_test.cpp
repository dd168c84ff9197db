#include "model/Random.h"
#include "render/JetGeometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

using namespace pluviane;

namespace {

struct JetGeometryTest : ::testing::Test {
    std::unique_ptr<FountainState> owner = std::make_unique<FountainState>();
    FountainState& s = *owner;
    RandomSource random;
    JetGeometry jets;

    void SetUp() override
    {
        RandomSource layout;
        setStartValues(s, layout);
    }

    // A jet at scene position (x, 0, z), travelling along +z (spin 0, orbit 0).
    void bind(int k, int group, int foam, int height = 50, int tilt = 70)
    {
        s.JetGroup[k] = static_cast<Byte>(group);
        s.JetFoam[k] = static_cast<Byte>(foam);
        s.JetShape[k][1] = static_cast<Byte>(height);
        s.JetShape[k][2] = static_cast<Byte>(tilt);
        s.JetShape[k][3] = 0;
        s.JetOrbit[k] = 0;
        s.JetPos[k][1] = 100;
        s.JetPos[k][2] = 100;
        s.JetPos[k][3] = 0;
    }

    const Vec3f& strandVertex(const JetGeometry::NozzleRun& run, int strand, int vertex) const
    {
        return jets.strandVertices()[run.firstStrandVertex +
                                     strand * JetGeometry::kStrandPoints + vertex];
    }

    // Q_j of a strand: vertex 0 is P, Q_j is vertex j + 1.
    const Vec3f& q(const JetGeometry::NozzleRun& run, int strand, int j) const
    {
        return strandVertex(run, strand, j + 1);
    }

    // Largest distance of any strand coordinate from the unscattered path, over all
    // strands of a jet at the origin with no tilt and no height.
    float widestScatter(const JetGeometry::NozzleRun& run) const
    {
        float widest = 0;
        for (int strand = 0; strand < run.strands; ++strand)
            for (int v = 0; v < JetGeometry::kStrandPoints; ++v) {
                const Vec3f& p = strandVertex(run, strand, v);
                widest = std::max({widest, std::abs(p.x), std::abs(p.y - 1), std::abs(p.z)});
            }
        return widest;
    }
};

} // namespace

TEST_F(JetGeometryTest, OneRunOfStrandsPerBoundNozzleAndNothingForOthers)
{
    bind(0, 1, 5);
    bind(3, 2, 0);
    bind(7, 16, 30);
    for (int k = 251; k < kNozzleCount; ++k)
        bind(k, 1, 30);
    jets.build(s, random);

    ASSERT_EQ(jets.runCount(), 3);
    EXPECT_EQ(jets.runs()[0].nozzle, 0);
    EXPECT_EQ(jets.runs()[0].strands, 5);
    EXPECT_EQ(jets.runs()[1].nozzle, 3);
    EXPECT_EQ(jets.runs()[1].strands, 0);
    EXPECT_EQ(jets.runs()[1].firstBodyVertex, -1) << "no strand, no body";
    EXPECT_EQ(jets.runs()[2].nozzle, 7);
    EXPECT_EQ(jets.runs()[2].strands, 30);
    EXPECT_EQ(jets.strandVertexCount(), 35 * 22);
    EXPECT_EQ(jets.strandIndexCount(), 35 * 42);
    EXPECT_EQ(jets.splashPointCount(), 35 * 11);
    EXPECT_EQ(jets.bodyVertexCount(), 2 * JetGeometry::kBodyVertices);

    // A fountain that grows gets indices for its new strands too.
    bind(8, 1, 200);
    jets.build(s, random);
    EXPECT_EQ(jets.strandIndexCount(), 235 * 42);
    EXPECT_EQ(jets.strandIndices()[235 * 42 - 1], 235u * 22 - 1);

    // A fountain with no bound nozzle draws nothing and leaves the generator alone.
    s.JetGroup.fill(0);
    RandomSource untouched;
    random.reset();
    jets.build(s, random);
    EXPECT_FALSE(jets.anyNozzle());
    EXPECT_EQ(jets.strandVertexCount() + jets.splashPointCount() + jets.bodyVertexCount(), 0);
    EXPECT_EQ(random.next(), untouched.next());
}

TEST_F(JetGeometryTest, ScatterIsDrawnInTheOrderOfTheStrandAndItsSplash)
{
    bind(0, 1, 5, 50, 70); // m = 8
    s.JetPos[0][1] = 150;  // x = 10
    s.JetPos[0][3] = 25;   // outlet height 5
    jets.build(s, random);
    const JetGeometry::NozzleRun& run = jets.runs()[0];

    RandomSource replay;
    const float px = replay.nextFloat();
    const float pz = replay.nextFloat();
    EXPECT_FLOAT_EQ(strandVertex(run, 0, 0).x, 10 + (px - 0.5f) / 8);
    EXPECT_FLOAT_EQ(strandVertex(run, 0, 0).y, 6);
    EXPECT_FLOAT_EQ(strandVertex(run, 0, 0).z, (pz - 0.5f) / 8);
    const float rx = replay.nextFloat();
    const float ry = replay.nextFloat();
    const float rz = replay.nextFloat();
    EXPECT_FLOAT_EQ(q(run, 0, 0).x, 10 + (rx - 0.5f) / 8);
    EXPECT_FLOAT_EQ(q(run, 0, 0).y, 5 + (ry - 0.5f) / 8 + 1);
    EXPECT_FLOAT_EQ(q(run, 0, 0).z, (rz - 0.5f) / 8);
    for (int i = 0; i < 60; ++i)
        replay.nextFloat();

    // The segments join P to Q0 and each Q to the next, strand after strand:
    // the 42-vertex strip P, Q0, Q0, Q1, ..., Q19, Q20 as index pairs.
    const std::uint32_t* index = jets.strandIndices();
    for (int strand = 0; strand < 5; ++strand)
        for (int segment = 0; segment < 21; ++segment) {
            EXPECT_EQ(*index++, std::uint32_t(22 * strand + segment));
            EXPECT_EQ(*index++, std::uint32_t(22 * strand + segment + 1));
        }

    // The splash follows its strand: r_a moves z, r_b moves x, both before the next strand.
    const Vec3f end = q(run, 0, 20);
    const float ra = replay.nextFloat();
    const float rb = replay.nextFloat();
    EXPECT_FLOAT_EQ(jets.splashPoints()[0].x, end.x + rb - 0.5f);
    EXPECT_FLOAT_EQ(jets.splashPoints()[0].y, end.y);
    EXPECT_FLOAT_EQ(jets.splashPoints()[0].z, end.z + ra - 0.5f);
    for (int i = 0; i < 20; ++i)
        replay.nextFloat();
    EXPECT_FLOAT_EQ(strandVertex(run, 1, 0).x, 10 + (replay.nextFloat() - 0.5f) / 8);

    // 65 draws a strand and 22 a splash, nothing else.
    RandomSource counted;
    for (int i = 0; i < 5 * (65 + 22); ++i)
        counted.next();
    EXPECT_EQ(random.next(), counted.next());

    // StrandPoint is the last strand's end in the nozzle frame (outlet at the origin).
    const Vec3f last = q(run, 4, 20);
    EXPECT_NEAR(s.StrandPoint[0], last.x - 10, 1e-5);
    EXPECT_NEAR(s.StrandPoint[1], last.y - 5, 1e-5);
    EXPECT_NEAR(s.StrandPoint[2], last.z, 1e-5);
}

TEST_F(JetGeometryTest, FullLevelRisesToPeakAndLandsAlongTheTurnedDirection)
{
    bind(0, 1, 1, 100, 50); // scatter at most 0.05 either way
    s.JetShape[0][3] = 45;  // turned 90 degrees: travels along +x
    bind(1, 1, 1, 100, 50);
    s.JetPos[1][1] = 150;   // x = 10 before the orbit
    s.JetOrbit[1] = 45;     // the orbit carries it to z = -10 and turns its travel to +x
    jets.build(s, random);

    for (int r = 0; r < 2; ++r) {
        const JetGeometry::NozzleRun& run = jets.runs()[r];
        const float startZ = r == 0 ? 0.0f : -10.0f;
        EXPECT_NEAR(q(run, 0, 10).y, 1 + 100 / 5.0, 0.05);
        EXPECT_NEAR(q(run, 0, 10).x, 0.2 * 50, 0.05);
        EXPECT_NEAR(q(run, 0, 20).y, 1, 0.05);
        EXPECT_NEAR(q(run, 0, 20).x, 0.4 * 50, 0.05);
        EXPECT_NEAR(q(run, 0, 20).z, startZ, 0.05);
    }

    // Tilt 0: the strand rises and falls on the spot.
    bind(0, 1, 1, 100, 0);
    s.JetGroup[1] = 0;
    jets.build(s, random);
    EXPECT_NEAR(q(jets.runs()[0], 0, 20).x, 0, 0.05);
    EXPECT_NEAR(q(jets.runs()[0], 0, 20).z, 0, 0.05);
}

TEST_F(JetGeometryTest, LevelZeroCollapsesStrandsAndGroupsBeyondSixteenStandAtZero)
{
    bind(0, 1, 10);
    s.GroupLevel[1] = 0;
    bind(1, 20, 10);
    s.GroupLevel[20] = 255; // not a drawn level: groups stop at 16
    s.GroupColour[20] = {200, 10, 20, 0};
    jets.build(s, random);

    ASSERT_EQ(jets.runCount(), 2);
    EXPECT_EQ(jets.runs()[1].level, 0);
    for (int r = 0; r < 2; ++r) {
        const JetGeometry::NozzleRun& run = jets.runs()[r];
        for (int strand = 0; strand < run.strands; ++strand)
            for (int j = 0; j < 21; ++j) {
                EXPECT_FLOAT_EQ(q(run, strand, j).x, 0);
                EXPECT_FLOAT_EQ(q(run, strand, j).y, 1);
                EXPECT_FLOAT_EQ(q(run, strand, j).z, 0);
            }
        EXPECT_GE(run.firstBodyVertex, 0) << "the body is still drawn";
    }
    EXPECT_EQ(jets.splashPointCount(), 0);
    const Rgba8 expected{200, 10, 20, 255};
    const JetGeometry::NozzleRun& beyond = jets.runs()[1];
    EXPECT_EQ(jets.strandColours()[beyond.firstStrandVertex], expected);
    EXPECT_EQ(jets.strandColours()[beyond.firstStrandVertex + 10 * 22 - 1], expected);
}

TEST_F(JetGeometryTest, SplashNeedsLevelAndHeightAboveThree)
{
    struct Case {
        int level;
        int height;
        bool splash;
    };
    for (const Case c : {Case{3, 50, false}, Case{4, 50, true}, Case{255, 3, false},
                         Case{255, 4, true}, Case{0, 200, false}}) {
        bind(0, 1, 2, c.height);
        s.GroupLevel[1] = static_cast<Byte>(c.level);
        jets.build(s, random);
        EXPECT_EQ(jets.splashPointCount(), c.splash ? 22 : 0)
            << "level " << c.level << " height " << c.height;
    }
}

TEST_F(JetGeometryTest, ScatterWidthFollowsFoam)
{
    EXPECT_EQ(scatterDivisor(1), 10);
    EXPECT_EQ(scatterDivisor(5), 8);
    EXPECT_EQ(scatterDivisor(10), 5);
    EXPECT_EQ(scatterDivisor(19), 1);
    EXPECT_EQ(scatterDivisor(20), 1);
    EXPECT_EQ(scatterDivisor(30), 1);
    EXPECT_EQ(scatterDivisor(255), 1);

    // Height 0 and tilt 0 leave only the scatter around the outlet's point (0, 1, 0).
    for (const auto& [foam, bound] : {std::pair{1, 0.05f}, std::pair{20, 0.5f},
                                     std::pair{30, 0.5f}}) {
        s.JetGroup.fill(0);
        bind(0, 1, foam, 0, 0);
        // Many strands, so the scatter comes close to its bound.
        for (int k = 1; k < 40; ++k)
            bind(k, 1, foam, 0, 0);
        jets.build(s, random);
        float widest = 0;
        for (int r = 0; r < jets.runCount(); ++r)
            widest = std::max(widest, widestScatter(jets.runs()[r]));
        EXPECT_LE(widest, bound) << "foam " << foam;
        EXPECT_GT(widest, 0.95f * bound) << "foam " << foam;
    }
}

TEST_F(JetGeometryTest, BodyStandsOnTheOutletFromOneToOneAndAHalf)
{
    bind(0, 1, 5);
    s.JetPos[0][2] = 150; // z = 10
    jets.build(s, random);
    ASSERT_EQ(jets.bodyVertexCount(), JetGeometry::kBodyVertices);
    const float radius = nozzleBodyRadius(5);
    EXPECT_FLOAT_EQ(radius, 0.12f);
    for (int i = 0; i < jets.bodyVertexCount(); ++i) {
        const Vec3f& v = jets.bodyVertices()[i];
        EXPECT_NEAR(std::hypot(v.x, v.z - 10), radius, 1e-5);
        EXPECT_TRUE(std::abs(v.y - 1) < 1e-6 || std::abs(v.y - 1.5) < 1e-6) << v.y;
        const Vec3f& n = jets.bodyNormals()[i];
        EXPECT_NEAR(n.x * radius, v.x, 1e-5);
        EXPECT_NEAR(n.z * radius, v.z - 10, 1e-5);
    }
}
