// Unsaved work and files that are not what they seem: the bowl load, a
// picture named .wat, a failed save, a damaged track, a removed folder.
#include "FileTestSupport.h"

#include "editor/BowlTab.h"
#include "editor/EditorWindow.h"
#include "editor/FileCommands.h"
#include "editor/FilePrompter.h"
#include "model/ShowTrack.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>

using namespace pluviane;
using namespace pluviane::test;

namespace {

struct KeptProgram : Program {
    KeptProgram() : editor(windows->editor()), files(editor.fileCommands())
    {
        auto fake = std::make_unique<FakePrompter>();
        prompter = fake.get();
        files.setPrompter(std::move(fake));
    }
    void open(const QString& path) { prompter->openNames.push_back(path), files.SpeedButtonOpenFontanClick(); }
    EditorWindow& editor;
    FileCommands& files;
    FakePrompter* prompter = nullptr;
};

} // namespace

TEST(WorkKept, TheBowlLoadAsksFirstAndAFailedSaveLeavesUndoAtTheFile)
{
    QTemporaryDir dir;
    KeptProgram p;
    const QString bowl = dir.filePath("bowl.wat");
    p.prompter->saveNames.push_back(bowl);
    ASSERT_TRUE(p.files.saveFountainAs());
    p.state->JetGroup[60] = 5;

    p.prompter->saveAnswers.push_back(SaveAnswer::Cancel);
    p.prompter->openNames.push_back(bowl);
    p.editor.bowlTab().openCupButton()->click();
    EXPECT_EQ(p.prompter->saveQuestions.size(), 1);
    EXPECT_EQ(p.prompter->openAsked, 0) << "Cancel stops before the dialog";
    EXPECT_EQ(p.state->JetGroup[60], 5);

    p.prompter->saveAnswers.push_back(SaveAnswer::Yes);
    p.editor.bowlTab().openCupButton()->click();
    EXPECT_EQ(p.prompter->openAsked, 1);
    EXPECT_EQ(p.state->JetGroup[60], 5) << "saved first, so the model put back is the edited one";

    // A failed save leaves the undo store at what the file holds.
    p.state->JetGroup[25] = 7;
    writeBytes(dir.filePath("plain"), "x");
    p.prompter->saveNames.push_back(dir.filePath("plain/b.wat"));
    p.files.SpeedButtonSaveAsFontanClick();
    ASSERT_EQ(p.prompter->messages.size(), 1u);
    p.files.SpeedButtonUndoClick();
    EXPECT_EQ(p.state->JetGroup[25], 0);
}

TEST(WorkKept, AFileWithoutTheHeaderIsToldAndTheFirstSaveOverItAsks)
{
    QTemporaryDir dir;
    KeptProgram p;
    // A JPEG picture of the fountain file's size, renamed.
    QByteArray picture(64000, '\x55');
    picture[0] = '\xff';
    picture[1] = '\xd8';
    const QString path = dir.filePath("photo.wat");
    writeBytes(path, picture);
    p.open(path);
    ASSERT_EQ(p.prompter->messages.size(), 1u);
    EXPECT_TRUE(p.prompter->messages[0].text.contains("photo.wat"));
    EXPECT_TRUE(p.prompter->messages[0].text.contains("255")) << "the byte it begins with";

    p.files.SpeedButtonSaveFontanClick();
    EXPECT_EQ(p.prompter->questions, 1);
    EXPECT_EQ(readBytes(path), picture) << "No keeps the picture";
    p.prompter->answers.push_back(true);
    p.files.SpeedButtonSaveFontanClick();
    EXPECT_EQ(p.prompter->questions, 2);
    EXPECT_EQ(readBytes(path).at(0), '\x0f');
    p.files.SpeedButtonSaveFontanClick();
    EXPECT_EQ(p.prompter->questions, 2) << "once written, the file is the program's own";

    // A file of the program's own says nothing.
    p.open(path);
    EXPECT_EQ(p.prompter->messages.size(), 1u);
}

TEST(WorkKept, ADamagedTrackIsToldWholeAndKeptInTheTooltip)
{
    QTemporaryDir dir;
    KeptProgram p;
    p.state->Track.cues = {{1000, 1, 0}, {2000, 2, 0}};
    const QString path = dir.filePath("a-rather-long-fountain-name-for-the-narrow-editor.wat");
    ASSERT_TRUE(p.files.SAveFileFontan(path));
    QByteArray bytes = readBytes(path);
    bytes[kShowTrackOffset + 30] = bytes[kShowTrackOffset + 30] ^ 0x40;
    writeBytes(path, bytes);
    p.editor.show();
    p.open(path);
    const QString told = p.editor.statusBar()->currentMessage();
    ASSERT_TRUE(told.contains("a-rather-long-fountain-name-for-the-narrow-editor.wat")) << told.toStdString();
    EXPECT_TRUE(told.endsWith(QStringLiteral("не загружена"))) << told.toStdString();
    auto* whole = control<QLabel>(&p.editor, "LabelStatusMessage");
    EXPECT_TRUE(whole->isVisible()) << "too long for the status bar: shown whole above it";
    EXPECT_EQ(whole->text(), told);
    p.editor.statusBar()->clearMessage();
    EXPECT_FALSE(whole->isVisible());
    EXPECT_EQ(p.editor.statusBar()->toolTip(), told);
}

TEST(WorkKept, SavingIntoARemovedFolderOffersTheNearestFolderStillThere)
{
    QTemporaryDir dir;
    QString shown;
    // Whatever the dialog shows is what the user accepts.
    QTimer::singleShot(200, [&shown] {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<QFileDialog*>(window); dialog && dialog->isVisible()) {
                shown = dialog->directory().absolutePath();
                QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
            }
    });
    DialogPrompter prompter;
    const QString chosen = prompter.chooseFountainToSave(nullptr, dir.filePath("gone/deeper/a.wat"));
    EXPECT_EQ(shown, dir.path());
    EXPECT_EQ(chosen, dir.filePath("a.wat"));
}
