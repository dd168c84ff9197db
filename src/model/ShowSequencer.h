#pragma once

#include "model/FountainState.h"

#include <cstdint>
#include <optional>

namespace pluviane {

// Forms above this number are never played: the sequencer ramps toward this
// form's targets instead, and the recorder's "Rec" buttons stop advancing here.
constexpr int kLastPlayedForm = 250;

// One ramp step of `group` toward the pressure of `form`: moves the group's
// GroupRampLevel by at most `step` toward the target without passing it,
// stores and returns it. Form is held to 1..250 and group to 1..15.
Byte StepRampLevel(FountainState& state, int form, int group, int step);

// One colour step of a fader at `position` toward `target`: by at most `step`,
// never past the target, and resting on it once reached (a fader that swung
// about its target would flicker the lights).
int stepColourFader(int position, int target, int step);

// The position every recorder colour bar starts at, which the scene table
// keeps for a group the designer gave no colour (older files and the examples
// hold it too). It is not the complement of the editor's fader at its start,
// so it gives no colour: such a group keeps the colour it shows.
constexpr Byte kNoSceneColour = 255;

// The editor's colour fader position that shows a stored scene colour (the
// recorder's bars hold the complement of what the fader shows); none for a
// group given no colour.
constexpr std::optional<int> faderColourOfScene(Byte stored)
{
    return stored == kNoSceneColour ? std::nullopt : std::optional<int>(255 - stored);
}

// Where a change from `from` to `to` stands `elapsedMs` into a transition
// lasting `lengthMs`: straight on in time, and there from its end on (at once
// without a length).
int transitionPosition(int from, int to, std::int64_t elapsedMs, int lengthMs);

// A group's level `elapsedMs` into a timed ramp from `from` toward form
// `form`'s recorded level; kept as the group's ramp level like StepRampLevel's.
Byte TimedRampLevel(FountainState& state, int form, int group, int from, std::int64_t elapsedMs, int lengthMs);

// Takes the four show tables of a fountain image at their file offsets.
void loadShowTables(const FountainImage& image, FountainState& state);

} // namespace pluviane
