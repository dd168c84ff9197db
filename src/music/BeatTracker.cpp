#include "music/BeatTracker.h"

#include <aubio/aubio.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace pluviane {

// aubio's beat tracker weighs beat periods in hops, tuned for 512-sample hops
// at 44.1 kHz (11.6 ms); the hop is scaled so the weighting fits any rate.
unsigned beatTrackerHop(int sampleRate)
{
    uint_t hop = 64;
    while (hop * 2 <= uint_t(sampleRate) / 86 + 1)
        hop *= 2;
    return hop;
}

namespace {
struct TempoFree {
    void operator()(aubio_tempo_t* t) const { del_aubio_tempo(t); }
};
struct VectorFree {
    void operator()(fvec_t* v) const { del_fvec(v); }
};

// The tempo of the whole piece: the median gap between beats says how many
// beats the span holds, the span then gives the period finer than one hop.
// Steadier than the tracker's last estimate, which follows the final bars.
double pieceTempo(const std::vector<double>& beats)
{
    if (beats.size() < 2)
        return 0;
    std::vector<double> gaps;
    gaps.reserve(beats.size() - 1);
    for (std::size_t i = 1; i < beats.size(); ++i)
        gaps.push_back(beats[i] - beats[i - 1]);
    std::nth_element(gaps.begin(), gaps.begin() + std::ptrdiff_t(gaps.size() / 2), gaps.end());
    const double gap = gaps[gaps.size() / 2];
    const double span = beats.back() - beats.front();
    if (gap <= 0 || span <= 0)
        return 0;
    const double count = std::max(1.0, std::round(span / gap));
    return 60.0 * count / span;
}
} // namespace

BeatGrid trackBeats(const std::vector<float>& samples, int sampleRate,
                    const std::function<bool(double)>& progress)
{
    BeatGrid grid;
    if (sampleRate <= 0)
        return grid;
    const uint_t kHop = beatTrackerHop(sampleRate);
    const uint_t kWindow = kHop * 2;
    if (samples.size() < kWindow)
        return grid;
    std::unique_ptr<aubio_tempo_t, TempoFree> tempo(
        new_aubio_tempo("default", kWindow, kHop, uint_t(sampleRate)));
    std::unique_ptr<fvec_t, VectorFree> input(new_fvec(kHop));
    std::unique_ptr<fvec_t, VectorFree> found(new_fvec(1));
    if (!tempo || !input || !found)
        return grid;
    const std::size_t hops = samples.size() / kHop;
    const std::size_t reportEvery = std::max<std::size_t>(1, hops / 100);
    for (std::size_t h = 0; h < hops; ++h) {
        std::copy_n(samples.begin() + std::ptrdiff_t(h * kHop), kHop, input->data);
        aubio_tempo_do(tempo.get(), input.get(), found.get());
        if (found->data[0] != 0) {
            const double at = aubio_tempo_get_last_s(tempo.get());
            if (at >= 0 && (grid.beats.empty() || at > grid.beats.back()))
                grid.beats.push_back(at);
        }
        if (progress && h % reportEvery == 0 && !progress(double(h) / double(hops)))
            return {};
    }
    grid.tempo = pieceTempo(grid.beats);
    if (progress)
        progress(1.0);
    return grid;
}

} // namespace pluviane
