#include "TestSupport.h"

#include "app/MainWindow.h"
#include "app/SceneView.h"
#include "editor/BowlTab.h"
#include "editor/EditorWindow.h"
#include "render/gl/OffscreenFrame.h"
#include "render/gl/Texture.h"

#include <QCheckBox>
#include <QFile>
#include <QImage>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <GL/gl.h>

#include <cmath>

using namespace pluviane;
using namespace pluviane::test;

namespace {

const QColor kPictureColour(200, 160, 40);

QString writePicture(const QTemporaryDir& dir, const char* name, const char* format,
                     QColor colour = kPictureColour)
{
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = dir.filePath(QString::fromLatin1(name));
    EXPECT_TRUE(image.save(path, format));
    return path;
}

// Compares a pixel with an expected colour given as fractions of full intensity.
::testing::AssertionResult near(QRgb pixel, double r, double g, double b, int tolerance = 8)
{
    const int er = static_cast<int>(std::lround(r * 255));
    const int eg = static_cast<int>(std::lround(g * 255));
    const int eb = static_cast<int>(std::lround(b * 255));
    if (std::abs(qRed(pixel) - er) <= tolerance && std::abs(qGreen(pixel) - eg) <= tolerance &&
        std::abs(qBlue(pixel) - eb) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "pixel (" << qRed(pixel) << ", " << qGreen(pixel) << ", " << qBlue(pixel)
           << ") expected (" << er << ", " << eg << ", " << eb << ")";
}

struct BackdropTest : ::testing::Test {
    QTemporaryDir dir;
    std::unique_ptr<FountainState> state = std::make_unique<FountainState>();
    std::unique_ptr<OffscreenFrame> frame;

    void SetUp() override
    {
        RandomSource random;
        setStartValues(*state, random);
        frame = std::make_unique<OffscreenFrame>(QSize(320, 240), *state);
        ASSERT_TRUE(frame->isValid());
        frame->makeCurrent();
    }

    // The second frame: the first one is drawn with lighting on.
    QRgb middleOfSecondFrame(const SceneSettings& settings)
    {
        frame->draw(*state, settings);
        frame->draw(*state, settings);
        const QImage image = frame->image();
        return image.pixel(image.width() / 2, image.height() / 2);
    }
};

} // namespace

TEST_F(BackdropTest, TextureLayerReadsPicturesAndRejectsGarbage)
{
    const QString jpeg = writePicture(dir, "a.jpg", "JPG");
    const QString bmp = writePicture(dir, "b.bmp", "BMP");
    const QString png = writePicture(dir, "c.png", "PNG");
    QFile garbage(dir.filePath("d.jpg"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(777, '\x5a'));
    garbage.close();

    std::int32_t handle = 0;
    oglLoadTexture(jpeg.toLocal8Bit().constData(), 0, &handle);
    ASSERT_NE(handle, 0);
    const std::int32_t first = handle;
    EXPECT_TRUE(glIsTexture(static_cast<GLuint>(first)));

    oglLoadTexture(bmp.toLocal8Bit().constData(), 0, &handle);
    ASSERT_NE(handle, 0);
    EXPECT_NE(handle, first);
    EXPECT_FALSE(glIsTexture(static_cast<GLuint>(first))) << "the replaced texture is released";

    oglLoadTexture(png.toLocal8Bit().constData(), 0, &handle);
    const std::int32_t third = handle;
    ASSERT_NE(third, 0);

    oglLoadTexture(garbage.fileName().toLocal8Bit().constData(), 0, &handle);
    EXPECT_EQ(handle, third) << "a picture that cannot be decoded changes nothing";
    EXPECT_TRUE(glIsTexture(static_cast<GLuint>(third)));
    oglLoadTexture(dir.filePath("missing.jpg").toLocal8Bit().constData(), 0, &handle);
    oglLoadTexture(nullptr, 0, &handle);
    EXPECT_EQ(handle, third);
}

TEST_F(BackdropTest, PictureFillsTheMiddleTintedByBrightnessAndNight)
{
    const QString path = writePicture(dir, "strong.jpg", "JPG");
    oglLoadTexture(path.toLocal8Bit().constData(), 0, &state->TextureId);
    ASSERT_NE(state->TextureId, 0);
    const double r = kPictureColour.redF(), g = kPictureColour.greenF(), b = kPictureColour.blueF();

    SceneSettings settings;
    settings.cup = false;
    settings.backdrop = true;
    EXPECT_TRUE(near(middleOfSecondFrame(settings), r, g, b));

    settings.brightness = 50;
    EXPECT_TRUE(near(middleOfSecondFrame(settings), r * 0.5, g * 0.5, b * 0.5));

    settings.night = true; // night mode ignores the brightness
    EXPECT_TRUE(near(middleOfSecondFrame(settings), r * 0.3, g * 0.3, b * 0.7));

    settings.backdrop = false;
    EXPECT_TRUE(near(middleOfSecondFrame(settings), 0, 0, 0, 0));
}

TEST_F(BackdropTest, WithoutAPictureTheQuadIsPlain)
{
    SceneSettings settings;
    settings.cup = false;
    settings.backdrop = true;
    settings.brightness = 60;
    EXPECT_TRUE(near(middleOfSecondFrame(settings), 0.6, 0.6, 0.6));
    const QImage image = frame->image();
    EXPECT_TRUE(near(image.pixel(2, 2), 0, 0, 0, 0)) << "the quad stops short of the corners";
}

TEST(MainWindowView, CheckingTheBackdropShowsThePictureInTheNextFrame)
{
    QTemporaryDir dir;
    const QString path = writePicture(dir, "square.jpg", "JPG", QColor(30, 200, 60));
    Program p;
    MainWindow& main = p.windows->main();
    QSignalSpy ready(&main.scene(), &SceneView::ready);
    main.show();
    ASSERT_TRUE(ready.count() > 0 || ready.wait(5000));
    EXPECT_TRUE(main.renderTimer().isActive());

    EditorWindow& editor = p.windows->editor();
    editor.bowlTab().cupCheck()->setChecked(false);
    editor.bowlTab().useBackdropPicture(path);
    EXPECT_TRUE(control<QCheckBox>(&editor, "CheckBoxGnd")->isChecked());
    EXPECT_EQ(p.state->GroundPictureName, path);

    main.scene().grabFramebuffer(); // the first frame is lit
    const QImage shown = main.scene().grabFramebuffer();
    EXPECT_TRUE(near(shown.pixel(shown.width() / 2, shown.height() / 2), 30 / 255.0,
                     200 / 255.0, 60 / 255.0));

    control<QCheckBox>(&editor, "CheckBoxGnd")->setChecked(false);
    const QImage dark = main.scene().grabFramebuffer();
    EXPECT_TRUE(near(dark.pixel(dark.width() / 2, dark.height() / 2), 0, 0, 0, 0));
    main.close();
}
