#include "music/MusicAnalysis.h"

#include "music/BeatTracker.h"

#include <aubio/aubio.h>
#include <ebur128.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>
#include <optional>

namespace pluviane {

namespace {

using Progress = std::function<bool(double)>;

constexpr double kBlockSeconds = 0.05;     // one loudness reading per block
constexpr unsigned long kSilenceWindowMs = 100;
constexpr double kSilenceLufs = -55;       // quieter than this is no music
constexpr double kFloorLufs = -70;         // digital silence reads as this
constexpr double kMinLeadingSilence = 0.25;
constexpr double kMinSilence = 1.0;        // a shorter hush inside a song is a rest
constexpr double kSnapSeconds = 0.06;      // a beat moves onto an onset this close
constexpr double kOnBeatSeconds = 0.03;
constexpr double kTempoChange = 0.04;      // a local tempo this far off starts a section
constexpr int kMinSectionBeats = 8 * kBeatsPerBar; // a tempo lasts at least 8 bars...
constexpr double kRealTempoChange = 0.15;  // ...unless it changes by this much and stays
constexpr int kPhraseBars = 4;
constexpr int kNoveltyBars = 4;            // bars each side compared to find a section start
constexpr int kMinMusicSectionBars = 4;
constexpr double kSameFamily = 0.75;       // feature distance (standard deviations) within a family
constexpr double kClearPulse = 0.25;       // onset envelope autocorrelation of a pulse
constexpr double kClearLocalPulse = 0.2;   // the same within 8 s, where chance alone reaches 0.1
constexpr double kPulseChangeReach = 8;    // seconds either side of a tempo change the beats may change pace

// The compact readings kept while listening.
constexpr std::size_t kHop = 256;          // one reading every 11.6 ms at 22.05 kHz
constexpr std::size_t kWindow = 1024;
constexpr std::size_t kHitWindow = 512;   // hits: a shorter window, sharper in time
constexpr std::size_t kFrameHops = 8;      // timbre and harmony: one frame every 8 hops
constexpr int kMfccs = 13;
constexpr uint_t kMelBands = 40;
constexpr int kFeatures = (kMfccs - 1) + 12; // MFCC 1..12 (0 is loudness) and chroma
constexpr double kBassHz = 150;
constexpr double kLoudnessWeight = 3;      // of the loudness among a bar's features
using Features = std::array<float, kFeatures>;

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    const auto mid = values.begin() + values.size() / 2;
    std::nth_element(values.begin(), mid, values.end());
    return *mid;
}

// Momentary loudness (400 ms) and a short-window loudness for silences, one
// reading at the end of each block.
struct LoudnessCurve {
    std::vector<double> momentary;
    std::vector<double> shortWindow;
    std::vector<double> at; // seconds: end of each block
};

std::vector<TimeSpan> findSilences(const LoudnessCurve& curve, double seconds)
{
    std::vector<TimeSpan> silences;
    const double window = kSilenceWindowMs / 1000.0;
    std::size_t k = 0;
    while (k < curve.at.size()) {
        if (curve.shortWindow[k] >= kSilenceLufs) {
            ++k;
            continue;
        }
        std::size_t last = k;
        while (last + 1 < curve.at.size() && curve.shortWindow[last + 1] < kSilenceLufs)
            ++last;
        const TimeSpan span{k == 0 ? 0.0 : std::max(0.0, curve.at[k] - window),
                            last + 1 == curve.at.size() ? seconds : curve.at[last]};
        const double needed = span.start == 0 ? kMinLeadingSilence : kMinSilence;
        if (span.end - span.start >= needed)
            silences.push_back(span);
        k = last + 1;
    }
    return silences;
}

struct Onsets {
    std::vector<double> at;
    std::vector<double> strength;
};

bool inSilence(double t, const std::vector<TimeSpan>& silences)
{
    return std::any_of(silences.begin(), silences.end(),
                       [t](const TimeSpan& s) { return t >= s.start && t < s.end; });
}

// Index of the onset nearest to `t`, or -1 when none lies within `reach`.
int nearestOnset(const std::vector<double>& onsets, double t, double reach)
{
    const auto it = std::lower_bound(onsets.begin(), onsets.end(), t);
    int best = -1;
    double bestDistance = reach;
    for (auto c = it == onsets.begin() ? it : it - 1; c != onsets.end() && c <= it; ++c) {
        const double d = std::abs(*c - t);
        if (d <= bestDistance) {
            best = int(c - onsets.begin());
            bestDistance = d;
        }
    }
    return best;
}

// The onset that makes a beat found on the envelope, if one is that near.
double onOnset(const std::vector<double>& onsets, double t)
{
    const int o = nearestOnset(onsets, t, kOnBeatSeconds);
    return o >= 0 ? onsets[std::size_t(o)] : t;
}

// Runs of music between silences: a bar never spans a silence.
std::vector<TimeSpan> soundRuns(const std::vector<TimeSpan>& silences, double seconds)
{
    std::vector<TimeSpan> runs;
    double from = 0;
    for (const TimeSpan& s : silences) {
        if (s.start > from)
            runs.push_back({from, s.start});
        from = s.end;
    }
    if (seconds > from)
        runs.push_back({from, seconds});
    return runs;
}

// Moves the tracker's beats onto the onsets they stand for and drops those that
// fall in a silence or crowd the beat before them.
std::vector<double> refineBeats(const std::vector<double>& raw, const Onsets& onsets,
                                const std::vector<TimeSpan>& silences)
{
    std::vector<double> beats;
    std::vector<double> intervals;
    for (std::size_t i = 1; i < raw.size(); ++i)
        intervals.push_back(raw[i] - raw[i - 1]);
    const double period = median(intervals);
    for (double t : raw) {
        const int o = nearestOnset(onsets.at, t, std::min(kSnapSeconds, 0.3 * period));
        const double beat = o >= 0 ? onsets.at[std::size_t(o)] : t;
        if (inSilence(beat, silences))
            continue;
        if (!beats.empty() && beat - beats.back() < 0.6 * period)
            continue;
        beats.push_back(beat);
    }
    return beats;
}

// The tempo of beats `from`..`to` (exclusive) by a least-squares line through
// them, each beat numbered gap by gap (a gap of about two periods counts two):
// finer than the spacing of any two beats, which the analysis hop rounds, and
// free of the error of one period taken at the start.
double fitTempo(const std::vector<double>& beats, std::size_t from, std::size_t to, double period)
{
    constexpr double kOffGrid = 0.25; // of a period: a beat this far between two is left out
    double n = 0, sx = 0, sy = 0, sxx = 0, sxy = 0, x = 0, last = beats[from];
    for (std::size_t i = from; i < to; ++i) {
        if (i > from) {
            const double ratio = (beats[i] - last) / period;
            if (std::abs(ratio - std::round(ratio)) > kOffGrid || ratio < 0.5)
                continue; // an off-beat would pull the line towards a faster tempo
            x += std::round(ratio);
            last = beats[i];
        }
        n += 1;
        sx += x;
        sy += beats[i];
        sxx += x * x;
        sxy += x * beats[i];
    }
    const double denominator = n * sxx - sx * sx;
    if (n < 2 || denominator <= 0)
        return 60.0 / period;
    return 60.0 / ((n * sxy - sx * sy) / denominator);
}

// Tempi a half, a third, a quarter or twice apart: a tracker may count the
// same music so (in threes against fours, in half time).
bool metricallyRelated(double periodA, double periodB)
{
    const double r = periodA / periodB;
    constexpr std::array<double, 6> kMetres{2.0 / 3, 1.5, 0.5, 2.0, 0.75, 4.0 / 3};
    return std::any_of(kMetres.begin(), kMetres.end(), [r](double m) { return std::abs(r / m - 1) < 0.025; });
}

using TempoBounds = std::vector<std::pair<std::size_t, double>>; // first beat, period

// A section shorter than 8 bars joins its neighbour, unless its tempo really
// differs from both (and not by a metrical error).
void mergeShortSections(TempoBounds& bounds, std::size_t beatCount)
{
    auto length = [&](std::size_t k) { return (k + 1 < bounds.size() ? bounds[k + 1].first : beatCount) - bounds[k].first; };
    auto realChange = [&](std::size_t k, std::size_t other) {
        const double a = bounds[k].second, b = bounds[other].second;
        return std::abs(a / b - 1) > kRealTempoChange && !metricallyRelated(a, b);
    };
    while (bounds.size() > 1) {
        std::size_t shortest = bounds.size();
        for (std::size_t k = 0; k < bounds.size(); ++k) {
            const bool real = length(k) >= std::size_t(2 * kBeatsPerBar) && (k == 0 || realChange(k, k - 1))
                              && (k + 1 == bounds.size() || realChange(k, k + 1));
            if (length(k) < std::size_t(kMinSectionBeats) && !real
                && (shortest == bounds.size() || length(k) < length(shortest)))
                shortest = k;
        }
        if (shortest == bounds.size())
            return;
        const std::size_t k = shortest;
        const bool intoNext = k == 0 || (k + 1 < bounds.size() && length(k + 1) > length(k - 1));
        if (intoNext) {
            bounds[k].second = bounds[k + 1].second;
            bounds.erase(bounds.begin() + std::ptrdiff_t(k + 1));
        } else {
            bounds.erase(bounds.begin() + std::ptrdiff_t(k));
        }
    }
}

// How strongly the onset envelope from `from` to `to` seconds repeats after
// `period` seconds; the tempo sections ask it which of two metres is heard.
using Periodicity = std::function<double(double from, double to, double period)>;

// A section counted in another metre than the song's main tempo is counted
// in the main one when the onset envelope repeats there nearly as well: one
// pulse heard two ways is one tempo, not a change at every phrase.
void settleMetre(TempoBounds& bounds, const std::vector<double>& beats, const Periodicity& periodicity,
                 std::vector<bool>& settled)
{
    constexpr double kSameTempo = 0.04, kHeardAsWell = 0.8;
    settled.assign(bounds.size(), false);
    if (!periodicity || bounds.size() < 2)
        return;
    auto end = [&](std::size_t k) { return k + 1 < bounds.size() ? beats[bounds[k + 1].first] : beats.back(); };
    // The main period: the one that lasts longest over all its sections.
    double main = bounds.front().second, longest = 0;
    for (const auto& candidate : bounds) {
        double total = 0;
        for (std::size_t k = 0; k < bounds.size(); ++k)
            if (std::abs(bounds[k].second / candidate.second - 1) < kSameTempo)
                total += end(k) - beats[bounds[k].first];
        if (total > longest)
            longest = total, main = candidate.second;
    }
    for (std::size_t k = 0; k < bounds.size(); ++k) {
        const double own = bounds[k].second;
        if (std::abs(own / main - 1) < kSameTempo || !metricallyRelated(own, main))
            continue;
        const double from = beats[bounds[k].first], to = end(k);
        const double heard = periodicity(from, to, main);
        if (heard > kClearPulse && heard >= kHeardAsWell * periodicity(from, to, own)) {
            bounds[k].second = main;
            settled[k] = true;
        }
    }
    for (std::size_t k = 1; k < bounds.size();) // neighbours now alike are one section
        if (std::abs(bounds[k].second / bounds[k - 1].second - 1) < kSameTempo) {
            settled[k - 1] = settled[k - 1] || settled[k];
            bounds.erase(bounds.begin() + std::ptrdiff_t(k));
            settled.erase(settled.begin() + std::ptrdiff_t(k));
        } else {
            ++k;
        }
}

// Sections of steady tempo: a new one starts where the local beat spacing (a
// running median) leaves the section's for good.
std::vector<TempoSection> findTempi(const std::vector<double>& beats, const Periodicity& periodicity = {})
{
    std::vector<TempoSection> tempi;
    if (beats.size() < 3)
        return tempi;
    std::vector<double> intervals;
    for (std::size_t i = 1; i < beats.size(); ++i)
        intervals.push_back(beats[i] - beats[i - 1]);
    const double overall = median(intervals);
    // Spacings across a gap (a silence, a missed beat) say nothing of the tempo.
    auto local = [&](std::size_t i) {
        std::vector<double> near;
        for (std::size_t j = i >= 4 ? i - 4 : 0; j < std::min(intervals.size(), i + 5); ++j)
            if (intervals[j] < 1.5 * overall)
                near.push_back(intervals[j]);
        return near.empty() ? overall : median(near);
    };
    constexpr std::size_t kSettle = 2 * kBeatsPerBar; // beats a new section takes to settle
    std::size_t start = 0;
    double period = local(0);
    TempoBounds bounds;
    for (std::size_t i = 0; i < intervals.size(); ++i) {
        const double here = local(i);
        if (std::abs(here - period) / period > kTempoChange && i - start >= kSettle) {
            bounds.push_back({start, period});
            start = i;
        }
        if (i - start < kSettle)
            period = local(std::min(intervals.size() - 1, start + kSettle / 2));
    }
    bounds.push_back({start, period});
    mergeShortSections(bounds, beats.size());
    std::vector<bool> settled;
    settleMetre(bounds, beats, periodicity, settled);
    constexpr double kSameFit = 0.015; // fitted tempi this near are one tempo
    for (std::size_t k = 0; k < bounds.size(); ++k) {
        const std::size_t from = bounds[k].first;
        const std::size_t to = k + 1 < bounds.size() ? bounds[k + 1].first + 1 : beats.size();
        // Beats still counted in the other metre would fit their own tempo.
        tempi.push_back({beats[from], settled[k] ? 60.0 / bounds[k].second : fitTempo(beats, from, to, bounds[k].second)});
        const std::size_t n = tempi.size();
        if (n >= 2 && !settled[k] && !settled[k - 1] && std::abs(tempi[n - 1].bpm / tempi[n - 2].bpm - 1) < kSameFit) {
            tempi.pop_back();
            bounds[k].first = bounds[k - 1].first; // one section: fitted again over both
            tempi.back().bpm = fitTempo(beats, bounds[k].first, to, bounds[k].second);
        }
    }
    return tempi;
}

// The share of beats that land on an onset, at their place and a little off it.
// Beats of real music land on onsets; a tracker's guesses in noise or speech
// land no more often than beats shifted away from them.
bool beatsAreMusic(const std::vector<double>& beats, const std::vector<double>& onsets)
{
    if (beats.size() < 8)
        return false;
    std::vector<double> intervals;
    for (std::size_t i = 1; i < beats.size(); ++i)
        intervals.push_back(beats[i] - beats[i - 1]);
    const double shift = 0.37 * median(intervals);
    int on = 0, off = 0;
    for (double b : beats) {
        on += nearestOnset(onsets, b, kOnBeatSeconds) >= 0;
        off += nearestOnset(onsets, b + shift, kOnBeatSeconds) >= 0;
    }
    const double n = double(beats.size());
    return on / n >= 0.6 && (on - off) / n >= 0.25;
}

double periodAt(const std::vector<TempoSection>& tempi, double t)
{
    double bpm = tempi.front().bpm;
    for (const TempoSection& s : tempi)
        if (s.start <= t)
            bpm = s.bpm;
    return 60.0 / bpm;
}

// The beat a period from `from`, on an onset if one is near; with `needOnset`
// none where no onset is near (past the music's first or last note).
std::optional<double> stepBeat(double from, double period, const std::vector<double>& onsets, bool needOnset)
{
    const double t = from + period;
    const int o = nearestOnset(onsets, t, std::min(kSnapSeconds, 0.3 * std::abs(period)));
    if (o >= 0)
        return onsets[std::size_t(o)];
    if (needOnset)
        return std::nullopt;
    return t;
}

// Adds the beats the tracker took to lock on at the start of each run of
// music, the ones it skipped inside, and those after its last.
std::vector<double> completeBeats(const std::vector<double>& tracked, const std::vector<TempoSection>& tempi,
                                  const std::vector<TimeSpan>& runs, const std::vector<double>& onsets)
{
    std::vector<double> beats;
    for (const TimeSpan& run : runs) {
        std::vector<double> in;
        for (double b : tracked)
            if (b >= run.start && b < run.end)
                in.push_back(b);
        // A tracker keeps beating a little past the last note and before the first.
        while (!in.empty() && nearestOnset(onsets, in.back(), kOnBeatSeconds) < 0)
            in.pop_back();
        while (!in.empty() && nearestOnset(onsets, in.front(), kOnBeatSeconds) < 0)
            in.erase(in.begin());
        if (in.empty())
            continue;
        std::vector<double> before;
        for (auto b = stepBeat(in.front(), -periodAt(tempi, in.front()), onsets, true);
             b && *b >= run.start - kOnBeatSeconds; b = stepBeat(*b, -periodAt(tempi, *b), onsets, true))
            before.push_back(std::max(*b, run.start));
        beats.insert(beats.end(), before.rbegin(), before.rend());
        for (std::size_t i = 0; i < in.size(); ++i) {
            beats.push_back(in[i]);
            const double next = i + 1 < in.size() ? in[i + 1] : run.end;
            const double period = periodAt(tempi, in[i]);
            const bool last = i + 1 == in.size();
            for (auto b = stepBeat(in[i], period, onsets, last); b && next - *b > 0.5 * period;
                 b = stepBeat(*b, period, onsets, last))
                beats.push_back(*b);
        }
    }
    return beats;
}

// Where the tracker's beats leave the onsets (it lags behind a change of
// tempo for some seconds), the beats between the last and the next beat on an
// onset are chosen again: the path of onsets from one to the other whose steps
// best keep one of the song's tempi, beats without an onset (a break, a held
// chord) allowed at a price and placed evenly.
std::vector<double> repairBeats(const std::vector<double>& beats, const std::vector<TempoSection>& tempi,
                                const std::vector<double>& onsets)
{
    constexpr double kTightness = 100; // cost of a step a factor e off its period, squared
    constexpr double kSkipCost = 2;    // each beat a step passes over with no onset
    constexpr int kMaxStep = 2 * kBeatsPerBar;
    std::vector<double> periods;
    for (const TempoSection& s : tempi)
        periods.push_back(60.0 / s.bpm);
    auto stepCost = [&](double d, int& skipped) {
        double best = HUGE_VAL;
        for (double p : periods)
            for (int m = 1; m <= kMaxStep; ++m) {
                const double dev = std::log(d / (m * p));
                const double cost = kTightness * dev * dev + (m - 1) * kSkipCost;
                if (cost < best) {
                    best = cost;
                    skipped = m - 1;
                }
            }
        return best;
    };
    // A beat is sure when it sits on an onset in step with both neighbours.
    auto inStep = [&](std::size_t a, std::size_t b) {
        if (b >= beats.size())
            return true;
        const double d = beats[b] - beats[a];
        return std::any_of(periods.begin(), periods.end(),
                           [d](double p) { return std::abs(d / p - 1) < 0.06 || d > 1.8 * p; });
    };
    auto sure = [&](std::size_t k) {
        return nearestOnset(onsets, beats[k], kOnBeatSeconds) >= 0 && (k == 0 || inStep(k - 1, k))
               && inStep(k, k + 1);
    };
    std::vector<double> out;
    std::size_t i = 0;
    while (i < beats.size()) {
        out.push_back(beats[i]);
        std::size_t j = i + 1;
        if (!sure(i) || j >= beats.size() || sure(j)) {
            i = j;
            continue;
        }
        while (j < beats.size() && !sure(j))
            ++j;
        if (j == beats.size() || beats[j] - beats[i] > 8 * periods.front() * kBeatsPerBar) {
            out.insert(out.end(), beats.begin() + std::ptrdiff_t(i + 1), beats.begin() + std::ptrdiff_t(j));
            i = j;
            continue;
        }
        // Nodes: beat i, the onsets between, beat j.
        std::vector<double> node{beats[i]};
        for (auto o = std::upper_bound(onsets.begin(), onsets.end(), beats[i] + kOnBeatSeconds);
             o != onsets.end() && *o < beats[j] - kOnBeatSeconds; ++o)
            node.push_back(*o);
        node.push_back(beats[j]);
        std::vector<double> score(node.size(), HUGE_VAL);
        std::vector<int> from(node.size(), -1), skip(node.size(), 0);
        score[0] = 0;
        for (std::size_t n = 1; n < node.size(); ++n)
            for (std::size_t m = 0; m < n; ++m) {
                int skipped = 0;
                const double s = score[m] + stepCost(node[n] - node[m], skipped) - 1.0;
                if (s < score[n]) {
                    score[n] = s;
                    from[n] = int(m);
                    skip[n] = skipped;
                }
            }
        // Walk the path back from beat j; the beats a step passes over share it evenly.
        std::vector<double> path;
        for (std::size_t n = node.size() - 1; n > 0; n = std::size_t(from[n])) {
            if (n + 1 < node.size())
                path.push_back(node[n]);
            const double a = node[std::size_t(from[n])], b = node[n];
            for (int k = skip[n]; k >= 1; --k)
                path.push_back(a + (b - a) * k / (skip[n] + 1));
        }
        out.insert(out.end(), path.rbegin(), path.rend());
        i = j;
    }
    return out;
}

// End of beat i: the next beat, or one period on where a run of music ends.
double beatEnd(const SongAnalysis& a, std::size_t i, double period)
{
    const double limit = a.beats[i] + 1.5 * period;
    const double next = i + 1 < a.beats.size() ? std::min(a.beats[i + 1], limit) : a.beats[i] + period;
    return std::min(next, a.seconds);
}

void measureBeats(SongAnalysis& a, const LoudnessCurve& curve)
{
    const double period = 60.0 / (a.tempo > 0 ? a.tempo : kDefaultTempo);
    for (std::size_t i = 0; i < a.beats.size(); ++i) {
        const double from = a.beats[i], to = std::max(beatEnd(a, i, period), from + kBlockSeconds);
        const auto first = std::upper_bound(curve.at.begin(), curve.at.end(), from);
        const auto last = std::upper_bound(curve.at.begin(), curve.at.end(), to);
        double sum = 0;
        int n = 0;
        for (auto it = first; it != last; ++it, ++n)
            sum += curve.momentary[std::size_t(it - curve.at.begin())];
        const std::size_t nearest = std::min(std::size_t(first - curve.at.begin()), curve.at.size() - 1);
        a.beatLoudness.push_back(n > 0 ? sum / n : curve.momentary[nearest]);
        const auto o1 = std::lower_bound(a.onsets.begin(), a.onsets.end(), from - kOnBeatSeconds);
        const auto o2 = std::lower_bound(a.onsets.begin(), a.onsets.end(), to - kOnBeatSeconds);
        a.beatOnsets.push_back(int(o2 - o1));
    }
}


// The compact readings of the sound, one every hop: the spectral flux (how
// much new sound starts), the same below kBassHz (kick and bass), and every
// kFrameHops hops the timbre (MFCC) and harmony (chroma) of the frame.
struct Envelopes {
    int rate = 0;
    std::vector<float> flux, bass, power;
    std::vector<Features> frames;

    double hopSeconds() const { return double(kHop) / rate; }
    // The flux of a hop peaks once a new sound fills a quarter of its window.
    double hopTime(std::size_t h) const { return (double(h + 1) * kHop - kWindow / 4.0) / rate; }
    // The power, read through the shorter window, jumps as soon as a sound fills a quarter of it.
    double hitTime(std::size_t h) const { return (double(h + 1) * kHop - kHitWindow / 4.0) / rate; }
    std::size_t hopAt(double t) const
    {
        return std::size_t(std::clamp(t * rate / kHop + double(kWindow) / (4.0 * kHop) - 1, 0.0, 1e12));
    }
    // The strongest reading of `values` from `t - before` to `t + after`.
    float peak(const std::vector<float>& values, double t, double before, double after) const
    {
        float best = 0;
        for (std::size_t h = hopAt(t - before); h < values.size() && hopTime(h) <= t + after; ++h)
            best = std::max(best, values[h]);
        return best;
    }
    // The mean features of the frames from `from` to `to` seconds.
    Features mean(double from, double to) const
    {
        Features sum{};
        const double frameSeconds = hopSeconds() * kFrameHops;
        const auto first = std::size_t(std::max(0.0, from / frameSeconds));
        const auto last = std::min(frames.size(), std::size_t(std::max(0.0, to / frameSeconds)) + 1);
        for (std::size_t f = first; f < last; ++f)
            for (int k = 0; k < kFeatures; ++k)
                sum[std::size_t(k)] += frames[f][std::size_t(k)] / float(last - first);
        return sum;
    }
};

double distance(const Features& a, const Features& b, int from = 0, int to = kFeatures)
{
    double sum = 0;
    for (int k = from; k < to; ++k)
        sum += double(a[std::size_t(k)] - b[std::size_t(k)]) * (a[std::size_t(k)] - b[std::size_t(k)]);
    return std::sqrt(sum / (to - from));
}

// How clearly the onset envelope repeats at one period between 0.3 s and
// 1.5 s (200 to 40 a minute): its autocorrelation there, relative to its
// power, after the slow swell of the music is taken away; read in windows of
// 8 s, so that a pulse whose tempo changes counts as well as a steady one, and
// the median of the windows of music taken. Silence is left out, and so is a
// window where fewer than three notes start: a held chord's envelope ripples
// with the analysis itself, often evenly, and that is no pulse.
double pulseClarity(const Envelopes& e, const std::vector<TimeSpan>& silences, const std::vector<double>& onsets)
{
    constexpr std::ptrdiff_t kFewestOnsets = 3;
    const std::size_t n = e.flux.size();
    const auto smooth = std::size_t(std::lround(1.0 / e.hopSeconds()));
    const auto window = std::size_t(8.0 / e.hopSeconds());
    std::vector<double> x(n, 0.0);
    double running = 0;
    for (std::size_t h = 0; h < n; ++h) {
        running += e.flux[h] - (h >= smooth ? e.flux[h - smooth] : 0.0f);
        const std::size_t centre = h >= smooth / 2 ? h - smooth / 2 : 0;
        if (!inSilence(e.hopTime(centre), silences))
            x[centre] = e.flux[centre] - running / double(std::min(h + 1, smooth));
    }
    std::vector<double> clarity;
    for (std::size_t w = 0; w + window <= n; w += window / 2) {
        double power = 0;
        for (std::size_t h = w; h < w + window; ++h)
            power += x[h] * x[h];
        const auto first = std::lower_bound(onsets.begin(), onsets.end(), e.hopTime(w));
        if (power <= 0 || std::lower_bound(first, onsets.end(), e.hopTime(w + window)) - first < kFewestOnsets)
            continue;
        double best = 0;
        for (auto lag = std::size_t(0.3 / e.hopSeconds()); lag <= std::size_t(1.5 / e.hopSeconds()); ++lag) {
            double sum = 0;
            for (std::size_t h = w; h + lag < w + window; ++h)
                sum += x[h] * x[h + lag];
            best = std::max(best, sum / power);
        }
        clarity.push_back(best);
    }
    return median(clarity);
}

// The onset envelope with the slow swell of the music taken away (a running
// mean over a second), silences left out: what repeats at the pulse.
std::vector<float> pulseEnvelope(const Envelopes& e, const std::vector<TimeSpan>& silences)
{
    const std::size_t n = e.flux.size();
    const auto smooth = std::max<std::size_t>(1, std::size_t(std::lround(1.0 / e.hopSeconds())));
    std::vector<float> x(n, 0.0f);
    double running = 0;
    for (std::size_t h = 0; h < n; ++h) {
        running += e.flux[h] - (h >= smooth ? e.flux[h - smooth] : 0.0f);
        const std::size_t centre = h >= smooth / 2 ? h - smooth / 2 : 0;
        if (!inSilence(e.hopTime(centre), silences))
            x[centre] = std::max(0.0f, float(e.flux[centre] - running / double(std::min(h + 1, smooth))));
    }
    return x;
}

// The pulse of music with or without drums, from a tempogram: the onset
// envelope's autocorrelation in windows of 8 s, averaged. Each period between
// 40 and 200 a minute scores with its multiples (a bar of two and four beats
// repeats too) and a preference for the tempi music is mostly felt in, so
// that the half, double or two-thirds tempo the envelope also repeats at
// loses: metrical errors resolved against the envelope itself.
class Tempogram {
public:
    Tempogram(const std::vector<float>& x, double hopSeconds, std::size_t from, std::size_t to) : hop_(hopSeconds)
    {
        const auto window = std::size_t(8.0 / hopSeconds);
        acf_.assign(4 * maxLag() + 2, 0.0);
        to = std::min(to, x.size());
        int windows = 0;
        for (std::size_t w = from; w + 2 * maxLag() < to; w += window / 2) {
            const std::size_t end = std::min(to, w + window);
            double power = 0;
            for (std::size_t h = w; h < end; ++h)
                power += double(x[h]) * x[h];
            if (power <= 0)
                continue;
            ++windows;
            for (std::size_t lag = minLag() / 2; lag < acf_.size(); ++lag) {
                double sum = 0;
                for (std::size_t h = w; h + lag < end; ++h)
                    sum += double(x[h]) * x[h + lag];
                acf_[lag] += sum / power;
            }
        }
        for (double& v : acf_)
            v /= std::max(1, windows);
    }

    // How well a beat of `period` seconds explains the envelope.
    double score(double period) const
    {
        const double bpm = 60.0 / period, octaves = std::log2(bpm / kDefaultTempo);
        const double lag = period / hop_;
        return std::exp(-0.5 * octaves * octaves) * (at(lag) + 0.5 * at(2 * lag) + 0.25 * at(4 * lag));
    }
    // How clearly the envelope repeats after `period` (0 not at all).
    double clarity(double period) const { return at(period / hop_); }

    // The best period in seconds, refined between hops; 0 without any
    // repetition. With `near`, the best within 6 % of it.
    double best(double near = 0) const
    {
        double bestLag = 0, bestScore = 0;
        for (std::size_t lag = minLag(); lag <= maxLag(); ++lag)
            if (near <= 0 || std::abs(double(lag) * hop_ / near - 1) <= 0.06)
                if (const double sc = score(double(lag) * hop_); sc > bestScore)
                    bestScore = sc, bestLag = double(lag);
        if (bestLag == 0)
            return 0;
        // The peak four beats on lies four times finer on the lag axis.
        const auto far = std::size_t(std::lround(4 * bestLag));
        std::size_t peak = far;
        for (std::size_t k = far - 2; k <= far + 2 && k + 1 < acf_.size(); ++k)
            if (acf_[k] > acf_[peak])
                peak = k;
        const double left = acf_[peak - 1], mid = acf_[peak], right = acf_[peak + 1];
        const double curve = left - 2 * mid + right;
        const double offset = curve < 0 ? std::clamp(0.5 * (left - right) / curve, -0.5, 0.5) : 0.0;
        return (double(peak) + offset) / 4 * hop_;
    }

private:
    std::size_t minLag() const { return std::size_t(60.0 / 200 / hop_); }
    std::size_t maxLag() const { return std::size_t(60.0 / 40 / hop_) + 1; }
    // A peak's height: the best lag within a hop of the one asked.
    double at(double lag) const
    {
        const auto l = std::size_t(std::lround(lag));
        double best = 0;
        for (std::size_t k = l > 0 ? l - 1 : 0; k <= l + 1 && k < acf_.size(); ++k)
            best = std::max(best, acf_[k]);
        return best;
    }

    double hop_;
    std::vector<double> acf_;
};

// A stretch of the envelope with one pulse: hops `from`..`to`, a beat every
// `period` seconds.
struct PulseSpan {
    std::size_t from = 0;
    std::size_t to = 0;
    double period = 0;
};

// Beats over consecutive stretches of the envelope: the path through its
// peaks whose steps best keep the period of the stretch they are in (dynamic
// programming, each step scored by the envelope where it lands less the
// square of its log deviation from the period). The path passes from one
// stretch to the next once, anywhere within `reach` hops of their border:
// where the beats of the music itself change pace.
std::vector<std::size_t> trackPulse(const std::vector<float>& x, const std::vector<PulseSpan>& spans,
                                    double hopSeconds, std::size_t reach)
{
    constexpr double kTightness = 100;
    if (spans.empty())
        return {};
    const std::size_t from = spans.front().from, to = std::min(spans.back().to, x.size());
    double longestLag = 0;
    for (const PulseSpan& s : spans) {
        if (s.period / hopSeconds < 2 || s.from >= s.to)
            return {};
        longestLag = std::max(longestLag, s.period / hopSeconds);
    }
    if (to <= from + std::size_t(2 * longestLag))
        return {};
    double mean = 0, var = 0;
    for (std::size_t h = from; h < to; ++h)
        mean += x[h] / double(to - from);
    for (std::size_t h = from; h < to; ++h)
        var += (x[h] - mean) * (x[h] - mean) / double(to - from);
    const double sd = std::sqrt(var) + 1e-9;
    const std::size_t n = to - from, stretches = spans.size();
    std::vector<double> local(n);
    for (std::size_t i = 0; i < n; ++i)
        local[i] = x[from + i] / sd;
    // Each stretch is followed a little before and after its border with the next.
    std::vector<std::size_t> lo(stretches), hi(stretches);
    for (std::size_t k = 0; k < stretches; ++k) {
        lo[k] = k == 0 ? 0 : std::min(n, spans[k].from - from > reach ? spans[k].from - from - reach : 0);
        hi[k] = k + 1 == stretches ? n : std::min(n, spans[k].to - from + reach);
    }
    struct Step {
        double score = 0;
        std::ptrdiff_t back = -1; // the beat before, -1 where a path starts
        std::size_t stretch = 0;  // the stretch of the beat before
    };
    std::vector<std::vector<Step>> path(stretches);
    for (std::size_t k = 0; k < stretches; ++k)
        path[k].resize(hi[k] > lo[k] ? hi[k] - lo[k] : 0);
    auto at = [&](std::size_t k, std::size_t i) -> Step* {
        return i >= lo[k] && i < hi[k] ? &path[k][i - lo[k]] : nullptr;
    };
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t k = 0; k < stretches; ++k) {
            Step* here = at(k, i);
            if (!here)
                continue;
            const double lag = spans[k].period / hopSeconds;
            const auto nearest = std::size_t(lag / 2), farthest = std::size_t(2 * lag);
            double best = 0;
            bool any = false;
            for (std::size_t d = std::max<std::size_t>(1, nearest); d <= farthest && d <= i; ++d) {
                const double dev = std::log(double(d) / lag);
                for (std::size_t before = k + 1; before-- > (k > 0 ? k - 1 : 0);) {
                    const Step* prior = at(before, i - d);
                    if (!prior)
                        continue;
                    const double sc = prior->score - kTightness * dev * dev;
                    if (!any || sc > best) {
                        best = sc, any = true;
                        here->back = std::ptrdiff_t(i - d);
                        here->stretch = before;
                    }
                }
            }
            here->score = local[i] + std::max(0.0, best);
            if (best <= 0)
                here->back = -1; // a path starts here
        }
    const std::size_t k = stretches - 1;
    const double lastLag = spans[k].period / hopSeconds;
    std::size_t last = n - 1;
    for (std::size_t i = std::max(lo[k], n > std::size_t(lastLag) ? n - std::size_t(lastLag) : 0); i < n; ++i)
        if (at(k, i)->score > at(k, last)->score || (at(k, last)->score == at(k, i)->score && local[i] > local[last]))
            last = i;
    std::vector<std::size_t> beats;
    std::size_t stretch = k;
    for (std::ptrdiff_t i = std::ptrdiff_t(last); i >= 0;) {
        beats.push_back(from + std::size_t(i));
        const Step* step = at(stretch, std::size_t(i));
        i = step->back;
        stretch = step->stretch;
    }
    std::reverse(beats.begin(), beats.end());
    return beats;
}

// Beats at about `period` over hops `from`..`to` of the envelope.
std::vector<std::size_t> trackPulse(const std::vector<float>& x, double period, double hopSeconds, std::size_t from,
                                    std::size_t to)
{
    return trackPulse(x, {{from, std::min(to, x.size()), period}}, hopSeconds, 0);
}

// The stretches of one pulse in hops `from`..`to`. A tempogram of 16 s every
// 4 s names the pulse it hears best there; the stretches follow those names
// where a new pulse is heard clearly better for some seconds, and hardly ever
// into a metrical relative of the pulse before (a half, a double, two
// thirds): one pulse heard two ways is one tempo. A single stretch has no
// period of its own (0): the whole song's tempogram names it.
std::vector<PulseSpan> pulseSpans(const std::vector<float>& x, double hopSeconds, std::size_t from, std::size_t to)
{
    constexpr double kStepSeconds = 4, kWindowSeconds = 16;
    constexpr double kSameTempo = 0.03;
    constexpr double kChange = 1.5;       // a change costs what one and a half windows not hearing the pulse do
    constexpr double kMetreChange = 4.0;  // into a metrical relative, four such windows
    to = std::min(to, x.size());
    const auto step = std::size_t(kStepSeconds / hopSeconds), window = std::size_t(kWindowSeconds / hopSeconds);
    std::vector<Tempogram> heard;
    std::vector<double> best;
    std::vector<std::size_t> starts;
    for (std::size_t w = from; w + window * 3 / 4 <= to; w += step) {
        heard.emplace_back(x, hopSeconds, w, std::min(to, w + window));
        best.push_back(heard.back().best());
        starts.push_back(w);
    }
    std::vector<double> names; // the pulses named anywhere, alike ones once
    for (double b : best)
        if (b > 0)
            names.push_back(b);
    std::sort(names.begin(), names.end());
    std::vector<double> candidates;
    for (std::size_t i = 0; i < names.size();) {
        std::size_t j = i;
        while (j < names.size() && names[j] / names[i] - 1 < kSameTempo)
            ++j;
        candidates.push_back(names[(i + j) / 2]);
        i = j;
    }
    if (candidates.size() < 2)
        return {{from, to, 0}};
    // Viterbi over the windows. A candidate costs a window little while it
    // is heard there at least half as well as the window's best (a fill, a
    // riff across the beat), much where it is hardly heard at all: the pulse
    // then really changed. A change of candidate costs kChange.
    const std::size_t windows = heard.size(), c = candidates.size();
    auto cost = [&](std::size_t w, std::size_t k) {
        constexpr double kStillHeard = 0.5, kUnheard = 2, kPreference = 0.05;
        const double top = best[w] > 0 ? heard[w].score(best[w]) : 0;
        const double ratio = top > 0 ? std::min(1.0, heard[w].score(candidates[k]) / top) : 1.0;
        return kUnheard * std::max(0.0, kStillHeard - ratio) + kPreference * (1 - ratio);
    };
    std::vector<std::vector<double>> total(windows, std::vector<double>(c));
    std::vector<std::vector<std::size_t>> back(windows, std::vector<std::size_t>(c, 0));
    for (std::size_t k = 0; k < c; ++k)
        total[0][k] = cost(0, k);
    for (std::size_t w = 1; w < windows; ++w)
        for (std::size_t k = 0; k < c; ++k) {
            double cheapest = HUGE_VAL;
            for (std::size_t j = 0; j < c; ++j) {
                const double change = j == k ? 0 : metricallyRelated(candidates[j], candidates[k]) ? kMetreChange : kChange;
                if (total[w - 1][j] + change < cheapest)
                    cheapest = total[w - 1][j] + change, back[w][k] = j;
            }
            total[w][k] = cheapest + cost(w, k);
        }
    std::vector<std::size_t> chosen(windows);
    chosen.back() = std::size_t(std::min_element(total.back().begin(), total.back().end()) - total.back().begin());
    for (std::size_t w = windows - 1; w > 0; --w)
        chosen[w - 1] = back[w][chosen[w]];
    // A border lies halfway between the centres of the windows either side.
    std::vector<PulseSpan> spans{{from, to, candidates[chosen.front()]}};
    for (std::size_t w = 1; w < windows; ++w)
        if (chosen[w] != chosen[w - 1] && std::abs(candidates[chosen[w]] / spans.back().period - 1) > kTempoChange) {
            const std::size_t border = std::min(to, starts[w] + window / 2 - step / 2);
            if (border <= spans.back().from)
                continue;
            spans.back().to = border;
            spans.push_back({border, to, candidates[chosen[w]]});
        }
    if (spans.size() == 1)
        return {{from, to, 0}};
    for (PulseSpan& s : spans)
        if (const double refined = Tempogram(x, hopSeconds, s.from, s.to).best(s.period); refined > 0)
            s.period = refined;
    return spans;
}

// The stretches within hops `from`..`to`, cut to them.
std::vector<PulseSpan> spansWithin(const std::vector<PulseSpan>& spans, std::size_t from, std::size_t to)
{
    std::vector<PulseSpan> in;
    for (PulseSpan s : spans) {
        s.from = std::max(s.from, from);
        s.to = std::min(s.to, to);
        if (s.from < s.to && s.period > 0)
            in.push_back(s);
    }
    return in;
}

// The autocorrelation of the onset envelope from `from` to `to` seconds at
// a lag of `period`, relative to its power there.
double envelopePeriodicity(const Envelopes& e, double from, double to, double period)
{
    const std::size_t first = e.hopAt(from), last = std::min(e.flux.size(), e.hopAt(to));
    const auto lag = std::size_t(std::lround(period / e.hopSeconds()));
    if (last <= first + lag)
        return 0;
    double mean = 0;
    for (std::size_t h = first; h < last; ++h)
        mean += e.flux[h] / double(last - first);
    double power = 0, sum = 0;
    for (std::size_t h = first; h < last; ++h) {
        power += (e.flux[h] - mean) * (e.flux[h] - mean);
        if (h + lag < last)
            sum += (e.flux[h] - mean) * (e.flux[h + lag] - mean);
    }
    return power > 0 ? sum / power : 0;
}

// The accent a beat carries: new low sound (kick, bass) most of all.
double accentAt(const Envelopes& e, double t)
{
    return e.peak(e.bass, t, 0.02, 0.04) + 0.25 * e.peak(e.flux, t, 0.02, 0.04);
}

// A tracker sometimes settles on the off-beats (a busy hi-hat line draws it).
// Where, over two bars, the sound between the beats is clearly more accented
// than on them, the beats move half a beat on, onto the onsets there.
std::vector<double> alignToAccents(const std::vector<double>& beats, const Envelopes& e,
                                   const std::vector<double>& onsets)
{
    constexpr double kOffBeatDominance = 1.5;
    const std::size_t n = beats.size();
    std::vector<double> on(n), off(n), middle(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double gap = i + 1 < n ? beats[i + 1] - beats[i] : (i > 0 ? beats[i] - beats[i - 1] : 0);
        const int o = nearestOnset(onsets, beats[i] + gap / 2, std::min(kSnapSeconds, gap / 4));
        middle[i] = o >= 0 ? onsets[std::size_t(o)] : beats[i] + gap / 2;
        on[i] = accentAt(e, beats[i]);
        off[i] = o >= 0 ? accentAt(e, middle[i]) : 0;
    }
    std::vector<double> aligned(beats);
    const std::size_t half = 2 * kBeatsPerBar / 2;
    for (std::size_t i = 0; i < n; ++i) {
        double sumOn = 0, sumOff = 0;
        for (std::size_t j = i >= half ? i - half : 0; j < std::min(n, i + half); ++j)
            sumOn += on[j], sumOff += off[j];
        if (sumOff > kOffBeatDominance * sumOn)
            aligned[i] = middle[i];
    }
    return aligned;
}

// Whether every other beat has hardly any low sound and hits more lightly
// than the beats between: hi-hats between kicks, not a snare (which hits as
// hard as the kick) nor a bass line on every beat.
bool everyOtherBeatLight(const Envelopes& e, const std::vector<double>& beats)
{
    constexpr double kNoLowSound = 0.5, kLighterHit = 0.8; // of the other beats' bass and flux
    double bass[2] = {0, 0}, flux[2] = {0, 0};
    for (std::size_t i = 0; i < beats.size(); ++i) {
        bass[i % 2] += e.peak(e.bass, beats[i], 0.02, 0.04);
        flux[i % 2] += e.peak(e.flux, beats[i], 0.02, 0.04);
    }
    const std::size_t strong = bass[1] > bass[0] ? 1 : 0, light = 1 - strong;
    return bass[light] < kNoLowSound * bass[strong] && flux[light] < kLighterHit * flux[strong];
}

// How a tempo section's beats are counted again (or not) to follow the pulse
// the tempogram hears.
struct Recount {
    double period = 0; // the section's period after it
    std::vector<double> beats;
    bool changed = false;
};

// A tracker may count a section at twice or half its pulse, in threes
// against it, or drift off it. Where the section's tempogram clearly prefers
// another count, the beats are counted again: every other one kept (the more
// accented), one added between each two, or tracked anew. A section heard as
// well in the song's count as in another keeps the song's.
Recount recountSection(const SongAnalysis& a, const std::vector<float>& pulse, const Envelopes& e, double start,
                       double end, double period, double song)
{
    constexpr double kClearlyBetter = 1.15;
    constexpr double kHeardAsWell = 0.8;
    constexpr double kStrongerBeat = 1.25;
    constexpr double kFeltInHalves = 160; // beats a minute
    auto near = [](double ratio, double m, double tolerance) { return std::abs(ratio / m - 1) < tolerance; };
    Recount out{period, {std::lower_bound(a.beats.begin(), a.beats.end(), start),
                         std::lower_bound(a.beats.begin(), a.beats.end(), end)}};
    const std::vector<double> own = out.beats;
    const Tempogram tempogram(pulse, e.hopSeconds(), e.hopAt(start), e.hopAt(std::min(end, a.seconds)));
    double heard = tempogram.best();
    if (own.size() < 8 || heard <= 0)
        return out;
    if (song > 0 && (near(heard / song, 2, 0.05) || near(heard / song, 0.5, 0.05)))
        if (const double same = tempogram.best(song); same > 0 && tempogram.score(same) >= kHeardAsWell * tempogram.score(heard))
            heard = same;
    // A count with a kick on every other beat and only a light sound on the
    // beats between (hi-hats) is halved: the kicks are the beats, however
    // slow; the tempogram, preferring tempi near 120 a minute, counts the
    // hi-hats too.
    const bool kicksUnderHats = near(heard / period, 1, 0.03) && 2 * period <= 60.0 / 40 && everyOtherBeatLight(e, own);
    if (kicksUnderHats)
        heard = 2 * period;
    const double ratio = heard / period;
    // Halved where every other beat is clearly the stronger, or the count is
    // too fast to be felt on each beat; not a kick on each beat under
    // hi-hats on the off-beats, which is counted on the kick.
    double accent[2] = {0, 0}, between = 0;
    for (std::size_t i = 0; i < own.size(); ++i) {
        accent[i % 2] += accentAt(e, own[i]);
        if (i + 1 < own.size())
            between += accentAt(e, (own[i] + own[i + 1]) / 2);
    }
    const bool halve = near(ratio, 2, 0.02)
                       && (std::max(accent[0], accent[1]) >= kStrongerBeat * std::min(accent[0], accent[1])
                           || 60.0 / period > kFeltInHalves);
    // Doubled only where the sound between the beats hits about as hard as
    // on them; hi-hats between kicks do not make the kicks half notes.
    const bool offBeatsWeak = kStrongerBeat * between < accent[0] + accent[1];
    if (!kicksUnderHats
        && (near(ratio, 1, 0.03) || (near(ratio, 0.5, 0.02) && offBeatsWeak)
            || tempogram.score(heard) < (halve ? 1.0 : kClearlyBetter) * tempogram.score(period)))
        return out;
    out.changed = true;
    out.period = heard;
    out.beats.clear();
    if (near(ratio, 2, 0.02)) {
        for (std::size_t i = accent[1] > accent[0] ? 1 : 0; i < own.size(); i += 2)
            out.beats.push_back(own[i]);
    } else if (near(ratio, 0.5, 0.02)) {
        for (std::size_t i = 0; i < own.size(); ++i) {
            out.beats.push_back(own[i]);
            if (i + 1 < own.size() && own[i + 1] - own[i] < 1.5 * period) {
                const double middle = (own[i] + own[i + 1]) / 2;
                const int o = nearestOnset(a.onsets, middle, std::min(kSnapSeconds, 0.15 * period));
                out.beats.push_back(o >= 0 ? a.onsets[std::size_t(o)] : middle);
            }
        }
    } else {
        for (std::size_t h : trackPulse(pulse, heard, e.hopSeconds(), e.hopAt(own.front()), e.hopAt(own.back()) + 1)) {
            if (const double t = std::max(0.0, e.hopTime(h)); !inSilence(t, a.silences))
                out.beats.push_back(onOnset(a.onsets, t));
        }
    }
    return out;
}

// Every tempo section counted as the pulse is heard; the longest first, whose
// count then stands for the song's. Returns whether any beat changed.
bool settleBeatLevel(SongAnalysis& a, const std::vector<float>& pulse, const Envelopes& e)
{
    const std::size_t n = a.tempi.size();
    auto start = [&](std::size_t k) { return k == 0 ? 0.0 : a.tempi[k].start; };
    auto end = [&](std::size_t k) { return k + 1 < n ? a.tempi[k + 1].start : a.seconds + 1; };
    std::size_t longest = 0;
    for (std::size_t k = 0; k < n; ++k)
        if (end(k) - start(k) > end(longest) - start(longest))
            longest = k;
    std::vector<Recount> counted(n);
    const double heard = Tempogram(pulse, e.hopSeconds(), 0, pulse.size()).best();
    counted[longest] = recountSection(a, pulse, e, start(longest), end(longest), 60.0 / a.tempi[longest].bpm, heard);
    bool changed = counted[longest].changed;
    for (std::size_t k = 0; k < n; ++k)
        if (k != longest) {
            counted[k] = recountSection(a, pulse, e, start(k), end(k), 60.0 / a.tempi[k].bpm, counted[longest].period);
            changed = changed || counted[k].changed;
        }
    if (changed) {
        a.beats.clear();
        for (const Recount& c : counted)
            a.beats.insert(a.beats.end(), c.beats.begin(), c.beats.end());
    }
    return changed;
}

// The tracker lags behind a change of tempo for a few seconds, its beats
// wandering onto the off-beats until it settles. Around each change the
// beats are tracked again on the envelope, the pace changing where the
// music's does. Returns whether any beat changed.
bool followTempoChanges(SongAnalysis& a, const std::vector<TimeSpan>& runs, const std::vector<float>& pulse,
                        const Envelopes& e)
{
    const auto reach = std::size_t(kPulseChangeReach / e.hopSeconds());
    bool changed = false;
    for (std::size_t k = 1; k < a.tempi.size(); ++k) {
        const double border = a.tempi[k].start;
        const auto run = std::find_if(runs.begin(), runs.end(), [&](const TimeSpan& r) { return border < r.end; });
        if (run == runs.end() || border < run->start + 1.0)
            continue; // the music starts again at the new tempo after a silence
        const double from = std::max({run->start, a.tempi[k - 1].start, border - 2 * kPulseChangeReach});
        const double to = std::min({run->end, k + 1 < a.tempi.size() ? a.tempi[k + 1].start : a.seconds,
                                    border + 2 * kPulseChangeReach});
        const double before = 60.0 / a.tempi[k - 1].bpm, after = 60.0 / a.tempi[k].bpm;
        std::vector<double> fresh;
        for (std::size_t h : trackPulse(pulse, {{e.hopAt(from), e.hopAt(border), before}, {e.hopAt(border), e.hopAt(to), after}},
                                        e.hopSeconds(), reach))
            if (const double t = std::max(0.0, e.hopTime(h)); !inSilence(t, a.silences))
                fresh.push_back(onOnset(a.onsets, t));
        if (fresh.size() < std::size_t(2 * kBeatsPerBar))
            continue;
        const double first = fresh.front() - 0.5 * before, last = fresh.back() + 0.5 * after;
        a.beats.erase(std::remove_if(a.beats.begin(), a.beats.end(), [&](double t) { return t > first && t < last; }),
                      a.beats.end());
        a.beats.insert(std::lower_bound(a.beats.begin(), a.beats.end(), first), fresh.begin(), fresh.end());
        changed = true;
    }
    return changed;
}

// Without any pulse the cues follow the music's own onsets: the stronger
// half of them, at least half a second apart; a long stretch without one
// gets a point every two seconds, so that bars and phrases still pass.
std::vector<double> onsetBeats(const SongAnalysis& a, const std::vector<TimeSpan>& runs)
{
    constexpr double kMinGap = 0.5, kFillGap = 2.0;
    const double strong = median(a.onsetStrength);
    std::vector<double> beats;
    for (const TimeSpan& run : runs) {
        double last = run.start - kFillGap;
        auto fillTo = [&](double t) {
            for (double f = last + kFillGap; f < t - kFillGap / 2; f += kFillGap)
                beats.push_back(last = std::max(f, run.start));
        };
        for (std::size_t k = 0; k < a.onsets.size(); ++k) {
            const double t = a.onsets[k];
            if (t < run.start || t >= run.end || a.onsetStrength[k] < strong || t - last < kMinGap)
                continue;
            fillTo(t);
            beats.push_back(last = t);
        }
        fillTo(run.end);
    }
    return beats;
}

// Bars start where the bass hits and the harmony changes: of the four ways
// to count the beats of a run of music in fours, the one whose first beats
// carry the most of both.
void findBars(SongAnalysis& a, const std::vector<TimeSpan>& runs, const Envelopes& e)
{
    std::size_t i = 0;
    for (const TimeSpan& run : runs) {
        const std::size_t first = i;
        while (i < a.beats.size() && a.beats[i] < run.end)
            ++i;
        const std::size_t count = i - first;
        if (count == 0)
            continue;
        std::vector<double> bass(count), change(count);
        for (std::size_t k = 0; k < count; ++k) {
            const double t = a.beats[first + k];
            bass[k] = accentAt(e, t);
            const double before = k >= 2 ? a.beats[first + k - 2] : run.start;
            const double after = k + 2 < count ? a.beats[first + k + 2] : run.end;
            change[k] = distance(e.mean(before, t), e.mean(t, after), kMfccs - 1, kFeatures);
        }
        auto zScores = [](std::vector<double>& v) {
            const double mean = std::accumulate(v.begin(), v.end(), 0.0) / double(v.size());
            double var = 0;
            for (double x : v)
                var += (x - mean) * (x - mean);
            const double sd = std::sqrt(var / double(v.size())) + 1e-9;
            for (double& x : v)
                x = (x - mean) / sd;
        };
        zScores(bass);
        zScores(change);
        std::size_t phase = 0;
        if (count >= std::size_t(2 * kBeatsPerBar)) {
            std::array<double, kBeatsPerBar> score{};
            for (std::size_t k = 0; k < count; ++k)
                score[k % kBeatsPerBar] += bass[k] + change[k];
            // A clear winner only: a run in even fours keeps its first beat.
            for (std::size_t p = 1; p < std::size_t(kBeatsPerBar); ++p)
                if (score[p] > score[phase] + 0.1 * double(count) / kBeatsPerBar)
                    phase = p;
        }
        if (phase > 0)
            a.barStarts.push_back(int(first)); // the pick-up before the first downbeat
        for (std::size_t k = phase; k < count; k += kBeatsPerBar)
            a.barStarts.push_back(int(first + k));
    }
}

int barEndBeat(const SongAnalysis& a, std::size_t bar)
{
    return bar + 1 < a.barStarts.size() ? a.barStarts[bar + 1] : int(a.beats.size());
}

double barLoudness(const SongAnalysis& a, std::size_t bar)
{
    const int from = a.barStarts[bar], to = barEndBeat(a, bar);
    double sum = 0;
    for (int i = from; i < to; ++i)
        sum += a.beatLoudness[std::size_t(i)];
    return to > from ? sum / (to - from) : kFloorLufs;
}

// Sections where the timbre and harmony of the bars ahead differ from those
// behind (a novelty curve over the bars), and at every run of music after a
// silence. Sections that sound alike share a family; the loudest family is
// the chorus, a family heard once between others a bridge.
void findSections(SongAnalysis& a, const Envelopes& e)
{
    const std::size_t bars = a.barStarts.size();
    if (bars == 0)
        return;
    constexpr int kDims = kFeatures + 1;
    std::vector<std::array<double, kDims>> f(bars);
    std::vector<bool> runStart(bars, false);
    const double period = 60.0 / (a.tempo > 0 ? a.tempo : kDefaultTempo);
    for (std::size_t b = 0; b < bars; ++b) {
        const double from = a.beats[std::size_t(a.barStarts[b])];
        const int end = barEndBeat(a, b);
        const double to = end < int(a.beats.size()) ? a.beats[std::size_t(end)] : a.seconds;
        const Features m = e.mean(from, std::min(to, from + kBeatsPerBar * 1.5 * period));
        std::copy(m.begin(), m.end(), f[b].begin());
        f[b][kFeatures] = barLoudness(a, b) / 3.0;
        const double before = b == 0 ? 0.0 : a.beats[std::size_t(a.barStarts[b] - 1)];
        runStart[b] = b == 0 || std::any_of(a.silences.begin(), a.silences.end(), [&](const TimeSpan& s) {
                          return s.start >= before && s.start < from;
                      });
    }
    for (int k = 0; k < kDims; ++k) {
        double mean = 0, var = 0;
        for (const auto& v : f)
            mean += v[std::size_t(k)] / double(bars);
        for (const auto& v : f)
            var += (v[std::size_t(k)] - mean) * (v[std::size_t(k)] - mean) / double(bars);
        const double sd = std::sqrt(var) + 1e-6;
        // Loudness is one number against many of timbre: it is weighed up so a
        // quiet intro stands apart from the verse that repeats its sound.
        const double weight = k == kFeatures ? kLoudnessWeight : 1.0;
        for (auto& v : f)
            v[std::size_t(k)] = weight * (v[std::size_t(k)] - mean) / sd;
    }
    auto meanOf = [&](std::size_t from, std::size_t to) {
        std::array<double, kDims> m{};
        for (std::size_t b = from; b < to; ++b)
            for (int k = 0; k < kDims; ++k)
                m[std::size_t(k)] += f[b][std::size_t(k)] / double(to - from);
        return m;
    };
    auto gap = [&](const std::array<double, kDims>& x, const std::array<double, kDims>& y) {
        double s = 0;
        for (int k = 0; k < kDims; ++k)
            s += (x[std::size_t(k)] - y[std::size_t(k)]) * (x[std::size_t(k)] - y[std::size_t(k)]);
        return std::sqrt(s / kDims);
    };
    std::vector<double> novelty(bars, 0.0);
    for (std::size_t b = 1; b < bars; ++b) {
        std::size_t back = 0, ahead = 0;
        while (back < kNoveltyBars && back < b && !runStart[b - back])
            ++back;
        while (ahead < kNoveltyBars && b + ahead < bars && (ahead == 0 || !runStart[b + ahead]))
            ++ahead;
        if (back >= 2 && ahead >= 2)
            novelty[b] = gap(meanOf(b - back, b), meanOf(b, b + ahead));
    }
    const double threshold = std::max(0.6, 1.5 * median(novelty));
    std::vector<std::size_t> starts;
    for (std::size_t b = 0; b < bars; ++b) {
        bool peak = novelty[b] >= threshold;
        for (std::size_t c = b >= 2 ? b - 2 : 0; c < std::min(bars, b + 3) && peak; ++c)
            peak = c == b || novelty[c] < novelty[b] || (novelty[c] == novelty[b] && c > b);
        const bool farEnough = starts.empty() || b - starts.back() >= std::size_t(kMinMusicSectionBars);
        if (runStart[b] || (peak && farEnough && bars - b >= std::size_t(kMinMusicSectionBars)))
            starts.push_back(b);
    }
    std::vector<std::array<double, kDims>> heads; // each family's first section
    for (std::size_t s = 0; s < starts.size(); ++s) {
        MusicSection section;
        section.firstBar = int(starts[s]);
        section.endBar = int(s + 1 < starts.size() ? starts[s + 1] : bars);
        const auto sound = meanOf(std::size_t(section.firstBar), std::size_t(section.endBar));
        double nearest = kSameFamily;
        section.family = int(heads.size());
        for (std::size_t h = 0; h < heads.size(); ++h)
            if (const double d = gap(sound, heads[h]); d < nearest) {
                nearest = d;
                section.family = int(h);
            }
        if (section.family == int(heads.size()))
            heads.push_back(sound);
        for (int b = section.firstBar; b < section.endBar; ++b)
            section.loudness += barLoudness(a, std::size_t(b)) / (section.endBar - section.firstBar);
        a.sections.push_back(section);
    }
    // Kinds: the loudest family (by its mean loudness) is the chorus.
    std::vector<double> familyLoudness(heads.size(), 0.0), familyBars(heads.size(), 0.0);
    std::vector<int> familyCount(heads.size(), 0);
    for (const MusicSection& s : a.sections) {
        familyLoudness[std::size_t(s.family)] += s.loudness * (s.endBar - s.firstBar);
        familyBars[std::size_t(s.family)] += s.endBar - s.firstBar;
        ++familyCount[std::size_t(s.family)];
    }
    int chorus = -1;
    for (std::size_t h = 0; h < heads.size(); ++h)
        if (chorus < 0 || familyLoudness[h] / familyBars[h] > familyLoudness[std::size_t(chorus)] / familyBars[std::size_t(chorus)])
            chorus = int(h);
    const double loudest = chorus >= 0 ? familyLoudness[std::size_t(chorus)] / familyBars[std::size_t(chorus)] : 0;
    for (std::size_t s = 0; s < a.sections.size(); ++s) {
        MusicSection& section = a.sections[s];
        const bool once = familyCount[std::size_t(section.family)] == 1;
        const bool quieter = section.loudness < loudest - 3;
        if (heads.size() > 1 && section.family == chorus)
            section.kind = MusicSection::Chorus;
        else if (s == 0 && a.sections.size() > 1 && (once || quieter))
            section.kind = MusicSection::Intro;
        else if (s + 1 == a.sections.size() && s > 0 && (once || quieter))
            section.kind = MusicSection::Outro;
        else if (once && heads.size() > 2)
            section.kind = MusicSection::Bridge;
        else
            section.kind = MusicSection::Verse;
    }
    for (const MusicSection& s : a.sections)
        for (int b = s.firstBar; b < s.endBar; b += kPhraseBars)
            a.phraseStarts.push_back(b);
}

} // namespace

// Everything the listener keeps between pieces: the analysers' state, the
// samples short of their next hop, and the readings.
struct MusicListener::Readings {
    int rate = 0;
    std::size_t heard = 0;
    std::size_t block = 1;
    ebur128_state* loudness = nullptr;
    aubio_onset_t* onset = nullptr;
    aubio_tempo_t* tempo = nullptr;
    aubio_pvoc_t* pvoc = nullptr;
    aubio_pvoc_t* hitPvoc = nullptr;
    aubio_mfcc_t* mfcc = nullptr;
    aubio_filterbank_t* melBands = nullptr;
    fvec_t* bandsOut = nullptr;
    fvec_t* hopIn = nullptr;
    fvec_t* onsetOut = nullptr;
    fvec_t* tempoIn = nullptr;
    fvec_t* tempoOut = nullptr;
    fvec_t* mfccOut = nullptr;
    cvec_t* spectrum = nullptr;
    cvec_t* hitSpectrum = nullptr;
    std::vector<float> pendingBlock, pendingHop, pendingTempo;
    LoudnessCurve curve;
    std::vector<double> onsetAt, trackerBeats;
    Envelopes envelopes;
    std::vector<float> lastLog;
    std::vector<int> pitchClass; // of each spectrum bin; -1 outside the range of notes
    std::size_t bassBins = 1;
    Features frameSum{};
    std::size_t frameHops = 0;

    ~Readings()
    {
        if (loudness)
            ebur128_destroy(&loudness);
        if (onset)
            del_aubio_onset(onset);
        if (tempo)
            del_aubio_tempo(tempo);
        for (aubio_pvoc_t* p : {pvoc, hitPvoc})
            if (p)
                del_aubio_pvoc(p);
        if (mfcc)
            del_aubio_mfcc(mfcc);
        if (melBands)
            del_aubio_filterbank(melBands);
        for (fvec_t* v : {hopIn, onsetOut, tempoIn, tempoOut, mfccOut, bandsOut})
            if (v)
                del_fvec(v);
        for (cvec_t* c : {spectrum, hitSpectrum})
            if (c)
                del_cvec(c);
    }

    // Hands `count` samples to `use` in blocks of `size`, keeping the rest in `pending`.
    template <typename Use>
    static void inBlocks(std::vector<float>& pending, std::size_t size, const float* samples, std::size_t count, Use&& use)
    {
        while (count > 0) {
            const std::size_t take = std::min(count, size - pending.size());
            if (pending.empty() && take == size) {
                use(samples);
            } else {
                pending.insert(pending.end(), samples, samples + take);
                if (pending.size() == size) {
                    use(pending.data());
                    pending.clear();
                }
            }
            samples += take;
            count -= take;
        }
    }

    void readLoudness(const float* samples, std::size_t count)
    {
        ebur128_add_frames_float(loudness, samples, count);
        double momentary = -HUGE_VAL, window = -HUGE_VAL;
        ebur128_loudness_momentary(loudness, &momentary);
        ebur128_loudness_window(loudness, kSilenceWindowMs, &window);
        curve.momentary.push_back(std::max(momentary, kFloorLufs));
        curve.shortWindow.push_back(std::max(window, kFloorLufs));
        curve.at.push_back(double(curve.at.size() * block + count) / rate);
    }

    void readHop(const float* samples)
    {
        std::copy_n(samples, kHop, hopIn->data);
        aubio_onset_do(onset, hopIn, onsetOut);
        if (onsetOut->data[0] != 0)
            onsetAt.push_back(std::max(0.0, double(aubio_onset_get_last_s(onset))));
        aubio_pvoc_do(pvoc, hopIn, spectrum);
        double flux = 0, bass = 0;
        std::array<double, 12> chroma{};
        for (std::size_t k = 0; k < lastLog.size(); ++k) {
            const float magnitude = spectrum->norm[k];
            const float log = std::log1p(100.0f * magnitude);
            const float rise = std::max(0.0f, log - lastLog[k]);
            flux += rise;
            if (k > 0 && k <= bassBins)
                bass += rise;
            if (pitchClass[k] >= 0)
                chroma[std::size_t(pitchClass[k])] += double(magnitude) * magnitude;
            lastLog[k] = log;
        }
        envelopes.flux.push_back(float(flux));
        envelopes.bass.push_back(float(bass));
        // The power as the ear weighs it: summed over mel bands, so a crash
        // or a snare counts as much as the kick under it.
        aubio_pvoc_do(hitPvoc, hopIn, hitSpectrum);
        aubio_filterbank_do(melBands, hitSpectrum, bandsOut);
        double power = 0;
        for (uint_t b = 0; b < bandsOut->length; ++b)
            power += bandsOut->data[b];
        envelopes.power.push_back(float(power));
        aubio_mfcc_do(mfcc, spectrum, mfccOut);
        const double chromaSum = std::accumulate(chroma.begin(), chroma.end(), 0.0) + 1e-12;
        for (int c = 1; c < kMfccs; ++c)
            frameSum[std::size_t(c - 1)] += mfccOut->data[c];
        for (int c = 0; c < 12; ++c)
            frameSum[std::size_t(kMfccs - 1 + c)] += float(chroma[std::size_t(c)] / chromaSum);
        if (++frameHops == kFrameHops) {
            for (float& v : frameSum)
                v /= float(kFrameHops);
            envelopes.frames.push_back(frameSum);
            frameSum = {};
            frameHops = 0;
        }
    }

    void readTempo(const float* samples)
    {
        std::copy_n(samples, tempoIn->length, tempoIn->data);
        aubio_tempo_do(tempo, tempoIn, tempoOut);
        if (tempoOut->data[0] != 0) {
            const double at = aubio_tempo_get_last_s(tempo);
            if (at >= 0 && (trackerBeats.empty() || at > trackerBeats.back()))
                trackerBeats.push_back(at);
        }
    }
};

MusicListener::MusicListener(int sampleRate) : r_(std::make_unique<Readings>())
{
    Readings& r = *r_;
    if (sampleRate < 1000)
        return;
    r.rate = sampleRate;
    r.envelopes.rate = sampleRate;
    r.block = std::max<std::size_t>(1, std::lround(sampleRate * kBlockSeconds));
    r.loudness = ebur128_init(1, static_cast<unsigned long>(sampleRate), EBUR128_MODE_M);
    r.onset = new_aubio_onset("default", kWindow, kHop, uint_t(sampleRate));
    if (r.onset)
        aubio_onset_set_minioi_ms(r.onset, 40);
    const uint_t tempoHop = beatTrackerHop(sampleRate);
    r.tempo = new_aubio_tempo("default", 2 * tempoHop, tempoHop, uint_t(sampleRate));
    r.pvoc = new_aubio_pvoc(kWindow, kHop);
    r.mfcc = new_aubio_mfcc(kWindow, 40, kMfccs, uint_t(sampleRate));
    r.hopIn = new_fvec(kHop);
    r.onsetOut = new_fvec(1);
    r.tempoIn = new_fvec(tempoHop);
    r.tempoOut = new_fvec(1);
    r.mfccOut = new_fvec(kMfccs);
    r.hitPvoc = new_aubio_pvoc(kHitWindow, kHop);
    r.hitSpectrum = new_cvec(kHitWindow);
    r.melBands = new_aubio_filterbank(kMelBands, kHitWindow);
    r.bandsOut = new_fvec(kMelBands);
    if (r.melBands)
        aubio_filterbank_set_mel_coeffs_slaney(r.melBands, smpl_t(sampleRate));
    r.spectrum = new_cvec(kWindow);
    const std::size_t bins = kWindow / 2 + 1;
    r.lastLog.assign(bins, 0.0f);
    r.pitchClass.assign(bins, -1);
    const double binHz = double(sampleRate) / kWindow;
    r.bassBins = std::max<std::size_t>(1, std::size_t(kBassHz / binHz));
    for (std::size_t k = 1; k < bins; ++k) {
        const double hz = k * binHz;
        if (hz >= 60 && hz <= 2000)
            r.pitchClass[k] = int((std::lround(12 * std::log2(hz / 440.0)) % 12 + 12 + 9) % 12);
    }
    if (!r.loudness || !r.onset || !r.tempo || !r.pvoc || !r.hitPvoc || !r.mfcc || !r.melBands)
        r.rate = 0; // hears nothing rather than crash
}

MusicListener::~MusicListener() = default;

void MusicListener::listen(const float* samples, std::size_t count)
{
    Readings& r = *r_;
    if (r.rate == 0 || count == 0)
        return;
    r.heard += count;
    Readings::inBlocks(r.pendingBlock, r.block, samples, count,
                       [&r](const float* s) { r.readLoudness(s, r.block); });
    Readings::inBlocks(r.pendingHop, kHop, samples, count, [&r](const float* s) { r.readHop(s); });
    Readings::inBlocks(r.pendingTempo, r.tempoIn->length, samples, count, [&r](const float* s) { r.readTempo(s); });
}

SongAnalysis MusicListener::finish()
{
    Readings& r = *r_;
    SongAnalysis a;
    if (r.rate == 0 || r.heard == 0)
        return a;
    if (!r.pendingBlock.empty()) {
        r.readLoudness(r.pendingBlock.data(), r.pendingBlock.size());
        r.pendingBlock.clear();
    }
    const Envelopes& e = r.envelopes;
    a.seconds = double(r.heard) / r.rate;
    a.silences = findSilences(r.curve, a.seconds);
    const std::vector<TimeSpan> runs = soundRuns(a.silences, a.seconds);
    Onsets onsets;
    onsets.at = r.onsetAt;
    // How hard a hit is: how much the power of the sound jumps there. The
    // flux says where sound starts, whatever its level; this says how loud.
    std::vector<float> jump(e.power.size(), 0.0f);
    for (std::size_t h = 1; h < e.power.size(); ++h)
        jump[h] = std::max(0.0f, e.power[h] - *std::max_element(e.power.begin() + std::ptrdiff_t(h >= 4 ? h - 4 : 0),
                                                               e.power.begin() + std::ptrdiff_t(h)));
    for (double t : onsets.at)
        onsets.strength.push_back(e.peak(jump, t, 0.03, 0.05));
    const auto reach = std::size_t(0.1 / e.hopSeconds());
    for (std::size_t h = 1; h < jump.size(); ++h) {
        const auto from = jump.begin() + std::ptrdiff_t(h > reach ? h - reach : 0);
        const auto to = jump.begin() + std::ptrdiff_t(std::min(jump.size(), h + reach + 1));
        if (jump[h] > 0 && std::max_element(from, to) == jump.begin() + std::ptrdiff_t(h)) {
            a.hits.push_back(std::max(0.0, e.hitTime(h)));
            a.hitStrength.push_back(jump[h]);
        }
    }
    a.onsets = onsets.at;
    a.onsetStrength = onsets.strength;

    a.beats = refineBeats(r.trackerBeats, onsets, a.silences);
    a.beatsFound = beatsAreMusic(a.beats, a.onsets);
    const Periodicity periodicity = [&e](double from, double to, double period) {
        return envelopePeriodicity(e, from, to, period);
    };
    const std::vector<float> pulse = pulseEnvelope(e, a.silences);
    if (a.beatsFound) {
        a.tempi = findTempi(a.beats, periodicity);
        a.beats = repairBeats(completeBeats(a.beats, a.tempi, runs, a.onsets), a.tempi, a.onsets);
        // Moving beats onto the accents leaves a seam where they moved; mend it.
        a.beats = repairBeats(alignToAccents(a.beats, e, a.onsets), a.tempi, a.onsets);
        a.tempi = findTempi(a.beats, periodicity);
        if (settleBeatLevel(a, pulse, e))
            a.tempi = findTempi(a.beats, periodicity);
        if (followTempoChanges(a, runs, pulse, e))
            a.tempi = findTempi(a.beats, periodicity);
    } else if (pulseClarity(e, a.silences, a.onsets) >= kClearLocalPulse) {
        // A pulse without sharp onsets (strings, a choir): beats where the
        // envelope swells, at the period the tempogram hears.
        // Where its tempo changes, each stretch is tracked at its own.
        a.beats.clear();
        const double period = Tempogram(pulse, e.hopSeconds(), 0, pulse.size()).best();
        std::vector<PulseSpan> spans = pulseSpans(pulse, e.hopSeconds(), 0, pulse.size());
        if (spans.size() == 1)
            spans.front().period = period;
        const auto reach = std::size_t(kPulseChangeReach / e.hopSeconds());
        for (const TimeSpan& run : runs)
            for (std::size_t h : trackPulse(pulse, spansWithin(spans, e.hopAt(run.start), e.hopAt(run.end)),
                                            e.hopSeconds(), reach))
                if (const double t = std::max(0.0, e.hopTime(h)); !inSilence(t, a.silences))
                    a.beats.push_back(onOnset(a.onsets, t));
        a.tempi = findTempi(a.beats, periodicity);
        a.beatsFound = period > 0 && a.beats.size() >= 8 && !a.tempi.empty();
    }
    if (!a.beatsFound) {
        a.beats = onsetBeats(a, runs);
        a.tempi.clear();
    }
    // The main tempo is the one that lasts longest.
    double longest = -1;
    for (std::size_t k = 0; k < a.tempi.size(); ++k) {
        const double end = k + 1 < a.tempi.size() ? a.tempi[k + 1].start : a.seconds;
        if (end - a.tempi[k].start > longest) {
            longest = end - a.tempi[k].start;
            a.tempo = a.tempi[k].bpm;
        }
    }
    measureBeats(a, r.curve);
    findBars(a, runs, e);
    findSections(a, e);
    return a;
}

SongAnalysis analyseMusic(const std::vector<float>& samples, int sampleRate, const Progress& progress)
{
    constexpr std::size_t kPiece = 1 << 16;
    MusicListener listener(sampleRate);
    for (std::size_t at = 0; at < samples.size(); at += kPiece) {
        if (progress && !progress(0.95 * double(at) / double(samples.size()))) {
            SongAnalysis cancelled;
            cancelled.cancelled = true;
            return cancelled;
        }
        listener.listen(samples.data() + at, std::min(kPiece, samples.size() - at));
    }
    SongAnalysis a = listener.finish();
    if (progress)
        progress(1.0);
    return a;
}

} // namespace pluviane
