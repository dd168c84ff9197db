#include "dmx/DmxSender.h"

#include <ola/Callback.h>
#include <ola/DmxBuffer.h>
#include <ola/Logging.h>
#include <ola/client/OlaClient.h>
#include <ola/io/SelectServer.h>
#include <ola/network/IPV4Address.h>
#include <ola/network/SocketAddress.h>
#include <ola/network/TCPSocket.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>

#include <netdb.h>
#include <netinet/in.h>
#include <signal.h>

namespace pluviane {

namespace {

using Clock = std::chrono::steady_clock;

// How long closing waits for the last blackout before leaving the thread behind.
constexpr auto kCloseWait = std::chrono::milliseconds(1000);
// How long a frame waits for the daemon to confirm it before the daemon
// counts as stalled (stopped, but with its connection open).
constexpr auto kConfirmWait = std::chrono::milliseconds(500);

struct Frame {
    int universe = 0;
    DmxFrame channels{};
    bool blackout = false;
    std::uint64_t serial = 0;
};

// The daemon's machine, by address or by name (looked up on the sending
// thread, where a slow name server holds up nothing else).
std::optional<ola::network::IPV4Address> resolve(const std::string& host)
{
    ola::network::IPV4Address address;
    if (ola::network::IPV4Address::FromString(host, &address))
        return address;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || found == nullptr)
        return std::nullopt;
    const auto* in = reinterpret_cast<const sockaddr_in*>(found->ai_addr);
    address = ola::network::IPV4Address(in->sin_addr.s_addr);
    freeaddrinfo(found);
    return address;
}

// One connection to the daemon, used by the sending thread alone.
class OlaLink {
public:
    static std::unique_ptr<OlaLink> open(const std::string& host, std::uint16_t port)
    {
        using namespace ola::network;
        const std::optional<IPV4Address> address = resolve(host);
        if (!address)
            return nullptr;
        std::unique_ptr<OlaLink> link(new OlaLink);
        link->socket_.reset(TCPSocket::Connect(IPV4SocketAddress(*address, port)));
        if (!link->socket_)
            return nullptr;
        link->socket_->SetNoDelay();
        link->client_ = std::make_unique<ola::client::OlaClient>(link->socket_.get());
        if (!link->client_->Setup())
            return nullptr;
        link->closeHandler_ = ola::NewSingleCallback(link.get(), &OlaLink::onClosed);
        link->client_->SetCloseHandler(link->closeHandler_);
        link->registered_ = link->server_.AddReadDescriptor(link->socket_.get());
        return link;
    }

    ~OlaLink()
    {
        if (registered_)
            server_.RemoveReadDescriptor(socket_.get());
        if (client_)
            client_->Stop();
        client_.reset();
        socket_.reset();
        // The client frees its close handler only by running it.
        if (!closed_)
            delete closeHandler_;
    }

    enum class Reply { Confirmed, Waiting, Closed };

    // Sends a frame for the daemon to confirm. One frame is in flight at a
    // time: frames never pile up unread in the socket, where a daemon that
    // stalled would find them and play them all at once when it resumed.
    Reply send(int universe, const DmxFrame& frame)
    {
        server_.RunOnce(ola::TimeInterval(0, 0));  // learns of a closed connection
        if (closed_)
            return Reply::Closed;
        confirmed_ = false;
        client_->SendDMX(static_cast<unsigned>(universe), buffer(frame),
                         ola::client::SendDMXArgs(
                             ola::NewSingleCallback(this, &OlaLink::onConfirmed)));
        return awaitConfirmation();
    }

    // Waits a moment for the frame in flight to be confirmed.
    Reply awaitConfirmation()
    {
        const auto deadline = Clock::now() + kConfirmWait;
        while (!confirmed_ && !closed_ && Clock::now() < deadline)
            server_.RunOnce(ola::TimeInterval(0, 10000));
        if (closed_)
            return Reply::Closed;
        return confirmed_ ? Reply::Confirmed : Reply::Waiting;
    }

private:
    OlaLink() = default;

    static ola::DmxBuffer buffer(const DmxFrame& frame)
    {
        return ola::DmxBuffer(frame.data(), frame.size());
    }
    void onClosed() { closed_ = true; }
    void onConfirmed(const ola::client::Result&) { confirmed_ = true; }

    ola::io::SelectServer server_;
    std::unique_ptr<ola::network::TCPSocket> socket_;
    std::unique_ptr<ola::client::OlaClient> client_;
    ola::SingleUseCallback0<void>* closeHandler_ = nullptr;
    bool registered_ = false;
    bool closed_ = false;
    bool confirmed_ = false;
};

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
    std::optional<bool> reached;
    bool stalled = false;
    std::uint64_t lastSerial = 0;
    std::optional<Frame> kept;        // goes out at the pace while the queue is empty
    bool keptChanged = false;         // the kept frame differs from the one last sent
    Clock::time_point lastSent;

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
        kept.reset();
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

    std::unique_ptr<OlaLink> client;
    auto nextTry = Clock::now();
    std::unique_lock lock(mutex);
    for (;;) {
        if (queue.empty()) {
            settled.notify_all();
            if (stopping)
                break;
            if (kept) {
                const auto due = lastSent + (keptChanged ? options.shortestGap : options.pace);
                if (Clock::now() >= due) {
                    Frame again = *kept;
                    again.serial = ++lastSerial;
                    queue.push_back(again);
                    keptChanged = false;
                } else {
                    wake.wait_until(lock, due, [&, changed = keptChanged] {
                        return stopping || !queue.empty() || !kept || keptChanged != changed;
                    });
                }
                continue;
            }
            wake.wait(lock, [&] { return stopping || !queue.empty() || kept; });
            continue;
        }
        if (!client) {
            if (!stopping && Clock::now() < nextTry) {
                wake.wait_until(lock, nextTry, [&] { return stopping; });
                continue;
            }
            lock.unlock();
            auto fresh = OlaLink::open(options.host, options.port);
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
        lastSent = Clock::now();
        lock.unlock();
        auto reply = client->send(frame.universe, frame.channels);
        lock.lock();
        // A stalled daemon holds the frame in flight; nothing more is sent
        // until it takes that one, and newer frames only replace the waiting one.
        while (reply == OlaLink::Reply::Waiting && !stopping) {
            stalled = true;
            lock.unlock();
            reply = client->awaitConfirmation();
            lock.lock();
        }
        stalled = false;
        if (reply == OlaLink::Reply::Waiting)
            break;  // closing does not wait for a daemon that has stopped
        if (reply == OlaLink::Reply::Closed) {
            lock.unlock();
            client.reset();
            lock.lock();
            // The daemon went away: try once more at once (it may be back), then every `retry`.
            reached = false;
            nextTry = Clock::now();
            continue;
        }
        reached = true;
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

void DmxSender::keep(int universe, const DmxFrame& frame)
{
    std::lock_guard lock(shared_->mutex);
    if (shared_->liveUniverse && *shared_->liveUniverse != universe)
        shared_->queueBlackout();
    shared_->liveUniverse = universe;
    const bool changed = !shared_->kept || shared_->kept->universe != universe || shared_->kept->channels != frame;
    shared_->kept = Frame{universe, frame, false, 0};
    if (changed) {
        shared_->keptChanged = true;
        shared_->wake.notify_one();
    }
}

void DmxSender::blackout()
{
    std::lock_guard lock(shared_->mutex);
    shared_->queueBlackout();
}

std::optional<bool> DmxSender::reached() const
{
    std::lock_guard lock(shared_->mutex);
    return shared_->reached;
}

bool DmxSender::stalled() const
{
    std::lock_guard lock(shared_->mutex);
    return shared_->stalled;
}

bool DmxSender::flush(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(shared_->mutex);
    return shared_->settled.wait_for(lock, timeout,
                                     [&] { return shared_->queue.empty() || shared_->finished; })
           && shared_->queue.empty();
}

} // namespace pluviane
