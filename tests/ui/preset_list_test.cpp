#include "FileTestSupport.h"

#include "app/MainWindow.h"
#include "app/FirstStart.h"
#include "app/PresetList.h"
#include "editor/AutomatTab.h"
#include "editor/BowlTab.h"
#include "editor/EditHistory.h"
#include "editor/EditorWindow.h"
#include "editor/FileCommands.h"
#include "model/ProfileFile.h"
#include "show/SequencerPanel.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>

using namespace pluviane;
using namespace pluviane::test;

namespace {

// A program whose presets live in a settings file of the test's own.
struct PresetProgram : Program {
    PresetProgram()
        : main(windows->main()), editor(windows->editor()), presets(main.presets()),
          ini(dir.filePath("config/plv.ini"))
    {
        auto fake = std::make_unique<FakePrompter>();
        prompter = fake.get();
        editor.fileCommands().setPrompter(std::move(fake));
        presets.setSettingsPath(ini);
    }
    void set(const char* key, const QString& value)
    {
        ASSERT_TRUE(writeProfileString(ini, "Konveir", key, value).ok);
    }
    QString get(const char* key) { return readProfileString(ini, "Konveir", key, "<none>"); }
    QString text(const char* name) { return control<QLabel>(&main, name)->text(); }
    QLineEdit* cost(int slot)
    {
        return main.findChild<QLineEdit*>(QStringLiteral("EditCost%1").arg(slot));
    }

    QTemporaryDir dir;
    MainWindow& main;
    EditorWindow& editor;
    PresetList& presets;
    QString ini;
    FakePrompter* prompter = nullptr;
};

} // namespace

TEST(PresetList, ControlsAndTheRefreshFromAMissingOrPartialFile)
{
    PresetProgram p;
    EXPECT_EQ(control<QPushButton>(&p.main, "SpeedButtonView1")->text(), "Театр1");
    auto* last = control<QPushButton>(&p.main, "SpeedButtonView14");
    EXPECT_EQ(last->text(), "Слава7");
    EXPECT_EQ(last->toolTip(), "Правая кнопка записывает имена файлов фонтана, подложки и  ");
    EXPECT_EQ(last->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(control<QPushButton>(&p.main, "SpeedButtonRec9")->text(), "Записать для кнопки  9");
    EXPECT_EQ(control<QPushButton>(&p.main, "SpeedButtonRec13")->text(), "Записать для кнопки  13 ");
    EXPECT_TRUE(control<QCheckBox>(&p.main, "CheckBoxrec")->isChecked());
    EXPECT_EQ(p.text("LabelSmetam"), "По смете : ");
    EXPECT_EQ(p.presets.timerCreate().interval(), 3000);
    EXPECT_TRUE(p.presets.timerCreate().isActive());

    // "INI" on the bowl tab shows the panel and refreshes it from no file.
    control<QPushButton>(&p.editor, "SpeedButton12")->click();
    EXPECT_TRUE(control<QGroupBox>(&p.main, "GroupBox1")->isVisibleTo(&p.main));
    const QStringList memo = control<QPlainTextEdit>(&p.main, "MemoIni")->toPlainText().split('\n');
    ASSERT_EQ(memo.size(), 28);
    EXPECT_EQ(memo.front(), "View 1 = noFile1");
    EXPECT_EQ(memo[1], "Picture 1 = noPic1");
    EXPECT_EQ(memo.back(), "Picture 14 = noPic14");
    for (int slot = 1; slot <= 14; ++slot)
        EXPECT_EQ(p.cost(slot)->text(), "no Cost");
    EXPECT_FALSE(QFileInfo::exists(p.ini)) << "a refresh writes nothing";

    p.set("File2_c", "");
    p.set("file2_F", "/x.wat");
    control<QPushButton>(&p.main, "SpeedButtonUpDateINI")->click();
    EXPECT_EQ(p.cost(2)->text(), "");
    EXPECT_EQ(control<QPlainTextEdit>(&p.main, "MemoIni")->toPlainText().split('\n')[2],
              "View 2 = /x.wat");
}

TEST(PresetList, SlotAndStartUpLoadsTakeOnlyWhatIsThere)
{
    PresetProgram p;
    const QString classic = examplePath("classic_round.wat");
    p.set("File1_f", classic);
    p.presets.TimerCreateTimer(); // slot keys are not the start-up keys
    EXPECT_EQ(nozzleCount(*p.state), 0);
    EXPECT_FALSE(p.presets.timerCreate().isActive());

    p.set("File01_f", classic);
    p.set("File01_c", "1 000 000");
    p.presets.TimerCreateTimer();
    EXPECT_EQ(nozzleCount(*p.state), 50);
    EXPECT_EQ(p.text("LabelSmetam"), "По смете : 1 000 000");
    EXPECT_EQ(p.text("Labelforsunok"), "Форсунок всего : 50");

    p.set("File2_f", examplePath("square.wat"));
    p.set("File2_c", "");
    control<QPushButton>(&p.main, "SpeedButtonView2")->click();
    EXPECT_EQ(nozzleCount(*p.state), 38);
    EXPECT_EQ(p.text("LabelSmetam"), "По смете : ");
    EXPECT_EQ(p.editor.windowTitle(), "square.wat");

    // A fountain gone from its place is told, and the cost on screen stays
    // that of the fountain on screen; missing keys load nothing and say nothing.
    p.set("File3_f", p.dir.filePath("gone.wat"));
    p.set("File3_c", "3 000");
    p.presets.IniReadButton("3");
    ASSERT_EQ(p.prompter->messages.size(), 1u);
    EXPECT_TRUE(p.prompter->messages[0].text.contains("gone.wat"));
    EXPECT_EQ(p.text("LabelSmetam"), "По смете : ");
    p.presets.IniReadButton("9");
    EXPECT_EQ(nozzleCount(*p.state), 38);
    EXPECT_EQ(p.text("LabelSmetam"), "По смете : no Cost");
    EXPECT_EQ(p.prompter->messages.size(), 1u);

    // A file that does not load keeps the cost too.
    writeBytes(p.dir.filePath("long.wat"), QByteArray(64001, '\x0f'));
    p.set("File4_f", p.dir.filePath("long.wat"));
    p.set("File4_c", "4 000");
    p.presets.IniReadButton("4");
    EXPECT_EQ(p.prompter->messages.size(), 2u);
    EXPECT_EQ(p.text("LabelSmetam"), "По смете : no Cost");
}

TEST(PresetList, RecordingStoresOnlyWhatTheUserChose)
{
    PresetProgram p;
    auto* saveFirst = control<QCheckBox>(&p.main, "CheckBoxrec");
    saveFirst->setChecked(false);
    p.presets.IniSaveButton("4", "");
    EXPECT_EQ(readBytes(p.ini), "[Konveir]\nFile4_c=\n");
    EXPECT_EQ(p.prompter->saveAsked, 0);

    // A picture from a slot is not the user's choice; one from "Подложка" is.
    const QString picture = p.dir.filePath("back.jpg");
    writeBytes(picture, "not really a picture");
    p.set("File5_t", picture);
    p.presets.IniReadButton("5");
    p.presets.IniSaveButton("6", "a");
    EXPECT_EQ(p.get("File6_t"), "<none>");
    p.editor.bowlTab().useBackdropPicture(picture);
    const QString mine = p.dir.filePath("mine.wat");
    ASSERT_TRUE(QFile::copy(examplePath("spiral.wat"), mine));
    p.prompter->openNames.push_back(mine);
    p.editor.fileCommands().SpeedButtonOpenFontanClick();
    p.cost(6)->setText("12 руб.");
    control<QPushButton>(&p.main, "SpeedButtonRec6")->click();
    EXPECT_EQ(p.get("File6_t"), picture);
    EXPECT_EQ(p.get("File6_f"), mine);
    EXPECT_EQ(readBytes(mine), readBytes(examplePath("spiral.wat"))) << "unchecked: not saved";
    EXPECT_EQ(p.get("File6_c"), "12 руб.");
    EXPECT_EQ(p.get("File4_c"), "");

    // Checked, the fountain is saved over its file first.
    saveFirst->setChecked(true);
    control<QScrollBar>(&p.editor, "ScrollBarCupWidthX")->setValue(40);
    p.presets.IniSaveButton("7", "b");
    EXPECT_NE(readBytes(mine), readBytes(examplePath("spiral.wat")));
    EXPECT_EQ(p.get("File7_f"), mine);

    // A refused write says so, stops, and keeps every stored slot.
    saveFirst->setChecked(false);
    const QByteArray before = readBytes(p.ini);
    ASSERT_TRUE(QDir().mkpath(p.ini + ".blocked"));
    p.presets.setSettingsPath(p.ini + ".blocked");
    p.cost(8)->setText("typed");
    p.presets.IniSaveButton("8", "typed");
    ASSERT_EQ(p.prompter->messages.size(), 1u);
    EXPECT_TRUE(p.prompter->messages[0].text.startsWith("Не удаётся записать в " + p.ini + ".blocked"));
    EXPECT_EQ(p.cost(8)->text(), "typed") << "the panel is not refreshed";
    EXPECT_EQ(readBytes(p.ini), before);
}

TEST(PresetList, FirstStartPutsCopiesOfTheExamplesOnTheButtonsAndALongCostElides)
{
    PresetProgram p;
    const QString examples = QFileInfo(examplePath("classic_round.wat")).absolutePath();
    FirstStartPlaces places{p.ini, examples, p.dir.filePath("data/pluviane/examples")};
    ASSERT_EQ(prepareFirstStart(places), "");
    const QString copy = places.examplesTo + "/square.wat";
    EXPECT_EQ(p.get("File2_f"), copy);
    EXPECT_EQ(p.get("File01_f"), places.examplesTo + "/classic_round.wat");
    EXPECT_EQ(readBytes(copy), readBytes(examplePath("square.wat")));
    // The song example comes with its music, which its track names beside it.
    EXPECT_EQ(p.get("File4_f"), places.examplesTo + "/song_round.wat");
    EXPECT_EQ(readBytes(places.examplesTo + "/song_round.flac"), readBytes(examples + "/song_round.flac"));
    p.presets.TimerCreateTimer();
    EXPECT_EQ(nozzleCount(*p.state), 50);
    EXPECT_TRUE(p.editor.fileCommands().currentFileName().startsWith(places.examplesTo));

    // An existing settings file, even an empty one, is the user's.
    writeBytes(p.ini, "");
    ASSERT_EQ(prepareFirstStart(places), "");
    EXPECT_EQ(readBytes(p.ini), "");

    p.main.show();
    const int width = p.main.width();
    const QString cost = QString(570, QChar(u'Ж'));
    p.set("File1_c", cost);
    control<QPushButton>(&p.main, "SpeedButtonView1")->click();
    auto* label = control<QLabel>(&p.main, "LabelSmetam");
    EXPECT_EQ(p.main.width(), width);
    EXPECT_TRUE(label->text().endsWith(QChar(0x2026))) << label->text().toStdString();
    EXPECT_EQ(label->toolTip(), "По смете : " + cost);
}

TEST(PresetList, AChangedFountainAsksBeforeItGoesAndCancelKeepsEverything)
{
    PresetProgram p;
    FileCommands& files = p.editor.fileCommands();
    const QString a = p.dir.filePath("a.wat");
    const QString b = p.dir.filePath("b.wat");
    ASSERT_TRUE(QFile::copy(examplePath("square.wat"), a));
    ASSERT_TRUE(QFile::copy(examplePath("spiral.wat"), b));
    p.set("File1_f", b);
    p.set("File1_c", "100");
    auto* cup = control<QScrollBar>(&p.editor, "ScrollBarCupWidthX");
    auto open = [&](const QString& path) {
        p.prompter->openNames.push_back(path);
        files.SpeedButtonOpenFontanClick();
    };

    // Unchanged: no question anywhere.
    open(a);
    p.presets.IniReadButton("1");
    EXPECT_EQ(files.currentFileName(), b);
    open(a);
    EXPECT_TRUE(p.prompter->saveQuestions.isEmpty());

    cup->setValue(60);
    files.history().commitStep();
    EXPECT_EQ(p.editor.windowTitle(), "a.wat*");
    p.set("File1_c", "200");
    const QString question = QStringLiteral("Сохранить изменения в файле a.wat?");
    const int opened = p.prompter->openAsked;
    for (int i = 0; i < 5; ++i)
        p.prompter->saveAnswers.push_back(SaveAnswer::Cancel);
    p.presets.IniReadButton("1");
    files.SpeedButtonNewClick();
    files.SpeedButtonOpenFontanClick();
    p.editor.automatTab().sequencer().SpeedButtonOpenFormColorClick();
    EXPECT_FALSE(p.main.close());
    EXPECT_EQ(p.prompter->saveQuestions, QStringList(5, question));
    EXPECT_EQ(p.prompter->openAsked, opened);
    EXPECT_EQ(p.text("LabelSmetam"), "По смете : 100");
    EXPECT_EQ(files.currentFileName(), a);
    EXPECT_EQ(cup->value(), 60);
    EXPECT_EQ(readBytes(a), readBytes(examplePath("square.wat")));

    // No goes on without saving; Yes saves first.
    p.prompter->saveAnswers.push_back(SaveAnswer::No);
    p.presets.IniReadButton("1");
    EXPECT_EQ(files.currentFileName(), b);
    EXPECT_EQ(readBytes(a), readBytes(examplePath("square.wat")));
    cup->setValue(70);
    p.prompter->saveAnswers.push_back(SaveAnswer::Yes);
    open(a);
    EXPECT_EQ(files.currentFileName(), a);
    open(b);
    EXPECT_EQ(cup->value(), 70) << "b was saved before a was opened";

    // Unnamed, Yes asks for a name; cancelling it cancels the load.
    files.SpeedButtonNewClick();
    cup->setValue(80);
    p.prompter->saveAnswers.push_back(SaveAnswer::Yes);
    p.presets.IniReadButton("1");
    EXPECT_EQ(p.prompter->saveQuestions.back(), QStringLiteral("Сохранить изменения?"));
    EXPECT_EQ(cup->value(), 80);
    EXPECT_TRUE(files.currentFileName().isEmpty());
}

TEST(PresetList, ARecordedSlotLoadsTheFountainThatWasOnScreen)
{
    PresetProgram p;
    FileCommands& files = p.editor.fileCommands();
    // Right after start, with "Записывать и файл" checked: the cost only, nothing asked.
    p.presets.IniSaveButton("2", "x");
    EXPECT_EQ(readBytes(p.ini), "[Konveir]\nFile2_c=x\n");
    EXPECT_EQ(p.prompter->saveAsked, 0);

    const QString a = p.dir.filePath("a.wat");
    const QString b = p.dir.filePath("b.wat");
    ASSERT_TRUE(QFile::copy(examplePath("square.wat"), a));
    ASSERT_TRUE(QFile::copy(examplePath("spiral.wat"), b));
    p.prompter->openNames.push_back(a);
    files.SpeedButtonOpenFontanClick();
    p.set("File3_f", b);
    p.presets.IniReadButton("3");
    auto* cup = control<QScrollBar>(&p.editor, "ScrollBarCupWidthX");
    cup->setValue(90);
    p.presets.IniSaveButton("4", "y");
    EXPECT_EQ(p.get("File4_f"), b) << "the fountain on screen, not the open dialog's choice";
    cup->setValue(30);
    p.presets.IniReadButton("4");
    EXPECT_EQ(cup->value(), 90);

    // A cancelled save records nothing.
    files.SpeedButtonNewClick();
    cup->setValue(50);
    p.presets.IniSaveButton("5", "z");
    EXPECT_EQ(p.prompter->saveAsked, 1);
    EXPECT_EQ(p.get("File5_c"), "<none>");

    // A name the settings file would read back otherwise is refused whole.
    const QString broken = p.dir.filePath("line\nbreak.wat");
    ASSERT_TRUE(QFile::copy(a, broken));
    p.set("File6_c", "old");
    p.prompter->openNames.push_back(broken);
    files.SpeedButtonOpenFontanClick();
    p.presets.IniSaveButton("6", "new");
    ASSERT_FALSE(p.prompter->messages.empty());
    EXPECT_TRUE(p.prompter->messages.back().text.contains("break.wat"));
    EXPECT_EQ(p.get("File6_c"), "old");
    EXPECT_EQ(p.get("File6_f"), "<none>");
}
