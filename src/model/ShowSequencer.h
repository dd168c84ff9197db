#pragma once

#include "model/FountainState.h"

namespace pluviane {

// Forms above this number are never played: the sequencer ramps toward this
// form's targets instead, and the recorder's "Rec" buttons stop advancing here.
constexpr int kLastPlayedForm = 250;

// One ramp step of `group` toward the pressure of `form`: moves the group's
// GroupRampLevel by at most `step` toward the target without passing it,
// stores and returns it. Form is held to 1..250 and group to 1..15.
Byte StepRampLevel(FountainState& state, int form, int group, int step);

// One colour step of a fader at `position` toward `target`: up by `step` when
// the target is at or above the position, down otherwise. It never rests on
// the target, so a reached fader swings between target and target + step; the
// fader's range (0..255) clamps the result.
int stepColourFader(int position, int target, int step);

// Takes the four show tables of a fountain image at their file offsets.
void loadShowTables(const FountainImage& image, FountainState& state);

} // namespace pluviane
