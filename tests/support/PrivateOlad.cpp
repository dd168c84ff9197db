#include "PrivateOlad.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <ola/Callback.h>
#include <ola/DmxBuffer.h>
#include <ola/Logging.h>
#include <ola/client/OlaClient.h>
#include <ola/io/SelectServer.h>
#include <ola/network/IPV4Address.h>
#include <ola/network/SocketAddress.h>
#include <ola/network/TCPSocket.h>

#include <pwd.h>
#include <signal.h>
#include <unistd.h>

namespace pluviane::test {

namespace {

// Every plugin the daemon knows; switched off, none opens a device or a socket.
const char* const kPlugins[] = {
    "artnet", "dummy", "e131", "espnet", "ftdidmx", "gpio", "karate", "kinet",
    "milinst", "opendmx", "openpixelcontrol", "osc", "pathport", "renard", "sandnet",
    "shownet", "spi", "stageprofi", "uartdmx", "usbdmx", "usbserial"};

std::uint16_t freeLoopbackPort()
{
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
}

bool portAnswers(std::uint16_t port)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    return socket.waitForConnected(200);
}

} // namespace

PrivateOlad::PrivateOlad()
{
    process_.setProcessChannelMode(QProcess::MergedChannels);
}

PrivateOlad::~PrivateOlad() { stop(); }

bool PrivateOlad::start(QString* why)
{
    const QString olad = QStandardPaths::findExecutable(QStringLiteral("olad"));
    if (olad.isEmpty()) {
        *why = QStringLiteral("olad is not installed (Debian package ola)");
        return false;
    }
    if (!dir_.isValid()) {
        *why = QStringLiteral("no temporary folder for olad's configuration");
        return false;
    }
    for (const char* plugin : kPlugins) {
        QFile conf(dir_.filePath(QStringLiteral("ola-%1.conf").arg(QLatin1String(plugin))));
        if (!conf.open(QIODevice::WriteOnly) || conf.write("enabled = false\n") < 0) {
            *why = QStringLiteral("cannot write olad's configuration");
            return false;
        }
    }
    QStringList command{olad, QStringLiteral("--config-dir"), dir_.path(),
                        QStringLiteral("--no-http"), QStringLiteral("--no-register-with-dns-sd"),
                        QStringLiteral("--log-level"), QStringLiteral("1")};
    if (port_ == 0)
        port_ = freeLoopbackPort();
    command << QStringLiteral("--rpc-port") << QString::number(port_);
    if (geteuid() == 0) {
        const passwd* account = getpwnam("olad");
        if (!account) {
            *why = QStringLiteral("running as root and there is no olad account to run olad as");
            return false;
        }
        // The daemon keeps its preferences in the folder: it must own it.
        for (const QString& name : QDir(dir_.path()).entryList(QDir::Files))
            (void)!chown(QFile::encodeName(dir_.filePath(name)).constData(), account->pw_uid,
                         account->pw_gid);
        (void)!chown(QFile::encodeName(dir_.path()).constData(), account->pw_uid,
                     account->pw_gid);
        command = QStringList{QStringLiteral("--reuid=%1").arg(account->pw_uid),
                              QStringLiteral("--regid=%1").arg(account->pw_gid),
                              QStringLiteral("--clear-groups"), QStringLiteral("--")}
                  + command;
        command.prepend(QStringLiteral("setpriv"));
    }
    process_.start(command.takeFirst(), command);
    const QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        if (process_.state() == QProcess::NotRunning) {
            *why = QStringLiteral("olad ended at once: %1")
                       .arg(QString::fromLocal8Bit(process_.readAll()).trimmed());
            return false;
        }
        if (portAnswers(port_))
            return true;
        QThread::msleep(50);
    }
    *why = QStringLiteral("olad did not answer on port %1 within 10 s").arg(port_);
    stop();
    return false;
}

void PrivateOlad::freeze()
{
    if (process_.state() == QProcess::Running)
        ::kill(static_cast<pid_t>(process_.processId()), SIGSTOP);
}

void PrivateOlad::thaw()
{
    if (process_.state() == QProcess::Running)
        ::kill(static_cast<pid_t>(process_.processId()), SIGCONT);
}

void PrivateOlad::stop()
{
    thaw();  // a frozen daemon hears no SIGTERM
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.terminate();
    if (!process_.waitForFinished(5000)) {
        process_.kill();
        process_.waitForFinished(2000);
    }
}

struct DmxReceiver::Link {
    ola::io::SelectServer server;
    std::unique_ptr<ola::network::TCPSocket> socket;
    std::unique_ptr<ola::client::OlaClient> client;
    bool watched = false;     // the socket is in the select server
    bool registered = false;  // the daemon sends the universe
    DmxReceiver* owner = nullptr;

    void onRegistered(const ola::client::Result& result) { registered = result.Success(); }
    void onFrame(const ola::client::DMXMetadata&, const ola::DmxBuffer& buffer)
    {
        DmxFrame frame{};
        for (unsigned i = 0; i < buffer.Size() && i < frame.size(); ++i)
            frame[i] = buffer.Get(i);
        owner->received(frame);
    }
};

DmxReceiver::DmxReceiver() : link_(std::make_unique<Link>())
{
    link_->owner = this;
    ola::InitLogging(ola::OLA_LOG_NONE, ola::OLA_LOG_STDERR);
}

DmxReceiver::~DmxReceiver()
{
    if (link_->watched)
        link_->server.RemoveReadDescriptor(link_->socket.get());
    if (link_->client)
        link_->client->Stop();
}

bool DmxReceiver::connect(std::uint16_t port, int universe)
{
    using namespace ola::network;
    link_->socket.reset(TCPSocket::Connect(IPV4SocketAddress(IPV4Address::Loopback(), port)));
    if (!link_->socket)
        return false;
    link_->client = std::make_unique<ola::client::OlaClient>(link_->socket.get());
    if (!link_->client->Setup())
        return false;
    link_->watched = link_->server.AddReadDescriptor(link_->socket.get());
    link_->client->SetDMXCallback(ola::NewCallback(link_.get(), &Link::onFrame));
    link_->client->RegisterUniverse(static_cast<unsigned>(universe), ola::client::REGISTER,
                                    ola::NewSingleCallback(link_.get(), &Link::onRegistered));
    const QDeadlineTimer deadline(5000);
    while (!link_->registered && !deadline.hasExpired())
        link_->server.RunOnce(ola::TimeInterval(0, 20000));
    return link_->registered;
}

bool DmxReceiver::waitFor(const std::function<bool(const DmxFrame&)>& wanted, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        if (frames_ > 0 && wanted(latest_))
            return true;
        if (deadline.hasExpired())
            return false;
        link_->server.RunOnce(ola::TimeInterval(0, 10000));
        QCoreApplication::processEvents();
    }
}

void DmxReceiver::received(const DmxFrame& frame)
{
    latest_ = frame;
    ++frames_;
}

} // namespace pluviane::test
