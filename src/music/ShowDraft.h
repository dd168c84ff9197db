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
constexpr int kDraftSampleRate = 22050;
constexpr double kDraftMaxSeconds = 4 * 3600.0;

// How busy the designer wants the draft: the forms change half as often
// (low) or twice as often (high) as a show programmer would by default.
enum class DraftDensity { Low, Medium, High };

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
    bool defaultTempo = false;        // no beat found: cues on the onsets and phrases
    bool thinned = false;             // too many cues for a track: fewer form changes
    bool outOfRows = false;           // not enough free rows for the draft's own forms or scenes
    bool formsAlike = false;          // the recorded forms differ too little: its own were recorded
    int accents = 0;                  // strong hits given a form cue
    int rests = 0;                    // rests before a hit after a break
    enum Problem { None, NoGroups, NoMusic } problem = None;
};

// Drafts a show for the analysed music from the fountain's recorded forms and
// scenes (rows 1..formCount and 1..sceneCount) and the groups 1..12 that own
// nozzles. Reads the state only; `applyDraftRows` records the new rows.
ShowDraft draftShow(const SongAnalysis& music, const FountainState& state, int formCount, int sceneCount,
                    DraftDensity density = DraftDensity::Medium);

// What a designer wants to know of a draft, measured on the fountain with
// the draft's rows recorded.
struct DraftReport {
    struct Section {
        MusicSection section;
        double start = 0, end = 0; // seconds
        int formCues = 0;
        double water = 0; // mean share of the full water
    };
    std::vector<Section> sections;
    int strongestOnsets = 0;      // the 20 strongest hits...
    int accentsWithCue = 0;       // ...and those with a form cue within 50 ms
    int formChanges = 0;
    int contrastingChanges = 0;   // changes that move at least a fifth of the nozzles
    int longestAlternation = 0;   // changes in a row back and forth between two forms
    double drySeconds = 0;
    double quietestWater = 0;     // share of the full water in the quietest 30 s of music
    double loudestWater = 0;      // and in the loudest
};
DraftReport reportDraft(const SongAnalysis& music, const ShowDraft& draft, const FountainState& withDraftRows);

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
                                 int sceneCount, const std::function<bool(double)>& progress = {},
                                 DraftDensity density = DraftDensity::Medium);

// The amount of water a form gives: its groups' levels weighted by their nozzles.
long formWater(const FountainState& state, int form);

} // namespace pluviane
