#pragma once

#include "model/FountainState.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

namespace pluviane {

// A show track: cues on the music's time line. Kept in the fountain file's
// tail (bytes 21760..63999), which older files leave unused; the layout is
// described in docs/fountain-file.md.
constexpr std::size_t kShowTrackOffset = 21760;

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

struct ShowTrackRead {
    enum Outcome { NoTrack, Loaded, Damaged };
    Outcome outcome = NoTrack;
    ShowTrack track;
    QString reason; // why a damaged track was ignored
};

// Reads the track from the first `fileLength` bytes of `image` (only the bytes
// the file itself held: a short file brings no track). A missing tag is no
// track; a wrong length, version or checksum is Damaged and yields no cues.
ShowTrackRead readShowTrack(const FountainImage& image, std::size_t fileLength);

// Writes the track into the tail of `image`; an empty track clears the tail.
// Returns false, leaving the image as it was, when the track does not fit.
bool writeShowTrack(const ShowTrack& track, FountainImage& image);

// The form (scene) of the last cue at or before `timeMs` that sets one; 0 when none does.
int formAt(const ShowTrack& track, std::int64_t timeMs);
int sceneAt(const ShowTrack& track, std::int64_t timeMs);

// Audacity label files: "start<TAB>end<TAB>label" a line, times in seconds,
// labels "F3", "S2" or "F3 S2".
struct CueLabelsRead {
    bool ok = false;
    std::vector<ShowCue> cues;
    int badLine = 0;  // 1-based number of the first line that could not be read
    QString reason;
};
CueLabelsRead parseCueLabels(const QByteArray& text);
QByteArray formatCueLabels(const std::vector<ShowCue>& cues);

} // namespace pluviane
