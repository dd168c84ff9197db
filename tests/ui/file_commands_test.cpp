#include "FileTestSupport.h"

#include "app/MainWindow.h"
#include "editor/AutomatTab.h"
#include "editor/BowlTab.h"
#include "editor/EditorWindow.h"
#include "editor/FileCommands.h"
#include "editor/GroupTab.h"
#include "editor/JetTab.h"
#include "info/AboutWindow.h"
#include "info/HelpWindow.h"
#include "model/SaveBuffer.h"
#include "model/ShowTrack.h"
#include "render/SceneSettings.h"
#include "show/RecorderWindow.h"
#include "widgets/ColourGrid.h"
#include "widgets/Controls.h"
#include "widgets/RadioGroup.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <random>

using namespace pluviane;
using namespace pluviane::test;

namespace {

// A program whose file commands ask the test instead of the user.
struct FileProgram : Program {
    FileProgram() : editor(windows->editor()), files(editor.fileCommands())
    {
        auto fake = std::make_unique<FakePrompter>();
        prompter = fake.get();
        files.setPrompter(std::move(fake));
    }

    void open(const QString& path)
    {
        prompter->openNames.push_back(path);
        files.SpeedButtonOpenFontanClick();
    }
    void saveAs(const QString& path, bool answer = false)
    {
        prompter->saveNames.push_back(path);
        if (QFileInfo::exists(path))
            prompter->answers.push_back(answer);
        files.SpeedButtonSaveAsFontanClick();
    }
    QScrollBar* bar(const char* name) { return editor.findChild<QScrollBar*>(name); }
    QCheckBox* check(const char* name) { return editor.findChild<QCheckBox*>(name); }

    EditorWindow& editor;
    FileCommands& files;
    FakePrompter* prompter = nullptr;
};

QByteArray randomBytes(qsizetype size, unsigned seed)
{
    std::mt19937 generator(seed);
    QByteArray bytes(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(generator() & 0xFF);
    return bytes;
}

QByteArray bufferBytes(const FountainState& state)
{
    return QByteArray(reinterpret_cast<const char*>(state.SaveBuffer.data()),
                      static_cast<qsizetype>(state.SaveBuffer.size()));
}

// The bytes no routine writes.
bool isUnwritten(int b)
{
    return (b >= 32 && b <= 129) || (b >= 142 && b <= 149) || b == 159 || b == 160 ||
           (b >= 173 && b <= 199) || b == 202 || b == 208 || b == 209 || b == 214 ||
           (b >= 219 && b <= 255) || b >= 21760;
}

// A model that differs from the start-up one everywhere it can be seen.
void editModel(FountainState& s)
{
    for (int n = 20; n < 40; ++n) {
        s.JetGroup[n] = 2;
        s.JetShape[n][1] = 120;
    }
    s.GroupRecipe[3][1] = 77;
    s.SceneColour[9][4] = 33;
}

} // namespace

TEST(FileToolBar, ButtonsHintsAndWindows)
{
    FileProgram p;
    const char* names[] = {"SpeedButtonNew", "SpeedButtonOpenFontan", "SpeedButtonSaveAsFontan",
                           "SpeedButtonSaveFontan", "SpeedButtonUndo", "SpeedButtonHelp",
                           "SpeedButtonAbout", "SpeedButtonShowRec"};
    const QString hints[] = {"Новый файл", "Открыть файл", "Записать файл как", "Сохранить файл",
                             "", "", "О программе", "Показать окно записи "};
    QList<QToolButton*> order;
    for (QAction* action : p.editor.toolBar()->actions())
        if (auto* button = qobject_cast<QToolButton*>(p.editor.toolBar()->widgetForAction(action)))
            order.push_back(button);
    ASSERT_GE(order.size(), 8);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(order[i]->objectName(), QString::fromLatin1(names[i]));
        EXPECT_EQ(order[i]->toolTip(), hints[i]) << names[i];
    }
    EXPECT_FALSE(control<QToolButton>(&p.editor, "SpeedButtonUndo")->isEnabled());
    EXPECT_TRUE(control<QToolButton>(&p.editor, "SpeedButtonSaveFontan")->isEnabled());
    EXPECT_EQ(p.editor.windowTitle(), "fontan01.wat");

    control<QToolButton>(&p.editor, "SpeedButtonHelp")->click();
    EXPECT_TRUE(p.windows->help().isVisible());
    control<QToolButton>(&p.editor, "SpeedButtonShowRec")->click();
    EXPECT_TRUE(p.windows->recorder().isVisible());
    control<QToolButton>(&p.editor, "SpeedButtonAbout")->click();
    AboutWindow& about = p.windows->about();
    EXPECT_TRUE(about.isVisible());
    const QPoint screenCentre = about.screen()->geometry().center();
    EXPECT_LE((about.frameGeometry().center() - screenCentre).manhattanLength(), 2);
}

TEST(FileSave, WritesTheWholeImageWithHeaderViewAndCaptions)
{
    QTemporaryDir dir;
    FileProgram p;
    editModel(*p.state);
    p.state->ViewAngleY = -10;
    p.state->ViewAngleZ = 91.3;
    p.state->ViewPanX = -12;
    p.bar("ScrollBarZoom")->setValue(120);
    const QString path = dir.filePath("a.wat");
    p.files.imageToSave();
    EXPECT_DOUBLE_EQ(p.state->ViewAngleY, -10) << "only a save turns the live angle";

    p.saveAs(path);
    const QByteArray file = readBytes(path);
    ASSERT_EQ(file.size(), 64000);
    EXPECT_EQ(static_cast<Byte>(file[0]), 15);
    EXPECT_EQ(file.mid(1, 31), QByteArray("V 1.5 Pluviane                 "));
    EXPECT_EQ(static_cast<Byte>(file[5139]), 77); // GroupRecipe row 3, column 1
    EXPECT_EQ(static_cast<Byte>(file[200]), 88);
    EXPECT_EQ(static_cast<Byte>(file[203]), 175);
    EXPECT_DOUBLE_EQ(p.state->ViewAngleY, 350);
    EXPECT_EQ(static_cast<Byte>(file[204]), 46);
    EXPECT_EQ(static_cast<Byte>(file[206]), 120);
    EXPECT_EQ(static_cast<Byte>(file[213]), 120);
    EXPECT_EQ(file, bufferBytes(*p.state)); // the buffer holds what was written
    EXPECT_EQ(p.prompter->questions, 0);    // a new name needs no question
    EXPECT_EQ(p.files.currentFileName(), path);
    EXPECT_EQ(p.editor.windowTitle(), "a.wat");

    control<QToolButton>(&p.editor, "SpeedButtonSaveFontan")->click();
    EXPECT_EQ(p.editor.windowTitle(), " Save file a.wat");
    EXPECT_EQ(p.prompter->saveAsked, 1);

    // Loading it back gives the angles as even degrees.
    p.open(path);
    EXPECT_DOUBLE_EQ(p.state->ViewAngleY, 350);
    EXPECT_DOUBLE_EQ(p.state->ViewAngleZ, 92);
    EXPECT_DOUBLE_EQ(p.state->ViewPanX, -12);
}

TEST(FileOpen, LoadThenSaveElsewhereCarriesEveryUnwrittenByte)
{
    QTemporaryDir dir;
    FileProgram p;
    QByteArray original = randomBytes(64000, 7);
    original[0] = 15; // begins as the program's files do: opens without a warning
    original[131] = 1;
    writeBytes(dir.filePath("src.wat"), original);

    p.open(dir.filePath("src.wat"));
    ASSERT_TRUE(p.prompter->messages.empty());
    p.saveAs(dir.filePath("copy.wat"));
    const QByteArray copy = readBytes(dir.filePath("copy.wat"));
    ASSERT_EQ(copy.size(), 64000);
    for (int b = 0; b < 64000; ++b) {
        // Unwritten bytes, the whole model block, the pans and the first angle come back.
        // (A change of the spin bar levels the view, so bytes 204 and 205 may not.)
        const bool kept = isUnwritten(b) || (b >= 256 && b < 21760) || b == 200 || b == 201 ||
                          b == 203;
        if (kept) {
            ASSERT_EQ(copy[b], original[b]) << "byte " << b;
        }
    }
}

TEST(FileOpen, ShortFileReplacesOnlyItsOwnBytes)
{
    QTemporaryDir dir;
    FileProgram p;
    editModel(*p.state);
    p.saveAs(dir.filePath("full.wat"));
    const QByteArray before = bufferBytes(*p.state);
    const QByteArray head = randomBytes(300, 9);
    writeBytes(dir.filePath("head.wat"), head);

    p.open(dir.filePath("head.wat"));
    const QByteArray after = bufferBytes(*p.state);
    EXPECT_EQ(after.left(300), head);
    EXPECT_EQ(after.mid(300), before.mid(300));
    for (int n = 0; n < 44; ++n)
        EXPECT_EQ(p.state->JetPos[n][0], static_cast<Byte>(head[256 + n]));
    EXPECT_EQ(p.state->JetGroup[25], 2); // the rest of the model block is applied unchanged
}

TEST(FileOpen, SizeLimitRefusesWithoutTouchingTheModel)
{
    QTemporaryDir dir;
    FileProgram p;
    QByteArray exact = randomBytes(64000, 3);
    exact[0] = 15;
    exact[131] = 1;
    writeBytes(dir.filePath("exact.wat"), exact);
    writeBytes(dir.filePath("over.wat"), randomBytes(64001, 4));

    p.open(dir.filePath("exact.wat"));
    ASSERT_TRUE(p.prompter->messages.empty());
    EXPECT_EQ(bufferBytes(*p.state).mid(256), exact.mid(256));
    p.state->JetGroup[40] = 7; // an edit since the load
    const QByteArray buffer = bufferBytes(*p.state);

    p.open(dir.filePath("over.wat"));
    ASSERT_EQ(p.prompter->messages.size(), 1u);
    EXPECT_EQ(p.prompter->messages[0].caption, "Сообщение");
    EXPECT_EQ(p.prompter->messages[0].text, "Ошибка!\r\nФайл большего размера");
    EXPECT_EQ(p.state->JetGroup[40], 7);
    EXPECT_EQ(bufferBytes(*p.state), buffer);
    // A later Save must not land on the refused file.
    EXPECT_EQ(p.files.currentFileName(), dir.filePath("exact.wat"));
    EXPECT_EQ(p.editor.windowTitle(), "exact.wat");
}

TEST(FileOpen, SettingsBlockAppliesOnlyWithLoadChecked)
{
    QTemporaryDir dir;
    FileProgram p;
    QByteArray bytes(64000, '\0');
    bytes[131] = 1;
    bytes[206] = 10;
    bytes[213] = static_cast<char>(120); // the second zoom byte has the last word
    bytes[2304 + 30] = 4;               // nozzle 30 in group 4
    writeBytes(dir.filePath("zoom.wat"), bytes);
    bytes[131] = 0;
    writeBytes(dir.filePath("noload.wat"), bytes);
    bytes[213] = 30;
    bytes[2304 + 31] = 4;
    writeBytes(dir.filePath("later.wat"), bytes);

    p.open(dir.filePath("zoom.wat"));
    EXPECT_EQ(p.bar("ScrollBarZoom")->value(), 120);
    EXPECT_EQ(p.state->JetGroup[30], 4);

    // The "Load" box is itself stored: a file with byte 131 = 0 unchecks it...
    p.open(dir.filePath("noload.wat"));
    EXPECT_FALSE(p.check("CheckBoxLoadCup")->isChecked());
    // ...and the next load skips the settings but still takes the model.
    p.open(dir.filePath("later.wat"));
    EXPECT_EQ(p.bar("ScrollBarZoom")->value(), 120);
    EXPECT_EQ(p.state->JetGroup[31], 4);
}

TEST(FileOpen, BytesOfControlsStillToComeAreKeptAndPickedUp)
{
    QTemporaryDir dir;
    FileProgram p;
    // Values inside every bar's range, so they survive whether the bar exists or not.
    QByteArray bytes(64000, '\0');
    bytes[131] = 1;
    const std::pair<int, int> kept[] = {{210, 77}, {211, 99}, {215, 5}, {216, 20}, {218, 200}};
    for (auto [at, value] : kept)
        bytes[at] = static_cast<char>(value);
    writeBytes(dir.filePath("show.wat"), bytes);

    p.open(dir.filePath("show.wat"));
    p.saveAs(dir.filePath("again.wat"));
    const QByteArray again = readBytes(dir.filePath("again.wat"));
    for (auto [at, value] : kept)
        EXPECT_EQ(static_cast<Byte>(again[at]), value) << "byte " << at;

    // A control built later is found by its name with no further wiring.
    QScrollBar* len = p.bar("ScrollBarLen");
    if (len == nullptr)
        len = makeBar(&p.editor.automatTab(), "ScrollBarLen", 10, 300, 50);
    len->setValue(300);
    p.saveAs(dir.filePath("len.wat"));
    EXPECT_EQ(static_cast<Byte>(readBytes(dir.filePath("len.wat"))[217]), 44);
    p.open(dir.filePath("len.wat"));
    EXPECT_EQ(len->value(), 44);
}

TEST(FileOpen, CountsNozzlesEnablesUndoAndClearsTheNameOption)
{
    QTemporaryDir dir;
    FileProgram p;
    QByteArray bytes(64000, '\0');
    for (int n = 16; n < 21; ++n)
        bytes[2304 + n] = 1;
    writeBytes(dir.filePath("five.wat"), bytes);

    p.open(dir.filePath("five.wat"));
    EXPECT_EQ(control<QLabel>(&p.windows->main(), "Labelforsunok")->text(), "Форсунок всего : 5");
    EXPECT_TRUE(control<QToolButton>(&p.editor, "SpeedButtonUndo")->isEnabled());
    if (QCheckBox* noName = p.check("CheckBoxNoName")) {
        EXPECT_FALSE(noName->isChecked());
    }
    if (QWidget* first = p.editor.groupTab().findChild<QWidget*>("SpeedButtonGroup01")) {
        EXPECT_TRUE(first->isEnabled());
    }
}

TEST(FileOpen, ReadOnlyFileOpens)
{
    QTemporaryDir dir;
    FileProgram p;
    QByteArray bytes(64000, '\0');
    bytes[0] = 15;
    bytes[2304 + 50] = 3;
    const QString path = dir.filePath("installed.wat");
    writeBytes(path, bytes);
    ReadOnlyGuard readOnly(path);

    p.open(path);
    EXPECT_TRUE(p.prompter->messages.empty());
    EXPECT_EQ(p.state->JetGroup[50], 3);
    EXPECT_EQ(p.files.currentFileName(), path);
}

TEST(FileOpen, ErrorsNameTheFileAndChangeNothing)
{
    QTemporaryDir dir;
    FileProgram p;
    editModel(*p.state);
    const auto model = p.state->JetGroup;
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.wat"));

    p.open(dir.filePath("gone.wat"));
    p.open(dir.filePath("folder.wat"));
    ASSERT_EQ(p.prompter->messages.size(), 2u);
    EXPECT_TRUE(p.prompter->messages[0].text.contains("gone.wat"));
    EXPECT_TRUE(p.prompter->messages[1].text.contains("folder.wat"));
    EXPECT_GT(p.prompter->messages[1].text.split("\r\n").value(1).size(), 0); // the reason
    EXPECT_EQ(p.state->JetGroup, model);
    EXPECT_TRUE(p.files.currentFileName().isEmpty());
    EXPECT_EQ(p.editor.windowTitle(), "fontan01.wat");
}

TEST(FileSave, SaveWithNothingToSaveOverAsksForAName)
{
    QTemporaryDir dir;
    FileProgram p;
    p.prompter->saveNames.push_back(dir.filePath("first.wat"));
    p.files.SpeedButtonSaveFontanClick();
    EXPECT_EQ(p.prompter->saveAsked, 1);
    EXPECT_EQ(readBytes(dir.filePath("first.wat")).size(), 64000);

    // The current file vanished: Save asks again instead of doing nothing.
    QFile::remove(dir.filePath("first.wat"));
    p.prompter->saveNames.push_back(dir.filePath("second.wat"));
    p.files.SpeedButtonSaveFontanClick();
    EXPECT_EQ(p.prompter->saveAsked, 2);
    EXPECT_EQ(readBytes(dir.filePath("second.wat")).size(), 64000);

    // Cancelling the dialog writes nothing.
    p.files.SpeedButtonSaveAsFontanClick();
    EXPECT_EQ(p.files.currentFileName(), dir.filePath("second.wat"));
}

TEST(FileSave, RefusedOverwriteKeepsTheNameTheCaptionAndTheFile)
{
    QTemporaryDir dir;
    FileProgram p;
    const QString mine = dir.filePath("mine.wat");
    const QString theirs = dir.filePath("theirs.wat");
    writeBytes(theirs, "someone else's");
    p.saveAs(mine);
    p.files.SpeedButtonSaveFontanClick();
    const QString caption = p.editor.windowTitle();
    editModel(*p.state);

    p.saveAs(theirs, false);
    EXPECT_EQ(p.prompter->questions, 1);
    EXPECT_EQ(readBytes(theirs), "someone else's");
    EXPECT_EQ(p.files.currentFileName(), mine);
    EXPECT_EQ(p.editor.windowTitle(), caption);

    p.files.SpeedButtonSaveFontanClick();
    EXPECT_EQ(readBytes(theirs), "someone else's");
    EXPECT_EQ(static_cast<Byte>(readBytes(mine)[5139]), 77);

    p.saveAs(theirs, true);
    EXPECT_EQ(readBytes(theirs).size(), 64000);
    EXPECT_EQ(p.files.currentFileName(), theirs);
    EXPECT_EQ(p.editor.windowTitle(), "theirs.wat");
}

TEST(FileSave, FailedSaveShowsWhyAndLeavesTheOldFileWhole)
{
    QTemporaryDir dir;
    FileProgram p;
    ASSERT_TRUE(QDir(dir.path()).mkdir("locked"));
    const QString path = dir.filePath("locked/a.wat");
    p.saveAs(path);
    const QByteArray old = readBytes(path);
    ASSERT_EQ(old.size(), 64000);

    // Below a regular file nothing can be written.
    writeBytes(dir.filePath("plain"), "x");
    p.saveAs(dir.filePath("plain/b.wat"));
    ASSERT_EQ(p.prompter->messages.size(), 1u);
    EXPECT_TRUE(p.prompter->messages[0].text.contains("b.wat"));
    EXPECT_EQ(p.files.currentFileName(), path);

    ReadOnlyGuard readOnly(dir.filePath("locked"));
    if (!readOnly.active())
        GTEST_SKIP() << "no way to make a folder read-only here";
    editModel(*p.state);
    p.files.SpeedButtonSaveFontanClick();
    ASSERT_EQ(p.prompter->messages.size(), 2u);
    EXPECT_TRUE(p.prompter->messages[1].text.contains("a.wat"));
    EXPECT_EQ(readBytes(path), old);
    EXPECT_EQ(QDir(dir.filePath("locked")).entryList(QDir::Files), QStringList{"a.wat"});
}

TEST(FileUndo, BackToTheLastModelReadOrWritten)
{
    QTemporaryDir dir;
    FileProgram p;
    const auto startPositions = p.state->JetPos;
    editModel(*p.state);
    p.files.SpeedButtonUndoClick();
    EXPECT_EQ(p.state->JetPos, startPositions);
    EXPECT_EQ(p.state->JetGroup[25], 0);

    editModel(*p.state);
    p.saveAs(dir.filePath("u.wat"));
    p.files.SpeedButtonNewClick();
    EXPECT_EQ(p.state->JetGroup[25], 0);
    p.files.SpeedButtonUndoClick();
    EXPECT_EQ(p.state->JetGroup[25], 2);
    EXPECT_EQ(p.state->JetShape[25][1], 120);
}

TEST(FileNew, ResetsTheFountainAndTheControlsItNames)
{
    QTemporaryDir dir;
    FileProgram p;
    p.files.SpeedButtonNewClick();
    EXPECT_EQ(p.editor.windowTitle(), ""); // no current file yet

    editModel(*p.state);
    p.state->GroupShiftX[2] = 130;
    p.state->ViewAngleY = 33;
    p.bar("ScrollBarRotField")->setValue(80);
    p.saveAs(dir.filePath("n.wat"));
    p.files.SpeedButtonSaveFontanClick();
    const QByteArray buffer = bufferBytes(*p.state);

    p.files.SpeedButtonNewClick();
    EXPECT_EQ(p.editor.windowTitle(), "n.wat");
    EXPECT_TRUE(p.files.currentFileName().isEmpty()) << "a new fountain has no file yet";
    EXPECT_EQ(p.bar("ScrollBarRotField")->value(), 50);
    EXPECT_EQ(nozzleCount(*p.state), 0);
    EXPECT_EQ(p.state->JetShape[25][1], 50);
    EXPECT_EQ(p.state->GroupShiftX[2], 130);
    EXPECT_EQ(p.state->GroupRecipe[3][1], 77);
    EXPECT_EQ(p.state->SceneColour[9][4], 33);
    EXPECT_EQ(bufferBytes(*p.state), buffer);
    for (int g = 0; g < 256; ++g)
        EXPECT_EQ(p.state->GroupColour[g], (std::array<Byte, 4>{250, 250, 250, 200}));
    if (QScrollBar* colored = p.bar("ScrollBarColored")) {
        EXPECT_EQ(colored->value(), 160);
    }
    if (auto* groupBar = p.editor.groupTab().findChild<QScrollBar*>("ScrollBarNform")) {
        EXPECT_EQ(groupBar->value(), 1);
    }
    if (auto* start = p.editor.groupTab().findChild<QScrollBar*>("ScrollBarBegSt")) {
        EXPECT_EQ(start->value(), 16);
    }
    for (QWidget* button : p.editor.groupTab().findChildren<QWidget*>()) {
        if (button->objectName().startsWith("SpeedButtonGroup")) {
            EXPECT_FALSE(button->isEnabled()) << button->objectName().toStdString();
        }
    }
    // Without "Чашу в -0-" the view stays.
    EXPECT_DOUBLE_EQ(p.state->ViewAngleY, 33);

    if (QCheckBox* cupZero = p.check("CheckBoxCupZero")) {
        cupZero->setChecked(true);
        p.state->ViewAngleX = 17;
        p.files.SpeedButtonNewClick();
        EXPECT_DOUBLE_EQ(p.state->ViewAngleY, 90);
        EXPECT_DOUBLE_EQ(p.state->ViewPanY, -12);
        EXPECT_DOUBLE_EQ(p.state->ViewAngleX, 17);
    }
}

TEST(OpenBowl, TakesTheSettingsAndPutsTheModelBackToTheBuffer)
{
    QTemporaryDir dir;
    FileProgram p;
    p.bar("ScrollBarCupWidthX")->setValue(200);
    p.bar("ScrollBarZoom")->setValue(30);
    p.saveAs(dir.filePath("bowl.wat"));
    const QString caption = p.editor.windowTitle();

    p.bar("ScrollBarCupWidthX")->setValue(90);
    p.bar("ScrollBarZoom")->setValue(100);
    p.check("CheckBoxLoadCup")->setChecked(false);
    p.state->JetGroup[60] = 5; // an edit since the save

    p.prompter->openNames.push_back(dir.filePath("bowl.wat"));
    p.editor.bowlTab().openCupButton()->click();
    EXPECT_EQ(p.prompter->openAsked, 1);
    EXPECT_EQ(p.bar("ScrollBarCupWidthX")->value(), 200); // whatever "Load" says
    EXPECT_EQ(p.bar("ScrollBarZoom")->value(), 30);
    EXPECT_TRUE(p.check("CheckBoxLoadCup")->isChecked());
    EXPECT_EQ(p.state->JetGroup[60], 0); // the edit is dropped
    EXPECT_EQ(p.editor.windowTitle(), caption);
    EXPECT_EQ(p.files.currentFileName(), dir.filePath("bowl.wat"));

    // Too short: a message, and nothing changes.
    writeBytes(dir.filePath("short.wat"), QByteArray(254, '\x01'));
    p.bar("ScrollBarZoom")->setValue(100);
    p.state->JetGroup[60] = 5;
    const QByteArray buffer = bufferBytes(*p.state);
    p.prompter->openNames.push_back(dir.filePath("short.wat"));
    p.files.SpeedButtonOpenCupClick();
    ASSERT_EQ(p.prompter->messages.size(), 1u);
    EXPECT_TRUE(p.prompter->messages[0].text.contains("short.wat"));
    EXPECT_EQ(p.bar("ScrollBarZoom")->value(), 100);
    EXPECT_EQ(p.state->JetGroup[60], 5);
    EXPECT_EQ(bufferBytes(*p.state), buffer);
}

TEST(OpenFontanFile, LoadsByNameWithoutTouchingButtonsOrCount)
{
    QTemporaryDir dir;
    FileProgram p;
    QByteArray bytes(64000, '\0');
    bytes[2304 + 70] = 6;
    writeBytes(dir.filePath("preset.wat"), bytes);
    auto* label = control<QLabel>(&p.windows->main(), "Labelforsunok");
    const QString count = label->text();

    EXPECT_FALSE(p.windows->main().OpenFontanFile(dir.filePath("absent.wat")));
    EXPECT_TRUE(p.prompter->messages.empty());
    EXPECT_EQ(p.editor.windowTitle(), "fontan01.wat");

    EXPECT_TRUE(p.windows->main().OpenFontanFile(dir.filePath("preset.wat")));
    EXPECT_EQ(p.state->JetGroup[70], 6);
    EXPECT_EQ(p.editor.windowTitle(), "preset.wat");
    EXPECT_EQ(p.files.currentFileName(), dir.filePath("preset.wat"));
    EXPECT_FALSE(control<QToolButton>(&p.editor, "SpeedButtonUndo")->isEnabled());
    EXPECT_EQ(label->text(), count);
}

TEST(FileFuzz, RandomFilesLoadAndLeaveTheProgramUsable)
{
    QTemporaryDir dir;
    FileProgram p;
    const QString path = dir.filePath("fuzz.wat");
    std::mt19937 generator(2026);
    std::uniform_int_distribution<int> length(0, 64000);
    for (int i = 0; i < 2000; ++i) {
        const int size = (i % 97 == 0) ? 64000 : length(generator);
        QByteArray bytes(size, '\0');
        for (int b = 0; b < size; ++b)
            bytes[b] = static_cast<char>(generator() & 0xFF);
        // Some carry a show track with a few bytes changed, for the track's decoder.
        if (i % 7 == 3) {
            auto image = std::make_unique<FountainImage>();
            std::copy(bytes.cbegin(), bytes.cend(), image->begin());
            ShowTrack track;
            track.cues = {{0, 1, 1}, {500, 2, 3}, {900, 4, 0}};
            track.musicName = "song.wav";
            ASSERT_TRUE(writeShowTrack(track, *image));
            for (int c = int(generator() % 4); c > 0; --c)
                (*image)[kShowTrackOffset + generator() % 64] = Byte(generator());
            bytes = QByteArray(reinterpret_cast<const char*>(image->data()),
                               qsizetype(kShowTrackOffset + generator() % (kFountainFileSize - kShowTrackOffset + 1)));
        }
        writeBytes(path, bytes);
        if (i % 10 == 9) {
            p.prompter->openNames.push_back(path);
            p.files.SpeedButtonOpenCupClick();
        } else {
            ASSERT_TRUE(p.files.OpenFontanFile(path)) << "file " << i << " of " << size << " bytes";
            ASSERT_TRUE(std::is_sorted(p.state->Track.cues.begin(), p.state->Track.cues.end(),
                                       [](const ShowCue& a, const ShowCue& b) { return a.timeMs < b.timeMs; }));
        }
        // Every few files the view must still be drawable from the editor's controls.
        if (i % 50 == 0)
            (void)p.editor.sceneSettings();
    }

    // Still usable: a new fountain, a jet edit, a save and a load that gives it back.
    p.files.SpeedButtonNewClick();
    EXPECT_EQ(nozzleCount(*p.state), 0);
    p.bar("ScrollBarStruja")->setValue(40);
    p.bar("ScrollBarGlue")->setValue(3);
    EXPECT_EQ(p.state->JetGroup[40], 3);
    p.saveAs(dir.filePath("after.wat"));
    EXPECT_EQ(readBytes(dir.filePath("after.wat")).size(), 64000);
    p.state->JetGroup[40] = 0;
    p.check("CheckBoxLoadCup")->setChecked(true);
    ASSERT_TRUE(p.files.OpenFontanFile(dir.filePath("after.wat")));
    EXPECT_EQ(p.state->JetGroup[40], 3);
    EXPECT_EQ(nozzleCount(*p.state), 1);
}

TEST(FileNew, PutsBothSequencersDown)
{
    FileProgram p;
    // Stand-ins until the sequencer exists: latching pairs found by name.
    QWidget& automat = p.editor.automatTab();
    for (const char* prefix : {"Form", "Color"}) {
        const QString stop = QStringLiteral("SpeedButtonStop") + QString::fromLatin1(prefix);
        if (p.editor.findChild<QAbstractButton*>(stop) != nullptr)
            continue;
        auto* pair = new QButtonGroup(&automat);
        auto* play = makeButton(&automat, QStringLiteral("SpeedButtonPlay") + prefix, "Play");
        auto* halt = makeButton(&automat, stop, "Stop");
        for (QPushButton* button : {play, halt}) {
            button->setCheckable(true);
            pair->addButton(button);
        }
        play->setChecked(true);
    }
    p.files.SpeedButtonNewClick();
    for (const char* name : {"SpeedButtonStopForm", "SpeedButtonStopColor"}) {
        auto* stop = control<QAbstractButton>(&p.editor, name);
        if (stop->isCheckable()) {
            EXPECT_TRUE(stop->isChecked()) << name;
        }
    }
    for (const char* name : {"SpeedButtonPlayForm", "SpeedButtonPlayColor"}) {
        if (auto* play = p.editor.findChild<QAbstractButton*>(name)) {
            EXPECT_FALSE(play->isChecked()) << name;
        }
    }
}

TEST(FileNew, TheFirstSaveAsksForANameAndLeavesTheOldFileWhole)
{
    QTemporaryDir dir;
    FileProgram p;
    const QString old = dir.filePath("old.wat");
    ASSERT_TRUE(QFile::copy(examplePath("classic_round.wat"), old));
    p.open(old);
    p.files.SpeedButtonNewClick();
    EXPECT_EQ(p.editor.windowTitle(), "old.wat");
    EXPECT_TRUE(p.prompter->saveQuestions.isEmpty()) << "an unchanged fountain never asks";

    const QString fresh = dir.filePath("fresh.wat");
    p.prompter->saveNames.push_back(fresh);
    control<QToolButton>(&p.editor, "SpeedButtonSaveFontan")->click();
    EXPECT_EQ(p.prompter->saveAsked, 1);
    EXPECT_EQ(readBytes(old), readBytes(examplePath("classic_round.wat")));
    EXPECT_EQ(readBytes(fresh).size(), 64000);
    EXPECT_EQ(p.files.currentFileName(), fresh);
}

TEST(FileRoundTrip, ABuiltFountainComesBackInAFreshProgram)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("built.wat");
    FountainState saved;
    SceneSettings savedScene;
    {
        FileProgram p;
        GroupTab& groups = p.editor.groupTab();
        p.editor.findChild<RadioGroup*>("RadioGroupTips")->setItemIndex(3);
        groups.countBar()->setValue(12);
        groups.sizeBar()->setValue(150);
        groups.heightBar()->setValue(60);
        groups.SpeedButtonOkplusClick();
        groups.countBar()->setValue(6);
        groups.sizeBar()->setValue(80);
        groups.SpeedButtonOkplusClick();
        p.bar("ScrollBarCupWidthX")->setValue(210);
        p.bar("ScrollBarUgolCup")->setValue(8);
        p.check("CheckBoxXY")->setChecked(true);
        control<ColourGrid>(&p.editor, "ColorGridDno")->setSelectedIndex(12);
        p.state->ViewAngleY = 30;
        p.saveAs(path);
        saved = *p.state;
        savedScene = p.editor.sceneSettings();
    }

    FileProgram again;
    again.open(path);
    EXPECT_TRUE(again.prompter->messages.empty());
    const FountainState& s = *again.state;
    EXPECT_EQ(s.JetPos, saved.JetPos);
    EXPECT_EQ(s.JetShape, saved.JetShape);
    EXPECT_EQ(s.JetGroup, saved.JetGroup);
    EXPECT_EQ(s.JetFoam, saved.JetFoam);
    EXPECT_EQ(s.GroupColour, saved.GroupColour);
    EXPECT_EQ(s.GroupLevel, saved.GroupLevel);
    EXPECT_EQ(s.GroupRecipe, saved.GroupRecipe);
    EXPECT_EQ(nozzleCount(s), 18);
    EXPECT_DOUBLE_EQ(s.ViewAngleY, 30);
    const SceneSettings scene = again.editor.sceneSettings();
    EXPECT_EQ(scene.cupWidth, savedScene.cupWidth);
    EXPECT_EQ(scene.cupCorners, 8);
    EXPECT_EQ(scene.colourBottom, 12);
    EXPECT_TRUE(scene.gridXY);
    EXPECT_EQ(scene.zoom, savedScene.zoom);
    EXPECT_EQ(scene.fieldSpin, savedScene.fieldSpin);
}
