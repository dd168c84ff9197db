#pragma once

#include <QString>

#include <cstdint>
#include <vector>

namespace pluviane {

// How a scene cue brings in its colours: the recorder's sweep at its colour
// step (what every show did before cues had transitions of their own), at
// once, or a fade over `fadeMs`.
enum class SceneChange : std::uint8_t { Sweep, Cut, Fade };

// Fades and ramps last at most this long.
constexpr int kMaxTransitionMs = 60'000;

// One cue: at `timeMs` milliseconds from the start of the music the show
// switches to form `form` and scene `scene`; 0 leaves that one as it is.
// A form cue with `rampMs` > 0 ramps the levels over that time instead of
// stepping them at the recorder's ramp step.
struct ShowCue {
    std::int64_t timeMs = 0;
    int form = 0;
    int scene = 0;
    SceneChange change = SceneChange::Sweep;
    int fadeMs = 0; // for SceneChange::Fade
    int rampMs = 0;

    friend bool operator==(const ShowCue&, const ShowCue&) = default;
};

// A named place on the track (a verse, the drop) to find one's way and jump to.
struct ShowMarker {
    std::int64_t timeMs = 0;
    QString name;

    friend bool operator==(const ShowMarker&, const ShowMarker&) = default;
};

struct ShowTrack {
    std::vector<ShowCue> cues;       // in time order
    QString musicName;               // relative to the fountain's folder when it lies inside it
    std::vector<ShowMarker> markers; // in time order

    bool empty() const { return cues.empty() && markers.empty() && musicName.isEmpty(); }
    friend bool operator==(const ShowTrack&, const ShowTrack&) = default;
};

} // namespace pluviane
