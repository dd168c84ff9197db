#pragma once

#include "model/DmxPatch.h"

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <functional>
#include <memory>

namespace ola::client { class OlaClient; }
namespace ola::io { class SelectServer; }
namespace ola::network { class TCPSocket; }

namespace pluviane::test {

// An OLA daemon of the test's own: its own config folder with every device
// plugin switched off (nothing goes on the network), no web server, a free
// RPC port on the loopback. Run as the unprivileged `olad` account when the
// test runs as root, since the daemon refuses root.
class PrivateOlad {
public:
    PrivateOlad();
    ~PrivateOlad();

    // Starts the daemon and waits until it takes connections; false with the
    // reason when it cannot run here.
    bool start(QString* why);
    // Stops it for good (SIGTERM, then SIGKILL).
    void stop();
    // Halts it with its connections open (SIGSTOP), and lets it go on (SIGCONT).
    void freeze();
    void thaw();
    std::uint16_t port() const { return port_; }

private:
    QTemporaryDir dir_;
    QProcess process_;
    std::uint16_t port_ = 0;
};

// Receives one universe from a daemon, as a DMX monitor would.
class DmxReceiver {
public:
    DmxReceiver();
    ~DmxReceiver();

    bool connect(std::uint16_t port, int universe);

    // Pumps the receiver and the Qt event loop until `wanted` holds for the
    // newest frame, or `timeoutMs` passes. False on timeout.
    bool waitFor(const std::function<bool(const DmxFrame&)>& wanted, int timeoutMs = 5000);

    const DmxFrame& latest() const { return latest_; }
    int frames() const { return frames_; }

private:
    void received(const DmxFrame& frame);

    struct Link;
    std::unique_ptr<Link> link_;
    DmxFrame latest_{};
    int frames_ = 0;
};

inline bool allZero(const DmxFrame& frame)
{
    for (Byte b : frame)
        if (b != 0)
            return false;
    return true;
}

} // namespace pluviane::test
