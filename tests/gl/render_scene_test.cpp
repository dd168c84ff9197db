#include "ImmediateReference.h"

#include "model/Random.h"
#include "render/Palette.h"
#include "render/gl/OffscreenFrame.h"

#include <QImage>
#include <QMatrix4x4>
#include <QVector3D>
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>
#include <functional>
#include <memory>

using namespace pluviane;

namespace {

const QSize kFrameSize(400, 300);

bool isRed(QRgb p)
{
    return qRed(p) > 150 && qGreen(p) < 60 && qBlue(p) < 60;
}

bool isBlack(QRgb p)
{
    return qRed(p) < 8 && qGreen(p) < 8 && qBlue(p) < 8;
}

bool near(QRgb p, const Rgb& c, int tolerance = 10)
{
    return std::abs(qRed(p) - std::lround(c[0] * 255)) <= tolerance &&
           std::abs(qGreen(p) - std::lround(c[1] * 255)) <= tolerance &&
           std::abs(qBlue(p) - std::lround(c[2] * 255)) <= tolerance;
}

std::unique_ptr<FountainState> startState()
{
    auto state = std::make_unique<FountainState>();
    RandomSource layout;
    setStartValues(*state, layout);
    return state;
}

// A ring of jets of one group inside the bowl.
void bindRing(FountainState& s, int first, int count, int group, int foam, int height)
{
    for (int i = 0; i < count; ++i) {
        const int k = first + i;
        const double a = 2 * M_PI * i / count;
        s.JetGroup[k] = static_cast<Byte>(group);
        s.JetFoam[k] = static_cast<Byte>(foam);
        s.JetPos[k][1] = static_cast<Byte>(100 + std::lround(30 * std::cos(a)));
        s.JetPos[k][2] = static_cast<Byte>(100 + std::lround(30 * std::sin(a)));
        s.JetPos[k][3] = 0;
        s.JetShape[k][1] = static_cast<Byte>(height);
        s.JetShape[k][2] = 20;
        s.JetShape[k][3] = static_cast<Byte>(i * 180 / count);
    }
}

// Where a scene point lands in an image read back from the frame (rows from
// the bottom, as the framebuffer holds them), using the tick's transforms.
QPoint project(const FountainState& s, const SceneSettings& settings, QVector3D p)
{
    QMatrix4x4 projection;
    projection.perspective(30, float(kFrameSize.width()) / kFrameSize.height(), 1, 200);
    QMatrix4x4 view;
    view.translate(float(s.ViewPanX), float(s.ViewPanY), float(settings.zoom - 150));
    view.rotate(float(s.ViewAngleY - 90), 0, 1, 0);
    view.rotate(float(s.ViewAngleZ), 0, 0, 1);
    view.rotate(float(s.ViewAngleX), 1, 0, 0);
    const QVector3D ndc = (projection * view).map(p);
    return {int((ndc.x() + 1) / 2 * kFrameSize.width()),
            int((ndc.y() + 1) / 2 * kFrameSize.height())};
}

// True when a pixel within `radius` of `at` passes `test`.
bool anyNear(const QImage& image, QPoint at, int radius, const std::function<bool(QRgb)>& test)
{
    for (int y = at.y() - radius; y <= at.y() + radius; ++y)
        for (int x = at.x() - radius; x <= at.x() + radius; ++x)
            if (image.rect().contains(x, y) && test(image.pixel(x, y)))
                return true;
    return false;
}

struct SceneTest : ::testing::Test {
    std::unique_ptr<FountainState> state = startState();
    std::unique_ptr<OffscreenFrame> frame;

    void SetUp() override
    {
        frame = std::make_unique<OffscreenFrame>(kFrameSize, *state);
        ASSERT_TRUE(frame->isValid());
    }

    // The second frame: only the first is drawn lit.
    QImage secondFrame(const SceneSettings& settings)
    {
        frame->draw(*state, settings);
        frame->draw(*state, settings);
        return frame->image();
    }

    void lookFromAbove()
    {
        state->ViewAngleY = 90;
        state->ViewAngleZ = 0;
        state->ViewAngleX = 90;
        state->ViewPanX = state->ViewPanY = 0;
    }
};

// Highest image row (counted from the bottom) holding anything but black.
int topOfPicture(const QImage& image)
{
    for (int y = image.height() - 1; y >= 0; --y)
        for (int x = 0; x < image.width(); ++x)
            if (!isBlack(image.pixel(x, y)))
                return y;
    return -1;
}

int redPixelsAbove(const QImage& image, int row)
{
    int count = 0;
    for (int y = row + 1; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += isRed(image.pixel(x, y)) ? 1 : 0;
    return count;
}

} // namespace

TEST_F(SceneTest, RedGroupRisesAboveTheBowlAndSinksIntoItAtLevelZero)
{
    SceneSettings settings;
    const int bowlTop = topOfPicture(secondFrame(settings));
    ASSERT_GT(bowlTop, 0) << "the bowl is drawn";

    bindRing(*state, 0, 24, 1, 5, 80);
    state->GroupColour[1] = {255, 0, 0, 0};
    state->GroupLevel[1] = 255;
    const QImage full = secondFrame(settings);
    EXPECT_GT(redPixelsAbove(full, bowlTop + 2), 500);
    frame->draw(*state, settings);
    EXPECT_NE(frame->image(), full) << "every tick scatters the water afresh";
    // The nozzle bodies stand in their own olive colour.
    const QPoint outlet = project(*state, settings, {0, 1.25f, 6});
    EXPECT_TRUE(anyNear(full, outlet, 40, [](QRgb p) { return near(p, {0.5f, 0.5f, 0.1f}); }));

    state->GroupLevel[1] = 0;
    EXPECT_EQ(redPixelsAbove(secondFrame(settings), bowlTop + 2), 0);
}

TEST_F(SceneTest, BowlShowsItsFourColours)
{
    SceneSettings settings;
    settings.colourBottom = 9; // red
    settings.colourTop = 10;   // green
    settings.colourOuter = 12; // blue
    settings.colourInner = 15; // white

    // From the side the outer wall faces the eye below the rim.
    const QImage side = secondFrame(settings);
    const QPoint wall = project(*state, settings, {0, 1.3f, 0});
    EXPECT_TRUE(near(side.pixel(wall.x(), project(*state, settings, {15, 1.3f, 0}).y()),
                     kBowlPalette[12]));

    // From above: the bottom in the middle, the rim as an outer ring, and a thin
    // ring of inner wall between them seen in perspective.
    lookFromAbove();
    const QImage above = secondFrame(settings);
    const QPoint middle = project(*state, settings, {0, 0.1f, 0});
    EXPECT_TRUE(near(above.pixel(middle), kBowlPalette[9]));
    const QPoint rim = project(*state, settings, {14.1f, 2.6f, 0});
    EXPECT_TRUE(near(above.pixel(rim), kBowlPalette[10]));
    const QPoint innerTop = project(*state, settings, {13.2f, 2.6f, 0});
    const QPoint innerBottom = project(*state, settings, {13.2f, 0.1f, 0});
    const QPoint between((innerTop.x() + innerBottom.x()) / 2, (innerTop.y() + innerBottom.y()) / 2);
    EXPECT_TRUE(near(above.pixel(between), kBowlPalette[15]))
        << between.x() << "," << between.y();

    // Switched off, the bowl is gone from the next frame.
    settings.cup = false;
    EXPECT_TRUE(isBlack(secondFrame(settings).pixel(middle)));
}

TEST_F(SceneTest, GridPlanesAndAxesInTheirColours)
{
    SceneSettings settings;
    settings.cup = false;
    settings.zoom = 0; // far enough to see the axes beyond the grid
    settings.gridXZ = true;
    settings.axisX = true;
    settings.axisZ = true;
    lookFromAbove();
    const Rgb grey{0.7f, 0.7f, 0.7f};
    const QImage above = secondFrame(settings);
    EXPECT_TRUE(anyNear(above, project(*state, settings, {7.5f, 0, 5}), 2,
                        [&](QRgb p) { return near(p, grey); }));
    EXPECT_TRUE(isBlack(above.pixel(project(*state, settings, {7.5f, 0, 5.5f}))))
        << "one unit between lines";
    EXPECT_TRUE(anyNear(above, project(*state, settings, {30, 0, 0}), 2,
                        [](QRgb p) { return near(p, {1, 0, 0}); }));
    EXPECT_TRUE(anyNear(above, project(*state, settings, {0, 0, -30}), 2,
                        [](QRgb p) { return near(p, {0, 0, 1}); }));
    EXPECT_FALSE(anyNear(above, project(*state, settings, {25, 0, 25}), 3,
                         [](QRgb p) { return !isBlack(p); }))
        << "the grid stops at 20";

    // The vertical planes and the y axis seen from the side.
    state->ViewAngleX = 0;
    state->ViewAngleY = 0;
    settings = SceneSettings{};
    settings.cup = false;
    settings.zoom = 0;
    settings.gridXY = true;
    settings.axisY = true;
    const QImage side = secondFrame(settings);
    EXPECT_TRUE(anyNear(side, project(*state, settings, {0, 30, 0}), 2,
                        [](QRgb p) { return near(p, {0, 1, 0}); }));
    EXPECT_TRUE(anyNear(side, project(*state, settings, {10, 7.5f, 0}), 2,
                        [&](QRgb p) { return near(p, grey); }));
}

namespace {

// A busy fountain: several groups and colours, turned and orbiting jets,
// raised outlets, splashes, the bowl, grid and axes.
void buildBusyFountain(FountainState& s)
{
    for (int g = 1; g <= 8; ++g) {
        bindRing(s, (g - 1) * 14, 14, g, 3 + g % 3, 40 + 10 * g);
        s.GroupColour[g] = {Byte(40 * g), Byte(255 - 30 * g), Byte(g % 2 ? 255 : 60), 0};
        s.GroupLevel[g] = Byte(120 + 15 * g);
    }
    for (int k = 0; k < 112; k += 3) {
        s.JetOrbit[k] = Byte(k % 90);
        s.JetPos[k][3] = Byte(k % 20);
    }
    s.ViewAngleY = 25;
    s.ViewAngleZ = 345;
}

int differingPixels(const QImage& a, const QImage& b, int tolerance)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) > tolerance ||
                std::abs(qGreen(p) - qGreen(q)) > tolerance ||
                std::abs(qBlue(p) - qBlue(q)) > tolerance)
                ++count;
        }
    return count;
}

int litPixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += isBlack(image.pixel(x, y)) ? 0 : 1;
    return count;
}

} // namespace

TEST(BatchedRenderer, DrawsThePictureOfTheOneCallPerVertexReference)
{
    auto batchedState = startState();
    buildBusyFountain(*batchedState);
    auto referenceState = std::make_unique<FountainState>(*batchedState);
    SceneSettings settings;
    settings.backdrop = true;
    settings.gridXZ = true;
    settings.axisX = settings.axisY = settings.axisZ = true;

    OffscreenFrame batched(kFrameSize, *batchedState);
    OffscreenFrame reference(kFrameSize, *referenceState);
    ASSERT_TRUE(batched.isValid() && reference.isValid());
    test::ImmediateReference immediate;
    processRandom().reset();
    RandomSource referenceRandom;

    // The first frame is lit, the second is not; both must match.
    for (int tick = 0; tick < 2; ++tick) {
        batched.draw(*batchedState, settings);
        reference.makeCurrent();
        immediate.drawFrame(*referenceState, settings, referenceRandom);
        glFinish();
        const QImage a = batched.image();
        const QImage b = reference.image();
        ASSERT_GT(litPixels(a), a.width() * a.height() / 10) << "tick " << tick;
        // A handful of pixels may differ: splash points are smoothed, their soft
        // edges blend over whatever was drawn before them, and the batched order
        // draws them after all strands. A misplaced splash shows in hundreds.
        EXPECT_LT(differingPixels(a, b, 24), 40) << "tick " << tick;
        for (int i = 0; i < 3; ++i)
            EXPECT_NEAR(batchedState->StrandPoint[i], referenceState->StrandPoint[i], 1e-5);
        EXPECT_EQ(batchedState->DrawColour, referenceState->DrawColour);
    }

    // A wall thicker than the bowl is wide: both leave out what the quadric refuses.
    settings.cupWall = 50;
    settings.cupWidth = 30;
    batchedState->JetGroup.fill(0);
    referenceState->JetGroup.fill(0);
    batched.draw(*batchedState, settings);
    reference.makeCurrent();
    immediate.drawFrame(*referenceState, settings, referenceRandom);
    glFinish();
    EXPECT_LT(differingPixels(batched.image(), reference.image(), 24), 50);
}
