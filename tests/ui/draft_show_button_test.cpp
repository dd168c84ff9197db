#include "FileTestSupport.h"
#include "SynthSong.h"

#include "app/AppWindows.h"
#include "editor/AutomatTab.h"
#include "editor/EditorWindow.h"
#include "editor/FileCommands.h"
#include "show/MusicPanel.h"
#include "show/RecorderWindow.h"
#include "show/TimelineWindow.h"

#include <QComboBox>
#include <QLabel>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace pluviane;
using namespace pluviane::test;

// The draft button drafts for the music the panel holds, asks before it
// replaces a track, and leaves an ordinary track the undo takes back.
TEST(DraftShowButton, DraftsForTheLoadedMusicAndAsksBeforeReplacingATrack)
{
    Program program;
    EditorWindow& editor = program.windows->editor();
    auto fake = std::make_unique<FakePrompter>();
    FakePrompter* prompter = fake.get();
    editor.fileCommands().setPrompter(std::move(fake));
    ASSERT_TRUE(editor.fileCommands().OpenFontanFile(examplePath("classic_round.wat")));
    auto* button = control<QToolButton>(&program.windows->timeline(), "SpeedButtonDraftShow");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), QStringLiteral("Черновик по музыке"));

    button->click();
    ASSERT_EQ(prompter->messages.size(), 1u) << "no music loaded";
    EXPECT_TRUE(program.state->Track.cues.empty());

    QTemporaryDir dir;
    const QString song = dir.filePath(QStringLiteral("song.wav"));
    const SynthSong synth = synthesiseSong(2.0, {{4, 120, 0.1f, false}, {4, 120, 0.7f, true}});
    ASSERT_TRUE(writeWav(song, synth.samples, synth.rate));
    MusicPanel& music = editor.automatTab().music();
    QSignalSpy opened(&music, &MusicPanel::soundFileOpened);
    music.openSoundFile(song);
    ASSERT_TRUE(opened.wait(10000));
    button->click();
    const std::vector<ShowCue> drafted = program.state->Track.cues;
    ASSERT_GE(drafted.size(), 10u);
    EXPECT_EQ(program.state->Track.musicName, QFileInfo(song).absoluteFilePath());
    EXPECT_TRUE(editor.statusBar()->currentMessage().contains(QStringLiteral("Темп 120.0")))
        << editor.statusBar()->currentMessage().toStdString();
    // The timeline shows the tempo of the same analysis.
    EXPECT_EQ(control<QLabel>(&program.windows->timeline(), "LabelTempo")->text(), QStringLiteral("120.0 уд/мин"));
    auto* density = control<QComboBox>(&program.windows->timeline(), "ComboBoxDraftDensity");
    ASSERT_NE(density, nullptr);
    EXPECT_EQ(density->currentIndex(), 1) << "medium by default";
    const int forms = program.windows->recorder().formCountBar()->value();
    for (const ShowCue& c : drafted)
        EXPECT_LE(c.form, forms);

    program.state->Track.cues = {{0, 1, 0}};
    prompter->answers = {false, true};
    button->click();
    EXPECT_EQ(program.state->Track.cues, (std::vector<ShowCue>{{0, 1, 0}})) << "answered No";
    button->click();
    EXPECT_EQ(program.state->Track.cues, drafted) << "answered Yes";
    EXPECT_EQ(prompter->questions, 2);

    editor.fileCommands().SpeedButtonUndoClick();
    EXPECT_TRUE(program.state->Track.cues.empty());
}
