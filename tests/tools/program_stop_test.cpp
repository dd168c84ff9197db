#include "TestSupport.h"

#include "app/MainWindow.h"
#include "app/StopSignals.h"
#include "editor/RecoveryCopy.h"
#include "model/RecoveryFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QScrollBar>
#include <QTimer>

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>

// A program told to stop by the system closes as its close box would (the DMX
// output's blackout rides on that), instead of dying on the signal.
TEST(Program, StopSignalClosesTheProgramAsItsCloseBoxDoes)
{
    // The program proper: a real display (the suite runs under Xvfb), since its
    // 3D view has no OpenGL on the offscreen platform.
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        GTEST_SKIP() << "needs an X display";
    QTemporaryDir config;
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(QStringLiteral(PLUVIANE_BINARY_DIR));
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(QStringLiteral(PLUVIANE_BINARY_DIR "/pluviane"), {});
    ASSERT_TRUE(program.waitForStarted(10000));
    // The program catches the signal once its windows exist: wait for the kernel to say so.
    const auto catchesTerm = [&program]() -> bool {
        QFile status(QStringLiteral("/proc/%1/status").arg(program.processId()));
        if (!status.open(QIODevice::ReadOnly))
            return false;
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("SigCgt:"))
                return ((line.mid(7).trimmed().toULongLong(nullptr, 16) >> (SIGTERM - 1)) & 1) != 0;
        return false;
    };
    const QDeadlineTimer deadline(30000);
    while (!catchesTerm() && !deadline.hasExpired())
        QThread::msleep(20);
    ASSERT_TRUE(catchesTerm());

    program.terminate();
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
}

namespace {

const char* const kChildState = "PLUVIANE_STOP_TEST_STATE";
const char* const kChildAsks = "PLUVIANE_STOP_TEST_ASKS";

// A question nobody answers, as at a screen left alone.
struct UnansweredPrompter : pluviane::UnattendedPrompter {
    UnansweredPrompter() : UnattendedPrompter([](const QString&, const QString&) {}) {}
    pluviane::SaveAnswer askSaveChanges(QWidget*, const QString&) override
    {
        QEventLoop().exec();
        return pluviane::SaveAnswer::Yes;
    }
};

struct RestoringPrompter : pluviane::UnattendedPrompter {
    RestoringPrompter() : UnattendedPrompter([](const QString&, const QString&) {}) {}
    pluviane::RecoveryAnswer askRecovery(QWidget*, const QString&) override
    {
        return pluviane::RecoveryAnswer::Restore;
    }
};

QByteArray imageBytes(const pluviane::FountainImage& image)
{
    return QByteArray(reinterpret_cast<const char*>(image.data()), qsizetype(image.size()));
}

// Starts this test program as the one below, holding a changed fountain
// saved as round.wat in `state`; returns once it has changed it.
bool startChangedProgram(QProcess& child, const QString& state, bool asking)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(kChildState, state);
    if (asking)
        environment.insert(kChildAsks, "1");
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                {"--gtest_filter=Program.ChangedFountainUntilStopped"});
    const QDeadlineTimer deadline(30000);
    while (!QFile::exists(state + "/expected.wat") && !deadline.hasExpired())
        QThread::msleep(20);
    return QFile::exists(state + "/expected.wat");
}

std::vector<pluviane::RecoveryCopyFiles> copiesIn(const QString& state)
{
    return pluviane::abandonedCopies(state + "/pluviane/recovery");
}

} // namespace

// The program as main() makes it, for the tests below; skipped in a plain run.
TEST(Program, ChangedFountainUntilStopped)
{
    if (qEnvironmentVariableIsEmpty(kChildState))
        GTEST_SKIP() << "a child of the stop tests";
    const QString state = qEnvironmentVariable(kChildState);
    qputenv("XDG_STATE_HOME", state.toLocal8Bit());
    pluviane::test::Program program;
    pluviane::AppWindows& windows = *program.windows;
    pluviane::FileCommands& files = windows.editor().fileCommands();
    if (qEnvironmentVariableIsSet(kChildAsks))
        files.setPrompter(std::make_unique<UnansweredPrompter>());
    ASSERT_TRUE(pluviane::watchStopSignals(QCoreApplication::instance(), [&windows] { windows.stopKeepingWork(); }));
    windows.startRecovery();
    ASSERT_TRUE(files.SAveFileFontan(state + "/round.wat"));
    ASSERT_TRUE(files.OpenFontanFile(state + "/round.wat"));
    QScrollBar* bowl = windows.editor().findChild<QScrollBar*>("ScrollBarCupWidthX");
    bowl->setValue(bowl->value() + 9);
    QFile expected(state + "/expected.wat");
    ASSERT_TRUE(expected.open(QIODevice::WriteOnly));
    expected.write(imageBytes(files.imageToSave()));
    expected.close();
    if (qEnvironmentVariableIsSet(kChildAsks))
        QTimer::singleShot(0, &windows.main(), [&windows] { windows.main().close(); });
    QCoreApplication::exec();
}

// Killed outright, the program leaves a copy of its changes; the next start
// restores it byte for byte, named as its file.
TEST(Program, AKilledProgramsChangesAreRestoredAtTheNextStart)
{
    QTemporaryDir state;
    QProcess child;
    ASSERT_TRUE(startChangedProgram(child, state.path(), false));
    const QDeadlineTimer deadline(3 * pluviane::RecoveryCopy::kLookMs + 5000);
    const QDir recovery(state.path() + "/pluviane/recovery");
    while (recovery.entryList({"*.ini"}).isEmpty() && !deadline.hasExpired())
        QThread::msleep(50);
    ::kill(pid_t(child.processId()), SIGKILL);
    ASSERT_TRUE(child.waitForFinished(10000));
    const auto copies = copiesIn(state.path());
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0].fountainFile, state.path() + "/round.wat");
    EXPECT_LE(copies[0].time.secsTo(QDateTime::currentDateTimeUtc()), pluviane::RecoveryCopy::kIntervalMs / 1000);

    const QByteArray saved = qgetenv("XDG_STATE_HOME");
    qputenv("XDG_STATE_HOME", state.path().toLocal8Bit());
    {
        pluviane::test::Program next;
        pluviane::FileCommands& files = next.windows->editor().fileCommands();
        files.setPrompter(std::make_unique<RestoringPrompter>());
        next.windows->startRecovery();
        QFile expected(state.path() + "/expected.wat");
        ASSERT_TRUE(expected.open(QIODevice::ReadOnly));
        EXPECT_EQ(imageBytes(files.imageToSave()), expected.readAll());
        EXPECT_TRUE(files.isChanged());
        EXPECT_EQ(files.currentFileName(), state.path() + "/round.wat");
    }
    qputenv("XDG_STATE_HOME", saved);
}

// Told to stop, with changes and even with the close question standing, the
// program leaves at once and keeps the work for the next start.
TEST(Program, StopAndHangUpKeepTheChangesAndNeverWaitOnAQuestion)
{
    for (const auto& [signal, asking] : {std::pair{SIGTERM, true}, std::pair{SIGHUP, false}}) {
        SCOPED_TRACE(signal);
        QTemporaryDir state;
        QProcess child;
        ASSERT_TRUE(startChangedProgram(child, state.path(), asking));
        QThread::msleep(300); // the question is up
        QElapsedTimer stopping;
        stopping.start();
        ::kill(pid_t(child.processId()), signal);
        ASSERT_TRUE(child.waitForFinished(10000));
        EXPECT_LT(stopping.elapsed(), 2000);
        EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(child.exitCode(), 0);
        const auto copies = copiesIn(state.path());
        ASSERT_EQ(copies.size(), 1u);
        QFile expected(state.path() + "/expected.wat");
        ASSERT_TRUE(expected.open(QIODevice::ReadOnly));
        QString why;
        const auto image = pluviane::readRecoveryCopy(copies[0], &why);
        ASSERT_TRUE(image) << why.toStdString();
        EXPECT_EQ(imageBytes(*image), expected.readAll());
        EXPECT_EQ(QDir(state.path() + "/pluviane/recovery").entryList({"*.lock"}).size(), 0) << "the lock goes";
    }
}
