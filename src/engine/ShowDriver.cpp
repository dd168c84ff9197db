#include "engine/ShowDriver.h"

#include "render/ViewInput.h"

#include <algorithm>

namespace pluviane {

ShowDriver::ShowDriver(FountainState& state) : state_(state), engine_(state, controls_)
{
    controls_.setHandler([this](ShowValue what, int group, int value) { engine_.chain.changed(what, group, value); });
}

void ShowDriver::click(ShowValue latch)
{
    controls_.set(latch, controls_.down(latch) ? 0 : 1);
    if (latch == ShowValue::FormPlay)
        engine_.sequencers.formPlayPressed();
}

void ShowDriver::start(bool followTrack)
{
    now_ = 0;
    nextRenderTick_ = kRenderTickMicros;
    ShowSequencers& sequencers = engine_.sequencers;
    // Form 1 and scene 1, whatever the file left the counters at.
    sequencers.rewindForm();
    sequencers.rewindColour();
    click(ShowValue::FormPlay);
    click(ShowValue::ColourPlay);
    // The clock counts simulated time from 0; the music's time is the same.
    sequencers.clock().setTickSource([this] { return now_; });
    if (followTrack && !state_.Track.cues.empty())
        sequencers.clock().follow(&state_.Track, [this] { return now_ / 1000; });
    else
        sequencers.clock().stopFollowing();
    playing_ = true;
}

// At equal times the show moves before the view, as a sequencer tick that
// lands on a render tick reaches its picture.
void ShowDriver::advanceTo(std::int64_t micros)
{
    ShowClock& clock = engine_.sequencers.clock();
    for (;;) {
        const std::int64_t next = playing_ ? std::min(clock.nextTickAt(), nextRenderTick_) : nextRenderTick_;
        if (next > micros)
            break;
        now_ = next;
        if (playing_ && clock.nextTickAt() == next)
            engine_.sequencers.runDueTicks();
        if (nextRenderTick_ == next) {
            renderTick();
            nextRenderTick_ += kRenderTickMicros;
        }
    }
    now_ = micros;
}

void ShowDriver::renderTick()
{
    advanceFieldSpin(state_, fieldSpin_);
    if (renderTick_)
        renderTick_();
}

} // namespace pluviane
