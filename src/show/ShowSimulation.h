#pragma once

#include <cstdint>

namespace pluviane {

class AppWindows;

// Plays the loaded fountain's show in simulated time: the live timers are
// stopped, and the sequencer ticks and the render tick's field spin run at
// their designed rates as the clock is moved on, so a picture taken at any
// moment shows exactly what the live program would show then.
class ShowSimulation {
public:
    explicit ShowSimulation(AppWindows& windows);

    // Presses both play buttons at time 0: form 1 and scene 1 start together.
    // With `followTrack` and a track with cues, form and scene change at the
    // cues, the music's time being the simulated time.
    void start(bool followTrack = false);

    // Runs every tick due up to and including `micros` microseconds.
    void advanceTo(std::int64_t micros);

    std::int64_t now() const { return now_; }

private:
    void stopLiveTimers();
    void pressPlay(bool followTrack);
    void renderTick();

    AppWindows& windows_;
    std::int64_t now_ = 0;
    std::int64_t nextRenderTick_ = 0;
    bool playing_ = false;
};

} // namespace pluviane
