#pragma once

#include <vector>

namespace pluviane {

// The waveform summarised for drawing: the lowest and highest sample in each
// run of `samplesPerPeak` samples.
struct WaveformPeaks {
    int sampleRate = 0;
    int samplesPerPeak = 0;
    std::vector<float> low;
    std::vector<float> high;
};

WaveformPeaks summarisePeaks(const std::vector<float>& samples, int sampleRate,
                             int peaksPerSecond = 200);

} // namespace pluviane
