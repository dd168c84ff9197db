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

void ShowDriver::advanceTo(std::int64_t micros)
{
    SimulatedTicks ticks{now_, nextRenderTick_};
    ticks.advanceTo(micros, playing_ ? &engine_.sequencers.clock() : nullptr,
                    [this] { engine_.sequencers.runDueTicks(); }, [this] { renderTick(); });
}

void ShowDriver::renderTick()
{
    advanceFieldSpin(state_, fieldSpin_);
    if (renderTick_)
        renderTick_();
}

void SimulatedTicks::advanceTo(std::int64_t micros, ShowClock* clock, const std::function<void()>& showTick,
                               const std::function<void()>& renderTick)
{
    for (;;) {
        const std::int64_t next = clock ? std::min(clock->nextTickAt(), nextRenderTick) : nextRenderTick;
        if (next > micros)
            break;
        now = next;
        if (clock && clock->nextTickAt() == next)
            showTick();
        if (nextRenderTick == next) {
            renderTick();
            nextRenderTick += ShowDriver::kRenderTickMicros;
        }
    }
    now = micros;
}

} // namespace pluviane
