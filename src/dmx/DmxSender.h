#pragma once

#include "model/DmxPatch.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <thread>

namespace pluviane {

// Sends DMX frames to the OLA daemon from a thread of its own, so that neither
// connecting nor a stalled daemon can hold up the caller's render tick. Only the
// newest frame waits to be sent, and the next goes only once the daemon has
// taken the last, so a daemon that stalls and resumes gets the newest frame,
// not the ones it missed; blackouts are never dropped. While the daemon cannot
// be reached the thread tries again every `retry`.
class DmxSender {
public:
    struct Options {
        std::uint16_t port = 9010;  // the daemon's RPC port
        std::chrono::milliseconds retry{3000};
        std::string host = "127.0.0.1"; // its machine: an IPv4 address or a name
        // The steady pace of a kept frame (40 frames a second, within DMX's 44).
        std::chrono::milliseconds pace{25};
        // A kept frame that changed goes as soon as this much has passed since
        // the last one, so the water follows the show within a tick.
        std::chrono::milliseconds shortestGap{16};
    };

    DmxSender();
    explicit DmxSender(Options options);
    // Blacks out the universe last sent to, waiting a moment for it to go out.
    ~DmxSender();
    DmxSender(const DmxSender&) = delete;
    DmxSender& operator=(const DmxSender&) = delete;

    // Hands a frame over and returns at once. Moving to another universe
    // blacks out the one left behind first.
    void send(int universe, const DmxFrame& frame);

    // Keeps `frame` going out at the steady pace from the sender's thread until
    // a newer one is kept or a blackout: the caller only publishes its latest
    // frame, and the gaps between frames do not follow the caller's stalls.
    // The first frame kept, and one that differs from the last kept, goes at
    // once (no sooner than `shortestGap` after the frame before).
    void keep(int universe, const DmxFrame& frame);

    // One frame of zeros on the universe last sent to, and no frame is kept.
    // Nothing is sent when nothing was sent since the last blackout.
    void blackout();

    // Whether the daemon was reached by the last connection try or send;
    // nothing before the first try has ended.
    std::optional<bool> reached() const;

    // Whether the daemon holds its connection open but has taken no frame
    // for a while (it is stopped or hangs).
    bool stalled() const;

    // Waits until every handed frame has been sent or `timeout` has passed;
    // true when nothing is left waiting.
    bool flush(std::chrono::milliseconds timeout);

private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
    std::thread thread_;
};

} // namespace pluviane
