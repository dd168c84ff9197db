#include "FileTestSupport.h"

#include "editor/AutomatTab.h"
#include "editor/EditorWindow.h"
#include "editor/FileCommands.h"
#include "show/ExportPanel.h"

#include <QProgressDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

using namespace pluviane;
using namespace pluviane::test;

TEST(ExportPanel, ExportsTheEditorsShowAndACancelledOrFailedOneLeavesNoFile)
{
    Program program;
    EditorWindow& editor = program.windows->editor();
    auto owned = std::make_unique<FakePrompter>();
    FakePrompter& prompter = *owned;
    editor.fileCommands().setPrompter(std::move(owned));
    ExportPanel& panel = editor.automatTab().exportPanel();
    ASSERT_EQ(panel.exportButton(), control<QToolButton>(&editor, "SpeedButtonExportVideo"));
    EXPECT_EQ(panel.exportButton()->toolTip(), QStringLiteral("Записать видео шоу"));

    QTemporaryDir dir;
    const QDir folder(dir.path());
    QString chosen;
    panel.setVideoChooser([&chosen](QWidget*) { return chosen; });
    panel.videoOptions().size = QSize(160, 120);
    panel.videoOptions().fps = 10;
    panel.videoOptions().seconds = 1;
    const FountainImage undo = program.state->SaveBuffer;

    // What a killed export left: its video beside the target, its snapshot folder.
    const QString killedVideo = folder.filePath(QStringLiteral(".old.mp4.2147483646.part"));
    writeBytes(killedVideo, "half");
    const QString killedSnapshot = QDir::temp().filePath(QStringLiteral("pluviane-export-2147483646-AbCdEf"));
    ASSERT_TRUE(QDir().mkpath(killedSnapshot));
    chosen = folder.filePath(QStringLiteral("show")); // the save dialog's name without ".mp4"
    panel.exportButton()->click();
    EXPECT_FALSE(QFileInfo::exists(killedVideo) || QFileInfo::exists(killedSnapshot)) << "leftovers of a killed export go";
    EXPECT_TRUE(prompter.messages.empty()) << prompter.messages.front().text.toStdString();
    EXPECT_EQ(readBytes(folder.filePath(QStringLiteral("show.mp4"))).mid(4, 4), QByteArray("ftyp"));
    EXPECT_TRUE(program.state->SaveBuffer == undo) << "the undo store is left as it was";

    panel.videoOptions().seconds = 30;
    chosen = folder.filePath(QStringLiteral("cancelled.mp4"));
    QTimer::singleShot(0, &editor, [&editor] {
        if (auto* progress = editor.findChild<QProgressDialog*>(QStringLiteral("ProgressExportVideo")))
            progress->cancel();
    });
    panel.exportButton()->click();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.messages.back().text.contains(QStringLiteral("отменена")));

    chosen = folder.filePath(QStringLiteral("show.mp4/inside.mp4"));
    panel.exportButton()->click();
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_TRUE(prompter.messages.back().text.startsWith(QStringLiteral("Видео не записано")));
    EXPECT_EQ(folder.entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("show.mp4")})
        << "nothing but the finished video";
}
