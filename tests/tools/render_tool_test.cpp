#include "TestSupport.h"
#include "ToolTestSupport.h"

#include "model/ShowTrack.h"

#include <QTemporaryDir>

#include <sys/stat.h>

using namespace pluviane;
using namespace pluviane::test;

namespace {

// Draws the file at `time` seconds of its show (none: as stored), 320x180, upright.
QImage pictureAt(const QDir& folder, const QString& fountain, const QString& time = {})
{
    const QString out = folder.filePath(QStringLiteral("at%1.png").arg(time));
    QStringList arguments{fountain, QStringLiteral("-o"), out, QStringLiteral("--size"), QStringLiteral("320x180")};
    if (!time.isEmpty())
        arguments << QStringLiteral("--time") << time;
    const ToolRun run = runRender(arguments);
    EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
    return QImage(out);
}

} // namespace

TEST(RenderTool, PictureWithoutDisplayFollowsTheShow)
{
    QTemporaryDir dir;
    const QDir folder(dir.path());
    const QString show = writeTwoFormShow(folder);

    const QImage stored = pictureAt(folder, show);
    const QImage dry = pictureAt(folder, show, QStringLiteral("0.5"));
    const QImage wet = pictureAt(folder, show, QStringLiteral("1.3"));
    ASSERT_EQ(dry.size(), QSize(320, 180));
    // The jets rise into the upper part of the picture; the bowl stays in the lower half.
    const int sky = 180 * 4 / 10;
    EXPECT_EQ(litPixels(dry, 0, sky), 0) << "form 1 holds no water";
    EXPECT_GT(litPixels(dry, 90, 180), 1000) << "the bowl is drawn";
    EXPECT_GT(litPixels(wet, 0, sky), 50) << "form 2 throws full water";
    EXPECT_GT(litPixels(stored, 0, sky), 50) << "without --time the stored levels";
    EXPECT_EQ(pictureAt(folder, show, QStringLiteral("1.3")), wet) << "two runs draw the same picture";
}

TEST(RenderTool, RealisticLookAndFittedViewFrameTheWholeFountainInWiderStreams)
{
    QTemporaryDir dir;
    const QDir folder(dir.path());
    auto picture = [&](const QString& name, const QStringList& options) {
        const QString out = folder.filePath(name);
        const ToolRun run = runRender(QStringList{kExample, QStringLiteral("-o"), out, QStringLiteral("--size"),
                                                  QStringLiteral("320x180")} + options);
        EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
        return QImage(out);
    };
    const QImage classic = picture(QStringLiteral("classic.png"), {});
    const QImage realistic = picture(QStringLiteral("realistic.png"), {QStringLiteral("--look"), QStringLiteral("realistic")});
    // Fitted in the classic look, whose background stays black up to the edges.
    const QImage fitted = picture(QStringLiteral("fitted.png"), {QStringLiteral("--view"), QStringLiteral("fit")});
    ASSERT_EQ(fitted.size(), QSize(320, 180));
    auto coloured = [](const QImage& image) { // above the bowl, in any channel
        int n = 0;
        for (int y = 0; y < 180 * 4 / 10; ++y)
            for (int x = 0; x < image.width(); ++x)
                n += std::max({qRed(image.pixel(x, y)), qGreen(image.pixel(x, y)), qBlue(image.pixel(x, y))}) > 40;
        return n;
    };
    EXPECT_GT(coloured(realistic), coloured(classic));
    // Fitted: the jets reach up near the top edge, and nothing touches an edge.
    EXPECT_EQ(litPixels(classic, 0, 18), 0);
    EXPECT_GT(litPixels(fitted, 0, 18), 0);
    int onEdge = 0;
    for (int x = 0; x < 320; ++x)
        onEdge += (qGray(fitted.pixel(x, 0)) > 40) + (qGray(fitted.pixel(x, 179)) > 40);
    for (int y = 0; y < 180; ++y)
        onEdge += (qGray(fitted.pixel(0, y)) > 40) + (qGray(fitted.pixel(319, y)) > 40);
    EXPECT_EQ(onEdge, 0);
}

TEST(RenderTool, BadInputGivesReasonAndExitCodeAndLeavesNoOutput)
{
    QTemporaryDir dir;
    const QDir folder(dir.path());
    auto write = [&folder](const char* name, const QByteArray& bytes) {
        QFile file(folder.filePath(QString::fromLatin1(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    };
    const QString oversized = write("big.wat", QByteArray(64001, '\1'));
    const QString garbageSound = write("noise.mp3", QByteArray(5000, '\x7f'));
    // A FIFO with no writer: opened the usual way it would block the tool for ever.
    const QString pipe = folder.filePath(QStringLiteral("pipe.wat"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString out = folder.filePath(QStringLiteral("out.png"));
    const QString video = folder.filePath(QStringLiteral("out.mp4"));
    const QString o = QStringLiteral("-o");

    struct Case {
        QStringList arguments;
        int exitCode;
        const char* what;
        QString named = {}; // the file the message names
    };
    const std::vector<Case> cases = {
        {{}, 2, "no arguments"},
        {{kExample, o, out, QStringLiteral("--bogus")}, 2, "an unknown option"},
        {{kExample, o, out, QStringLiteral("--look"), QStringLiteral("glossy")}, 2, "an unknown look"},
        {{kExample, o, out, QStringLiteral("--view"), QStringLiteral("wide")}, 2, "an unknown view"},
        {{kExample, o, out, QStringLiteral("--camera"), QStringLiteral("crane")}, 2, "an unknown camera"},
        {{kExample, o, out, QStringLiteral("--size"), QStringLiteral("0x0")}, 2, "size 0x0"},
        {{kExample, o, out, QStringLiteral("--size"), QStringLiteral("100000x100000")}, 2, "a huge size"},
        {{kExample, o, video, QStringLiteral("--duration"), QStringLiteral("-1")}, 2, "a negative duration"},
        {{kExample, o, video, QStringLiteral("--time"), QStringLiteral("1")}, 2, "--time on a video"},
        {{kExample, o, out, QStringLiteral("--time"), QStringLiteral("1e12")}, 2, "a time beyond a day"},
        {{kExample, o, video, QStringLiteral("--size"), QStringLiteral("321x240")}, 2, "an odd video width"},
        {{folder.filePath(QStringLiteral("missing.wat")), o, out}, 1, "a missing fountain", "missing.wat"},
        {{oversized, o, out}, 1, "an oversized fountain", "big.wat"},
        {{oversized, o, out}, 1, "the limit", "64000 bytes"},
        {{pipe, o, out}, 1, "a FIFO as the fountain", "pipe.wat"},
        {{kExample, o, video, QStringLiteral("--music"), pipe}, 1, "a FIFO as the music", "pipe.wat"},
        {{kExample, o, video, QStringLiteral("--music"), garbageSound}, 1, "a garbage sound file", "noise.mp3"},
        {{kExample, o, folder.filePath(QStringLiteral("big.wat/out.png"))}, 1, "an unwritable folder", "out.png"},
        {{kExample, o, folder.filePath(QStringLiteral("big.wat/out.mp4")), QStringLiteral("--duration"),
          QStringLiteral("1")}, 1, "an unwritable video folder"},
    };
    for (const Case& c : cases) {
        const ToolRun run = runRender(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.what << ": " << run.errors.toStdString();
        EXPECT_FALSE(run.errors.trimmed().isEmpty()) << c.what << " gives a reason";
        EXPECT_TRUE(run.errors.contains(c.named)) << c.what << ": " << run.errors.toStdString();
        EXPECT_EQ(folder.entryList(QDir::Files | QDir::Hidden).size(), 2) << c.what << " leaves no output";
        EXPECT_FALSE(QFile::exists(out) || QFile::exists(video)) << c.what;
    }

    // A full disk, as a file size limit of 20 KiB makes it for this run alone.
    for (const QString& name : {QStringLiteral("full.png"), QStringLiteral("full.mp4")}) {
        const QString script = QStringLiteral("ulimit -f 20; trap '' XFSZ; exec \"$0\" \"$@\"");
        QStringList arguments{QStringLiteral("-c"), script, QStringLiteral(PLUVIANE_RENDER), kExample, o,
                              folder.filePath(name)};
        if (name.endsWith(QStringLiteral(".mp4")))
            arguments << QStringLiteral("--duration") << QStringLiteral("2");
        const ToolRun run = runRender(arguments, QStringLiteral("bash"));
        EXPECT_EQ(run.exitCode, 1) << run.errors.toStdString();
        EXPECT_TRUE(run.errors.contains(name)) << run.errors.toStdString();
        EXPECT_EQ(folder.entryList(QDir::Files | QDir::Hidden).size(), 2) << name.toStdString() << " leaves nothing";
    }

    // Short files and garbage of the right size are fountains to the program (it
    // checks no magic), so they are drawn, whatever they hold, without a crash;
    // the tool only warns that they do not begin as the program's files do.
    for (const QByteArray& bytes : {QByteArray(100, '\3'), QByteArray(64000, '\xff')}) {
        const QString odd = write("odd.wat", bytes);
        const ToolRun run = runRender({odd, o, out, QStringLiteral("--time"), QStringLiteral("2")});
        EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
        EXPECT_TRUE(run.errors.contains("odd.wat does not begin as a fountain file")) << run.errors.toStdString();
        EXPECT_FALSE(QImage(out).isNull());
    }
    // So is a damaged show track, which the file then loads without.
    pluviane::FountainImage torn{};
    torn[0] = 15;
    pluviane::ShowTrack track;
    track.cues = {{1000, 1, 0}};
    ASSERT_TRUE(pluviane::writeShowTrack(track, torn));
    torn[pluviane::kShowTrackOffset + 30] ^= 0x40;
    const QString tornName = write("torn.wat", QByteArray(reinterpret_cast<const char*>(torn.data()), 64000));
    const ToolRun tornRun = runRender({tornName, o, out});
    EXPECT_EQ(tornRun.exitCode, 0) << tornRun.errors.toStdString();
    EXPECT_TRUE(tornRun.errors.contains("show track of " + tornName + " is damaged")) << tornRun.errors.toStdString();
}
