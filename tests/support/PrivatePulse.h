#pragma once

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>
#include <QThread>

namespace pluviane::test {

// A PulseAudio server of the test's own with one null sink: a sound server
// without hardware. It runs from a temporary folder (its home, runtime folder
// and socket), needs no session bus and runs as root too; the process talks
// to it through PULSE_SERVER.
class PrivatePulse {
public:
    ~PrivatePulse()
    {
        qunsetenv("PULSE_SERVER");
        process_.terminate();
        if (!process_.waitForFinished(3000))
            process_.kill();
        process_.waitForFinished(1000);
    }

    // False with the reason when no server can run here.
    bool start(QString* why)
    {
        const QString program = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
        if (program.isEmpty()) {
            *why = QStringLiteral("pulseaudio is not installed");
            return false;
        }
        const QString socket = dir_.filePath(QStringLiteral("native"));
        QDir(dir_.path()).mkpath(QStringLiteral("run"));
        QFile::setPermissions(dir_.filePath(QStringLiteral("run")), QFileDevice::ReadOwner |
                              QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), dir_.path());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir_.filePath(QStringLiteral("run")));
        env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
        process_.setProcessEnvironment(env);
        process_.setProcessChannelMode(QProcess::MergedChannels);
        process_.start(program, {QStringLiteral("-n"), QStringLiteral("--daemonize=no"),
                                 QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--use-pid-file=no"),
                                 QStringLiteral("-L"), QStringLiteral("module-null-sink"),
                                 QStringLiteral("-L"),
                                 QStringLiteral("module-native-protocol-unix auth-anonymous=1 socket=") + socket});
        for (int waited = 0; waited < 10000 && !QFileInfo::exists(socket); waited += 50) {
            if (process_.state() == QProcess::NotRunning) {
                *why = QString::fromLocal8Bit(process_.readAll());
                return false;
            }
            QThread::msleep(50);
        }
        if (!QFileInfo::exists(socket)) {
            *why = QStringLiteral("pulseaudio did not open its socket");
            return false;
        }
        qputenv("PULSE_SERVER", QByteArray("unix:") + QFile::encodeName(socket));
        return true;
    }

private:
    QTemporaryDir dir_;
    QProcess process_;
};

} // namespace pluviane::test
