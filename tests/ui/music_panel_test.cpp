#include "FileTestSupport.h"
#include "PrivatePulse.h"

#include "app/Application.h"
#include "editor/AutomatTab.h"
#include "editor/EditorWindow.h"
#include "editor/FileCommands.h"
#include "show/MusicPanel.h"
#include "show/SoundPlayer.h"
#include "video/VideoEncoder.h"

#include <QAccessible>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QLoggingCategory>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QtEndian>

using namespace pluviane;
using namespace pluviane::test;

namespace {

// A silent PCM sound file: 8 kHz, 8 bits, mono (one byte per 1/8 ms), or in
// a song's own format, 44.1 kHz, 16 bits, stereo.
QByteArray silentWav(int milliseconds, bool songFormat = false)
{
    const quint32 rate = songFormat ? 44100 : 8000;
    const quint16 channels = songFormat ? 2 : 1, bytesPerSample = songFormat ? 2 : 1;
    const quint32 frameBytes = channels * bytesPerSample;
    const quint32 bytes = rate * static_cast<quint32>(milliseconds) / 1000 * frameBytes;
    QByteArray out;
    const auto u32 = [&](quint32 v) { char c[4]; qToLittleEndian(v, c); out.append(c, 4); };
    const auto u16 = [&](quint16 v) { char c[2]; qToLittleEndian(v, c); out.append(c, 2); };
    out += "RIFF";
    u32(36 + bytes);
    out += "WAVEfmt ";
    u32(16), u16(1), u16(channels), u32(rate), u32(rate * frameBytes), u16(static_cast<quint16>(frameBytes)),
        u16(static_cast<quint16>(8 * bytesPerSample));
    out += "data";
    u32(bytes);
    out.append(QByteArray(static_cast<qsizetype>(bytes), songFormat ? char(0) : char(128)));
    return out;
}

// A player whose position, length and state the test sets.
struct FakePlayer : SoundPlayer {
    qint64 len = 0;
    qint64 pos = 0;
    bool isPlaying = false;
    int stops = 0;
    void open(const QString&) override { emit opened(); }
    qint64 length() const override { return len; }
    qint64 position() const override { return pos; }
    bool playing() const override { return isPlaying; }
    void play() override { isPlaying = true; }
    void stop() override { isPlaying = false, ++stops; }
    void seek(qint64 position) override { pos = position; }
};

struct MusicProgram : Program {
    MusicProgram() : editor(windows->editor()), panel(editor.automatTab().music())
    {
        auto fake = std::make_unique<FakePrompter>();
        prompter = fake.get();
        editor.fileCommands().setPrompter(std::move(fake));
    }
    QString text(const char* name) { return control<QLabel>(&editor, name)->text(); }
    void load(const QString& path)
    {
        prompter->soundNames.push_back(path);
        panel.SpeedButtonLoadSoundFileClick();
    }

    EditorWindow& editor;
    MusicPanel& panel;
    FakePrompter* prompter = nullptr;
};

} // namespace

TEST(MusicPanel, OpensARealFileAndShowsItsLengthOrTheReasonItCannot)
{
    MusicProgram program;
    EXPECT_EQ(program.text("LabelSoundName"), "No File");
    EXPECT_EQ(program.text("LabelLengFile"), "------");
    for (const char* name : {"MediaPlayerPlay", "MediaPlayerStop", "MediaPlayerPrev"})
        EXPECT_EQ(control<QToolButton>(&program.editor, name)->accessibleName(), name);

    QTemporaryDir dir;
    const QString wav = dir.filePath("music.wav");
    writeBytes(wav, silentWav(125500));
    QSignalSpy opened(&program.panel.soundPlayer(), &SoundPlayer::opened);
    program.load(wav);
    EXPECT_EQ(program.text("LabelSoundName"), "music.wav");
    ASSERT_TRUE(opened.wait(10000));
    EXPECT_EQ(program.text("LabelLengFile"), "Длина      2 min  5 sec ");
    EXPECT_EQ(program.text("LabelTimSound"), "Позиция  0 min  0 sec ");
    EXPECT_EQ(program.text("LabelTimeToEnd"), "Осталось 2 min  5 sec ");
    EXPECT_EQ(control<QScrollBar>(&program.editor, "ScrollBarSound")->maximum(), 125500);
    EXPECT_EQ(program.panel.soundFileName(), wav);

    // Garbage and a missing file: one message each, naming the file; the
    // labels of the open file stay.
    const QString garbage = dir.filePath("noise.mp3");
    writeBytes(garbage, QByteArray(5000, 'x'));
    QSignalSpy failed(&program.panel.soundPlayer(), &SoundPlayer::failed);
    program.load(garbage);
    ASSERT_TRUE(failed.wait(10000));
    program.load(dir.filePath("gone.wav"));
    QTRY_COMPARE_WITH_TIMEOUT(failed.size(), 2, 10000);
    QTest::qWait(300); // late repeats of the same failure show nothing
    ASSERT_EQ(program.prompter->messages.size(), 2u);
    EXPECT_TRUE(program.prompter->messages[0].text.contains("noise.mp3"));
    EXPECT_TRUE(program.prompter->messages[1].text.contains("gone.wav"));
    EXPECT_EQ(program.text("LabelSoundName"), "gone.wav");
    EXPECT_EQ(program.text("LabelLengFile"), "Длина      2 min  5 sec ");
    EXPECT_EQ(program.panel.soundFileName(), wav) << "a video still takes the music the player holds";

    // Playing without a sound device neither hangs nor crashes.
    control<QToolButton>(&program.editor, "MediaPlayerPlay")->click();
    QTest::qWait(200);
    control<QToolButton>(&program.editor, "MediaPlayerStop")->click();
    EXPECT_FALSE(program.panel.soundPlayer().playing());
}

TEST(MusicPanel, OpensAacSoundInAnMp4FileAsTheToolsDo)
{
    MusicProgram program;
    QTemporaryDir dir;
    const QString wav = dir.filePath("tone.wav");
    writeBytes(wav, silentWav(3000));
    // The video export writes its sound as AAC in MP4: a file of that kind at hand.
    const QString mp4 = dir.filePath("song.m4a");
    VideoEncoder encoder;
    VideoOptions options;
    options.size = QSize(32, 32);
    options.seconds = 3;
    options.music = wav;
    ASSERT_TRUE(encoder.open(mp4, options)) << encoder.error().toStdString();
    QImage picture(options.size, QImage::Format_RGBA8888);
    picture.fill(Qt::black);
    for (int i = 0; i < encoder.frameCount(); ++i)
        ASSERT_TRUE(encoder.addFrame(picture, false));
    ASSERT_TRUE(encoder.finish()) << encoder.error().toStdString();

    QSignalSpy opened(&program.panel.soundPlayer(), &SoundPlayer::opened);
    program.load(mp4);
    ASSERT_TRUE(opened.wait(10000)) << (program.prompter->messages.empty()
                                            ? std::string()
                                            : program.prompter->messages[0].text.toStdString());
    EXPECT_EQ(program.text("LabelLengFile"), "Длина      0 min  3 sec ");
    EXPECT_TRUE(program.prompter->messages.empty());
}

// On a sound server every press is heard at once: the position moves within
// half a second and keeps going, also while the window thread is held 100 ms
// of every 150, as a slow 3D view holds it drawing. Before each press the file
// sits loaded a while, as it does while the user reaches for the button: a
// player that sat so stood still about as long as it had sat, then skipped.
static void playOnASoundServer(bool againAfterStop)
{
    PrivatePulse pulse;
    QString why;
    if (!pulse.start(&why))
        GTEST_SKIP() << why.toStdString();
    MusicProgram program;
    if (!program.panel.soundPlayer().hasOutputDevice())
        GTEST_SKIP() << "the sound devices were listed before the server started";
    QTemporaryDir dir;
    // A song's format: an 8 kHz file's half-second buffers make the media
    // framework report the position in steps of them.
    writeBytes(dir.filePath("song.wav"), silentWav(20000, true));
    QTimer busy;
    QObject::connect(&busy, &QTimer::timeout, [] {
        QElapsedTimer held;
        held.start();
        while (held.elapsed() < 100) {
        }
    });
    busy.start(50);
    SoundPlayer& player = program.panel.soundPlayer();
    QSignalSpy opened(&player, &SoundPlayer::opened);
    program.load(dir.filePath("song.wav"));
    ASSERT_TRUE(opened.wait(10000));
    const auto click = [&](const char* name) { control<QToolButton>(&program.editor, name)->click(); };
    const auto sitThenPlayMoves = [&](const char* when) {
        QTest::qWait(2000);
        const qint64 from = player.position();
        QElapsedTimer sincePlay;
        sincePlay.start();
        click("MediaPlayerPlay");
        QTRY_VERIFY_WITH_TIMEOUT(player.position() > from, 5000);
        EXPECT_LE(sincePlay.elapsed(), 500) << when;
        QTest::qWait(1500 - static_cast<int>(sincePlay.elapsed()));
        EXPECT_GE(player.position(), from + 900) << when << ": the position stood still";
    };
    sitThenPlayMoves("first play");
    if (!againAfterStop)
        return;

    click("MediaPlayerStop");
    QTRY_VERIFY_WITH_TIMEOUT(!player.playing(), 5000);
    const qint64 stoppedAt = player.position();
    sitThenPlayMoves("play on from Stop");
    EXPECT_LT(player.position(), stoppedAt + 2000) << "it went on from where it stopped";

    click("MediaPlayerStop");
    click("MediaPlayerPrev");
    QTRY_VERIFY_WITH_TIMEOUT(!player.playing() && player.position() == 0, 5000);
    sitThenPlayMoves("play from the start");
}

TEST(MusicPanel, PlaysOnASoundServerFromTheFirstPress) { playOnASoundServer(false); }

// A rewind right after Stop once left the sound sink stalled on the next play.
TEST(MusicPanel, PlaysAgainOnASoundServerAfterStopAndRewind) { playOnASoundServer(true); }

// The player plays silently without a sound device, so positions move here too.
TEST(MusicPanel, ASecondFileOpensOnItsOwnWhileOnePlaysAndStopKeepsThePlace)
{
    MusicProgram program;
    QTemporaryDir dir;
    const QString first = dir.filePath("first.wav");
    const QString second = dir.filePath("second.wav");
    const QString broken = dir.filePath("broken.wav");
    writeBytes(first, silentWav(9000));
    writeBytes(second, silentWav(62000));
    writeBytes(broken, silentWav(1000).left(30));
    SoundPlayer& player = program.panel.soundPlayer();
    QSignalSpy opened(&player, &SoundPlayer::opened);
    QSignalSpy failed(&player, &SoundPlayer::failed);
    const auto click = [&](const char* name) { control<QToolButton>(&program.editor, name)->click(); };

    program.load(first);
    ASSERT_TRUE(opened.wait(10000));
    const bool silent = !player.hasOutputDevice();
    QStatusBar* status = control<QStatusBar>(&program.editor, "StatusBar");
    if (silent) {
        EXPECT_EQ(status->currentMessage(), "Нет звукового устройства");
    }
    status->clearMessage();
    click("MediaPlayerPlay");
    QTRY_VERIFY_WITH_TIMEOUT(player.position() > 200, 10000);

    // A file that cannot play: one message; the playing file stays the one held.
    program.load(broken);
    QTRY_COMPARE_WITH_TIMEOUT(failed.size(), 1, 10000);
    QTest::qWait(300);
    EXPECT_EQ(program.prompter->messages.size(), 1u);
    EXPECT_EQ(program.panel.soundFileName(), first);
    EXPECT_EQ(program.text("LabelLengFile"), "Длина      0 min  9 sec ");
    EXPECT_TRUE(player.playing());

    program.load(second);
    QTRY_COMPARE_WITH_TIMEOUT(opened.size(), 2, 10000);
    QTest::qWait(300); // nothing late of the first file may follow
    EXPECT_EQ(opened.size(), 2);
    EXPECT_EQ(program.text("LabelLengFile"), "Длина      1 min  2 sec ");
    EXPECT_EQ(program.text("LabelTimeToEnd"), "Осталось 1 min  2 sec ");
    EXPECT_EQ(control<QScrollBar>(&program.editor, "ScrollBarSound")->maximum(), 62000);
    EXPECT_EQ(program.panel.soundFileName(), second);
    EXPECT_TRUE(status->currentMessage().isEmpty()) << "said once only";

    // Stop keeps the place, play goes on from it, "Previous" goes back to the start.
    click("MediaPlayerPlay");
    QTRY_VERIFY_WITH_TIMEOUT(player.position() > 300, 10000);
    click("MediaPlayerStop");
    QTRY_VERIFY_WITH_TIMEOUT(!player.playing(), 5000);
    const qint64 stopped = player.position();
    EXPECT_GT(stopped, 300);
    click("MediaPlayerPlay");
    QTRY_VERIFY_WITH_TIMEOUT(player.position() > stopped + 100, 10000);
    click("MediaPlayerPrev");
    QTRY_VERIFY_WITH_TIMEOUT(player.position() < stopped, 5000);
    click("MediaPlayerStop");
    EXPECT_EQ(program.prompter->messages.size(), 1u);
}

// Without a sound server the sound system complains at every file and play.
TEST(MusicPanel, TheSoundSystemTakesOneLineOfTheLogAtMost)
{
    static QStringList logged;
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) {
        logged << text;
    });
    passOneSoundSystemMessage();
    const QLoggingCategory player("qt.multimedia.player");
    for (int i = 0; i < 3; ++i) {
        qCWarning(player) << "Failed to connect: Connection refused";
        qWarning("PulseAudioService: pa_context_connect() failed");
    }
    qWarning("a message of the program's own");
    qInstallMessageHandler(nullptr);
    EXPECT_EQ(logged.size(), 2) << logged.join('|').toStdString();
    EXPECT_EQ(logged.last(), "a message of the program's own");
}

TEST(MusicPanel, TickShowsPositionWhilePlayingAndTheViewAlways)
{
    MusicProgram program;
    auto* player = new FakePlayer;
    program.panel.setSoundPlayer(player);
    auto* status = control<QLabel>(&program.editor, "StatusBarPanel0");
    program.state->ViewAngleY = -0.5;
    program.state->ViewAngleZ = 0.1;
    program.state->ViewAngleX = 359.2;
    program.state->ViewPanX = -3.7;
    program.state->ViewPanY = 2;
    program.panel.TimerSoundTimer();
    EXPECT_EQ(status->text(), " Rx=0  Ry=1  Rz=360   Vx= -3  Vy=2");
    EXPECT_EQ(status->accessibleDescription(), "StatusBarPanel0");
    auto* readable = QAccessible::queryAccessibleInterface(status);
    ASSERT_NE(readable, nullptr);
    EXPECT_EQ(readable->text(QAccessible::Name), status->text());
    EXPECT_EQ(program.text("LabelMsPos"), "------"); // no file yet

    // Wide values still show whole in the narrow editor.
    program.editor.show();
    program.state->ViewAngleY = -359.5;
    program.state->ViewAngleZ = -342.5;
    program.state->ViewPanX = -100.5;
    program.state->ViewPanY = -150.5;
    program.panel.TimerSoundTimer();
    EXPECT_EQ(status->text(), " Rx=-359  Ry=-342  Rz=360   Vx= -100  Vy=-150");
    EXPECT_LE(QFontMetrics(status->font()).horizontalAdvance(status->text()),
              status->contentsRect().width());
    EXPECT_GT(status->contentsRect().width(), 100);
    program.editor.hide();

    player->len = 125500;
    program.load("/any.wav");
    player->pos = 61999;
    program.panel.TimerSoundTimer();
    EXPECT_EQ(program.text("LabelMsPos"), "------"); // not playing
    player->isPlaying = true;
    program.panel.TimerSoundTimer();
    EXPECT_EQ(program.text("LabelMsPos"), "Отсчеты:   61999");
    EXPECT_EQ(program.text("LabelTimSound"), "Позиция    1 min 1 sec ");
    EXPECT_EQ(program.text("LabelTimeToEnd"), "Осталось   1 min 3 sec ");
    auto* bar = control<QScrollBar>(&program.editor, "ScrollBarSound");
    EXPECT_EQ(bar->value(), 61999);
    bar->setValue(10); // a hand move does not seek
    EXPECT_EQ(player->pos, 61999);

    player->pos = 125500; // the end: stop and back to the start
    program.panel.TimerSoundTimer();
    EXPECT_EQ(player->stops, 1);
    EXPECT_EQ(player->pos, 0);
    EXPECT_EQ(program.text("LabelTimeToEnd"), "Осталось   0 min 0 sec ");
}
