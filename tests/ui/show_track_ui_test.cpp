#include "FileTestSupport.h"

#include "editor/AutomatTab.h"
#include "editor/EditHistory.h"
#include "editor/EditorWindow.h"
#include "editor/FileCommands.h"
#include "model/FountainFile.h"
#include "model/ShowTrack.h"
#include "music/BeatTracker.h"
#include "music/MusicDecoder.h"
#include "show/ExportPanel.h"
#include "show/MusicPanel.h"
#include "show/RecorderWindow.h"
#include "show/SequencerPanel.h"
#include "show/SoundPlayer.h"
#include "show/CueTable.h"
#include "show/TimelineView.h"
#include "show/TimelineWindow.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <QToolBar>
#include <QToolButton>

#include <cmath>
#include <optional>

using namespace pluviane;
using namespace pluviane::test;

namespace {

struct TrackProgram : Program {
    TrackProgram()
    {
        auto fake = std::make_unique<FakePrompter>();
        prompter = fake.get();
        files.setPrompter(std::move(fake));
    }
    QString status() { return editor.statusBar()->currentMessage(); }
    QString path(const char* name) { return dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir;
    EditorWindow& editor = windows->editor();
    FileCommands& files = editor.fileCommands();
    RecorderWindow& rec = windows->recorder();
    SequencerPanel& seq = editor.automatTab().sequencer();
    TimelineWindow& timeline = windows->timeline();
    FakePrompter* prompter = nullptr;
};

// A player that opens anything at once and plays when told.
struct FakePlayer : SoundPlayer {
    void open(const QString&) override { emit opened(); }
    qint64 length() const override { return 20000; }
    qint64 position() const override { return pos; }
    bool playing() const override { return isPlaying; }
    void play() override { isPlaying = true; }
    void stop() override { isPlaying = false; }
    void seek(qint64 position) override { pos = position; }
    qint64 pos = 0;
    bool isPlaying = false;
};

// 16-bit mono WAV at 22.05 kHz: a noise burst every half second over a hum.
QByteArray beatWav(double seconds)
{
    const int rate = 22050;
    QByteArray data;
    std::uint32_t noise = 7;
    for (int i = 0; i < int(seconds * rate); ++i) {
        const double t = double(i) / rate, inBeat = std::fmod(t, 0.5);
        noise = noise * 1664525u + 1013904223u;
        const double white = double(noise >> 8) / double(1 << 24) * 2 - 1;
        const int v = int(12000 * (0.8 * white * std::exp(-inBeat * 40) + 0.1 * std::sin(2 * M_PI * 110 * t)));
        data.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF));
    }
    auto u32 = [](std::uint32_t v) { return QByteArray(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [](std::uint16_t v) { return QByteArray(reinterpret_cast<const char*>(&v), 2); };
    return "RIFF" + u32(36 + std::uint32_t(data.size())) + "WAVEfmt " + u32(16) + u16(1) + u16(1) + u32(rate) +
           u32(rate * 2) + u16(2) + u16(16) + "data" + u32(std::uint32_t(data.size())) + data;
}

} // namespace

TEST(TrackFile, RoundTripsThroughSaveOpenUndoAndTheShowLoad)
{
    TrackProgram p;
    writeBytes(p.path("song.wav"), beatWav(1));
    const ShowTrack track{{{0, 1, 1}, {1000, 2, 0}, {1500, 0, 2}}, QFileInfo(p.path("song.wav")).absoluteFilePath(), {}};
    p.state->Track = track;
    ASSERT_TRUE(p.files.SAveFileFontan(p.path("a.wat")));
    // The file keeps the music's name relative to its own folder.
    auto image = std::make_unique<FountainImage>();
    const FileResult raw = readFountainFile(p.path("a.wat"), *image);
    EXPECT_EQ(readShowTrack(*image, raw.length).track.musicName, QStringLiteral("song.wav"));

    p.state->Track = {};
    ASSERT_TRUE(p.files.OpenFontanFile(p.path("a.wat")));
    EXPECT_EQ(p.state->Track, track);
    EXPECT_TRUE(p.timeline.followsTrack());
    p.state->Track.cues.clear();
    p.files.SpeedButtonUndoClick();
    EXPECT_EQ(p.state->Track, track);

    // A short file brings no track, and the undo store keeps none behind it.
    writeBytes(p.path("short.wat"), readBytes(p.path("a.wat")).left(300));
    ASSERT_TRUE(p.files.OpenFontanFile(p.path("short.wat")));
    EXPECT_TRUE(p.state->Track.empty());
    EXPECT_FALSE(p.timeline.followsTrack());
    p.files.SpeedButtonUndoClick();
    EXPECT_TRUE(p.state->Track.empty());

    // The show-only load takes the other file's track too.
    ASSERT_TRUE(p.seq.loadShowFile(p.path("a.wat")));
    EXPECT_EQ(p.state->Track, track);
}

TEST(TrackFile, ABadTrackIsToldInTheStatusBarAndTheRestLoads)
{
    TrackProgram p;
    p.state->Track = {{{0, 1, 0}, {500, 2, 0}}, {}, {}};
    ASSERT_TRUE(p.files.SAveFileFontan(p.path("good.wat")));
    const QByteArray good = readBytes(p.path("good.wat"));
    const int nozzles = nozzleCount(*p.state);

    QByteArray broken = good;
    broken[int(kShowTrackOffset) + 24] = char(broken[int(kShowTrackOffset) + 24] ^ 0x40);
    writeBytes(p.path("broken.wat"), broken);
    p.state->Track = {};
    ASSERT_TRUE(p.files.OpenFontanFile(p.path("broken.wat")));
    EXPECT_TRUE(p.status().contains(QStringLiteral("повреждена"))) << p.status().toStdString();
    EXPECT_TRUE(p.state->Track.empty());
    EXPECT_EQ(nozzleCount(*p.state), nozzles);
    EXPECT_EQ(readBytes(p.path("broken.wat")), broken); // nothing is written back

    // Numbers past the recorded counts and music that is gone are told; the cues still load.
    p.rec.formCountBar()->setValue(3);
    p.state->Track = {{{0, 9, 0}}, p.path("gone.wav"), {}};
    ASSERT_TRUE(p.files.SAveFileFontan(p.path("odd.wat")));
    p.editor.statusBar()->clearMessage();
    ASSERT_TRUE(p.files.OpenFontanFile(p.path("odd.wat")));
    EXPECT_TRUE(p.status().contains(QStringLiteral("не найдена"))) << p.status().toStdString();
    p.rec.formCountBar()->setValue(3);
    p.files.SpeedButtonUndoClick();
    EXPECT_TRUE(p.status().contains(QStringLiteral("форму 9"))) << p.status().toStdString();
    EXPECT_EQ(p.state->Track.cues.size(), 1u);
    EXPECT_TRUE(p.prompter->messages.empty());
}

TEST(FollowingTrack, FormsAndScenesChangeAtTheCuesAndMoveWithSeeks)
{
    TrackProgram p;
    for (int g = 1; g <= 12; ++g) {
        p.state->FormPressure[2][g] = 255;
        p.state->FormPressure[3][g] = 100;
    }
    p.rec.formCountBar()->setValue(3);
    p.rec.sceneCountBar()->setValue(3);
    p.seq.formLengthBar()->setValue(10); // counting would change forms every 160 ms
    p.seq.rampStepBar()->setValue(50);
    p.state->Track.cues = {{1000, 2, 0}, {2000, 3, 2}, {180'000, 1, 3}};

    std::int64_t micros = 0, showMs = 0;
    p.seq.clock().setTickSource([&] { return micros; });
    p.seq.clock().follow(&p.state->Track, [&] { return showMs; });
    p.seq.playFormButton()->click();
    p.seq.playColourButton()->click();
    // Plays in 16 ms ticks until `until`; returns when the form first became `form`.
    auto playUntil = [&](std::int64_t until, int form) {
        std::int64_t changed = -1;
        while (showMs < until) {
            micros += 16'000;
            showMs += 16;
            p.seq.runDueTicks();
            if (changed < 0 && p.seq.currentForm() == form)
                changed = showMs;
        }
        return changed;
    };
    const std::int64_t atTwo = playUntil(1900, 2);
    EXPECT_GE(atTwo, 1000);
    EXPECT_LT(atTwo, 1016);
    EXPECT_EQ(p.rec.pressureBar(1)->value(), 255); // it ramps as ever
    playUntil(2016, 3);
    EXPECT_EQ(p.seq.currentForm(), 3);
    EXPECT_EQ(p.rec.sceneNumberBar()->value(), 2);
    playUntil(5000, 1);
    EXPECT_EQ(p.seq.currentForm(), 3); // no count moves it on

    showMs = 1400; // a seek back
    playUntil(1500, 0);
    EXPECT_EQ(p.seq.currentForm(), 2);
    showMs = 179'900; // after three minutes the cue still falls in its tick
    const std::int64_t atOne = playUntil(180'100, 1);
    EXPECT_GE(atOne, 180'000);
    EXPECT_LT(atOne, 180'016);
    EXPECT_EQ(p.rec.sceneNumberBar()->value(), 3);

    // Not following: forms go by count again.
    p.seq.clock().stopFollowing();
    const int before = p.seq.currentForm();
    playUntil(180'100 + 11 * 16, 0);
    EXPECT_NE(p.seq.currentForm(), before);
}

// A player that, like the real ones, says it plays at once but holds its
// first position for 200 ms after play and after a seek, and reports in 50 ms
// steps; what is heard starts when its position moves.
struct HoldingPlayer {
    static constexpr std::int64_t kHoldMs = 200;
    std::int64_t from = 0, startedMs = 0;
    std::int64_t heard(std::int64_t nowMs) const { return from + std::max<std::int64_t>(0, nowMs - startedMs - kHoldMs); }
    std::int64_t reported(std::int64_t nowMs) const { return heard(nowMs) - (heard(nowMs) - from) % 50; }
    void playFrom(std::int64_t ms, std::int64_t nowMs) { from = ms, startedMs = nowMs; }
};

TEST(FollowingTrack, CuesAreTakenWhenHeardOnceEachAfterPlayAndAfterASeek)
{
    TrackProgram p;
    p.rec.formCountBar()->setValue(3);
    p.seq.formLengthBar()->setValue(300);
    p.state->Track.cues = {{100, 2, 0}, {300, 3, 0}, {450, 1, 0}, {10'100, 2, 0}};
    HoldingPlayer player;
    SmoothedPosition smooth;
    std::int64_t nowMs = 0;
    p.seq.clock().setTickSource([&] { return nowMs * 1000; });
    p.seq.clock().follow(&p.state->Track, [&] { return smooth.at(player.reported(nowMs), true, nowMs * 1000); });
    smooth.at(0, false, 0);
    p.seq.playFormButton()->click();
    std::vector<std::pair<int, std::int64_t>> changes; // form, heard at
    auto playUntil = [&](std::int64_t untilMs) {
        for (; nowMs < untilMs; nowMs += 4) { // an event loop a little late now and then
            const int before = p.seq.currentForm();
            p.seq.runDueTicks();
            if (p.seq.currentForm() != before)
                changes.emplace_back(p.seq.currentForm(), player.heard(nowMs));
        }
    };
    playUntil(1000);
    player.playFrom(10'000, nowMs);
    smooth.sought(10'000);
    playUntil(1600);
    const std::vector<std::pair<int, std::int64_t>> cued = {{2, 100}, {3, 300}, {1, 450}, {2, 10'100}};
    ASSERT_EQ(changes.size(), cued.size()); // none twice
    for (std::size_t i = 0; i < cued.size(); ++i) {
        EXPECT_EQ(changes[i].first, cued[i].first) << i;
        // Never before it is heard; within a report and a tick after.
        EXPECT_GE(changes[i].second, cued[i].second) << i;
        EXPECT_LE(changes[i].second, cued[i].second + 70) << i;
    }
}

TEST(Timeline, ToolBarButtonControlsCuesAndLabelFiles)
{
    TrackProgram p;
    auto* last = control<QToolButton>(&p.editor, "SpeedButtonShowTimeline");
    EXPECT_EQ(last->toolTip(), QStringLiteral("Показать партитуру шоу"));
    last->click();
    EXPECT_TRUE(p.timeline.isVisible());
    EXPECT_EQ(p.timeline.windowTitle(), QStringLiteral("Партитура шоу"));
    for (const char* name : {"SpeedButtonTimelinePlay", "SpeedButtonTimelineStart", "SpeedButtonDeleteCue",
                             "SpeedButtonImportCues", "SpeedButtonExportCues"})
        control<QToolButton>(&p.timeline, name);
    EXPECT_EQ(control<QToolButton>(&p.timeline, "SpeedButtonAddFormCue")->text(), QStringLiteral("Форма сюда"));
    EXPECT_EQ(control<QToolButton>(&p.timeline, "SpeedButtonAddSceneCue")->text(), QStringLiteral("Сцена сюда"));
    EXPECT_EQ(control<QCheckBox>(&p.timeline, "CheckBoxFollowTrack")->text(), QStringLiteral("Играть по партитуре"));
    control<TimelineView>(&p.timeline, "TimelineView");

    p.timeline.seek(1500);
    EXPECT_EQ(control<QLabel>(&p.timeline, "LabelTimelinePos")->text(), QStringLiteral("0:01.50 / 0:30.00"));
    p.rec.formNumberBar()->setValue(2);
    control<QToolButton>(&p.timeline, "SpeedButtonAddFormCue")->click();
    p.rec.sceneNumberBar()->setValue(3);
    control<QToolButton>(&p.timeline, "SpeedButtonAddSceneCue")->click();
    EXPECT_EQ(p.state->Track.cues, (std::vector<ShowCue>{{1500, 2, 3}}));
    control<QToolButton>(&p.timeline, "SpeedButtonDeleteCue")->click(); // the scene was selected last
    EXPECT_EQ(p.state->Track.cues, (std::vector<ShowCue>{{1500, 2, 0}}));

    // A cue dragged snaps to a beat within 100 ms, not with Shift held.
    TimelineView& view = p.timeline.view();
    const BeatGrid beats{{1.0, 2.0}, 120};
    view.setMusic(nullptr, &beats, 20000);
    view.setScroll(0);
    const int y = view.rowY(TimelineView::FormRow) + 8;
    QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(view.xOf(1500) + 4, y));
    QTest::mouseMove(&view, QPoint(view.xOf(1920) + 4, y));
    QTest::mouseRelease(&view, Qt::LeftButton, {}, QPoint(view.xOf(1920) + 4, y));
    EXPECT_EQ(p.state->Track.cues.front().timeMs, 2000);
    control<QComboBox>(&p.timeline, "ComboBoxSnap")->setCurrentIndex(int(SnapGrid::Off));
    EXPECT_EQ(view.snapped(1150), 1150);
    control<QComboBox>(&p.timeline, "ComboBoxSnap")->setCurrentIndex(int(SnapGrid::Beat));
    // Double click renumbers; a cancelled question keeps the number.
    std::optional<int> answer = 7;
    view.setNumberAsker([&](TimelineView::Row, int) { return answer; });
    QTest::mouseDClick(&view, Qt::LeftButton, {}, QPoint(view.xOf(2000) + 4, y));
    answer.reset();
    QTest::mouseDClick(&view, Qt::LeftButton, {}, QPoint(view.xOf(2000) + 4, y));
    EXPECT_EQ(p.state->Track.cues.front().form, 7);
    // Ctrl+wheel zooms about the mouse; the wheel scrolls.
    const double before = view.msPerPixel();
    QWheelEvent zoomIn(QPointF(view.xOf(2000), y), view.mapToGlobal(QPointF(view.xOf(2000), y)), {}, {0, 120},
                       Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&view, &zoomIn);
    EXPECT_LT(view.msPerPixel(), before);
    EXPECT_NEAR(double(view.timeAt(view.xOf(2000))), 2000, view.msPerPixel());
    view.setMusic(nullptr, nullptr, 0);

    // Label files: a bad one changes nothing and names the file and its line.
    writeBytes(p.path("bad.txt"), "1.0\t1.0\tF1\nnonsense\n");
    writeBytes(p.path("good.txt"), "0.5\t0.5\tF3\n2\t2\tS1 F2\n");
    std::deque<QString> names{p.path("bad.txt"), p.path("good.txt"), p.path("out.txt")};
    p.timeline.setLabelChooser([&](QWidget*, bool) {
        const QString name = names.front();
        names.pop_front();
        return name;
    });
    control<QToolButton>(&p.timeline, "SpeedButtonImportCues")->click();
    const QString told = control<QLabel>(&p.timeline, "LabelTimelineMessage")->text();
    EXPECT_TRUE(told.contains(QStringLiteral("bad.txt, строка 2"))) << told.toStdString();
    EXPECT_EQ(p.state->Track.cues, (std::vector<ShowCue>{{2000, 7, 0}}));
    control<QToolButton>(&p.timeline, "SpeedButtonImportCues")->click();
    EXPECT_EQ(p.state->Track.cues, (std::vector<ShowCue>{{500, 3, 0}, {2000, 2, 1}}));
    control<QToolButton>(&p.timeline, "SpeedButtonExportCues")->click();
    EXPECT_EQ(readBytes(p.path("out.txt")), formatCueLabels(p.state->Track.cues));
}

TEST(Timeline, PlayStartsTheShowAndTheMusicIsAnalysedOnAWorker)
{
    TrackProgram p;
    auto* player = new FakePlayer;
    MusicPanel& music = p.editor.automatTab().music();
    music.setSoundPlayer(player);
    p.timeline.show();
    writeBytes(p.path("beats.wav"), beatWav(20));
    music.openSoundFile(p.path("beats.wav"));
    EXPECT_TRUE(p.timeline.analysing() || p.timeline.analysis() != nullptr);
    p.timeline.waitForAnalysis();
    ASSERT_NE(p.timeline.analysis(), nullptr);
    EXPECT_NEAR(double(p.timeline.analysis()->lengthMs), 20000, 20);
    EXPECT_TRUE(control<QLabel>(&p.timeline, "LabelTempo")->text().startsWith(QStringLiteral("120.")))
        << control<QLabel>(&p.timeline, "LabelTempo")->text().toStdString();
    EXPECT_EQ(p.state->Track.musicName, QFileInfo(p.path("beats.wav")).absoluteFilePath());

    // With a track and following checked, one press plays music and show.
    p.state->Track.cues = {{0, 1, 1}};
    control<QCheckBox>(&p.timeline, "CheckBoxFollowTrack")->setChecked(true);
    control<QToolButton>(&p.timeline, "SpeedButtonTimelinePlay")->click();
    EXPECT_TRUE(player->isPlaying);
    EXPECT_TRUE(p.seq.playFormButton()->isChecked());
    EXPECT_TRUE(p.seq.playColourButton()->isChecked());
    EXPECT_TRUE(p.seq.clock().following());
    player->isPlaying = false; // the music ends: so does the show
    p.timeline.refresh();
    EXPECT_TRUE(p.seq.stopFormButton()->isChecked());
    EXPECT_FALSE(p.seq.clock().following());

    // Music that cannot be decoded is told; the window goes on.
    writeBytes(p.path("noise.mp3"), QByteArray(4000, '\x11'));
    music.openSoundFile(p.path("noise.mp3"));
    p.timeline.waitForAnalysis();
    EXPECT_TRUE(control<QLabel>(&p.timeline, "LabelTimelineMessage")->text().contains(QStringLiteral("не разобрана")));
}

TEST(Timeline, TheSongExamplePutsItsCuesOnTheSongsBeats)
{
    TrackProgram p;
    ASSERT_TRUE(p.files.OpenFontanFile(examplePath("song_round.wat")));
    const ShowTrack& track = p.state->Track;
    ASSERT_GE(track.cues.size(), 32u);
    EXPECT_TRUE(p.timeline.followsTrack());
    const DecodedMusic song = decodeMusic(track.musicName);
    ASSERT_TRUE(song.ok()) << song.error.toStdString();
    const BeatGrid beats = trackBeats(song.samples, song.sampleRate);
    EXPECT_NEAR(beats.tempo, 120.0, 1.0);
    ASSERT_GT(beats.beats.size(), 20u);
    for (double beat : beats.beats) {
        if (beat > track.cues.back().timeMs / 1000.0)
            break; // the song rings out after its last bar
        const auto cue = std::min_element(track.cues.begin(), track.cues.end(), [beat](const ShowCue& a, const ShowCue& b) {
            return std::fabs(a.timeMs / 1000.0 - beat) < std::fabs(b.timeMs / 1000.0 - beat);
        });
        EXPECT_LT(std::fabs(cue->timeMs / 1000.0 - beat), 0.04) << beat;
    }
}

TEST(Timeline, TheVideoExportFollowsTheTrackWithItsMusicWhenFollowingIsChecked)
{
    TrackProgram p;
    ExportPanel& panel = p.editor.automatTab().exportPanel();
    QString chosen;
    panel.setVideoChooser([&chosen](QWidget*) { return chosen; });
    panel.setRenderProgram(QStringLiteral(PLUVIANE_RENDER));
    panel.setSettingsPath(p.path("plv.ini"));
    panel.setChoiceAsker([](ExportChoice& c, double) {
        c = ExportChoice{};
        return true;
    });
    panel.videoOptions().fps = 10;
    panel.videoOptions().seconds = 1;
    writeBytes(p.path("song.wav"), beatWav(1.5));
    p.state->Track = {{{0, 1, 0}, {700, 2, 0}}, QFileInfo(p.path("song.wav")).absoluteFilePath(), {}};

    chosen = p.path("loop.mp4");
    panel.exportButton()->click();
    ASSERT_TRUE(panel.waitForExport(120'000));
    EXPECT_FALSE(decodeMusic(chosen).ok()) << "no music without following";
    control<QCheckBox>(&p.timeline, "CheckBoxFollowTrack")->setChecked(true);
    chosen = p.path("track.mp4");
    panel.exportButton()->click();
    ASSERT_TRUE(panel.waitForExport(120'000));
    EXPECT_TRUE(p.prompter->messages.empty());
    EXPECT_NEAR(decodeMusic(chosen).seconds(), 1.5, 0.1) << "the track's music and its length";
}

// Pausing and playing on must not take the water down: only a show started at
// the beginning rises from a dry fountain.
TEST(Timeline, AResumeAndAnUndoGoOnFromWhereTheShowStood)
{
    TrackProgram p;
    auto* player = new FakePlayer;
    p.editor.automatTab().music().setSoundPlayer(player);
    p.editor.automatTab().music().openSoundFile(p.path("song.wav"));
    for (int g = 1; g <= 12; ++g)
        p.state->FormPressure[1][g] = 0; // full
    p.seq.rampStepBar()->setValue(50);
    p.state->Track.cues = {{0, 1, 1}};
    p.files.history().restart();
    control<QCheckBox>(&p.timeline, "CheckBoxFollowTrack")->setChecked(true);
    std::int64_t micros = 0;
    p.seq.clock().setTickSource([&] { return micros; });
    auto run = [&](int ticks) {
        for (int i = 0; i < ticks; ++i, micros += 16'000)
            p.seq.runDueTicks();
    };
    auto* play = control<QToolButton>(&p.timeline, "SpeedButtonTimelinePlay");
    play->click();
    EXPECT_EQ(p.state->GroupLevel[1], 0); // the start rises from the bottom
    run(10);
    const auto standing = p.state->GroupLevel;
    EXPECT_EQ(standing[1], 255);
    play->click();
    EXPECT_TRUE(p.seq.stopFormButton()->isChecked());
    player->pos = 5000;
    play->click();
    EXPECT_TRUE(p.seq.playFormButton()->isChecked());
    EXPECT_TRUE(p.seq.playColourButton()->isChecked());
    EXPECT_EQ(p.state->GroupLevel, standing);
    run(5);
    EXPECT_EQ(p.state->GroupLevel, standing);

    // An edit undone while playing leaves the show playing the track.
    TimelineView& view = p.timeline.view();
    QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&view, Qt::Key_Right, Qt::ShiftModifier);
    ASSERT_EQ(p.state->Track.cues.front().timeMs, 40);
    p.files.history().undo();
    ASSERT_EQ(p.state->Track.cues.size(), 1u);
    EXPECT_EQ(p.state->Track.cues.front().timeMs, 0);
    EXPECT_TRUE(p.seq.playFormButton()->isChecked());
    EXPECT_TRUE(control<QCheckBox>(&p.timeline, "CheckBoxFollowTrack")->isChecked());
    EXPECT_TRUE(p.seq.clock().showTimeMs().has_value());
    run(5);
    EXPECT_EQ(p.state->GroupLevel, standing);
}

namespace {

// A timeline on screen over a track of beats at 0.5 s, 1 s, ... 10 s.
struct EditProgram : TrackProgram {
    EditProgram()
    {
        for (int i = 1; i <= 20; ++i)
            beats.beats.push_back(i * 0.5);
        timeline.resize(1000, 300);
        timeline.show();
        view.setMusic(nullptr, &beats, 10'000);
        view.setZoom(10); // 10 ms a pixel
        view.setScroll(0);
    }
    void key(int key, Qt::KeyboardModifiers modifiers = {}) { QTest::keyClick(&view, Qt::Key(key), modifiers); }
    void clickCue(std::int64_t ms, TimelineView::Row row, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mouseClick(&view, Qt::LeftButton, modifiers, QPoint(view.xOf(ms) + 4, view.rowY(row) + 8));
    }
    std::vector<std::int64_t> times() const
    {
        std::vector<std::int64_t> out;
        for (const ShowCue& cue : state->Track.cues)
            out.push_back(cue.timeMs);
        return out;
    }

    BeatGrid beats;
    TimelineView& view = timeline.view();
};

} // namespace

TEST(TimelineEditing, SelectionClipboardAndNudgesAreEachOneUndoStep)
{
    EditProgram p;
    const ShowTrack start{{{1000, 1, 2}, {2000, 3, 0}, {3000, 0, 4, SceneChange::Fade, 800}}, {}, {}};
    p.state->Track = start;
    p.timeline.view().trackChanged();
    p.files.history().commitStep();

    // Click, Ctrl+click, Shift+click across both rows, rubber band, Ctrl+A.
    p.clickCue(1000, TimelineView::FormRow);
    EXPECT_EQ(p.view.selection(), (CueSelection{{0, FormRow}}));
    p.clickCue(1000, TimelineView::SceneRow, Qt::ControlModifier);
    EXPECT_EQ(p.view.selection().size(), 2u);
    p.clickCue(1000, TimelineView::SceneRow, Qt::ControlModifier);
    EXPECT_EQ(p.view.selection(), (CueSelection{{0, FormRow}}));
    p.clickCue(1000, TimelineView::FormRow);
    p.clickCue(3000, TimelineView::SceneRow, Qt::ShiftModifier);
    EXPECT_EQ(p.view.selection().size(), 4u);
    const int waveY = TimelineView::kRulerHeight + 10;
    QTest::mousePress(&p.view, Qt::LeftButton, {}, QPoint(p.view.xOf(1500), waveY));
    QTest::mouseMove(&p.view, QPoint(p.view.xOf(3500), p.view.rowY(TimelineView::FormRow) + 5));
    QTest::mouseRelease(&p.view, Qt::LeftButton, {}, QPoint(p.view.xOf(3500), p.view.rowY(TimelineView::FormRow) + 5));
    EXPECT_EQ(p.view.selection(), (CueSelection{{1, FormRow}})) << "the band reaches the form row only";
    p.key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(p.view.selection().size(), 4u);
    // The table shows the same selection, and picking rows there selects in the view.
    EXPECT_EQ(p.timeline.table().selectionModel()->selectedRows().size(), 4);
    QTableView& table = p.timeline.table();
    table.selectionModel()->select(table.model()->index(3, 0),
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    EXPECT_EQ(p.view.selection(), (CueSelection{{2, SceneRow}}));

    // Copy and paste at the play head keep the times apart; undo takes the paste back.
    p.view.select({{1, FormRow}, {2, SceneRow}});
    p.key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              QStringLiteral("0.000000\t0.000000\tF3\n1.000000\t1.000000\tS4 fade=800\n"));
    p.timeline.seek(5000);
    p.key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(p.times(), (std::vector<std::int64_t>{1000, 2000, 3000, 5000, 6000}));
    EXPECT_EQ(p.state->Track.cues.back(), (ShowCue{6000, 0, 4, SceneChange::Fade, 800}));
    p.files.history().undo();
    EXPECT_EQ(p.state->Track, start);

    // Cut, then undo; duplicate lands on the next beat after the selection.
    p.view.select({{1, FormRow}});
    p.key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(p.times(), (std::vector<std::int64_t>{1000, 3000}));
    p.files.history().undo();
    EXPECT_EQ(p.state->Track, start);
    p.view.select({{0, FormRow}, {1, FormRow}});
    p.key(Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(p.times(), (std::vector<std::int64_t>{1000, 2000, 2500, 3000, 3500}));
    p.files.history().undo();
    EXPECT_EQ(p.state->Track, start);

    // Arrows move by a beat, with Shift by a frame; Alt moves the play head from cue to cue.
    p.view.select({{1, FormRow}});
    p.key(Qt::Key_Right);
    p.key(Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(p.times(), (std::vector<std::int64_t>{1000, 2460, 3000}));
    p.files.history().undo();
    EXPECT_EQ(p.times(), (std::vector<std::int64_t>{1000, 2500, 3000})) << "one step per key";
    p.timeline.seek(0);
    p.key(Qt::Key_Right, Qt::AltModifier);
    p.key(Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(p.view.playHead(), 2500);

    // Undo and redo bring back the selection the cues had, even split and moved
    // past another cue; a track from elsewhere starts with none.
    p.files.history().undo();
    ASSERT_EQ(p.state->Track, start);
    p.view.select({{0, FormRow}});
    p.key(Qt::Key_Right);
    p.key(Qt::Key_Right);
    p.key(Qt::Key_Right);
    EXPECT_EQ(p.times(), (std::vector<std::int64_t>{1000, 2000, 2500, 3000}));
    const CueSelection moved = p.view.selection();
    p.files.history().undo();
    EXPECT_EQ(p.times(), (std::vector<std::int64_t>{1000, 2000, 2000, 3000}));
    p.files.history().redo();
    EXPECT_EQ(p.view.selection(), moved);
    p.files.history().undo();
    EXPECT_EQ(p.view.selection(), (CueSelection{{2, FormRow}})) << "the form after the cue at 2 s";
    p.files.history().undo();
    EXPECT_EQ(p.view.selection(), (CueSelection{{1, FormRow}})) << "the form split off at 1.5 s";
    p.files.history().undo();
    EXPECT_EQ(p.state->Track, start);
    EXPECT_EQ(p.view.selection(), (CueSelection{{0, FormRow}}));
    p.key(Qt::Key_Right);
    EXPECT_EQ(p.times(), (std::vector<std::int64_t>{1000, 1500, 2000, 3000})) << "nudged again";
    p.state->Track = {{{500, 1, 0}}, {}, {}};
    p.view.trackChanged();
    EXPECT_TRUE(p.view.selection().empty());

    // A paste of something that is no label text is told and changes nothing.
    QGuiApplication::clipboard()->setText(QStringLiteral("not labels"));
    const ShowTrack before = p.state->Track;
    p.key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(p.state->Track, before);
    EXPECT_FALSE(control<QLabel>(&p.timeline, "LabelTimelineMessage")->text().isEmpty());
}

TEST(TimelineEditing, GridsMarkersTableZoomAndLoop)
{
    EditProgram p;
    auto* snap = control<QComboBox>(&p.timeline, "ComboBoxSnap");
    // "Форма сюда" snaps to the grid chosen.
    p.rec.formNumberBar()->setValue(2);
    const std::pair<SnapGrid, std::int64_t> grids[] = {
        {SnapGrid::Off, 1180}, {SnapGrid::Beat, 1000}, {SnapGrid::HalfBeat, 1250}, {SnapGrid::Bar, 500}};
    for (const auto& [grid, expected] : grids) {
        snap->setCurrentIndex(int(grid));
        p.state->Track = {};
        p.timeline.seek(1180);
        control<QToolButton>(&p.timeline, "SpeedButtonAddFormCue")->click();
        ASSERT_EQ(p.state->Track.cues.size(), 1u);
        EXPECT_EQ(p.state->Track.cues.front().timeMs, expected) << int(grid);
    }

    // Markers: M at the play head, renamed by a double click on the ruler, kept in the label file.
    p.timeline.seek(4000);
    p.key(Qt::Key_M);
    p.timeline.seek(8000);
    control<QToolButton>(&p.timeline, "SpeedButtonAddMarker")->click();
    ASSERT_EQ(p.state->Track.markers.size(), 2u);
    p.view.setNameAsker([](const QString&) { return std::optional<QString>(QStringLiteral("Припев")); });
    QTest::mouseDClick(&p.view, Qt::LeftButton, {}, QPoint(p.view.xOf(4000) + 3, 4));
    EXPECT_EQ(p.state->Track.markers.front().name, QStringLiteral("Припев"));
    p.timeline.seek(6000);
    p.key(Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(p.view.playHead(), 4000);

    // The table edits in place: time, number and transition.
    CueTableModel& table = p.timeline.table().cues();
    ASSERT_EQ(table.rowCount(), 1);
    EXPECT_TRUE(table.setData(table.index(0, CueTableModel::TimeColumn), QStringLiteral("0:02.250"), Qt::EditRole));
    EXPECT_TRUE(table.setData(table.index(0, CueTableModel::NumberColumn), 7, Qt::EditRole));
    EXPECT_TRUE(table.setData(table.index(0, CueTableModel::TransitionColumn), QStringLiteral("ramp=600"), Qt::EditRole));
    EXPECT_FALSE(table.setData(table.index(0, CueTableModel::TransitionColumn), QStringLiteral("fade=600"), Qt::EditRole));
    EXPECT_FALSE(table.setData(table.index(0, CueTableModel::TimeColumn), QStringLiteral("soon"), Qt::EditRole));
    EXPECT_EQ(p.state->Track.cues, (std::vector<ShowCue>{{2250, 7, 0, SceneChange::Sweep, 0, 600}}));
    // The tooltip tells the cue exactly; the cue playing now is framed in the play head's red.
    EXPECT_EQ(p.view.describe({0, FormRow}), QStringLiteral("0:02.250  форма 7, уровни за 600 мс"));
    auto frameIsRed = [&p] {
        const QImage shot = p.view.grab().toImage();
        const QColor c = shot.pixelColor(p.view.xOf(2250) - 1, p.view.rowY(TimelineView::FormRow) + 8);
        return c.red() > 200 && c.green() < 120;
    };
    p.view.setScroll(0);
    p.timeline.seek(2000);
    EXPECT_FALSE(frameIsRed());
    p.timeline.seek(2300);
    EXPECT_TRUE(frameIsRed());
    p.files.history().undo();
    EXPECT_EQ(p.state->Track.cues.front().rampMs, 0);

    // Zoom: never wider than the song; fit shows all of it; both kept in the settings file.
    const int timeWidth = p.view.timeArea().width();
    p.view.setZoom(1e6);
    EXPECT_LE(p.view.msPerPixel() * timeWidth, 10'000 + p.view.msPerPixel());
    p.view.setZoom(3);
    control<QToolButton>(&p.timeline, "SpeedButtonZoomFit")->click();
    EXPECT_NEAR(p.view.msPerPixel() * timeWidth, 10'000, p.view.msPerPixel());
    EXPECT_EQ(p.view.scrollMs(), 0);
    p.view.setZoom(5);
    p.view.setScroll(2000);
    p.timeline.hide();
    {
        TrackProgram again;
        EXPECT_DOUBLE_EQ(again.timeline.view().msPerPixel(), 5);
        EXPECT_EQ(again.timeline.view().scrollMs(), 2000);
    }
    p.timeline.show();

    // Loop: a drag on the ruler sets the region; play comes back to its start.
    snap->setCurrentIndex(int(SnapGrid::Beat));
    const int rulerY = 12;
    QTest::mousePress(&p.view, Qt::LeftButton, {}, QPoint(p.view.xOf(2900), rulerY));
    QTest::mouseMove(&p.view, QPoint(p.view.xOf(4100), rulerY));
    QTest::mouseRelease(&p.view, Qt::LeftButton, {}, QPoint(p.view.xOf(4100), rulerY));
    EXPECT_EQ(p.view.loop(), (LoopRegion{3000, 4000})) << "snapped to beats";
    control<QCheckBox>(&p.timeline, "CheckBoxLoop")->setChecked(true);
    p.timeline.seek(3950);
    p.timeline.play();
    QTest::qWait(150);
    p.timeline.refresh();
    EXPECT_GE(p.timeline.positionMs(), 3000);
    EXPECT_LT(p.timeline.positionMs(), 3200) << "played again from the loop's start";
    p.timeline.pause();
}

namespace {

// Silence for five seconds, then loud music to ten (or loud all through).
WaveformPeaks quietThenLoud(bool loudFromStart = false)
{
    WaveformPeaks peaks;
    peaks.sampleRate = 1000;
    peaks.samplesPerPeak = 10;
    for (int i = 0; i < 1000; ++i) {
        const float level = loudFromStart || i >= 500 ? 0.9f : 0.0f;
        peaks.low.push_back(-level);
        peaks.high.push_back(level);
    }
    return peaks;
}

bool near(const QColor& a, const QColor& b, int tolerance = 12)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

} // namespace

// The still layer (waveform, beats, ruler) is kept between repaints: each
// change of view or music must show at once, and the play head never sticks.
TEST(TimelinePicture, WaveformBeatsAndPlayHeadFollowScrollZoomMusicAndPlay)
{
    ShowTrack track{{{0, 4, 3}}, {}, {}};
    TimelineView view(track);
    view.resize(600, 200);
    const WaveformPeaks peaks = quietThenLoud();
    BeatGrid beats;
    for (int i = 1; i < 10; ++i)
        beats.beats.push_back(i);
    view.setMusic(&peaks, &beats, 10'000);
    view.setZoom(10);
    view.setScroll(3000);
    // High in the waveform: only loud music reaches there.
    const int y = TimelineView::kRulerHeight + 8;
    const QColor wave(0x4f, 0x9f, 0xd8), head(0xff, 0x4d, 0x3d);
    auto waveAt = [&view, &wave, y](std::int64_t ms) { return near(view.grab().toImage().pixelColor(view.xOf(ms), y), wave); };
    EXPECT_TRUE(waveAt(5300));
    EXPECT_FALSE(waveAt(4500));
    const int x = view.xOf(5300);
    view.setScroll(0);
    EXPECT_EQ(view.timeAt(x), 2300);
    EXPECT_FALSE(waveAt(2300)) << "the scrolled view shows the quiet part there now";
    view.setZoom(20);
    EXPECT_TRUE(waveAt(6300));
    const QColor beat = view.grab().toImage().pixelColor(view.xOf(2000), y);
    EXPECT_GT(beat.red(), beat.blue() + 30) << "a beat line over the quiet part";

    const WaveformPeaks loud = quietThenLoud(true);
    view.setMusic(&loud, &beats, 10'000);
    EXPECT_TRUE(waveAt(2500)) << "new music is drawn";

    view.setPlayHead(1500);
    EXPECT_TRUE(near(view.grab().toImage().pixelColor(view.xOf(1500), y), head));
    const int old = view.xOf(1500);
    view.setPlayHead(4000);
    EXPECT_FALSE(near(view.grab().toImage().pixelColor(old, y), head));
    EXPECT_TRUE(near(view.grab().toImage().pixelColor(view.xOf(4000), y), head));

    // The cue at the song's start stands right of the rows' names, not over them.
    const QImage shot = view.grab().toImage();
    const int formY = view.rowY(TimelineView::FormRow) + TimelineView::kRowHeight / 2;
    EXPECT_EQ(view.xOf(0), view.gutterWidth());
    EXPECT_TRUE(near(shot.pixelColor(view.xOf(0) + 3, formY + 4), QColor(0x4c, 0xc3, 0x8a)));
    int nameInk = 0;
    for (int gx = 0; gx < view.gutterWidth(); ++gx)
        nameInk += shot.pixelColor(gx, formY).green() > 120;
    EXPECT_GT(nameInk, 3) << "the name \"формы\" is drawn in the gutter";
    EXPECT_FALSE(view.cueAt({view.gutterWidth() - 3, formY}).cue >= 0) << "the gutter holds no cue";
}
