#pragma once

#include <functional>
#include <memory>
#include <vector>

namespace pluviane {

// The tempo a designer is shown when a song has no beat to follow.
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

// A part of the song with one character: intro, verse, chorus...
struct MusicSection {
    enum Kind { Intro, Verse, Chorus, Bridge, Outro };
    int firstBar = 0;
    int endBar = 0;        // one past its last bar
    int family = 0;        // sections that sound alike (a chorus and its repeats) share it
    double loudness = 0;   // mean momentary loudness, LUFS
    Kind kind = Verse;
};

// What a show draft needs to know of a song. Times are seconds from its start.
struct SongAnalysis {
    double seconds = 0;
    std::vector<double> beats;          // in time order; none inside a silence
    bool beatsFound = false;            // false: no pulse at all; `beats` are the strongest onsets
    std::vector<TempoSection> tempi;    // every tempo the beats follow, the first included
    double tempo = 0;                   // of the longest tempo section; 0 without a beat
    std::vector<double> onsets;
    std::vector<double> onsetStrength;  // how hard each onset hits (the jump of power there)
    std::vector<double> hits;           // where the power jumps most within 0.1 s, in time order
    std::vector<double> hitStrength;    // by how much
    std::vector<double> beatLoudness;   // momentary loudness (LUFS) over each beat
    std::vector<int> beatOnsets;        // onsets within each beat
    std::vector<TimeSpan> silences;
    std::vector<int> barStarts;         // beat index of each bar's first beat (its downbeat)
    std::vector<int> phraseStarts;      // bar index of each phrase's first bar
    std::vector<MusicSection> sections; // in order, covering every bar
    bool cancelled = false;
};

// Analyses a song as it is decoded, piece by piece, keeping only compact
// readings (a few numbers every 12 ms), never the sound itself: the memory
// it needs grows slowly with the length, not with the samples.
class MusicListener {
public:
    explicit MusicListener(int sampleRate);
    ~MusicListener();
    MusicListener(const MusicListener&) = delete;
    MusicListener& operator=(const MusicListener&) = delete;

    void listen(const float* samples, std::size_t count);
    // Deterministic: the same samples, in pieces of any size, give the same analysis.
    SongAnalysis finish();

private:
    struct Readings;
    std::unique_ptr<Readings> r_;
};

// The whole analysis of samples in memory. `progress` gets 0..1 and may
// return false to cancel (the result is then marked cancelled).
SongAnalysis analyseMusic(const std::vector<float>& samples, int sampleRate,
                          const std::function<bool(double)>& progress = {});

} // namespace pluviane
