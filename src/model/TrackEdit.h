#pragma once

#include "model/ShowCue.h"

#include <compare>
#include <cstdint>
#include <optional>
#include <vector>

namespace pluviane {

// The two rows of the track: a cue's form and its scene are edited apart.
enum TrackRow { FormRow, SceneRow };

// One number of one cue: what the timeline selects, moves and copies.
struct CueRef {
    int cue = -1;
    TrackRow row = FormRow;
    friend auto operator<=>(const CueRef&, const CueRef&) = default;
};
using CueSelection = std::vector<CueRef>; // sorted, no repeats

int rowNumber(const ShowCue& cue, TrackRow row);
// The part of `cue` in `row` as a cue of its own: a scene keeps its change,
// a form its ramp.
ShowCue cuePart(const ShowCue& cue, TrackRow row);

// Every number of the track, or those in `rows` between the times (inclusive).
CueSelection allItems(const ShowTrack& track);
CueSelection itemsBetween(const ShowTrack& track, std::int64_t fromMs, std::int64_t toMs, bool formRow,
                          bool sceneRow);
// `selection` without the items that no longer stand in the track.
CueSelection validItems(const ShowTrack& track, CueSelection selection);

// The selected numbers as cues in time order; a cue selected in both rows stays whole.
std::vector<ShowCue> selectedCues(const ShowTrack& track, const CueSelection& selection);
// Takes the selected numbers out; a cue left with neither goes.
void removeItems(ShowTrack& track, const CueSelection& selection);
// Puts `cues` into the track in time order, after cues at the same times, and
// returns what they became; nothing changes (empty) when the track would hold
// more than kMaxTrackCues.
std::optional<CueSelection> addCues(ShowTrack& track, const std::vector<ShowCue>& cues);
// Moves the selection by `deltaMs`, held so that it stays within 0..four
// hours; returns the items it became.
CueSelection moveItems(ShowTrack& track, const CueSelection& selection, std::int64_t deltaMs);
// `cues` shifted so that the first stands at `atMs`.
std::vector<ShowCue> cuesFrom(std::vector<ShowCue> cues, std::int64_t atMs);

// The grids cues snap to, from the music's beats (in seconds); a bar is four beats.
enum class SnapGrid { Off, Beat, HalfBeat, Bar };
// The nearest grid point within one grid step; `ms` itself off the grid or without beats.
std::int64_t snapToGrid(std::int64_t ms, const std::vector<double>& beats, SnapGrid grid);
// The grid point after (`forward`) or before `ms`; `ms` ± `fallbackMs` without one.
std::int64_t nextGridPoint(std::int64_t ms, const std::vector<double>& beats, SnapGrid grid, bool forward,
                           std::int64_t fallbackMs);

// The first cue time after (before) `ms` in the track; empty when none.
std::optional<std::int64_t> nextCueTime(const ShowTrack& track, std::int64_t ms, bool forward);
std::optional<std::int64_t> nextMarkerTime(const ShowTrack& track, std::int64_t ms, bool forward);

// A stretch of the music that plays again and again.
struct LoopRegion {
    std::int64_t fromMs = 0;
    std::int64_t toMs = 0;
    bool valid() const { return toMs > fromMs; }
    friend bool operator==(const LoopRegion&, const LoopRegion&) = default;
};
// Where the play head goes when it has reached the end of a looping region;
// empty while it plays on.
std::optional<std::int64_t> loopRestart(std::int64_t nowMs, const LoopRegion& loop, bool looping);

} // namespace pluviane
