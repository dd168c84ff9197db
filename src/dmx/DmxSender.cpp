#include "dmx/DmxSender.h"

#include <ola/DmxBuffer.h>
#include <ola/Logging.h>
#include <ola/client/StreamingClient.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>

#include <signal.h>

namespace pluviane {

namespace {

using Clock = std::chrono::steady_clock;

// How long closing waits for the last blackout before leaving the thread behind.
constexpr auto kCloseWait = std::chrono::milliseconds(1000);

struct Frame {
    int universe = 0;
    DmxFrame channels{};
    bool blackout = false;
    std::uint64_t serial = 0;
};

std::unique_ptr<ola::client::StreamingClient> connectToDaemon(std::uint16_t port)
{
    ola::client::StreamingClient::Options options;
    options.auto_start = false;  // starting the daemon is the operator's business
    options.server_port = port;
    auto client = std::make_unique<ola::client::StreamingClient>(options);
    if (!client->Setup())
        return nullptr;
    return client;
}

void quietLibrary()
{
    static std::once_flag once;
    std::call_once(once, [] { ola::InitLogging(ola::OLA_LOG_NONE, ola::OLA_LOG_STDERR); });
}

} // namespace

struct DmxSender::Shared {
    explicit Shared(Options o) : options(o) {}

    const Options options;
    std::mutex mutex;
    std::condition_variable wake;     // work for the thread
    std::condition_variable settled;  // the queue emptied or the thread ended
    std::deque<Frame> queue;
    std::optional<int> liveUniverse;  // the universe that may show non-zero channels
    bool stopping = false;
    bool finished = false;
    bool reached = false;
    std::uint64_t lastSerial = 0;

    void enqueue(Frame frame)
    {
        // An unsent ordinary frame is stale once a newer one arrives.
        std::erase_if(queue, [](const Frame& f) { return !f.blackout; });
        frame.serial = ++lastSerial;
        queue.push_back(frame);
        wake.notify_one();
    }

    void queueBlackout()
    {
        if (!liveUniverse)
            return;
        Frame zeros;
        zeros.universe = *liveUniverse;
        zeros.blackout = true;
        liveUniverse.reset();
        enqueue(zeros);
    }

    void run();
};

// The thread's loop. The lock is let go around every call into the library.
void DmxSender::Shared::run()
{
    // A daemon gone away turns a write into SIGPIPE; held here, it only fails the write.
    sigset_t pipe;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipe, nullptr);

    std::unique_ptr<ola::client::StreamingClient> client;
    auto nextTry = Clock::now();
    std::unique_lock lock(mutex);
    for (;;) {
        if (queue.empty()) {
            settled.notify_all();
            if (stopping)
                break;
            wake.wait(lock, [&] { return stopping || !queue.empty(); });
            continue;
        }
        if (!client) {
            if (!stopping && Clock::now() < nextTry) {
                wake.wait_until(lock, nextTry, [&] { return stopping; });
                continue;
            }
            lock.unlock();
            auto fresh = connectToDaemon(options.port);
            lock.lock();
            client = std::move(fresh);
            reached = client != nullptr;
            if (!client) {
                if (stopping)
                    break;  // closing does not wait for a daemon that is not there
                nextTry = Clock::now() + options.retry;
                continue;
            }
        }
        const Frame frame = queue.front();
        lock.unlock();
        ola::DmxBuffer buffer(frame.channels.data(), frame.channels.size());
        const bool sent = client->SendDmx(static_cast<unsigned>(frame.universe), buffer);
        if (!sent)
            client.reset();
        lock.lock();
        if (!sent) {
            // The daemon went away: try once more at once (it may be back), then every `retry`.
            reached = false;
            nextTry = Clock::now();
            continue;
        }
        // A newer frame may have replaced this one meanwhile; it goes out next.
        if (!queue.empty() && queue.front().serial == frame.serial)
            queue.pop_front();
    }
    finished = true;
    settled.notify_all();
}

DmxSender::DmxSender() : DmxSender(Options{}) {}

DmxSender::DmxSender(Options options) : shared_(std::make_shared<Shared>(options))
{
    quietLibrary();
    // The thread shares ownership, so it stays sound even if it has to be left behind.
    thread_ = std::thread([shared = shared_] { shared->run(); });
}

DmxSender::~DmxSender()
{
    std::unique_lock lock(shared_->mutex);
    shared_->queueBlackout();
    shared_->stopping = true;
    shared_->wake.notify_one();
    const bool ended = shared_->settled.wait_for(lock, kCloseWait, [&] { return shared_->finished; });
    lock.unlock();
    // A daemon that stopped reading can hold a write; the program must still close.
    if (ended)
        thread_.join();
    else
        thread_.detach();
}

void DmxSender::send(int universe, const DmxFrame& frame)
{
    std::lock_guard lock(shared_->mutex);
    if (shared_->liveUniverse && *shared_->liveUniverse != universe)
        shared_->queueBlackout();
    shared_->liveUniverse = universe;
    shared_->enqueue(Frame{universe, frame, false, 0});
}

void DmxSender::blackout()
{
    std::lock_guard lock(shared_->mutex);
    shared_->queueBlackout();
}

bool DmxSender::reached() const
{
    std::lock_guard lock(shared_->mutex);
    return shared_->reached;
}

bool DmxSender::flush(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(shared_->mutex);
    return shared_->settled.wait_for(lock, timeout,
                                     [&] { return shared_->queue.empty() || shared_->finished; })
           && shared_->queue.empty();
}

} // namespace pluviane
