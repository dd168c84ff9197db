#include "music/Waveform.h"

#include <algorithm>

namespace pluviane {

WaveformPeaks summarisePeaks(const std::vector<float>& samples, int sampleRate, int peaksPerSecond)
{
    WaveformPeaks peaks;
    if (sampleRate <= 0 || peaksPerSecond <= 0)
        return peaks;
    peaks.sampleRate = sampleRate;
    peaks.samplesPerPeak = std::max(1, sampleRate / peaksPerSecond);
    const std::size_t step = std::size_t(peaks.samplesPerPeak);
    const std::size_t count = (samples.size() + step - 1) / step;
    peaks.low.resize(count);
    peaks.high.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const auto begin = samples.begin() + std::ptrdiff_t(i * step);
        const auto end = samples.begin() + std::ptrdiff_t(std::min(samples.size(), (i + 1) * step));
        const auto [low, high] = std::minmax_element(begin, end);
        peaks.low[i] = *low;
        peaks.high[i] = *high;
    }
    return peaks;
}

} // namespace pluviane
