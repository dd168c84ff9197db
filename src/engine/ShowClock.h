#pragma once

#include "model/ShowCue.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace pluviane {

// The sequencer tick period. Shows were designed on a platform whose timers
// tick about 64 times a second however short the interval asked for, so the
// ticks run every 16 ms: a show then plays at the pace its designer saw (with
// "Скорость смены форм" at 50 a form lasts about 0.8 s).
constexpr int kShowTickMs = 16;

// Microseconds from a time source: a monotonic clock, the music's position or
// simulated time. Only differences matter.
using TimeSource = std::function<std::int64_t()>;

// The monotonic clock of the machine.
TimeSource monotonicSource();

// The one show clock: decides which 16 ms sequencer ticks are due from its
// tick source, and, while it follows a track, the show time at which cues are
// looked up. The live program, the simulated show of pictures and videos and
// the headless player all drive the sequencers through it.
class ShowClock {
public:
    // The form and the colour sequencer keep their own count of ticks run.
    enum Lane { FormLane, ColourLane };

    // Ticks missed by a late event loop run at once, but never more than one
    // second of them: after a longer stall the show goes on from there.
    static constexpr int kMaxCatchUpTicks = 62;

    explicit ShowClock(TimeSource ticks = monotonicSource());

    // A new tick source; both lanes count their ticks from its present.
    void setTickSource(TimeSource ticks);
    // Both lanes count from the source's present: the next tick is 16 ms away.
    void restart();

    // The ticks of `lane` due now (0..kMaxCatchUpTicks), counted as run.
    int takeDueTicks(Lane lane);
    // When the next tick of either lane falls due, in the tick source's time.
    std::int64_t nextTickAt() const;

    // Following a track: cues are looked up at `showTimeMs` milliseconds.
    void follow(const ShowTrack* track, TimeSource showTimeMs);
    void stopFollowing();
    bool following() const { return track_ != nullptr; }
    const ShowTrack* track() const { return track_; }
    // The show time now; empty when not following.
    std::optional<std::int64_t> showTimeMs() const;

private:
    TimeSource ticks_;
    std::int64_t base_ = 0;
    std::int64_t done_[2] = {0, 0};
    const ShowTrack* track_ = nullptr;
    TimeSource showTime_;
};

// The music's position in milliseconds made smooth: players report it in
// steps (every 10..100 ms); between reports the time runs on by the monotonic
// clock, so cues fall due within one tick. Players hold their first position
// for a while after play and after a seek although they say they play, so the
// time stands until the reported position has moved once: a cue is never
// taken before it is heard. A step back of more than `kSeekMs` is a seek;
// smaller steps back are ignored, so show time never runs backwards by
// jitter, nor after a player that stalled and was overtaken by the run-on.
class SmoothedPosition {
public:
    static constexpr std::int64_t kSeekMs = 200;
    static constexpr std::int64_t kMaxRunOnMs = 500; // a stalled player stops the time

    std::int64_t at(std::int64_t reportedMs, bool playing, std::int64_t monotonicMicros);
    // A seek to `ms` was asked for: the time stands there until the player
    // moves on from it.
    void sought(std::int64_t ms);

private:
    void holdAt(std::int64_t ms);

    std::int64_t anchorMs_ = 0;
    std::int64_t anchorMicros_ = 0;
    std::int64_t lastReported_ = -1;
    std::int64_t lastGiven_ = 0;
    bool waiting_ = true; // for the player's first move after play or a seek
};

} // namespace pluviane
