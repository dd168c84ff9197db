#pragma once

#include <functional>
#include <vector>

namespace pluviane {

// Beats found by aubio's tempo tracker, in seconds from the start, and the
// overall tempo in beats a minute (0 when no beat was found).
struct BeatGrid {
    std::vector<double> beats;
    double tempo = 0;
};

// Deterministic: the same samples give the same beats. `progress` as in decodeMusic.
BeatGrid trackBeats(const std::vector<float>& samples, int sampleRate,
                    const std::function<bool(double)>& progress = {});

// The hop the beat tracker reads at this rate: 11.6 ms, as it is tuned for.
unsigned beatTrackerHop(int sampleRate);

} // namespace pluviane
