#include "TestSupport.h"

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
