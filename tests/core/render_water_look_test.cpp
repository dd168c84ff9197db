#include "model/Random.h"
#include "render/ViewFit.h"
#include "render/WaterLook.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>

using namespace pluviane;

namespace {

struct WaterLookTest : ::testing::Test {
    std::unique_ptr<FountainState> owner = std::make_unique<FountainState>();
    FountainState& s = *owner;
    RandomSource random;
    JetGeometry jets;
    WaterStreams streams;

    void SetUp() override
    {
        RandomSource layout;
        setStartValues(s, layout);
    }

    // A jet of group g at scene (x, 0, z), x and z multiples of 0.2.
    void bind(int k, int group, int foam, float x = 0, float z = 0)
    {
        s.JetGroup[k] = static_cast<Byte>(group);
        s.JetFoam[k] = static_cast<Byte>(foam);
        s.JetShape[k][1] = 50;
        s.JetShape[k][2] = 30;
        s.JetShape[k][3] = 0;
        s.JetOrbit[k] = 0;
        s.JetPos[k][3] = 0;
        s.JetPos[k][1] = static_cast<Byte>(100 + std::lround(x * 5));
        s.JetPos[k][2] = static_cast<Byte>(100 + std::lround(z * 5));
    }

    void build(float surface = -100)
    {
        jets.build(s, random);
        streams.build(s, jets, false, surface);
    }
};

} // namespace

TEST(WaterLookArithmetic, StreamsWidenWithFlowFoamAndTowardTheTipAndFoamyStrandsAreFainter)
{
    EXPECT_GT(streamWidth(1.0f, 4, 0), streamWidth(0.5f, 4, 0));
    EXPECT_GT(streamWidth(1.0f, 10, 0), streamWidth(1.0f, 4, 0));
    EXPECT_GT(streamWidth(1.0f, 4, 1), 1.5f * streamWidth(1.0f, 4, 0));
    EXPECT_EQ(streamWidth(1.0f, 30, 0), streamWidth(1.0f, 255, 0)) << "foam beyond 30 scatters no wider";
    EXPECT_LT(streamOpacity(1), streamOpacity(9)) << "foamy water is whiter";
    EXPECT_LT(streamOpacity(255), 1);

    std::vector<Vec3f> normals;
    const Vec3f triangle[3] = {{0, 0, 0}, {1, 0, 0}, {0, 0, -1}};
    flatNormals(triangle, 3, normals);
    ASSERT_EQ(normals.size(), 3u);
    EXPECT_NEAR(normals[2].y, 1, 1e-6);
}

TEST_F(WaterLookTest, RibbonsFollowTheStrandsOfLitJetsOnlyWithSprayAndGlow)
{
    bind(16, 1, 4);      // lit, splashing, not foamy enough for mist
    bind(17, 2, 8, 4);   // foamy: mist
    bind(18, 3, 5, -4);  // no water
    s.GroupLevel[1] = s.GroupLevel[2] = 200;
    s.GroupLevel[3] = 0;
    s.GroupColour[1] = {255, 0, 0, 0};
    build();

    const int strands = 4 + 8;
    ASSERT_EQ(streams.ribbonVertexCount(), 2 * WaterStreams::kRibbonVertices) << "one stream a lit jet";
    EXPECT_EQ(streams.ribbonIndexCount(), 2 * WaterStreams::kRibbonIndices);
    const int maxIndex = *std::max_element(streams.ribbonIndices(), streams.ribbonIndices() + streams.ribbonIndexCount());
    EXPECT_EQ(maxIndex, streams.ribbonVertexCount() - 1);

    // The first ribbon lies along the middle of the first jet's strands,
    // corners in pairs across it, wider and further along toward the tip.
    const RibbonVertex* r = streams.ribbonVertices();
    float middleX = 0;
    for (int strand = 0; strand < 4; ++strand)
        middleX += jets.strandVertices()[jets.runs()[0].firstStrandVertex + strand * JetGeometry::kStrandPoints].x / 4;
    EXPECT_NEAR(r[0].centre.x, middleX, 1e-6);
    EXPECT_FLOAT_EQ(r[0].centre.y, 1);
    EXPECT_EQ(r[0].across, -1);
    EXPECT_EQ(r[1].across, 1);
    const RibbonVertex& tip = r[WaterStreams::kRibbonVertices - 1];
    EXPECT_EQ(tip.along, 1);
    EXPECT_GT(tip.halfWidth, r[0].halfWidth);
    EXPECT_EQ(r[0].colour, (Rgba8{255, 0, 0, 0})) << "no air in the stream";

    int splashing = 0;
    for (int r = 0; r < jets.runCount(); ++r)
        splashing += jets.runs()[r].splashes > 0 && jets.runs()[r].level > 0 ? 1 : 0;
    EXPECT_EQ(static_cast<int>(streams.droplets().size()),
              splashing * WaterStreams::kSplashDrops + strands * WaterStreams::kFallingDroplets);
    EXPECT_EQ(static_cast<int>(streams.haze().size()), 2 + WaterStreams::kMistPuffs + splashing * WaterStreams::kFoamPuffs)
        << "a glow each, mist for one, foam where they land";
    ASSERT_EQ(streams.falls().size(), 2u);
    EXPECT_NEAR(streams.falls()[0].flow, 200 / 255.0, 1e-6);
    EXPECT_GT(streams.falls()[0].landing.z, 3) << "a tilted jet lands away from its outlet";

    // The same numbers give the same spray; a surface above the outlets
    // moves the glow up to where the jet breaks it.
    RandomSource first, second;
    jets.build(s, first);
    WaterStreams under;
    under.build(s, jets, false, 2.0f);
    jets.build(s, second);
    WaterStreams dry;
    dry.build(s, jets, false, -100);
    EXPECT_EQ(under.droplets().back().centre.y, dry.droplets().back().centre.y);
    EXPECT_NEAR(under.falls()[0].outlet.y, 2.0f, 1e-4f);
    EXPECT_LT(dry.falls()[0].outlet.y, 1.5f);
}

TEST_F(WaterLookTest, DropsFallFromTickToTickVerticalJetsCrownAndWaterLandsOnTheWaterOrTheGround)
{
    bind(16, 1, 4);
    s.JetShape[16][1] = 120;
    s.JetShape[16][2] = 0; // vertical
    s.GroupLevel[1] = 230;
    const RandomSource start = random;
    jets.build(s, random);
    streams.build(s, jets, false, -100, 1.0);
    const std::vector<Drop> before = streams.droplets();
    random = start;
    jets.build(s, random);
    streams.build(s, jets, false, -100, 1.04);
    const std::vector<Drop>& after = streams.droplets();
    ASSERT_EQ(after.size(), before.size());
    const int falling = 4 * WaterStreams::kFallingDroplets;
    ASSERT_GE(static_cast<int>(after.size()), falling + WaterStreams::kCrownDrops) << "a crown at the top";
    int lower = 0;
    for (int i = 0; i < falling; ++i)
        lower += after[i].centre.y < before[i].centre.y - 0.01f ? 1 : 0;
    EXPECT_GE(lower, falling - 2) << "the same drop is further down a tick later";
    // Each drop a streak trailing up behind it as it falls.
    streams.buildStreaks(1.0f);
    ASSERT_EQ(streams.streaks().size(), 2 * after.size());
    EXPECT_GT(streams.streaks()[1].position.y, streams.streaks()[0].position.y);
    EXPECT_EQ(streams.streaks()[1].colour[3], 0);
    // Where the vertical jet turns, the ribbon's line keeps one sense: no twist.
    const RibbonVertex* r = streams.ribbonVertices();
    for (int i = 2; i < WaterStreams::kRibbonVertices; i += 2) {
        const Vec3f& a = r[i - 2].tangent;
        const Vec3f& b = r[i].tangent;
        EXPECT_GT(a.x * b.x + a.y * b.y + a.z * b.z, 0) << "at corner " << i;
    }

    // Thrown past the pool the water reaches the ground; inside it stops at the water.
    s.JetShape[16][2] = 40;
    jets.build(s, random);
    const Floor pool{2.35f, 3.0f};
    streams.build(s, jets, false, 2.35f, 0, pool);
    ASSERT_EQ(streams.falls().size(), 1u);
    EXPECT_GT(std::hypot(streams.falls()[0].landing.x, streams.falls()[0].landing.z), 3);
    EXPECT_NEAR(streams.falls()[0].landing.y, 0, 1e-3);
    EXPECT_NEAR(streams.ribbonVertices()[WaterStreams::kRibbonVertices - 1].centre.y, 0, 1e-3);
    EXPECT_EQ(static_cast<int>(streams.droplets().size()), 4 * WaterStreams::kFallingDroplets + WaterStreams::kSplashDrops)
        << "no crown on a tilted jet";
    for (const Drop& d : streams.droplets())
        EXPECT_GE(d.centre.y, -1e-3) << "nothing below the ground";
    const Floor wide{2.35f, 30.0f};
    streams.build(s, jets, false, 2.35f, 0, wide);
    EXPECT_LE(streams.falls()[0].landing.y, 2.35f);
}

TEST(WaterLookArithmetic, LightKeepsItsHueFoamIsWhiteTheEyeStaysAboveTheGroundAndTheCameraTurns)
{
    float azure[3] = {0.4f, 1.2f, 2.55f};
    toneMap(azure);
    EXPECT_LT(azure[2], 1.0f);
    EXPECT_NEAR(azure[1] / azure[2], 1.2f / 2.55f, 1e-5) << "scaled together: the hue stays";
    float dim[3] = {0.1f, 0.5f, 0.2f};
    toneMap(dim);
    EXPECT_EQ(dim[1], 0.5f) << "light below the knee is left as it is";
    EXPECT_EQ(aeration(4), 0);
    EXPECT_GT(aeration(10), 0);
    EXPECT_GT(streamOpacity(12), streamOpacity(5) + 0.15f) << "aerated columns are nearly opaque";

    EXPECT_FLOAT_EQ(eyeLift({0, -5, 60}, 1), 6);
    EXPECT_EQ(eyeLift({0, 10, 60}, 1), 0);
    EXPECT_FLOAT_EQ(orbitDegrees(15), 90);
    EXPECT_LT(orbitDegrees(61), orbitDegrees(59)) << "a turn a minute, then round again";

    // A round bowl's wall is shaded as one curve; a square's sides stay flat.
    for (const int corners : {21, 4}) {
        BowlGeometry bowl;
        Rgb colour{};
        bowl.build(BowlShape{corners, 45, 150, 18, 25}, BowlColours{}, colour);
        std::vector<Vec3f> smooth, flat;
        bowlNormals(bowl.vertices(), bowl.vertexCount(), corners, smooth);
        flatNormals(bowl.vertices(), bowl.vertexCount(), flat);
        const BowlGeometry::Range wall = bowl.part(BowlGeometry::OuterWall);
        const Vec3f& p = bowl.vertices()[wall.first];
        const Vec3f& n = smooth[static_cast<std::size_t>(wall.first)];
        const float radial = std::abs(n.x * p.z - n.z * p.x) / std::hypot(p.x, p.z);
        if (corners == 21)
            EXPECT_NEAR(radial, 0, 1e-4) << "the normal points away from the axis";
        else
            EXPECT_EQ(n.x, flat[static_cast<std::size_t>(wall.first)].x);
    }
}

TEST_F(WaterLookTest, WaterFillsTheBowlBelowItsRimRipplesWhereJetsFallAndGlowsInTheirLight)
{
    const BowlShape bowl; // 21 corners, 15 wide, wall 1.8, depth 2.5
    WaterSurface surface;
    std::vector<WaterStreams::Fall> falls;
    surface.build(bowl, falls, 0, false);
    const float level = WaterSurface::level(bowl);
    EXPECT_LT(level, 0.1f + 2.5f);
    EXPECT_GT(level, 0.1f + 2.0f);
    ASSERT_GT(surface.indexCount(), 0);
    const float inner = (150 - 18) / 10.0f;
    float stillest = 0;
    for (int i = 0; i < surface.vertexCount(); ++i) {
        const auto& v = surface.vertices()[i];
        EXPECT_LE(std::hypot(v.position.x, v.position.z), inner + 1e-4f);
        stillest = std::max(stillest, std::abs(v.position.y - level));
    }
    EXPECT_LT(stillest, 0.03f) << "with nothing falling only a slow swell";

    WaterStreams::Fall red{{3, 2, 0}, {-3, 1, 0}, 1.0f, 4, {255, 0, 0, 255}};
    falls.push_back(red);
    surface.build(bowl, falls, 0.7, true);
    float nearFall = 0, farAway = 0;
    int redNearOutlet = 0;
    for (int i = 0; i < surface.vertexCount(); ++i) {
        const auto& v = surface.vertices()[i];
        const float d = std::hypot(v.position.x - 3, v.position.z);
        const float fromOutlet = std::hypot(v.position.x + 3, v.position.z);
        const float ripple = std::abs(v.position.y - level);
        if (d < 1.5f)
            nearFall = std::max(nearFall, ripple);
        else if (d > 7 && fromOutlet > 7)
            farAway = std::max(farAway, ripple);
        EXPECT_NEAR(std::hypot(v.normal.x, v.normal.y, v.normal.z), 1, 1e-4);
        if (std::hypot(v.position.x + 3, v.position.z) < 1 && v.glow[0] > 60 && v.glow[1] == 0)
            ++redNearOutlet;
    }
    EXPECT_GT(nearFall, 2 * farAway);
    EXPECT_GT(redNearOutlet, 3);

    WaterSurface none;
    none.build(BowlShape{21, 45, 50, 50, 25}, falls, 0, false);
    EXPECT_EQ(none.indexCount(), 0) << "a wall as thick as the bowl leaves no water";
}

TEST_F(WaterLookTest, FittedViewHoldsTheBowlAndEveryJetAtAnySpinAngle)
{
    bind(16, 1, 5, 8, 8);
    s.JetShape[16][1] = 200; // high
    const BowlShape bowl;
    const std::vector<Vec3f> outline = sceneOutline(s, bowl, true);
    ASSERT_FALSE(outline.empty());
    EXPECT_GT(std::max_element(outline.begin(), outline.end(), [](auto a, auto b) { return a.y < b.y; })->y, 40);

    const double aspect = 16.0 / 9;
    std::vector<ViewAngles> angles;
    for (int a = 0; a < 360; a += 30)
        angles.push_back({10.0 + a, 342, 0});
    const ViewFit fit = fitView(outline, angles, aspect);
    ASSERT_GE(fit.zoom, 0);
    ASSERT_LE(fit.zoom, 150);

    const double f = 1 / std::tan(15 * std::numbers::pi / 180);
    double widest = 0;
    for (const ViewAngles& a : angles) {
        for (const Vec3f& p : outline) {
            // The render tick's transform, rotations x, z, y - 90, then pan and zoom.
            auto rad = [](double d) { return d * std::numbers::pi / 180; };
            double y = std::cos(rad(a.x)) * p.y - std::sin(rad(a.x)) * p.z;
            double z = std::sin(rad(a.x)) * p.y + std::cos(rad(a.x)) * p.z;
            double x = std::cos(rad(a.z)) * p.x - std::sin(rad(a.z)) * y;
            y = std::sin(rad(a.z)) * p.x + std::cos(rad(a.z)) * y;
            const double ex = std::cos(rad(a.y - 90)) * x + std::sin(rad(a.y - 90)) * z + fit.panX;
            const double ez = -std::sin(rad(a.y - 90)) * x + std::cos(rad(a.y - 90)) * z + fit.zoom - 150;
            const double ndcX = f / aspect * ex / -ez;
            const double ndcY = f * (y + fit.panY) / -ez;
            EXPECT_LT(std::abs(ndcX), 1.0);
            EXPECT_LT(std::abs(ndcY), 1.0);
            widest = std::max({widest, std::abs(ndcX), std::abs(ndcY)});
        }
    }
    EXPECT_GT(widest, 0.8) << "as close as the picture allows";
    EXPECT_EQ(fitView({}, angles, aspect).zoom, ViewFit{}.zoom) << "nothing to frame keeps the default";
}
