#include "model/Random.h"
#include "render/gl/OffscreenFrame.h"

#include <QImage>
#include <QMatrix4x4>
#include <QTemporaryDir>
#include <QVector3D>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <optional>
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

// A picture whose colour differs everywhere: red grows to the right, blue
// downward. Empty path when it cannot be written.
QString gradientBackdrop(const QTemporaryDir& dir, QImage& picture)
{
    const QString path = dir.filePath(QStringLiteral("gradient.png"));
    picture = QImage(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(20 + x * 3, 70, 20 + y * 4));
    return picture.save(path) ? path : QString();
}

// Where the backdrop quad puts pixel (x, y) of a frame (rows bottom up) in
// the picture, or no point where the quad does not reach.
std::optional<QPoint> backdropTexel(const FountainState& state, const QImage& picture, int x, int y)
{
    const double pixelsPerUnit = kSize.height() / 2.0 / std::tan(15.0 * M_PI / 180.0) / state.BackdropDepth;
    const double u = ((x + 0.5 - kSize.width() / 2.0) / pixelsPerUnit + state.BackdropHalfW) / (2.0 * state.BackdropHalfW);
    const double v = ((y + 0.5 - kSize.height() / 2.0) / pixelsPerUnit + state.BackdropHalfH) / (2.0 * state.BackdropHalfH);
    const double margin = 0.02;
    if (u < margin || u > 1 - margin || v < margin || v > 1 - margin)
        return std::nullopt;
    return QPoint(static_cast<int>(u * picture.width()), static_cast<int>((1 - v) * picture.height()));
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
    auto state = ringFountain({255, 0, 0, 0});

    for (const Look which : {Look::Classic, Look::Realistic}) {
        SCOPED_TRACE(which == Look::Classic ? "classic" : "realistic");
        SceneSettings settings = look(which);
        const QImage bare = draw(*state, settings);
        settings.backdrop = true;
        const QImage over = draw(*state, settings, backdrop);
        // Jet pixels: lit without the backdrop. Through a translucent stream the
        // green picture shows; an opaque line hides it.
        int jet = 0, seeThrough = 0;
        for (int y = 0; y < kSize.height(); ++y)
            for (int x = 0; x < kSize.width(); ++x) {
                if (qRed(bare.pixel(x, y)) < 60)
                    continue;
                ++jet;
                seeThrough += qGreen(over.pixel(x, y)) > qGreen(bare.pixel(x, y)) + 20 ? 1 : 0;
            }
        ASSERT_GT(jet, 200);
        if (which == Look::Classic)
            EXPECT_EQ(seeThrough, 0);
        else
            EXPECT_GT(seeThrough, jet * 8 / 10);
    }

    const auto lit = [](const QImage& image) {
        return count(image, [&](int x, int y) { return brightness(image.pixel(x, y)) > 30; });
    };
    const QImage classic = draw(*state, look(Look::Classic));
    const QImage realistic = draw(*state, look(Look::Realistic));
    EXPECT_GT(lit(realistic), 2 * lit(classic)) << "streams, not one-pixel lines";

    const QImage again = draw(*state, look(Look::Realistic));
    EXPECT_EQ(count(realistic, [&](int x, int y) { return realistic.pixel(x, y) != again.pixel(x, y); }), 0);
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
TEST(RealisticLook, TheBackdropShowsThePictureItself)
{
    QTemporaryDir dir;
    QImage picture;
    const QString backdrop = gradientBackdrop(dir, picture);
    ASSERT_FALSE(backdrop.isEmpty());
    auto state = ringFountain({255, 0, 0, 0});
    for (const bool night : {false, true}) {
        SCOPED_TRACE(night ? "night" : "day");
        SceneSettings settings = look(Look::Realistic, true);
        settings.night = night;
        const QImage bare = draw(*state, settings);
        settings.backdrop = true;
        const QImage over = draw(*state, settings, backdrop);
        // By night the picture is seen in the classic look's blue moonlight.
        const double tint[3] = {night ? 0.3 : 1.0, night ? 0.3 : 1.0, night ? 0.7 : 1.0};
        int seen = 0, alike = 0;
        for (int y = 0; y < kSize.height(); ++y)
            for (int x = 0; x < kSize.width(); ++x) {
                const auto texel = backdropTexel(*state, picture, x, y);
                if (!texel || brightness(bare.pixel(x, y)) > 6)
                    continue;
                const QRgb want = picture.pixel(*texel);
                const QRgb got = over.pixel(x, y);
                ++seen;
                alike += std::abs(qRed(got) - qRed(want) * tint[0]) < 14 &&
                                 std::abs(qGreen(got) - qGreen(want) * tint[1]) < 14 &&
                                 std::abs(qBlue(got) - qBlue(want) * tint[2]) < 14
                             ? 1
                             : 0;
            }
        ASSERT_GT(seen, kSize.width() * kSize.height() / 4);
        EXPECT_GT(alike, seen * 95 / 100);
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
