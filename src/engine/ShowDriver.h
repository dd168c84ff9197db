#pragma once

#include "engine/ShowEngine.h"
#include "engine/ShowValueStore.h"

#include <cstdint>
#include <functional>

namespace pluviane {

// Plays the loaded fountain's show in simulated time with no window: the
// sequencer ticks and the render tick's field spin run at their designed
// rates as the clock is moved on, so a picture taken at any moment shows
// what the live program would show then.
class ShowDriver {
public:
    // The render tick of the program's main window.
    static constexpr std::int64_t kRenderTickMicros = 50'000;

    explicit ShowDriver(FountainState& state);

    ShowValueStore& controls() { return controls_; }
    ShowEngine& engine() { return engine_; }

    // The bowl's spin bar, which turns the field on every render tick.
    void setFieldSpin(int position) { fieldSpin_ = position; }
    // Called after each render tick's field spin (a picture may be drawn).
    void setRenderTick(std::function<void()> tick) { renderTick_ = std::move(tick); }

    // Presses both play buttons at time 0: form 1 and scene 1 start together.
    // With `followTrack` and a track with cues, form and scene change at the
    // cues, the music's time being the simulated time.
    void start(bool followTrack = false);

    // Runs every tick due up to and including `micros` microseconds.
    void advanceTo(std::int64_t micros);

    std::int64_t now() const { return now_; }

    // A latching button's click: down if up, up if down, then its handler.
    void click(ShowValue latch);

private:
    void renderTick();

    FountainState& state_;
    ShowValueStore controls_;
    ShowEngine engine_;
    int fieldSpin_ = 50;
    std::function<void()> renderTick_;
    std::int64_t now_ = 0;
    std::int64_t nextRenderTick_ = 0;
    bool playing_ = false;
};

} // namespace pluviane
