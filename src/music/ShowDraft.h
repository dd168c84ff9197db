#pragma once

#include "model/FountainState.h"
#include "model/ShowTrack.h"
#include "music/MusicAnalysis.h"

#include <QString>

#include <array>
#include <functional>
#include <vector>

namespace pluviane {

// The most cues a draft writes: what every show track holds.
constexpr std::size_t kDraftMaxCues = kMaxTrackCues;

// A row the draft records into a show table.
struct DraftRow {
    int row = 0;
    std::array<Byte, kShowColumns> values{};
};

struct ShowDraft {
    ShowTrack track;                  // cues only: the caller names the music
    std::vector<DraftRow> newForms;   // FormPressure rows the draft records
    std::vector<DraftRow> newScenes;  // SceneColour rows
    int formCount = 0;                // the recorder's counts with those rows
    int sceneCount = 0;
    bool defaultTempo = false;        // no beat found: cues on an even grid at kDefaultTempo
    bool thinned = false;             // too many cues for a track: fewer form changes
    bool outOfRows = false;           // not enough free rows for the draft's own forms or scenes
    enum Problem { None, NoGroups, NoMusic } problem = None;
};

// Drafts a show for the analysed music from the fountain's recorded forms and
// scenes (rows 1..formCount and 1..sceneCount) and the groups 1..12 that own
// nozzles. Reads the state only; `applyDraftRows` records the new rows.
ShowDraft draftShow(const SongAnalysis& music, const FountainState& state, int formCount, int sceneCount);

void applyDraftRows(const ShowDraft& draft, FountainState& state);

// A draft for a sound file from start to end: decoding (most of the time),
// analysis, draft. `progress` gets 0..1 and may return false to cancel.
struct MusicFileDraft {
    SongAnalysis music;
    ShowDraft draft;
    QString error;      // the file could not be decoded
    bool cancelled = false;
    bool ok() const { return error.isEmpty() && !cancelled && draft.problem == ShowDraft::None; }
};
MusicFileDraft draftShowForMusic(const QString& musicPath, const FountainState& state, int formCount,
                                 int sceneCount, const std::function<bool(double)>& progress = {});

// The amount of water a form gives: its groups' levels weighted by their nozzles.
long formWater(const FountainState& state, int form);

} // namespace pluviane
