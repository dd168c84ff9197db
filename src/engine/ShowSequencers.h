#pragma once

#include "engine/ShowClock.h"
#include "engine/ShowControls.h"
#include "model/FountainState.h"
#include "model/ShowCue.h"

#include <cstdint>

namespace pluviane {

// The form and colour sequencers. The form sequencer ramps groups 1..12
// toward the current form through the recorder's pressure bars; the colour
// sequencer steps the colour faders 1..4 toward the current scene and moves
// the scene number on. Neither writes the model directly: every value
// travels the chain of controls a user's move travels.
class ShowSequencers {
public:
    ShowSequencers(FountainState& state, ShowControls& controls);

    ShowClock& clock() { return clock_; }

    // One tick of each sequencer; nothing happens while its play latch is up.
    void formTick();
    void colourTick();
    // Every tick the clock says is due, form ticks before colour ticks.
    void runDueTicks();

    // Back to form 1 (the rewind button).
    void rewindForm();
    // The form play button was pressed: from form 1 the show starts from a
    // dry fountain.
    void formPlayPressed();
    // Back to scene 1.
    void rewindColour();
    // Latches both play buttons without the dry start at form 1: a show that
    // resumes goes on from the levels and colours it stands at.
    void resumePlaying();

    // A show file's tables, then its counts; both sequencers stop.
    void takeShowTables(const FountainImage& image);
    void takeShowCounts(const FountainImage& image);
    void stopBoth();

    int currentForm() const { return currentForm_; }

private:
    void takeFormCue(std::int64_t timeMs);
    void takeSceneCue(std::int64_t timeMs);
    void stepColours(std::optional<std::int64_t> cueTime);
    void showForm();
    void showScene();

    FountainState& state_;
    ShowControls& controls_;
    ShowClock clock_;
    int currentForm_ = 1;
    int formTickCount_ = 1;
    int sceneTickCount_ = 1;

    // The transitions of the cues taken last (while following a track): a
    // scene's cut or fade and a form's timed ramp run from the cue's time, so
    // a seek into one lands where it would stand.
    ShowCue formCue_;
    ShowCue sceneCue_;
    int rampFrom_[kFaderGroups + 1] = {};
    int fadeFrom_[5] = {};
};

} // namespace pluviane
