#include "PrivateOlad.h"
#include "TestSupport.h"

#include "app/MainWindow.h"
#include "dmx/DmxSender.h"
#include "editor/AutomatTab.h"
#include "editor/EditorWindow.h"
#include "editor/FileCommands.h"
#include "model/ProfileFile.h"
#include "show/DmxPanel.h"
#include "show/RecorderWindow.h"
#include "show/SequencerPanel.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QLabel>
#include <QScrollBar>
#include <QSpinBox>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>

#include <sys/stat.h>

using namespace pluviane;
using namespace pluviane::test;
using namespace std::chrono_literals;

namespace {

// A program whose DMX box talks to a private daemon; the settings file is the test's own.
class DmxOutput : public ::testing::Test {
protected:
    void SetUp() override
    {
        QString why;
        if (!olad_.start(&why))
            GTEST_SKIP() << "no private OLA daemon: " << why.toStdString();
        program_ = std::make_unique<Program>();
        panel().setSettingsPath(config_.filePath("plv.ini"));
        panel().setOlaOptions({olad_.port(), 200ms});
    }

    DmxPanel& panel() { return program_->windows->editor().automatTab().dmx(); }
    void tick() { emit program_->windows->editor().automatTab().sequencer().showTicked(); }

    // Ticks the render clock while waiting for the receiver.
    bool tickUntil(DmxReceiver& receiver, const std::function<bool(const DmxFrame&)>& wanted,
                   int timeoutMs = 5000)
    {
        for (int waited = 0; waited < timeoutMs; waited += 50) {
            tick();
            if (receiver.waitFor(wanted, 50))
                return true;
        }
        return false;
    }

    bool labelSays(const QString& text, int timeoutMs = 5000)
    {
        for (int waited = 0; waited < timeoutMs; waited += 50) {
            tick();
            if (panel().stateLabel()->text() == text)
                return true;
            QThread::msleep(50);
        }
        return false;
    }

    QTemporaryDir config_;
    PrivateOlad olad_;
    std::unique_ptr<Program> program_;
};

} // namespace

// Frames keep the show's pace with no drawing at all: a change goes at the
// next show tick, an unchanged frame is repeated now and then.
TEST_F(DmxOutput, FramesFollowTheShowClockNotTheDrawing)
{
    DmxReceiver receiver;
    ASSERT_TRUE(receiver.connect(olad_.port(), 1));
    FountainState& state = *program_->state;
    state.JetGroup[0] = 1;
    panel().dmxCheck()->click();
    program_->windows->main().renderTimer().stop();
    state.GroupLevel[1] = 77;
    EXPECT_TRUE(receiver.waitFor([](const DmxFrame& f) { return f[0] == 77; }));
    state.GroupLevel[1] = 78;
    EXPECT_TRUE(receiver.waitFor([](const DmxFrame& f) { return f[0] == 78; }, 500));

    // With the window thread held (no tick, no event), the sender's thread
    // goes on sending the last frame at its pace; a blackout ends that.
    program_->windows->editor().automatTab().sequencer().formTimer().stop();
    program_->windows->editor().automatTab().sequencer().colourTimer().stop();
    const int before = receiver.frames();
    QThread::msleep(500);
    receiver.waitFor([](const DmxFrame&) { return false; }, 50);
    EXPECT_GE(receiver.frames() - before, 500 / 25 / 2) << "frames kept going";
    EXPECT_LE(receiver.frames() - before, 550 / 25 + 2) << "at the pace, not faster";
    EXPECT_EQ(receiver.latest()[0], 78);
    panel().dmxCheck()->click();
    ASSERT_TRUE(receiver.waitFor([](const DmxFrame& f) { return allZero(f); }, 1000));
    const int dark = receiver.frames();
    receiver.waitFor([](const DmxFrame&) { return false; }, 200);
    EXPECT_EQ(receiver.frames(), dark) << "nothing after the blackout";
}

TEST_F(DmxOutput, ChannelsFollowTheFountainAtThePatchAndBlackOutOnSwitchOffAndExit)
{
    DmxReceiver receiver;
    ASSERT_TRUE(receiver.connect(olad_.port(), 7));
    EXPECT_EQ(panel().stateLabel()->text(), "DMX выключен");
    panel().universeSpin()->setValue(7);
    panel().levelsSpin()->setValue(300);
    panel().coloursSpin()->setValue(101);
    EXPECT_EQ(panel().patch(), (DmxPatch{7, 300, 101}));

    // Groups 1..12 own nozzles; 13..16 own none, and a pump or light patched
    // there must stay off whatever their table entries hold.
    FountainState& state = *program_->state;
    for (int g = 1; g <= 16; ++g) {
        state.GroupLevel[g] = Byte(10 * g);
        state.GroupColour[g] = {Byte(g), Byte(2 * g), Byte(3 * g), 0};
        state.JetGroup[2 * g] = g <= 12 ? Byte(g) : 0;
    }
    panel().dmxCheck()->click();
    ASSERT_TRUE(tickUntil(receiver, [](const DmxFrame& f) { return f[299] == 10; }));
    const DmxFrame& frame = receiver.latest();
    for (int g = 1; g <= 16; ++g) {
        const int used = g <= 12 ? 1 : 0;
        EXPECT_EQ(frame[299 + g - 1], used * 10 * g) << g;
        EXPECT_EQ(frame[100 + 3 * (g - 1)], used * g) << g;
        EXPECT_EQ(frame[100 + 3 * (g - 1) + 1], used * 2 * g) << g;
        EXPECT_EQ(frame[100 + 3 * (g - 1) + 2], used * 3 * g) << g;
    }
    EXPECT_TRUE(labelSays("OLA: вселенная 7"));

    // A moved fader shows in the next frames.
    state.GroupLevel[3] = 255;
    EXPECT_TRUE(tickUntil(receiver, [](const DmxFrame& f) { return f[301] == 255; }));

    // Moving to another universe leaves nothing running on the old one.
    panel().universeSpin()->setValue(8);
    EXPECT_TRUE(receiver.waitFor(allZero));
    panel().universeSpin()->setValue(7);
    ASSERT_TRUE(tickUntil(receiver, [](const DmxFrame& f) { return f[299] == 10; }));

    panel().dmxCheck()->click();
    EXPECT_TRUE(receiver.waitFor(allZero));
    EXPECT_EQ(panel().stateLabel()->text(), "DMX выключен");

    // Switched on again, then the program closes with the fountain running.
    panel().dmxCheck()->click();
    ASSERT_TRUE(tickUntil(receiver, [](const DmxFrame& f) { return f[299] == 10; }));
    program_.reset();
    EXPECT_TRUE(receiver.waitFor(allZero));
}

TEST_F(DmxOutput, SurvivesTheDaemonStoppingAndResumesWhenItIsBack)
{
    program_->state->JetGroup[0] = 1;
    panel().dmxCheck()->click();
    {
        DmxReceiver receiver;
        ASSERT_TRUE(receiver.connect(olad_.port(), 1));
        ASSERT_TRUE(tickUntil(receiver, [](const DmxFrame& f) { return f[0] == 255; }))
            << receiver.frames() << " frames, channel 1 at " << int(receiver.latest()[0]) << ", "
            << panel().stateLabel()->text().toStdString();
        EXPECT_TRUE(labelSays("OLA: вселенная 1"));
    }

    olad_.stop();
    EXPECT_TRUE(labelSays("Нет связи с OLA"));
    for (int i = 0; i < 20; ++i)  // ticks keep coming while nobody listens
        tick();

    QString why;
    ASSERT_TRUE(olad_.start(&why)) << why.toStdString();
    DmxReceiver receiver;
    ASSERT_TRUE(receiver.connect(olad_.port(), 1));
    program_->state->GroupLevel[1] = 42;
    EXPECT_TRUE(tickUntil(receiver, [](const DmxFrame& f) { return f[0] == 42; }));
    EXPECT_TRUE(labelSays("OLA: вселенная 1"));
}

// A daemon stopped with its connection open is told apart, and when it goes on
// it gets the newest frame, not the show it missed played all at once.
TEST_F(DmxOutput, AStalledDaemonIsToldAndResumesWithTheNewestFrameOnly)
{
    FountainState& state = *program_->state;
    state.JetGroup[0] = 1;
    state.GroupLevel[1] = 1;
    DmxReceiver receiver;
    ASSERT_TRUE(receiver.connect(olad_.port(), 1));
    panel().dmxCheck()->click();
    ASSERT_TRUE(tickUntil(receiver, [](const DmxFrame& f) { return f[0] == 1; }));
    ASSERT_TRUE(labelSays("OLA: вселенная 1"));
    receiver.waitFor([](const DmxFrame&) { return false; }, 200);  // takes in what was sent

    olad_.freeze();
    bool told = false;
    for (int level = 2; level < 150; ++level) {  // a show goes on meanwhile
        state.GroupLevel[1] = Byte(level);
        tick();
        told = told || panel().stateLabel()->text() == "OLA не принимает кадры";
        QThread::msleep(20);
    }
    EXPECT_TRUE(told);
    state.GroupLevel[1] = 200;
    tick();
    const int before = receiver.frames();
    olad_.thaw();
    ASSERT_TRUE(receiver.waitFor([](const DmxFrame& f) { return f[0] == 200; }));
    EXPECT_LE(receiver.frames() - before, 2) << "the missed frames were played back";
    EXPECT_TRUE(labelSays("OLA: вселенная 1"));
}

TEST_F(DmxOutput, HeadlessPlayerPlaysTheShowAndBlacksOutOnSigterm)
{
    // Two forms of 20 ticks: group 1 full in the first, down in the second.
    FountainState& state = *program_->state;
    state.JetGroup[0] = 1;
    state.FormPressure[1][1] = 0;
    state.FormPressure[2][1] = 255;
    EditorWindow& editor = program_->windows->editor();
    program_->windows->recorder().formCountBar()->setValue(2);
    editor.automatTab().sequencer().formLengthBar()->setValue(20);
    editor.automatTab().sequencer().rampStepBar()->setValue(50);
    const QString file = config_.filePath("show.wat");
    ASSERT_TRUE(editor.fileCommands().SAveFileFontan(file));
    // The desktop's start-up preset, a fountain standing still, must not take over.
    state.FormPressure[2][1] = 0;
    const QString still = config_.filePath("still.wat");
    ASSERT_TRUE(editor.fileCommands().SAveFileFontan(still));
    ASSERT_TRUE(writeProfileString(config_.filePath("pluviane/plv.ini"), "Konveir", "File01_f", still).ok);

    DmxReceiver receiver;
    ASSERT_TRUE(receiver.connect(olad_.port(), 3));
    QProcess player;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", config_.path());
    player.setProcessEnvironment(environment);
    player.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    player.start(QCoreApplication::applicationDirPath() + "/pluviane-play",
                 {file, "--universe", "3", "--levels", "100", "--loop", "--ola-port",
                  QString::number(olad_.port())});
    ASSERT_TRUE(player.waitForStarted(5000));

    // The level of group 1 (channel 100) rises, falls and rises again with the forms.
    for (Byte level : {255, 0, 255})
        EXPECT_TRUE(receiver.waitFor([level](const DmxFrame& f) { return f[99] == level; }, 8000))
            << int(level);
    EXPECT_EQ(receiver.latest()[98], 0);  // nothing on the channel before the levels
    receiver.waitFor([](const DmxFrame&) { return false; }, 3500);  // past the preset's moment
    for (Byte level : {0, 255})
        EXPECT_TRUE(receiver.waitFor([level](const DmxFrame& f) { return f[99] == level; }, 8000))
            << "after the start-up moment " << int(level);

    player.terminate();
    EXPECT_TRUE(player.waitForFinished(5000));
    EXPECT_EQ(player.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(player.exitCode(), 0);
    EXPECT_TRUE(receiver.waitFor(allZero));
}

// A closed terminal must not leave the pumps running on the last frame.
TEST_F(DmxOutput, HeadlessPlayerBlacksOutOnHangUp)
{
    FountainState& state = *program_->state;
    state.JetGroup[0] = 1;
    state.FormPressure[1][1] = 0;
    program_->windows->recorder().formCountBar()->setValue(1);
    const QString file = config_.filePath("full.wat");
    ASSERT_TRUE(program_->windows->editor().fileCommands().SAveFileFontan(file));
    DmxReceiver receiver;
    ASSERT_TRUE(receiver.connect(olad_.port(), 5));
    QProcess player;
    player.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    player.start(QCoreApplication::applicationDirPath() + "/pluviane-play",
                 {file, "--universe", "5", "--levels", "100", "--loop", "--ola-port", QString::number(olad_.port())});
    ASSERT_TRUE(player.waitForStarted(5000));
    ASSERT_TRUE(receiver.waitFor([](const DmxFrame& f) { return f[99] == 255; }, 8000));
    ::kill(pid_t(player.processId()), SIGHUP);
    EXPECT_TRUE(player.waitForFinished(5000));
    EXPECT_EQ(player.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(player.exitCode(), 0);
    EXPECT_TRUE(receiver.waitFor(allZero));
}

TEST_F(DmxOutput, HeadlessPlayerChangesTheLevelAtTheCueOfALabelFile)
{
    // Form 1 dry, form 2 full; counting would hold form 1 for almost five seconds.
    FountainState& state = *program_->state;
    state.JetGroup[0] = 1;
    state.FormPressure[1][1] = 255;
    state.FormPressure[2][1] = 0;
    EditorWindow& editor = program_->windows->editor();
    program_->windows->recorder().formCountBar()->setValue(2);
    editor.automatTab().sequencer().formLengthBar()->setValue(300);
    editor.automatTab().sequencer().rampStepBar()->setValue(50);
    const QString file = config_.filePath("show.wat");
    ASSERT_TRUE(editor.fileCommands().SAveFileFontan(file));
    QFile labels(config_.filePath("cues.txt"));
    ASSERT_TRUE(labels.open(QIODevice::WriteOnly));
    labels.write("0\t0\tF1\n1.5\t1.5\tF2\n");
    labels.close();

    DmxReceiver receiver;
    ASSERT_TRUE(receiver.connect(olad_.port(), 4));
    QProcess player;
    player.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    player.start(QCoreApplication::applicationDirPath() + "/pluviane-play",
                 {file, "--universe", "4", "--cues", labels.fileName(), "--ola-port", QString::number(olad_.port())});
    ASSERT_TRUE(player.waitForStarted(5000));
    // Frames come every 50 ms from the show's start: the first 20 are before the cue.
    ASSERT_TRUE(receiver.waitFor([](const DmxFrame&) { return true; }, 8000));
    const int first = receiver.frames();
    bool early = false;
    EXPECT_TRUE(receiver.waitFor([&](const DmxFrame& f) {
        early = early || (f[0] != 0 && receiver.frames() - first < 20);
        return f[0] == 255;
    }, 8000));
    EXPECT_FALSE(early) << "the level rose before the cue";
    EXPECT_GE(receiver.frames() - first, 20);
    // Without music the show ends two seconds after its last cue.
    EXPECT_TRUE(player.waitForFinished(10000));
    EXPECT_EQ(player.exitCode(), 0);
}

TEST(HeadlessPlayer, RefusesBadArgumentsAndFilesPlainly)
{
    QTemporaryDir dir;
    const QString program = QCoreApplication::applicationDirPath() + "/pluviane-play";
    const QString garbage = dir.filePath("garbage.wat");
    QFile(garbage).open(QIODevice::WriteOnly);  // empty: loads as a fountain of zeros
    const QString fifo = dir.filePath("fifo.wat"); // with no writer: a plain open would block
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    struct Case {
        QStringList arguments;
        int exitCode;
        const char* says;
    };
    const Case cases[] = {
        {{}, 2, "name one fountain file"},
        {{garbage, "--levels", "498"}, 2, "498..513"},
        {{garbage, "--levels", "2147483640"}, 2, "2147483640..2147483655"},
        {{garbage, "--colours", "99999999999"}, 2, "takes a number"},
        {{garbage, "--colours", "10"}, 2, "channels (1..16) and colour channels (10..57) overlap"},
        {{garbage, "--universe", "x"}, 2, "takes a number"},
        {{garbage, "--music", dir.filePath("none.mp3")}, 2, "cannot read the sound file"},
        {{dir.filePath("missing.wat")}, 1, "no fountain file"},
        {{fifo}, 1, "pipe"},
        {{garbage, "--music", fifo}, 2, "cannot read the sound file"},
        {{garbage, "--cues", garbage + "x"}, 2, "label file"},
        {{garbage, "--cues", garbage, "--no-track"}, 2, "exclude each other"},
    };
    for (const Case& c : cases) {
        QProcess run;
        run.start(program, c.arguments);
        ASSERT_TRUE(run.waitForFinished(10000)) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(run.exitCode(), c.exitCode) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(QString::fromLocal8Bit(run.readAllStandardError()).contains(QString::fromUtf8(c.says)))
            << c.says;
    }
}

TEST(DmxWithoutDaemon, TicksGoOnAndTheLabelSaysSoAndClosingDoesNotWait)
{
    QTemporaryDir config;
    auto program = std::make_unique<Program>();
    DmxPanel& dmx = program->windows->editor().automatTab().dmx();
    dmx.setSettingsPath(config.filePath("plv.ini"));
    std::uint16_t nobody = 0;
    {
        QTcpServer probe;  // a loopback port, free again once the probe closes
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        nobody = probe.serverPort();
    }
    dmx.setOlaOptions({nobody, 20ms});
    EXPECT_EQ(dmx.stateLabel()->text(), "DMX выключен");
    dmx.dmxCheck()->click();
    EXPECT_EQ(dmx.stateLabel()->text(), "Нет связи с OLA");
    for (int i = 0; i < 100; ++i) {  // the sender keeps trying meanwhile
        emit program->windows->editor().automatTab().sequencer().showTicked();
        QThread::msleep(2);
    }
    EXPECT_EQ(dmx.stateLabel()->text(), "Нет связи с OLA");
    dmx.dmxCheck()->click();
    EXPECT_EQ(dmx.stateLabel()->text(), "DMX выключен");
    program.reset();  // the blackout that cannot go out does not hold the program
}
