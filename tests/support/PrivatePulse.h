#pragma once

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

namespace pluviane::test {

// A PulseAudio server of the test's own with one null sink: a sound server
// without hardware. It lives in a temporary folder, needs no session bus and
// runs as root too; the process reaches it through PULSE_SERVER.
class PrivatePulse {
public:
    ~PrivatePulse() { qunsetenv("PULSE_SERVER"); process_.kill(); process_.waitForFinished(3000); }

    // False with the reason when no server can run here.
    bool start(QString* why)
    {
        const QString socket = dir_.filePath("native"), run = dir_.filePath("run");
        QDir().mkpath(run);
        QFile::setPermissions(run, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", dir_.path());
        env.insert("XDG_RUNTIME_DIR", run);
        process_.setProcessEnvironment(env);
        process_.setProcessChannelMode(QProcess::MergedChannels);
        process_.start(QStandardPaths::findExecutable("pulseaudio"),
                       {"-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no", "-L", "module-null-sink",
                        "-L", "module-native-protocol-unix auth-anonymous=1 socket=" + socket});
        for (int waited = 0; waited < 10000 && process_.state() != QProcess::NotRunning; waited += 50) {
            if (QFileInfo::exists(socket))
                return qputenv("PULSE_SERVER", "unix:" + QFile::encodeName(socket));
            QThread::msleep(50);
        }
        *why = "pulseaudio did not start: " + process_.errorString() + ' ' + QString::fromLocal8Bit(process_.readAll());
        return false;
    }

private:
    QTemporaryDir dir_;
    QProcess process_;
};

} // namespace pluviane::test
