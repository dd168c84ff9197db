#include "FileTestSupport.h"

#include "app/MainWindow.h"
#include "app/PresetList.h"
#include "editor/AutomatTab.h"
#include "editor/EditHistory.h"
#include "editor/EditorWindow.h"
#include "editor/FileCommands.h"
#include "editor/ManualTab.h"
#include "model/ColorChange.h"
#include "model/SaveBuffer.h"
#include "show/RecorderWindow.h"
#include "show/SequencerPanel.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QUndoStack>

using namespace pluviane;
using namespace pluviane::test;

namespace {

// A program whose dialogs answer from the test.
struct ShowProgram : Program {
    ShowProgram()
    {
        auto fake = std::make_unique<FakePrompter>();
        prompter = fake.get();
        editor.fileCommands().setPrompter(std::move(fake));
    }

    void ticks(int count, void (SequencerPanel::*tick)())
    {
        for (int i = 0; i < count; ++i)
            (seq.*tick)();
    }

    EditorWindow& editor = windows->editor();
    RecorderWindow& rec = windows->recorder();
    SequencerPanel& seq = editor.automatTab().sequencer();
    ManualTab& manual = editor.manualTab();
    FakePrompter* prompter = nullptr;
};

QString labelText(const QWidget* root, const char* name) { return control<QLabel>(root, name)->text(); }

} // namespace

TEST(ShowControls, StartAsDesignedAndAreNamedForAutomation)
{
    ShowProgram p;
    EXPECT_EQ(p.rec.windowTitle(),
              QStringLiteral("Запись и редактирование форм струй и  цвета - яркости софитов"));
    EXPECT_EQ(labelText(&p.rec, "Labelnform"), QStringLiteral("Номер формы 1"));
    EXPECT_EQ(labelText(&p.rec, "LabelmaxScen"), QStringLiteral("Всего сцен 3"));
    EXPECT_EQ(p.rec.formCountBar()->minimum(), 3);
    EXPECT_EQ(p.rec.pressureBar(12)->value(), 255);
    EXPECT_EQ(p.rec.pressureBar(12)->pageStep(), 10);
    EXPECT_EQ(p.rec.pressureBar(13), nullptr);
    EXPECT_EQ(control<QScrollBar>(&p.rec, "ScrollBarAcsel12"), p.rec.riseRateBar(12));
    EXPECT_EQ(p.rec.recordFormNextButton()->text(), QStringLiteral("Rec +1+ copy"));

    // Both stop buttons down, both timers ticking at the show's pace.
    EXPECT_TRUE(p.seq.stopFormButton()->isChecked());
    EXPECT_TRUE(p.seq.stopColourButton()->isChecked());
    EXPECT_FALSE(p.seq.playFormButton()->isChecked());
    for (const char* name : {"TimerSmenaForm", "TimerSmenaColor"}) {
        auto* timer = control<QTimer>(&p.editor, name);
        EXPECT_TRUE(timer->isActive());
        EXPECT_EQ(timer->interval(), kShowTickMs);
    }
    EXPECT_EQ(control<QGroupBox>(&p.editor, "GroupBox2")->title(), QStringLiteral(" Сцена N 01 "));
    EXPECT_EQ(control<QScrollBar>(&p.editor, "ScrollBarLen")->value(), 50);

    // Labels that show only a number are still found by their name.
    const std::pair<QWidget*, const char*> named[] = {
        {&p.editor, "LabelDeltaForm"}, {&p.editor, "Labelhjf"}, {&p.editor, "GroupBoxForm"},
        {&p.editor, "GroupBox2"},      {&p.rec, "Labelnform"},   {&p.windows->main(), "Labelforsunok"}};
    for (auto [root, name] : named)
        EXPECT_EQ(control<QWidget>(root, name)->accessibleDescription(), QString::fromLatin1(name));
    control<QScrollBar>(&p.editor, "ScrollBarKolvIspGr")->setValue(4);
    EXPECT_EQ(labelText(&p.editor, "LabelKolvoRabForm"), QStringLiteral("Cкорость смены цвета 4"));
}

TEST(Recorder, BarsDriveTheEditorAndNumbersRaiseTheirCounts)
{
    ShowProgram p;
    // The all-groups bar records the whole row and, with stop down, shows it.
    p.rec.allPressureBar()->setValue(100);
    for (int c = 0; c < 16; ++c)
        EXPECT_EQ(p.state->FormPressure[1][c], 100) << c;
    for (int g = 1; g <= 12; ++g) {
        EXPECT_EQ(p.rec.pressureBar(g)->value(), 100);
        EXPECT_EQ(p.manual.levelFader(g)->value(), 155);
        EXPECT_EQ(p.state->GroupLevel[g], 155);
    }
    p.rec.sceneNumberBar()->setValue(9);
    EXPECT_EQ(p.rec.sceneCountBar()->value(), 9);
    EXPECT_EQ(labelText(&p.rec, "LabelmaxScen"), QStringLiteral("Всего сцен 9"));
    p.rec.formNumberBar()->setValue(9);
    EXPECT_EQ(p.rec.formCountBar()->value(), 10);

    // "Record": forms raise the count at n >= count, scenes only at s > count.
    p.rec.formNumberBar()->setValue(5);
    p.rec.formCountBar()->setValue(5);
    p.rec.pressureBar(2)->setValue(7);
    p.rec.riseRateBar(2)->setValue(8);
    p.rec.recordFormButton()->click();
    EXPECT_EQ(p.rec.formCountBar()->value(), 6);
    EXPECT_EQ(p.state->FormPressure[5][2], 7);
    EXPECT_EQ(p.state->FormAccel[5][2], 8);
    p.rec.sceneNumberBar()->setValue(5);
    p.rec.sceneCountBar()->setValue(5);
    p.rec.colourBar(3)->setValue(40);
    EXPECT_EQ(p.manual.colourFader(3)->value(), 215);
    p.rec.recordSceneButton()->click();
    EXPECT_EQ(p.rec.sceneCountBar()->value(), 5);
    EXPECT_EQ(p.state->SceneColour[5][3], 40);

    // Moving the all-colour bar records nothing: leaving and coming back
    // restores the recorded colours. Groups without a bar show a stored value
    // as a bar would.
    p.rec.allColourBar()->setValue(0);
    EXPECT_EQ(p.rec.colourBar(3)->value(), 0);
    p.state->SceneColour[5][14] = 96;
    p.rec.sceneNumberBar()->setValue(4);
    p.rec.sceneNumberBar()->setValue(5);
    EXPECT_EQ(p.rec.colourBar(3)->value(), 40);
    const Rgb stored = groupColourOf(255 - 96, p.manual.saturationBar()->value(),
                                     p.manual.brightnessBar()->value());
    EXPECT_EQ(p.state->GroupColour[14], (std::array<Byte, 4>{stored.r, stored.g, stored.b, 255}));

    // Showing the window re-applies the current form and scene.
    p.rec.allColourBar()->setValue(200);
    p.rec.pressureBar(2)->setValue(90);
    p.rec.show();
    EXPECT_EQ(p.rec.colourBar(3)->value(), 40);
    EXPECT_EQ(p.rec.pressureBar(2)->value(), 7);
}

TEST(Recorder, RecNextStopsAdvancingAt250AndStaysInTheTableAt255)
{
    ShowProgram p;
    p.rec.sceneNumberBar()->setValue(250);
    p.rec.colourBar(1)->setValue(77);
    p.rec.recordSceneNextButton()->click();
    EXPECT_EQ(p.state->SceneColour[250][1], 77);
    EXPECT_EQ(p.state->SceneColour[251][1], 77);
    EXPECT_EQ(p.rec.sceneNumberBar()->value(), 250);

    p.rec.sceneNumberBar()->setValue(249);
    p.rec.colourBar(1)->setValue(5);
    p.rec.recordSceneNextButton()->click();
    EXPECT_EQ(p.rec.sceneNumberBar()->value(), 250);
    EXPECT_EQ(p.rec.colourBar(1)->value(), 5); // the copy comes back

    p.rec.pressureBar(4)->setValue(60);
    p.rec.formNumberBar()->setValue(255);
    p.rec.pressureBar(4)->setValue(60);
    p.rec.recordFormNextButton()->click();
    EXPECT_EQ(p.state->FormPressure[255][4], 60);
    EXPECT_EQ(p.rec.formNumberBar()->value(), 255);
    EXPECT_EQ(p.rec.formCountBar()->value(), 255);
    p.rec.sceneNumberBar()->setValue(255);
    p.rec.recordSceneNextButton()->click();
    EXPECT_EQ(p.rec.sceneNumberBar()->value(), 255);
}

TEST(FormSequencer, PlaysFormsInTurnThroughRecorderAndFaders)
{
    ShowProgram p;
    for (int g = 1; g <= 12; ++g) {
        p.state->FormPressure[1][g] = 55;
        p.state->FormPressure[2][g] = 255;
    }
    p.seq.formLengthBar()->setValue(10);
    p.seq.rampStepBar()->setValue(50);
    p.manual.levelFader(1)->setValue(255);
    p.seq.playFormButton()->click();
    EXPECT_FALSE(p.seq.stopFormButton()->isChecked());
    EXPECT_EQ(p.state->GroupLevel[1], 0); // a start at form 1 begins dry

    p.ticks(1, &SequencerPanel::TimerSmenaFormTimer);
    EXPECT_EQ(p.rec.pressureBar(1)->value(), 205);
    EXPECT_EQ(p.state->GroupLevel[1], 50);
    p.ticks(3, &SequencerPanel::TimerSmenaFormTimer);
    EXPECT_EQ(p.state->GroupLevel[12], 200);
    EXPECT_EQ(labelText(&p.editor, "LabelDeltaForm"), QStringLiteral("5"));

    // Ten ticks a form; a count of 3 plays 1, 2, 3, 1.
    std::vector<int> forms;
    for (int i = 0; i < 4; ++i) {
        p.ticks(i == 0 ? 6 : 10, &SequencerPanel::TimerSmenaFormTimer);
        forms.push_back(p.seq.currentForm());
    }
    EXPECT_EQ(forms, (std::vector<int>{2, 3, 1, 2}));
    EXPECT_EQ(control<QGroupBox>(&p.editor, "GroupBoxForm")->title(), QStringLiteral(" Форма 2"));

    // A count lowered below the current form sends the next change to 1.
    p.rec.formCountBar()->setValue(10);
    p.ticks(20, &SequencerPanel::TimerSmenaFormTimer);
    EXPECT_EQ(p.seq.currentForm(), 4);
    p.rec.formCountBar()->setValue(3);
    p.ticks(10, &SequencerPanel::TimerSmenaFormTimer);
    EXPECT_EQ(p.seq.currentForm(), 1);

    // Stopping freezes everything; play at another form resumes without a drop.
    p.ticks(10, &SequencerPanel::TimerSmenaFormTimer);
    p.seq.stopFormButton()->click();
    EXPECT_FALSE(p.seq.playFormButton()->isChecked());
    const Byte level = p.state->GroupLevel[1];
    p.ticks(5, &SequencerPanel::TimerSmenaFormTimer);
    EXPECT_EQ(p.state->GroupLevel[1], level);
    p.seq.playFormButton()->click();
    EXPECT_EQ(p.state->GroupLevel[1], level);

    // A new fountain puts stop down from code, which releases play.
    p.editor.fileCommands().SpeedButtonNewClick();
    EXPECT_FALSE(p.seq.playFormButton()->isChecked());
    p.seq.startFormButton()->click();
    EXPECT_EQ(p.seq.currentForm(), 1);
}

TEST(ColourSequencer, StepsFadersToTheRecordedColoursAndChangesScenes)
{
    ShowProgram p;
    p.state->SceneColour[1][1] = 100; // the fader showed 155
    p.state->SceneColour[1][2] = 0;
    p.seq.colourStepBar()->setValue(3);
    p.seq.sceneLengthBar()->setValue(10);
    p.manual.colourFader(1)->setValue(150);
    p.seq.playColourButton()->click();

    std::vector<int> first;
    for (int i = 0; i < 3; ++i) {
        p.ticks(1, &SequencerPanel::TimerSmenaColorTimer);
        first.push_back(p.manual.colourFader(1)->value());
    }
    EXPECT_EQ(first, (std::vector<int>{153, 155, 155})); // arrives and rests
    EXPECT_EQ(p.manual.colourFader(2)->value(), 255);

    // Nine ticks a scene at 10: the ninth changes the scene instead of stepping.
    p.ticks(5, &SequencerPanel::TimerSmenaColorTimer);
    EXPECT_EQ(p.rec.sceneNumberBar()->value(), 1);
    p.ticks(1, &SequencerPanel::TimerSmenaColorTimer);
    EXPECT_EQ(p.rec.sceneNumberBar()->value(), 2);
    EXPECT_EQ(control<QGroupBox>(&p.editor, "GroupBox2")->title(), QStringLiteral("  Сцена  2"));
    p.ticks(18, &SequencerPanel::TimerSmenaColorTimer);
    EXPECT_EQ(p.rec.sceneNumberBar()->value(), 1); // count 3: 1, 2, 3, 1

    p.seq.startColourButton()->click();
    EXPECT_EQ(p.rec.sceneNumberBar()->value(), 1);
    p.seq.playColourButton()->click(); // released: both buttons of the pair up
    EXPECT_FALSE(p.seq.playColourButton()->isChecked());
    EXPECT_FALSE(p.seq.stopColourButton()->isChecked());
    const int held = p.manual.colourFader(1)->value();
    p.ticks(4, &SequencerPanel::TimerSmenaColorTimer);
    EXPECT_EQ(p.manual.colourFader(1)->value(), held);
}

// What the designer saw while recording is what the show plays: the colours
// of every scene (also of a group whose bar stays put between scenes) and the
// first form's levels when play starts with the recorder showing that form.
TEST(ShowPlayback, PlaysTheColoursAndTheFirstFormAsRecorded)
{
    ShowProgram p;
    using Colour = std::array<Byte, 4>;
    // Groups 3 (stepped by the colour sequencer) and 7 keep their bars where
    // they start: they keep the colour they start with, in every scene.
    const Colour untouched = p.state->GroupColour[3];
    ASSERT_EQ(p.rec.colourBar(3)->value(), 255);
    p.rec.colourBar(1)->setValue(40);
    p.rec.colourBar(5)->setValue(100);
    const Colour first1 = p.state->GroupColour[1];
    const Colour seen5 = p.state->GroupColour[5];
    p.rec.recordSceneNextButton()->click();
    p.rec.colourBar(1)->setValue(180);
    const Colour second1 = p.state->GroupColour[1];
    p.rec.recordSceneNextButton()->click(); // scene 3 is a copy of 2
    for (int g = 1; g <= 12; ++g)
        p.rec.pressureBar(g)->setValue(205);
    p.rec.formNumberBar()->setValue(1);
    p.rec.recordFormButton()->click();

    p.seq.rampStepBar()->setValue(50);
    p.seq.playFormButton()->click();
    for (int tick = 0; tick < 5; ++tick) {
        p.ticks(1, &SequencerPanel::TimerSmenaFormTimer);
        for (int g = 1; g <= 12; ++g)
            ASSERT_EQ(p.state->GroupLevel[g], 50) << "group " << g << ", tick " << tick;
    }

    p.seq.startColourButton()->click();
    EXPECT_EQ(p.state->GroupColour[1], first1);
    EXPECT_EQ(p.state->GroupColour[5], seen5);
    p.seq.colourStepBar()->setValue(10);
    p.seq.sceneLengthBar()->setValue(10);
    p.manual.colourFader(1)->setValue(200); // off the scene's colour by hand
    p.seq.playColourButton()->click();
    std::vector<int> faders;
    for (int tick = 0; tick < 4; ++tick) {
        p.ticks(1, &SequencerPanel::TimerSmenaColorTimer);
        faders.push_back(p.manual.colourFader(1)->value());
    }
    EXPECT_EQ(faders, (std::vector<int>{210, 215, 215, 215}));
    EXPECT_EQ(p.state->GroupColour[1], first1);
    p.ticks(5, &SequencerPanel::TimerSmenaColorTimer);
    ASSERT_EQ(p.rec.sceneNumberBar()->value(), 2);
    EXPECT_EQ(p.state->GroupColour[1], second1);
    EXPECT_EQ(p.state->GroupColour[5], seen5);
    p.ticks(9, &SequencerPanel::TimerSmenaColorTimer);
    ASSERT_EQ(p.rec.sceneNumberBar()->value(), 3);
    EXPECT_EQ(p.state->GroupColour[1], second1);
    for (int g : {3, 7})
        EXPECT_EQ(p.state->GroupColour[g], untouched) << "group " << g;
    EXPECT_EQ(p.manual.colourFader(3)->value(), 255);
}

TEST(ShowLoad, TakesOnlyTheShowAndRefusesBadFilesWithoutAChange)
{
    QTemporaryDir dir;
    ShowProgram p;
    QByteArray bytes(64000, '\0');
    bytes[offset::FormPressure + 16 * 2 + 5] = 33;
    bytes[offset::SceneColour + 16 * 4 + 1] = 44;
    bytes[210] = 7;
    bytes[211] = 9;
    bytes[offset::GroupLevel + 1] = 12;
    writeBytes(dir.filePath("show.wat"), bytes);
    writeBytes(dir.filePath("big.wat"), bytes + QByteArray(1, '\0'));

    // Refused: too large, then unreadable; the playing sequencers go on.
    p.seq.playFormButton()->click();
    p.seq.playColourButton()->click();
    const Byte level = p.state->GroupLevel[1];
    p.state->FormPressure[2][5] = 1;
    EXPECT_FALSE(p.seq.loadShowFile(dir.filePath("big.wat")));
    EXPECT_FALSE(p.seq.loadShowFile(dir.filePath("missing.wat")));
    ASSERT_EQ(p.prompter->messages.size(), 2u);
    EXPECT_EQ(p.prompter->messages[0].caption, QStringLiteral("Сообщение"));
    EXPECT_EQ(p.prompter->messages[0].text, QStringLiteral("Ошибка!\r\nФайл большего размера"));
    EXPECT_TRUE(p.prompter->messages[1].text.contains(QStringLiteral("missing.wat")));
    EXPECT_EQ(p.state->FormPressure[2][5], 1);
    EXPECT_EQ(p.rec.formCountBar()->value(), 3);
    EXPECT_TRUE(p.seq.playFormButton()->isChecked());
    EXPECT_TRUE(p.seq.playColourButton()->isChecked());

    // 64000 bytes load through the shared open dialog: the show only, both sequencers stop.
    p.prompter->openNames.push_back(dir.filePath("show.wat"));
    p.seq.openShowButton()->click();
    EXPECT_EQ(p.state->FormPressure[2][5], 33);
    EXPECT_EQ(p.state->SceneColour[4][1], 44);
    EXPECT_EQ(p.rec.sceneCountBar()->value(), 7);
    EXPECT_EQ(p.rec.formCountBar()->value(), 9);
    EXPECT_EQ(p.state->GroupLevel[1], level);
    EXPECT_TRUE(p.seq.stopFormButton()->isChecked());
    EXPECT_TRUE(p.seq.stopColourButton()->isChecked());
    EXPECT_FALSE(p.seq.playColourButton()->isChecked());
}

TEST(ShowFile, ARecordedShowComesBackInAFreshProgram)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("show.wat");
    ShowTable pressure, scenes;
    {
        ShowProgram p;
        for (int form = 1; form <= 3; ++form) {
            for (int g = 1; g <= 12; ++g)
                p.rec.pressureBar(g)->setValue(255 - 20 * form * (g % 4));
            p.rec.recordFormNextButton()->click();
        }
        for (int scene = 1; scene <= 3; ++scene) {
            p.rec.allColourBar()->setValue(60 * scene);
            p.rec.recordSceneNextButton()->click();
        }
        p.seq.rampStepBar()->setValue(20);
        p.seq.formLengthBar()->setValue(300);
        p.seq.colourStepBar()->setValue(5);
        p.seq.sceneLengthBar()->setValue(200);
        pressure = p.state->FormPressure;
        scenes = p.state->SceneColour;
        ASSERT_TRUE(p.editor.fileCommands().SAveFileFontan(path));
    }
    ShowProgram fresh;
    ASSERT_TRUE(fresh.editor.fileCommands().OpenFontanFile(path));
    EXPECT_EQ(fresh.state->FormPressure, pressure);
    EXPECT_EQ(fresh.state->SceneColour, scenes);
    EXPECT_EQ(fresh.rec.formCountBar()->value(), 4);
    EXPECT_EQ(fresh.rec.sceneCountBar()->value(), 4);
    EXPECT_EQ(fresh.seq.rampStepBar()->value(), 20);
    EXPECT_EQ(fresh.seq.formLengthBar()->value(), 44); // one byte: 300 comes back as 44
    EXPECT_EQ(fresh.seq.colourStepBar()->value(), 5);
    EXPECT_EQ(fresh.seq.sceneLengthBar()->value(), 200);
}

TEST(ShowAndFile, APlayingShowNeverChangesTheFountainAndEveryLoadStopsIt)
{
    QTemporaryDir dir;
    ShowProgram p;
    FileCommands& files = p.editor.fileCommands();
    const QString path = dir.filePath("round.wat");
    ASSERT_TRUE(QFile::copy(examplePath("classic_round.wat"), path));
    p.prompter->openNames.push_back(path);
    files.SpeedButtonOpenFontanClick();
    auto play = [&p] {
        p.seq.playFormButton()->click();
        p.seq.playColourButton()->click();
    };
    auto stopped = [&p] { return p.seq.stopFormButton()->isChecked() && p.seq.stopColourButton()->isChecked(); };

    // Levels, colours, faders, the recorder's numbers and the spinning view all move; the design does not.
    play();
    p.ticks(400, &SequencerPanel::TimerSmenaFormTimer);
    p.ticks(400, &SequencerPanel::TimerSmenaColorTimer);
    p.rec.show();
    p.state->ViewAngleY += 33;
    EXPECT_FALSE(files.isChanged());
    files.history().commitStep();
    EXPECT_EQ(files.history().stack().count(), 0);
    EXPECT_EQ(p.editor.windowTitle(), "round.wat");
    files.SpeedButtonNewClick();
    EXPECT_TRUE(p.prompter->saveQuestions.isEmpty());

    // Open, a preset and the start-up load each put both sequencers down,
    // the start-up one without a question even for a changed fountain.
    play();
    p.prompter->openNames.push_back(path);
    files.SpeedButtonOpenFontanClick();
    EXPECT_TRUE(stopped());
    const QString ini = dir.filePath("plv.ini");
    writeBytes(ini, ("[Konveir]\nFile1_f=" + path + "\nFile01_f=" + path + "\n").toUtf8());
    MainWindow& main = p.windows->main();
    main.presets().setSettingsPath(ini);
    play();
    main.presets().IniReadButton("1");
    EXPECT_TRUE(stopped());
    play();
    p.rec.formCountBar()->setValue(20);
    main.presets().TimerCreateTimer();
    EXPECT_TRUE(stopped());
    EXPECT_TRUE(p.prompter->saveQuestions.isEmpty());
}
