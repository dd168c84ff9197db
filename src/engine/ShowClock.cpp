#include "engine/ShowClock.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace pluviane {

namespace {
constexpr std::int64_t kTickMicros = kShowTickMs * 1000;
} // namespace

TimeSource monotonicSource()
{
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    return [clock] { return clock->nsecsElapsed() / 1000; };
}

ShowClock::ShowClock(TimeSource ticks) : ticks_(std::move(ticks)) { restart(); }

void ShowClock::setTickSource(TimeSource ticks)
{
    ticks_ = std::move(ticks);
    restart();
}

void ShowClock::restart()
{
    base_ = ticks_();
    done_[0] = done_[1] = 0;
}

int ShowClock::takeDueTicks(Lane lane)
{
    const std::int64_t reached = (ticks_() - base_) / kTickMicros;
    std::int64_t& done = done_[lane];
    // A source that went back (a restarted clock) counts on from where it is.
    if (reached < done)
        done = reached;
    std::int64_t due = reached - done;
    if (due > kMaxCatchUpTicks)
        done = reached - kMaxCatchUpTicks;
    due = reached - done;
    done = reached;
    return int(due);
}

std::int64_t ShowClock::nextTickAt() const
{
    return base_ + (std::min(done_[0], done_[1]) + 1) * kTickMicros;
}

void ShowClock::follow(const ShowTrack* track, TimeSource showTimeMs)
{
    track_ = track;
    showTime_ = std::move(showTimeMs);
}

void ShowClock::stopFollowing()
{
    track_ = nullptr;
    showTime_ = {};
}

std::optional<std::int64_t> ShowClock::showTimeMs() const
{
    if (track_ == nullptr || !showTime_)
        return std::nullopt;
    return showTime_();
}

void SmoothedPosition::holdAt(std::int64_t ms)
{
    anchorMs_ = lastGiven_ = lastReported_ = ms;
    waiting_ = true;
}

void SmoothedPosition::sought(std::int64_t ms) { holdAt(ms); }

std::int64_t SmoothedPosition::at(std::int64_t reportedMs, bool playing, std::int64_t monotonicMicros)
{
    if (!playing) {
        holdAt(reportedMs);
        return reportedMs;
    }
    if (reportedMs != lastReported_) {
        if (waiting_ && std::llabs(reportedMs - anchorMs_) > kSeekMs) {
            // Far from where the time stands: the seek went elsewhere (or the
            // player reports late); wait for a move from there.
            holdAt(reportedMs);
        } else if (!waiting_ && reportedMs < lastReported_ - kSeekMs) {
            holdAt(reportedMs); // a seek back, or the start of another loop
        } else if (reportedMs > anchorMs_ || !waiting_) {
            // The player moves: the time runs on from its report.
            lastReported_ = reportedMs;
            anchorMs_ = reportedMs;
            anchorMicros_ = monotonicMicros;
            waiting_ = false;
        }
    }
    if (waiting_)
        return lastGiven_;
    const std::int64_t runOn = std::min((monotonicMicros - anchorMicros_) / 1000, kMaxRunOnMs);
    lastGiven_ = std::max(lastGiven_, anchorMs_ + runOn);
    return lastGiven_;
}

} // namespace pluviane
