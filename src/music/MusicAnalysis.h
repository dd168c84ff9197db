#pragma once

#include <functional>
#include <vector>

namespace pluviane {

// The tempo the analysis falls back on when a song has no beat to follow.
constexpr double kDefaultTempo = 120.0;
constexpr int kBeatsPerBar = 4;

struct TempoSection {
    double start = 0; // seconds
    double bpm = 0;
};

struct TimeSpan {
    double start = 0; // seconds
    double end = 0;
};

// What a show draft needs to know of a song. Times are seconds from its start.
struct SongAnalysis {
    double seconds = 0;
    std::vector<double> beats;          // in time order; none inside a silence
    bool beatsFound = false;            // false: `beats` is an even grid at kDefaultTempo
    std::vector<TempoSection> tempi;    // each change of tempo the beats follow
    double tempo = 0;                   // of the longest tempo section
    std::vector<double> onsets;
    std::vector<double> beatLoudness;   // momentary loudness (LUFS) over each beat
    std::vector<int> beatOnsets;        // onsets within each beat
    std::vector<TimeSpan> silences;
    std::vector<int> barStarts;         // beat index of each bar's first beat
    std::vector<int> phraseStarts;      // bar index of each phrase's first bar
    bool cancelled = false;
};

// Deterministic: the same samples give the same analysis. `progress` gets 0..1
// and may return false to cancel (the result is then marked cancelled).
SongAnalysis analyseMusic(const std::vector<float>& samples, int sampleRate,
                           const std::function<bool(double)>& progress = {});

} // namespace pluviane
