#include "app/StopSignals.h"

#include <QObject>
#include <QSocketNotifier>

#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

namespace pluviane {

namespace {

// A signal becomes a byte on a socket pair, the one thing a signal handler may
// safely touch; the event loop reads it.
int signalPipe[2] = {-1, -1};

void onStopSignal(int)
{
    const char byte = 1;
    (void)!::write(signalPipe[1], &byte, 1);
}

} // namespace

bool watchStopSignals(QObject* owner, const std::function<void()>& stop)
{
    if (signalPipe[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return false;
    // A burst of signals must never block the handler on a full pipe.
    ::fcntl(signalPipe[1], F_SETFL, ::fcntl(signalPipe[1], F_GETFL) | O_NONBLOCK);
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, owner);
    // The bytes are taken, so the watch stays armed: a stop the user turns
    // down at the unsaved-changes question can come again.
    QObject::connect(notifier, &QSocketNotifier::activated, owner, [stop] {
        char bytes[64];
        (void)!::read(signalPipe[0], bytes, sizeof bytes);
        stop();
    });
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    return sigaction(SIGINT, &action, nullptr) == 0 && sigaction(SIGTERM, &action, nullptr) == 0
           && sigaction(SIGHUP, &action, nullptr) == 0;
}

} // namespace pluviane
