#include "music/MusicAnalysis.h"

#include "music/BeatTracker.h"

#include <aubio/aubio.h>
#include <ebur128.h>

#include <algorithm>
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
constexpr int kMinSectionBeats = 8;
constexpr int kPhraseWindowBars = 4;
constexpr double kPhraseLoudnessStep = 3.0; // LU
constexpr double kPhraseDensityStep = 1.5;  // ratio of onsets a beat

// Maps a stage's own 0..1 onto its share of the whole run.
Progress stage(const Progress& progress, double from, double to)
{
    if (!progress)
        return {};
    return [=](double f) { return progress(from + (to - from) * std::clamp(f, 0.0, 1.0)); };
}

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

bool measureLoudness(const std::vector<float>& samples, int rate, LoudnessCurve& curve,
                     const Progress& progress)
{
    ebur128_state* state = ebur128_init(1, static_cast<unsigned long>(rate), EBUR128_MODE_M);
    if (!state)
        return false;
    const std::size_t block = std::max<std::size_t>(1, std::lround(rate * kBlockSeconds));
    bool going = true;
    for (std::size_t at = 0; at < samples.size() && going; at += block) {
        const std::size_t length = std::min(block, samples.size() - at);
        ebur128_add_frames_float(state, samples.data() + at, length);
        double momentary = -HUGE_VAL, window = -HUGE_VAL;
        ebur128_loudness_momentary(state, &momentary);
        ebur128_loudness_window(state, kSilenceWindowMs, &window);
        curve.momentary.push_back(std::max(momentary, kFloorLufs));
        curve.shortWindow.push_back(std::max(window, kFloorLufs));
        curve.at.push_back(double(at + length) / rate);
        if (progress && curve.at.size() % 256 == 0)
            going = progress(double(at) / samples.size());
    }
    ebur128_destroy(&state);
    return going;
}

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

bool detectOnsets(const std::vector<float>& samples, int rate, Onsets& onsets, const Progress& progress)
{
    const uint_t window = 1024, hop = 256;
    aubio_onset_t* detector = new_aubio_onset("default", window, hop, uint_t(rate));
    if (!detector)
        return false;
    aubio_onset_set_minioi_ms(detector, 40);
    fvec_t* in = new_fvec(hop);
    fvec_t* out = new_fvec(1);
    bool going = true;
    for (std::size_t at = 0; at + hop <= samples.size() && going; at += hop) {
        std::copy_n(samples.begin() + std::ptrdiff_t(at), hop, in->data);
        aubio_onset_do(detector, in, out);
        if (out->data[0] != 0) {
            onsets.at.push_back(std::max(0.0, double(aubio_onset_get_last_s(detector))));
            onsets.strength.push_back(aubio_onset_get_descriptor(detector));
        }
        if (progress && (at / hop) % 1024 == 0)
            going = progress(double(at) / samples.size());
    }
    del_fvec(out);
    del_fvec(in);
    del_aubio_onset(detector);
    return going;
}

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
// them, each beat numbered by the periods since the first: finer than the
// spacing of any two beats, which the analysis hop rounds.
double fitTempo(const std::vector<double>& beats, std::size_t from, std::size_t to, double period)
{
    double n = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (std::size_t i = from; i < to; ++i) {
        const double x = std::round((beats[i] - beats[from]) / period);
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

// Sections of steady tempo: a new one starts where the local beat spacing (a
// running median) leaves the section's for good.
std::vector<TempoSection> findTempi(const std::vector<double>& beats)
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
    std::size_t start = 0;
    double period = local(0);
    std::vector<std::pair<std::size_t, double>> bounds; // first beat, period
    for (std::size_t i = 0; i < intervals.size(); ++i) {
        const double here = local(i);
        if (std::abs(here - period) / period > kTempoChange && i - start >= kMinSectionBeats) {
            bounds.push_back({start, period});
            start = i;
        }
        if (i - start < kMinSectionBeats)
            period = local(std::min(intervals.size() - 1, start + kMinSectionBeats / 2));
    }
    bounds.push_back({start, period});
    for (std::size_t k = 0; k < bounds.size(); ++k) {
        const std::size_t from = bounds[k].first;
        const std::size_t to = k + 1 < bounds.size() ? bounds[k + 1].first + 1 : beats.size();
        tempi.push_back({beats[from], fitTempo(beats, from, to, bounds[k].second)});
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

// The energy of the sound just after `t`: the accent a beat carries.
double accentAt(const std::vector<float>& samples, int rate, double t)
{
    const auto from = std::size_t(std::clamp(t - 0.005, 0.0, double(samples.size()) / rate) * rate);
    const std::size_t to = std::min(samples.size(), from + std::size_t(0.05 * rate));
    double sum = 0;
    for (std::size_t i = from; i < to; ++i)
        sum += double(samples[i]) * samples[i];
    return sum;
}

// A tracker sometimes settles on the off-beats (a busy hi-hat line draws it).
// Where, over two bars, the sound between the beats is clearly more accented
// than on them, the beats move half a beat on, onto the onsets there.
std::vector<double> alignToAccents(const std::vector<double>& beats, const std::vector<float>& samples, int rate,
                                   const std::vector<double>& onsets)
{
    constexpr double kOffBeatDominance = 1.5;
    const std::size_t n = beats.size();
    std::vector<double> on(n), off(n), middle(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double gap = i + 1 < n ? beats[i + 1] - beats[i] : (i > 0 ? beats[i] - beats[i - 1] : 0);
        const int o = nearestOnset(onsets, beats[i] + gap / 2, std::min(kSnapSeconds, gap / 4));
        middle[i] = o >= 0 ? onsets[std::size_t(o)] : beats[i] + gap / 2;
        on[i] = accentAt(samples, rate, beats[i]);
        off[i] = o >= 0 ? accentAt(samples, rate, middle[i]) : 0;
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

std::vector<double> evenBeats(const std::vector<TimeSpan>& runs)
{
    std::vector<double> beats;
    const double period = 60.0 / kDefaultTempo;
    for (const TimeSpan& run : runs)
        for (double t = run.start; t < run.end - 0.5 * period; t += period)
            beats.push_back(t);
    return beats;
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

void findBars(SongAnalysis& a, const std::vector<TimeSpan>& runs)
{
    std::size_t i = 0;
    for (const TimeSpan& run : runs) {
        int inRun = 0;
        for (; i < a.beats.size() && a.beats[i] < run.end; ++i, ++inRun)
            if (inRun % kBeatsPerBar == 0)
                a.barStarts.push_back(int(i));
    }
}

// Phrases start where a run of music starts and where the loudness or the
// density of onsets of the bars ahead differs from the bars behind.
void findPhrases(SongAnalysis& a)
{
    const int bars = int(a.barStarts.size());
    std::vector<double> loud(std::size_t(bars), 0), dense(std::size_t(bars), 0);
    std::vector<bool> runStart(std::size_t(bars), false);
    const double period = 60.0 / (a.tempo > 0 ? a.tempo : kDefaultTempo);
    for (int b = 0; b < bars; ++b) {
        const int from = a.barStarts[std::size_t(b)];
        const int to = b + 1 < bars ? a.barStarts[std::size_t(b + 1)] : int(a.beats.size());
        for (int i = from; i < to; ++i) {
            loud[std::size_t(b)] += a.beatLoudness[std::size_t(i)] / (to - from);
            dense[std::size_t(b)] += double(a.beatOnsets[std::size_t(i)]) / (to - from);
        }
        runStart[std::size_t(b)] = b == 0 || a.beats[std::size_t(from)] - a.beats[std::size_t(from - 1)] > 2 * period;
    }
    auto mean = [](const std::vector<double>& v, int from, int to) {
        return std::accumulate(v.begin() + from, v.begin() + to, 0.0) / (to - from);
    };
    std::vector<double> score(std::size_t(bars), 0);
    for (int b = 1; b < bars; ++b) {
        int back = 0, ahead = 0;
        while (back < kPhraseWindowBars && b - back - 1 >= 0 && !runStart[std::size_t(b - back)])
            ++back;
        while (ahead < kPhraseWindowBars && b + ahead < bars && (ahead == 0 || !runStart[std::size_t(b + ahead)]))
            ++ahead;
        if (back < 2 || ahead < 2)
            continue;
        const double dl = std::abs(mean(loud, b, b + ahead) - mean(loud, b - back, b)) / kPhraseLoudnessStep;
        const double dd = std::abs(std::log((mean(dense, b, b + ahead) + 0.25) / (mean(dense, b - back, b) + 0.25)))
                          / std::log(kPhraseDensityStep);
        score[std::size_t(b)] = std::max(dl, dd);
    }
    int last = -kPhraseWindowBars;
    for (int b = 0; b < bars; ++b) {
        const double s = score[std::size_t(b)];
        const bool peak = s >= 1 && (b == 0 || s > score[std::size_t(b - 1)])
                          && (b + 1 >= bars || s >= score[std::size_t(b + 1)]);
        if (runStart[std::size_t(b)] || (peak && b - last >= kPhraseWindowBars)) {
            a.phraseStarts.push_back(b);
            last = b;
        }
    }
}

} // namespace

SongAnalysis analyseMusic(const std::vector<float>& samples, int sampleRate, const Progress& progress)
{
    SongAnalysis a;
    if (sampleRate <= 0 || samples.empty())
        return a;
    a.seconds = double(samples.size()) / sampleRate;
    LoudnessCurve curve;
    Onsets onsets;
    if (!measureLoudness(samples, sampleRate, curve, stage(progress, 0.0, 0.25))
        || !detectOnsets(samples, sampleRate, onsets, stage(progress, 0.25, 0.45))) {
        a.cancelled = true;
        return a;
    }
    a.onsets = onsets.at;
    a.silences = findSilences(curve, a.seconds);
    const std::vector<TimeSpan> runs = soundRuns(a.silences, a.seconds);

    bool cancelled = false;
    const Progress beatProgress = stage(progress, 0.45, 0.95);
    const BeatGrid grid = trackBeats(samples, sampleRate, [&](double f) {
        cancelled = beatProgress && !beatProgress(f);
        return !cancelled;
    });
    if (cancelled) {
        a.cancelled = true;
        return a;
    }
    a.beats = refineBeats(grid.beats, onsets, a.silences);
    a.beatsFound = beatsAreMusic(a.beats, a.onsets);
    if (a.beatsFound) {
        a.tempi = findTempi(a.beats);
        a.beats = repairBeats(completeBeats(a.beats, a.tempi, runs, a.onsets), a.tempi, a.onsets);
        // Moving beats onto the accents leaves a seam where they moved; mend it.
        a.beats = repairBeats(alignToAccents(a.beats, samples, sampleRate, a.onsets), a.tempi, a.onsets);
        a.tempi = findTempi(a.beats);
    } else {
        a.beats = evenBeats(runs);
        if (!a.beats.empty())
            a.tempi = {{a.beats.front(), kDefaultTempo}};
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
    measureBeats(a, curve);
    findBars(a, runs);
    findPhrases(a);
    if (progress)
        progress(1.0);
    return a;
}

} // namespace pluviane
