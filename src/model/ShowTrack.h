#pragma once

#include "model/FountainState.h"
#include "model/ShowCue.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

namespace pluviane {

// A show track: cues on the music's time line. Kept in the fountain file's
// tail (bytes 21760..63999), which older files leave unused; the layout is
// described in docs/fountain-file.md.
constexpr std::size_t kShowTrackOffset = 21760;

// Cue times are held to 0..kMaxCueTimeMs (four hours, the longest music decoded);
// numbers to 0..255, the show tables' rows.
constexpr std::int64_t kMaxCueTimeMs = 4LL * 3600 * 1000;
constexpr int kMaxCueNumber = 255;
// The tail holds at least this many cues whatever the music's name.
constexpr int kMaxTrackCues = 6000;
constexpr int kMaxMusicNameBytes = 4096;
constexpr int kMaxTrackMarkers = 1000;
constexpr int kMaxMarkerNameBytes = 255;

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

// The tail as a save leaves it: the track when there is one; without one a
// cleared tail where a track (whole or damaged) stood, and other bytes kept,
// so what an older program left there survives. False as writeShowTrack.
bool storeShowTrack(const ShowTrack& track, FountainImage& image);

// The form (scene) of the last cue at or before `timeMs` that sets one; 0 when none does.
int formAt(const ShowTrack& track, std::int64_t timeMs);
int sceneAt(const ShowTrack& track, std::int64_t timeMs);
// That cue itself, with its transition; nullptr when none sets one.
const ShowCue* formCueAt(const ShowTrack& track, std::int64_t timeMs);
const ShowCue* sceneCueAt(const ShowTrack& track, std::int64_t timeMs);

// Puts `cue` into the track in time order (after cues at the same time);
// returns its index.
int insertCue(ShowTrack& track, const ShowCue& cue);
// The same for a marker.
int insertMarker(ShowTrack& track, const ShowMarker& marker);

// `name` simplified and cut to what the track keeps of a marker's name.
QString fitMarkerName(const QString& name);

// A cue's transition as the label files write it: "cut", "fade=800",
// "ramp=500", "fade=800 ramp=500"; empty for the sweep without a ramp.
QString transitionText(const ShowCue& cue);
// Reads such words into `cue`; false when one is not a transition.
bool readTransitionText(const QString& text, ShowCue& cue);

// The music's name as the track keeps it: relative to `fountainFolder` when
// the music lies inside it, absolute otherwise. And back: the absolute path of
// the track's music for a fountain in `fountainFolder` (empty without music).
QString trackMusicName(const QString& musicPath, const QString& fountainFolder);
QString trackMusicPath(const ShowTrack& track, const QString& fountainFolder);

// A line for the user about cues whose form or scene lies past the recorded
// counts (empty when all are within them).
QString cuesPastCounts(const ShowTrack& track, int formCount, int sceneCount);

// Audacity label files: "start<TAB>end<TAB>label" a line, times in seconds,
// labels "F3", "S2" or "F3 S2" with their transition ("S2 fade=800"); any
// other label is a marker named by its text, one in double quotes by the
// text inside them (a marker named like a cue goes out quoted; see
// docs/fountain-file.md).
struct CueLabelsRead {
    bool ok = false;
    std::vector<ShowCue> cues;
    std::vector<ShowMarker> markers;
    int badLine = 0;  // 1-based number of the first line that could not be read
    QString reason;
};
CueLabelsRead parseCueLabels(const QByteArray& text);
// Reads a label file (a regular file of at most 4 MB). `reason` says why it
// cannot be read (badLine 0) or names what is wrong with line `badLine`.
CueLabelsRead readCueLabelFile(const QString& name);
// "FILE, line N: why" or "FILE: why" for a failed read.
QString cueLabelsProblem(const QString& name, const CueLabelsRead& read);
QByteArray formatCueLabels(const std::vector<ShowCue>& cues, const std::vector<ShowMarker>& markers = {});

} // namespace pluviane
