#pragma once

#include "engine/ShowClock.h"

#include <cstdint>

namespace pluviane {

// The show's time in milliseconds, which the timeline shows and the show
// clock follows: with music, the player's position made smooth; without,
// a clock of its own that runs while the show plays and holds while paused.
class ShowTime {
public:
    explicit ShowTime(TimeSource monotonic = monotonicSource()) : monotonic_(std::move(monotonic)) {}

    // With music: the time at the player's report.
    std::int64_t musicMs(std::int64_t reportedMs, bool playing);
    // A seek of the music was asked for.
    void musicSought(std::int64_t ms) { smooth_.sought(ms); }

    // Without music: the own clock.
    std::int64_t ownMs() const;
    bool ownRunning() const { return running_; }
    void runOwn();
    void holdOwn();
    void seekOwn(std::int64_t ms);

private:
    TimeSource monotonic_;
    SmoothedPosition smooth_;
    bool running_ = false;
    std::int64_t baseMs_ = 0;
    std::int64_t startMicros_ = 0;
};

} // namespace pluviane
