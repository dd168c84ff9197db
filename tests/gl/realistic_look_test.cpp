#include "model/Random.h"
#include "render/gl/OffscreenFrame.h"

#include <QColor>
#include <QImage>
#include <QMatrix4x4>
#include <QTemporaryDir>
#include <QVector3D>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

using namespace pluviane;

namespace {

const QSize kSize(400, 300);

// Twelve jets of group 1 on a ring of `radius` scene units.
std::unique_ptr<FountainState> ringFountain(std::array<Byte, 4> colour, int radius = 7, int tilt = 15)
{
    auto s = std::make_unique<FountainState>();
    RandomSource layout;
    setStartValues(*s, layout);
    for (int i = 0; i < 12; ++i) {
        const int k = 16 + i;
        const double a = 2 * M_PI * i / 12;
        s->JetGroup[k] = 1;
        s->JetFoam[k] = 4;
        s->JetPos[k][1] = static_cast<Byte>(100 + std::lround(5 * radius * std::cos(a)));
        s->JetPos[k][2] = static_cast<Byte>(100 + std::lround(5 * radius * std::sin(a)));
        s->JetShape[k][1] = 60;
        s->JetShape[k][2] = static_cast<Byte>(tilt);
        s->JetShape[k][3] = static_cast<Byte>(i * 180 / 12);
    }
    s->GroupLevel[1] = 230;
    s->GroupColour[1] = colour;
    return s;
}

// The third frame of a fresh frame and generator: the same call, the same picture.
QImage draw(FountainState& state, const SceneSettings& settings, const QString& backdrop = {})
{
    OffscreenFrame frame(kSize, state);
    EXPECT_TRUE(frame.isValid()) << frame.error().toStdString();
    if (!backdrop.isEmpty())
        frame.loadBackdrop(backdrop);
    processRandom().reset();
    for (int tick = 0; tick < 3; ++tick)
        frame.draw(state, settings);
    return frame.image();
}

int brightness(QRgb p) { return qRed(p) + qGreen(p) + qBlue(p); }

// The largest change of any one channel.
int difference(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

int count(const QImage& image, const std::function<bool(int x, int y)>& test)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += test(x, y) ? 1 : 0;
    return n;
}

// A plain green backdrop picture in `dir`; empty when it cannot be written.
QString greenBackdrop(const QTemporaryDir& dir)
{
    const QString path = dir.filePath(QStringLiteral("green.png"));
    QImage green(64, 64, QImage::Format_RGB32);
    green.fill(qRgb(0, 160, 0));
    return green.save(path) ? path : QString();
}

// A picture twice as wide as high whose colour differs everywhere: red
// grows to the right, blue downward. Empty path when it cannot be written.
QString gradientBackdrop(const QTemporaryDir& dir, QImage& picture)
{
    const QString path = dir.filePath(QStringLiteral("gradient.png"));
    picture = QImage(96, 48, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(20 + x * 2, 70, 20 + y * 4));
    return picture.save(path) ? path : QString();
}

// The pixel of the picture that covers pixel (x, y) of a frame (rows bottom
// up): the picture fills the frame's height, its middle kept.
QPoint backdropTexel(const QImage& picture, int x, int y)
{
    const double scale = double(kSize.height()) / picture.height();
    const double px = picture.width() / 2.0 + (x + 0.5 - kSize.width() / 2.0) / scale;
    const double py = (kSize.height() - 1 - y + 0.5) / scale;
    return QPoint(std::clamp(static_cast<int>(px), 0, picture.width() - 1),
                  std::clamp(static_cast<int>(py), 0, picture.height() - 1));
}

SceneSettings look(Look which, bool cup = false)
{
    SceneSettings settings;
    settings.look = which;
    settings.cup = cup;
    return settings;
}

} // namespace

TEST(RealisticLook, StreamsAreWiderThanLinesTranslucentOverTheBackdropAndTheSameEachTime)
{
    QTemporaryDir dir;
    const QString backdrop = greenBackdrop(dir);
    ASSERT_FALSE(backdrop.isEmpty());
    auto wet = ringFountain({255, 0, 0, 0});
    auto dry = ringFountain({255, 0, 0, 0});
    dry->GroupLevel[1] = 0;

    int width[2] = {0, 0};
    for (const Look which : {Look::Classic, Look::Realistic}) {
        SCOPED_TRACE(which == Look::Classic ? "classic" : "realistic");
        SceneSettings settings = look(which);
        settings.backdrop = true;
        const QImage water = draw(*wet, settings, backdrop);
        const QImage none = draw(*dry, settings, backdrop);
        // Jet pixels: changed by the water. Through a translucent stream the
        // green picture shows; an opaque line hides it.
        int jet = 0, seeThrough = 0;
        for (int y = 0; y < kSize.height(); ++y)
            for (int x = 0; x < kSize.width(); ++x) {
                if (difference(water.pixel(x, y), none.pixel(x, y)) < 60)
                    continue;
                ++jet;
                seeThrough += qGreen(water.pixel(x, y)) > 30 ? 1 : 0;
            }
        ASSERT_GT(jet, 200);
        // How much the water covers, seen against the dark of the night.
        settings.backdrop = false;
        settings.night = true;
        const QImage darkWater = draw(*wet, settings);
        const QImage dark = draw(*dry, settings);
        width[which == Look::Realistic] =
            count(dark, [&](int x, int y) { return difference(darkWater.pixel(x, y), dark.pixel(x, y)) > 30; });
        if (which == Look::Classic)
            EXPECT_LT(seeThrough, jet / 20);
        else
            EXPECT_GT(seeThrough, jet * 7 / 10);
    }
    EXPECT_GT(width[1], 3 * width[0] / 2) << "streams, not one-pixel lines";

    const QImage realistic = draw(*wet, look(Look::Realistic));
    const QImage again = draw(*wet, look(Look::Realistic));
    EXPECT_EQ(count(realistic, [&](int x, int y) { return realistic.pixel(x, y) != again.pixel(x, y); }), 0);
}

// By night bright coloured light is tone-mapped, not clipped channel by
// channel: azure jets stay azure instead of turning cyan-white.
TEST(RealisticLook, ColouredLightKeepsItsHueAtNight)
{
    auto wet = ringFountain({40, 120, 255, 0});
    auto dry = ringFountain({40, 120, 255, 0});
    dry->GroupLevel[1] = 0;
    SceneSettings settings = look(Look::Realistic, true);
    settings.night = true;
    const QImage water = draw(*wet, settings);
    const QImage none = draw(*dry, settings);
    const int azure = QColor(40, 120, 255).hsvHue();
    int lit = 0, clipped = 0, coloured = 0, keptHue = 0;
    for (int y = 0; y < kSize.height(); ++y)
        for (int x = 0; x < kSize.width(); ++x) {
            const QRgb p = water.pixel(x, y);
            if (brightness(p) - brightness(none.pixel(x, y)) < 60)
                continue;
            ++lit;
            clipped += std::max({qRed(p), qGreen(p), qBlue(p)}) >= 254 ? 1 : 0;
            const QColor c(p);
            if (c.hsvSaturation() < 60)
                continue; // the white core
            ++coloured;
            keptHue += std::abs(c.hsvHue() - azure) <= 12 ? 1 : 0;
        }
    ASSERT_GT(lit, 500);
    ASSERT_GT(coloured, lit / 4);
    EXPECT_LT(clipped, lit / 100);
    EXPECT_GT(keptHue, coloured * 9 / 10);
}

TEST(RealisticLook, TheLightsOfTheJetsTintTheWaterAroundThem)
{
    // Vertical jets on a small ring, seen from above at night; the water 4 to
    // 7 units from the middle holds no jet.
    const auto redness = [](QRgb p) { return qRed(p) - std::max(qGreen(p), qBlue(p)); };
    for (const auto& [colour, red] : {std::pair{std::array<Byte, 4>{255, 0, 0, 0}, true},
                                      std::pair{std::array<Byte, 4>{0, 0, 255, 0}, false}}) {
        auto state = ringFountain(colour, 2, 0);
        state->ViewAngleY = 90;
        state->ViewAngleZ = 0;
        state->ViewAngleX = 90;
        state->ViewPanX = state->ViewPanY = 0;
        SceneSettings settings = look(Look::Realistic, true);
        settings.night = true;
        const QImage image = draw(*state, settings);
        constexpr double kPixelsPerUnit = 8.9; // of the water plane, 63 units from the eye
        long sum = 0;
        int n = 0;
        for (int y = 0; y < kSize.height(); ++y)
            for (int x = 0; x < kSize.width(); ++x) {
                const double r = std::hypot(x - kSize.width() / 2, y - kSize.height() / 2) / kPixelsPerUnit;
                if (r > 4 && r < 7) {
                    sum += redness(image.pixel(x, y));
                    ++n;
                }
            }
        ASSERT_GT(n, 0);
        if (red)
            EXPECT_GT(sum / n, 25);
        else
            EXPECT_LT(sum / n, 0);
    }
}

// The picture itself, its hue and its shading, shows wherever nothing stands
// before it: not a card in one colour.
TEST(RealisticLook, TheBackdropShowsThePictureItselfFillingTheFrame)
{
    QTemporaryDir dir;
    QImage picture;
    const QString backdrop = gradientBackdrop(dir, picture);
    ASSERT_FALSE(backdrop.isEmpty());
    auto wet = ringFountain({255, 0, 0, 0});
    auto dry = ringFountain({255, 0, 0, 0});
    dry->GroupLevel[1] = 0;
    for (const bool night : {false, true}) {
        SCOPED_TRACE(night ? "night" : "day");
        SceneSettings settings = look(Look::Realistic);
        settings.night = night;
        settings.backdrop = true;
        const QImage water = draw(*wet, settings, backdrop);
        const QImage none = draw(*dry, settings, backdrop);
        // By night the picture is seen in the classic look's blue moonlight.
        const double tint[3] = {night ? 0.3 : 1.0, night ? 0.3 : 1.0, night ? 0.7 : 1.0};
        int seen = 0, alike = 0, edgesAlike = 0;
        for (int y = 0; y < kSize.height(); ++y)
            for (int x = 0; x < kSize.width(); ++x) {
                if (std::abs(brightness(water.pixel(x, y)) - brightness(none.pixel(x, y))) > 6)
                    continue; // water before it
                const QRgb want = picture.pixel(backdropTexel(picture, x, y));
                const QRgb got = water.pixel(x, y);
                const bool same = std::abs(qRed(got) - qRed(want) * tint[0]) < 14 &&
                                  std::abs(qGreen(got) - qGreen(want) * tint[1]) < 14 &&
                                  std::abs(qBlue(got) - qBlue(want) * tint[2]) < 14;
                ++seen;
                alike += same ? 1 : 0;
                edgesAlike += same && (x == 0 || x == kSize.width() - 1) ? 1 : 0;
            }
        ASSERT_GT(seen, kSize.width() * kSize.height() / 2);
        EXPECT_GT(alike, seen * 95 / 100);
        EXPECT_GT(edgesAlike, kSize.height()) << "no bars beside the picture";
    }
}

// The solid parts and the backdrop are kept from frame to frame while they
// stay as they were: whatever changes them must show in the very next picture.
TEST(RealisticLook, AChangedViewBowlOrBackdropIsDrawnAnewAtOnce)
{
    QTemporaryDir dir;
    const QString backdrop = greenBackdrop(dir);
    ASSERT_FALSE(backdrop.isEmpty());
    auto state = ringFountain({255, 0, 0, 0});
    state->GroupLevel[1] = 0; // the bowl and the nozzles only: no ripples from jets
    SceneSettings before = look(Look::Realistic, true);
    before.backdrop = true;

    const std::vector<std::pair<const char*, std::function<void(FountainState&, SceneSettings&)>>> changes{
        {"view", [](FountainState& s, SceneSettings&) { s.ViewAngleY += 40; }},
        {"bowl colour", [](FountainState&, SceneSettings& s) { s.colourOuter = 1; s.colourTop = 2; }},
        {"bowl shape", [](FountainState&, SceneSettings& s) { s.cupWidth = 110; }},
        {"backdrop", [](FountainState&, SceneSettings& s) { s.backdrop = false; }},
        {"night", [](FountainState&, SceneSettings& s) { s.night = true; }},
    };
    const auto differing = [](const QImage& a, const QImage& b) {
        return count(a, [&](int x, int y) { return std::abs(brightness(a.pixel(x, y)) - brightness(b.pixel(x, y))) > 48; });
    };
    const int pixels = kSize.width() * kSize.height();
    for (const auto& [what, change] : changes) {
        SCOPED_TRACE(what);
        FountainState changedState = *state;
        SceneSettings after = before;
        change(changedState, after);
        OffscreenFrame frame(kSize, *state);
        ASSERT_TRUE(frame.isValid());
        frame.loadBackdrop(backdrop);
        for (int tick = 0; tick < 3; ++tick)
            frame.draw(*state, before);
        const QImage unchanged = frame.image();
        frame.draw(changedState, after);
        const QImage next = frame.image();
        const QImage fresh = draw(changedState, after, backdrop);
        EXPECT_GT(differing(unchanged, fresh), pixels / 100) << "the change shows";
        EXPECT_LT(differing(next, fresh), pixels / 500);
    }
}

// A video's frames lie 1/25 s apart, the live view's ticks 50 ms: the water in
// a video's frame at some show time is the live view's water at that time.
TEST(RealisticLook, AVideosWaterRunsOnTheShowClockAsTheLiveViewsDoesOnItsTicks)
{
    auto state = ringFountain({255, 0, 0, 0});
    const SceneSettings live = look(Look::Realistic, true);
    // The last of `frames` pictures, each drawn at the time `clock` gives (or on the
    // ticks); the jets' scatter is the same in each last picture.
    const auto lastOf = [&](int frames, const std::function<double(int)>& clock) {
        OffscreenFrame frame(kSize, *state);
        EXPECT_TRUE(frame.isValid()) << frame.error().toStdString();
        for (int i = 0; i < frames; ++i) {
            SceneSettings settings = live;
            if (clock)
                settings.waterSeconds = clock(i);
            if (i == frames - 1)
                processRandom().reset();
            frame.draw(*state, settings);
        }
        return frame.image();
    };
    const auto differing = [](const QImage& a, const QImage& b) {
        return count(a, [&](int x, int y) { return difference(a.pixel(x, y), b.pixel(x, y)) > 24; });
    };
    const QImage video = lastOf(11, [](int i) { return i / 25.0; }); // frame 10: 0.4 s
    const QImage viewAtTheSameTime = lastOf(9, {});                     // tick 8: 0.4 s
    const QImage viewAfterAsManyFrames = lastOf(11, {});                // tick 10: 0.5 s
    const int pixels = kSize.width() * kSize.height();
    EXPECT_GT(differing(viewAfterAsManyFrames, viewAtTheSameTime), pixels / 200) << "the water moves in 0.1 s";
    EXPECT_LT(differing(video, viewAtTheSameTime), pixels / 2000);
}
