#include "FileTestSupport.h"

#include "editor/AutomatTab.h"
#include "editor/EditorWindow.h"
#include "editor/FileCommands.h"
#include "model/ProfileFile.h"
#include "show/ExportPanel.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QProgressDialog>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

extern "C" {
#include <libavformat/avformat.h>
}

using namespace pluviane;
using namespace pluviane::test;

namespace {

// What a player finds in a video: the picture's size, the number of pictures
// and the length of the sound.
struct VideoShape {
    int width = 0;
    int height = 0;
    long frames = 0;
    double soundSeconds = 0;
};

VideoShape shapeOf(const QString& path)
{
    VideoShape shape;
    AVFormatContext* input = nullptr;
    if (avformat_open_input(&input, QFile::encodeName(path).constData(), nullptr, nullptr) < 0)
        return shape;
    avformat_find_stream_info(input, nullptr);
    for (unsigned i = 0; i < input->nb_streams; ++i) {
        const AVStream* s = input->streams[i];
        if (s->codecpar->codec_type == AVMEDIA_TYPE_VIDEO) {
            shape.width = s->codecpar->width;
            shape.height = s->codecpar->height;
            shape.frames = static_cast<long>(s->nb_frames);
        } else if (s->codecpar->codec_type == AVMEDIA_TYPE_AUDIO) {
            shape.soundSeconds = s->duration * av_q2d(s->time_base);
        }
    }
    avformat_close_input(&input);
    return shape;
}

// The export panel of a program whose dialogs the test answers.
struct ExportTest {
    ExportTest()
    {
        auto owned = std::make_unique<FakePrompter>();
        prompter = owned.get();
        editor.fileCommands().setPrompter(std::move(owned));
        panel.setRenderProgram(QStringLiteral(PLUVIANE_RENDER));
        panel.setSettingsPath(QDir(dir.path()).filePath("plv.ini"));
        panel.setVideoChooser([this](QWidget*) { return chosen; });
        panel.setChoiceAsker([this](ExportChoice& c, double length) {
            offeredLength = length;
            offered = c;
            c = answer;
            return true;
        });
        panel.videoOptions().fps = 10;
        panel.videoOptions().seconds = 1;
        answer.size = QSize(1280, 720);
    }
    // Exports under `name` in the test's folder and waits for the renderer.
    QString exportAs(const QString& name)
    {
        chosen = folder.filePath(name);
        panel.exportButton()->click();
        EXPECT_TRUE(panel.waitForExport(120'000));
        return chosen;
    }

    Program program;
    EditorWindow& editor = program.windows->editor();
    ExportPanel& panel = editor.automatTab().exportPanel();
    FakePrompter* prompter = nullptr;
    QTemporaryDir dir;
    const QDir folder{dir.path()};
    QString chosen;
    ExportChoice answer;
    ExportChoice offered;
    double offeredLength = 0;
};

} // namespace

TEST(ExportPanel, ExportsTheEditorsShowAndACancelledOrFailedOneLeavesNoFile)
{
    ExportTest t;
    ASSERT_EQ(t.panel.exportButton(), control<QToolButton>(&t.editor, "SpeedButtonExportVideo"));
    EXPECT_EQ(t.panel.exportButton()->toolTip(), QStringLiteral("Записать видео шоу"));
    const FountainImage undo = t.program.state->SaveBuffer;

    // What a killed export left: its video beside the target, its snapshot folder.
    const QString killedVideo = t.folder.filePath(QStringLiteral(".old.mp4.2147483646.part"));
    writeBytes(killedVideo, "half");
    const QString killedSnapshot = QDir::temp().filePath(QStringLiteral("pluviane-export-2147483646-AbCdEf"));
    ASSERT_TRUE(QDir().mkpath(killedSnapshot));
    t.chosen = t.folder.filePath(QStringLiteral("show")); // the save dialog's name without ".mp4"
    t.panel.exportButton()->click();
    EXPECT_TRUE(t.panel.exporting()) << "the renderer runs beside the windows";
    EXPECT_FALSE(t.panel.exportButton()->isEnabled()) << "one export at a time";
    ASSERT_TRUE(t.panel.waitForExport(120'000));
    EXPECT_FALSE(QFileInfo::exists(killedVideo) || QFileInfo::exists(killedSnapshot)) << "leftovers of a killed export go";
    EXPECT_TRUE(t.prompter->messages.empty()) << t.prompter->messages.front().text.toStdString();
    EXPECT_EQ(readBytes(t.folder.filePath(QStringLiteral("show.mp4"))).mid(4, 4), QByteArray("ftyp"));
    EXPECT_TRUE(t.program.state->SaveBuffer == undo) << "the undo store is left as it was";

    t.panel.videoOptions().seconds = 600;
    t.chosen = t.folder.filePath(QStringLiteral("cancelled.mp4"));
    t.panel.exportButton()->click();
    auto* progress = t.editor.findChild<QProgressDialog*>(QStringLiteral("ProgressExportVideo"));
    ASSERT_NE(progress, nullptr);
    QTimer::singleShot(1500, &t.panel, [&t] { t.panel.cancelExport(); }); // as its Cancel button does
    ASSERT_TRUE(t.panel.waitForExport(60'000));
    ASSERT_EQ(t.prompter->messages.size(), 1u);
    EXPECT_TRUE(t.prompter->messages.back().text.contains(QStringLiteral("отменена")));

    t.panel.videoOptions().seconds = 1;
    t.exportAs(QStringLiteral("show.mp4/inside.mp4"));
    ASSERT_EQ(t.prompter->messages.size(), 2u);
    EXPECT_TRUE(t.prompter->messages.back().text.startsWith(QStringLiteral("Видео не записано")));
    EXPECT_TRUE(t.prompter->messages.back().text.contains(QStringLiteral("inside.mp4"))) << "the reason names the file";
    EXPECT_EQ(t.folder.entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("show.mp4")})
        << "nothing but the finished video";
}

TEST(ExportPanel, TheChoicesReachTheVideoAndAreOfferedAgainNextTime)
{
    ExportTest t;
    t.panel.videoOptions().seconds = 4;
    t.answer = {false, 1.0, 2.5, QSize(1080, 1080), Look::Realistic, true};
    const VideoShape part = shapeOf(t.exportAs("part.mp4"));
    EXPECT_TRUE(t.prompter->messages.empty()) << t.prompter->messages.front().text.toStdString();
    EXPECT_EQ(part.width, 1080);
    EXPECT_EQ(part.height, 1080);
    EXPECT_EQ(part.frames, 15) << "1.5 s at 10 frames a second";
    EXPECT_DOUBLE_EQ(t.offeredLength, 4);

    ExportTest next;
    next.panel.setSettingsPath(t.folder.filePath("plv.ini"));
    next.panel.videoOptions().seconds = 4;
    next.answer = {true, 0, 0, QSize(1280, 720), Look::Classic, false};
    const VideoShape whole = shapeOf(next.exportAs("whole.mp4"));
    EXPECT_FALSE(next.offered.whole);
    EXPECT_DOUBLE_EQ(next.offered.from, 1.0);
    EXPECT_EQ(next.offered.size, QSize(1080, 1080));
    EXPECT_EQ(next.offered.look, Look::Realistic);
    EXPECT_TRUE(next.offered.fitView);
    EXPECT_EQ(whole.width, 1280);
    EXPECT_EQ(whole.frames, 40);

    // A part that ends before it begins is refused before any file is asked for.
    next.answer = {false, 3, 2, QSize(1280, 720), Look::Classic, false};
    next.exportAs("backwards.mp4");
    ASSERT_EQ(next.prompter->messages.size(), 1u);
    EXPECT_FALSE(QFileInfo::exists(next.folder.filePath("backwards.mp4")));

    // The dialog itself offers the three sizes, both looks and both cameras.
    ExportDialog dialog(nullptr, t.answer, 200);
    EXPECT_TRUE(control<QRadioButton>(&dialog, "RadioButtonVideoPart")->isChecked());
    EXPECT_EQ(control<QComboBox>(&dialog, "ComboBoxVideoSize")->count(), 3);
    EXPECT_DOUBLE_EQ(control<QDoubleSpinBox>(&dialog, "SpinBoxVideoTo")->maximum(), 200);
    control<QComboBox>(&dialog, "ComboBoxVideoCamera")->setCurrentIndex(0);
    control<QRadioButton>(&dialog, "RadioButtonVideoWhole")->setChecked(true);
    const ExportChoice c = dialog.choice();
    EXPECT_TRUE(c.whole);
    EXPECT_FALSE(c.fitView);
    EXPECT_EQ(c.size, QSize(1080, 1080));
    EXPECT_EQ(c.look, Look::Realistic);
}
