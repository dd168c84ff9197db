#pragma once

#include <QString>

#include <cstdint>
#include <vector>

namespace pluviane {

// One cue: at `timeMs` milliseconds from the start of the music the show
// switches to form `form` and scene `scene`; 0 leaves that one as it is.
struct ShowCue {
    std::int64_t timeMs = 0;
    int form = 0;
    int scene = 0;

    friend bool operator==(const ShowCue&, const ShowCue&) = default;
};

struct ShowTrack {
    std::vector<ShowCue> cues; // in time order
    QString musicName;         // relative to the fountain's folder when it lies inside it

    bool empty() const { return cues.empty() && musicName.isEmpty(); }
    friend bool operator==(const ShowTrack&, const ShowTrack&) = default;
};

} // namespace pluviane
