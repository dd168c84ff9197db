#include "music/ShowDraft.h"

#include "model/ShowSequencer.h"
#include "music/MusicDecoder.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>

namespace pluviane {

namespace {

using Row = std::array<Byte, kShowColumns>;

constexpr int kMinForms = 4;
constexpr int kMinScenes = 2;
constexpr int kSceneEveryBars = 8;
constexpr double kQuietBelowLoudest = 10; // LU under the loudest passage
constexpr double kLoudWithin = 2;
constexpr double kContrast = 4;           // a song this even has no loud passages
constexpr double kDenseShare = 0.75;      // of the densest passage's onsets a beat
// Colour positions of the draft's own scenes, spread round the colour wheel.
constexpr std::array<Byte, 5> kPalette{20, 70, 120, 170, 220};

std::array<long, kGroupEntries> nozzlesPerGroup(const FountainState& state)
{
    std::array<long, kGroupEntries> n{};
    for (int i = 0; i < kDrawnNozzles; ++i)
        ++n[state.JetGroup[std::size_t(i)]];
    return n;
}

// Groups the sequencer drives (1..12) that own a nozzle.
std::vector<int> wetGroups(const std::array<long, kGroupEntries>& nozzles)
{
    std::vector<int> groups;
    for (int g = 1; g <= kFaderGroups; ++g)
        if (nozzles[std::size_t(g)] > 0)
            groups.push_back(g);
    return groups;
}

long waterOf(const Row& pressure, const std::array<long, kGroupEntries>& nozzles)
{
    long water = 0;
    for (int g = 1; g <= kFaderGroups; ++g)
        water += nozzles[std::size_t(g)] * (255 - pressure[std::size_t(g)]);
    return water;
}

// A form row from levels (0 none .. 255 full) per group; the table keeps pressures.
Row formRow(const std::map<int, int>& levels)
{
    Row row;
    row.fill(255);
    for (const auto& [group, level] : levels)
        row[std::size_t(group)] = Byte(255 - level);
    return row;
}

// Mean distance of a group's nozzles from the bowl centre.
double groupRadius(const FountainState& state, int group)
{
    double sum = 0;
    int n = 0;
    for (int i = 0; i < kDrawnNozzles; ++i)
        if (state.JetGroup[std::size_t(i)] == group) {
            const auto& p = state.JetPos[std::size_t(i)];
            sum += std::hypot((p[1] - 100) / 5.0, (p[2] - 100) / 5.0);
            ++n;
        }
    return n > 0 ? sum / n : 0;
}

// The draft's own forms: all groups low, half and full; each group in turn;
// odd and even groups alternately; the rings from the centre out rising one
// after another; and one with no water.
std::vector<Row> ownForms(const FountainState& state, const std::vector<int>& wet)
{
    std::vector<Row> forms;
    for (int level : {64, 128, 255}) {
        std::map<int, int> all;
        for (int g : wet)
            all[g] = level;
        forms.push_back(formRow(all));
    }
    for (int g : wet)
        forms.push_back(formRow({{g, 255}}));
    for (int parity : {0, 1}) {
        std::map<int, int> half;
        for (std::size_t k = 0; k < wet.size(); ++k)
            if (int(k % 2) == parity)
                half[wet[k]] = 255;
        forms.push_back(formRow(half));
    }
    std::vector<std::pair<double, int>> byRadius;
    for (int g : wet)
        byRadius.push_back({groupRadius(state, g), g});
    std::sort(byRadius.begin(), byRadius.end());
    std::map<int, int> rising;
    for (std::size_t k = 0; k < byRadius.size(); ++k) {
        rising[byRadius[k].second] = 255;
        const bool ringEnds = k + 1 == byRadius.size() || byRadius[k + 1].first - byRadius[k].first > 0.75;
        if (ringEnds)
            forms.push_back(formRow(rising));
    }
    forms.push_back(formRow({}));
    return forms;
}

std::vector<Row> ownScenes(const std::vector<int>& wet)
{
    std::vector<Row> scenes;
    auto scene = [&](Byte odd, Byte even) {
        Row row{};
        for (int g = 1; g < kShowColumns; ++g)
            row[std::size_t(g)] = odd;
        for (std::size_t k = 1; k < wet.size(); k += 2)
            row[std::size_t(wet[k])] = even;
        scenes.push_back(row);
    };
    scene(kPalette[0], kPalette[0]);
    scene(kPalette[1], kPalette[2]);
    scene(kPalette[3], kPalette[3]);
    scene(kPalette[4], kPalette[0]);
    return scenes;
}

bool rowIsEmpty(const ShowTable& table, int row)
{
    const Row& r = table[std::size_t(row)];
    return std::all_of(r.begin(), r.end(), [](Byte b) { return b == 0; });
}

// Forms look alike when the groups that show water have the same pressures.
bool sameForm(const Row& a, const Row& b, const std::vector<int>& wet)
{
    return std::all_of(wet.begin(), wet.end(), [&](int g) { return a[std::size_t(g)] == b[std::size_t(g)]; });
}

bool sameScene(const Row& a, const Row& b)
{
    return std::equal(a.begin() + 1, a.end(), b.begin() + 1);
}

// The recorded rows 1..count, each content once (the first row that has it).
template <typename Same>
std::vector<int> distinctRows(const ShowTable& table, int count, Same same)
{
    std::vector<int> rows;
    for (int r = 1; r <= count; ++r)
        if (std::none_of(rows.begin(), rows.end(), [&](int k) { return same(table[std::size_t(k)], table[std::size_t(r)]); }))
            rows.push_back(r);
    return rows;
}

// Records `wanted` rows (skipping those already there) into free rows after
// `count`: rows holding nothing, up to the last played row. A row past the
// count that holds something (the recorder's copy into the next row) is kept
// and stepped over. The count then reaches the last row written.
template <typename Same>
void recordRows(const std::vector<Row>& wanted, ShowTable& table, const ShowTable* alsoEmpty, int& count,
                std::vector<int>& pool, std::vector<DraftRow>& written, bool& outOfRows, Same same)
{
    int next = count + 1;
    for (const Row& row : wanted) {
        const auto there = std::find_if(pool.begin(), pool.end(), [&](int k) { return same(table[std::size_t(k)], row); });
        if (there != pool.end())
            continue;
        while (next <= kLastPlayedForm && (!rowIsEmpty(table, next) || (alsoEmpty && !rowIsEmpty(*alsoEmpty, next))))
            ++next;
        if (next > kLastPlayedForm) {
            outOfRows = true;
            return;
        }
        table[std::size_t(next)] = row;
        written.push_back({next, row});
        pool.push_back(next);
        count = next++;
    }
}

struct Passage {
    int firstBar = 0;
    int endBar = 0;
    double loudness = 0;
    double density = 0;
    enum Kind { Quiet, Ordinary, Loud } kind = Ordinary;
    double rank = 0.5; // 0 the quietest passage .. 1 the loudest
};

std::vector<Passage> passagesOf(const SongAnalysis& m)
{
    std::vector<Passage> passages;
    const int bars = int(m.barStarts.size());
    for (std::size_t p = 0; p < m.phraseStarts.size(); ++p) {
        Passage s;
        s.firstBar = m.phraseStarts[p];
        s.endBar = p + 1 < m.phraseStarts.size() ? m.phraseStarts[p + 1] : bars;
        const int from = m.barStarts[std::size_t(s.firstBar)];
        const int to = s.endBar < bars ? m.barStarts[std::size_t(s.endBar)] : int(m.beats.size());
        for (int i = from; i < to; ++i) {
            s.loudness += m.beatLoudness[std::size_t(i)] / (to - from);
            s.density += double(m.beatOnsets[std::size_t(i)]) / (to - from);
        }
        passages.push_back(s);
    }
    if (passages.empty())
        return passages;
    double loudest = -HUGE_VAL, quietest = HUGE_VAL, densest = 0;
    for (const Passage& s : passages) {
        loudest = std::max(loudest, s.loudness);
        quietest = std::min(quietest, s.loudness);
        densest = std::max(densest, s.density);
    }
    for (Passage& s : passages) {
        if (s.loudness <= loudest - kQuietBelowLoudest)
            s.kind = Passage::Quiet;
        else if (s.loudness >= loudest - kLoudWithin && s.density >= kDenseShare * densest
                 && quietest <= loudest - kContrast)
            s.kind = Passage::Loud;
        const auto below = std::count_if(passages.begin(), passages.end(),
                                         [&](const Passage& o) { return o.loudness < s.loudness; });
        s.rank = passages.size() > 1 ? double(below) / double(passages.size() - 1) : 0.5;
    }
    return passages;
}

std::int64_t toMs(double seconds) { return std::llround(seconds * 1000.0); }

// Picks forms by loudness from the wet forms ordered by water: a band around
// the passage's rank, taken in turn, never the form just played.
class FormPicker {
public:
    explicit FormPicker(std::vector<int> byWater) : forms_(std::move(byWater)) {}

    int pick(double rank)
    {
        const int n = int(forms_.size());
        const double centre = rank * (n - 1);
        const int half = std::max(1, n / 6);
        const int lo = std::clamp(int(std::lround(centre)) - half, 0, std::max(0, n - 2));
        const int hi = std::clamp(int(std::lround(centre)) + half, std::min(n - 1, lo + 1), n - 1);
        int form = forms_[std::size_t(lo + turn_++ % (hi - lo + 1))];
        if (form == last_ && n > 1)
            form = forms_[std::size_t(lo + turn_++ % (hi - lo + 1))];
        last_ = form;
        return form;
    }
    void rest() { last_ = 0; }

private:
    std::vector<int> forms_;
    int turn_ = 0;
    int last_ = 0;
};

struct CueList {
    std::map<std::int64_t, ShowCue> at;
    void form(std::int64_t ms, int f) { at[ms].timeMs = ms, at[ms].form = f; }
    void scene(std::int64_t ms, int s) { at[ms].timeMs = ms, at[ms].scene = s; }
};

// Beat index at which each run of music (between silences) starts.
std::vector<bool> runStarts(const SongAnalysis& m)
{
    std::vector<bool> starts(m.beats.size(), false);
    for (std::size_t i = 0; i < m.beats.size(); ++i)
        starts[i] = i == 0 || std::any_of(m.silences.begin(), m.silences.end(), [&](const TimeSpan& s) {
                        return s.start >= m.beats[i - 1] && s.start < m.beats[i];
                    });
    return starts;
}

std::vector<ShowCue> placeCues(const SongAnalysis& m, const std::vector<Passage>& passages,
                               const std::vector<int>& wetByWater, int dry, const std::vector<int>& scenes,
                               int sparseness)
{
    CueList cues;
    FormPicker picker(wetByWater);
    const std::vector<bool> starts = runStarts(m);
    const bool soundAtZero = !m.beats.empty() && m.beats.front() < 0.05
                             && (m.silences.empty() || m.silences.front().start > 0);
    if (!soundAtZero)
        cues.form(0, dry);
    std::size_t nextScene = 0;
    int barsSinceScene = 0;
    auto sceneCue = [&](std::int64_t ms) {
        cues.scene(ms, scenes[nextScene++ % scenes.size()]);
        barsSinceScene = 0;
    };
    sceneCue(0);
    const int scale = 1 << sparseness;
    int beatInRun = 0;
    std::size_t bar = 0;
    for (const Passage& p : passages) {
        const int step = scale * (p.kind == Passage::Loud ? 1 : p.kind == Passage::Ordinary ? kBeatsPerBar : 2 * kBeatsPerBar);
        for (int b = p.firstBar; b < p.endBar; ++b, ++bar) {
            const int from = m.barStarts[std::size_t(b)];
            const int to = b + 1 < int(m.barStarts.size()) ? m.barStarts[std::size_t(b + 1)] : int(m.beats.size());
            const bool phraseStart = b == p.firstBar;
            if (bar > 0 && (phraseStart || ++barsSinceScene >= kSceneEveryBars * scale))
                sceneCue(toMs(m.beats[std::size_t(from)]));
            for (int i = from; i < to; ++i) {
                if (starts[std::size_t(i)])
                    beatInRun = 0;
                if (beatInRun++ % step == 0)
                    cues.form(toMs(m.beats[std::size_t(i)]), picker.pick(p.rank));
            }
        }
    }
    for (const TimeSpan& s : m.silences) {
        if (s.start > 0) {
            cues.form(toMs(s.start), dry);
            picker.rest();
        }
    }
    cues.form(toMs(m.seconds), dry);
    std::vector<ShowCue> list;
    for (const auto& [ms, cue] : cues.at)
        list.push_back(cue);
    return list;
}

} // namespace

long formWater(const FountainState& state, int form)
{
    return waterOf(state.FormPressure[std::size_t(std::clamp(form, 0, kShowRows - 1))], nozzlesPerGroup(state));
}

ShowDraft draftShow(const SongAnalysis& music, const FountainState& state, int formCount, int sceneCount)
{
    ShowDraft draft;
    formCount = std::clamp(formCount, 0, kLastPlayedForm);
    sceneCount = std::clamp(sceneCount, 0, kLastPlayedForm);
    draft.formCount = formCount;
    draft.sceneCount = sceneCount;
    const auto nozzles = nozzlesPerGroup(state);
    const std::vector<int> wet = wetGroups(nozzles);
    if (wet.empty()) {
        draft.problem = ShowDraft::NoGroups;
        return draft;
    }
    if (music.seconds <= 0) {
        draft.problem = ShowDraft::NoMusic;
        return draft;
    }

    // Forms: the recorded ones, then the draft's own where there are too few
    // or none is dry.
    ShowTable forms = state.FormPressure, scenes = state.SceneColour;
    auto sameWater = [&](const Row& a, const Row& b) { return sameForm(a, b, wet); };
    std::vector<int> formPool = distinctRows(forms, formCount, sameWater);
    auto isDry = [&](int f) { return waterOf(forms[std::size_t(f)], nozzles) == 0; };
    std::vector<Row> wanted = ownForms(state, wet);
    if (int(formPool.size()) >= kMinForms)
        wanted = {wanted.back()};
    if (std::none_of(formPool.begin(), formPool.end(), isDry) || int(formPool.size()) < kMinForms)
        recordRows(wanted, forms, &state.FormAccel, draft.formCount, formPool, draft.newForms, draft.outOfRows, sameWater);
    std::vector<int> scenePool = distinctRows(scenes, sceneCount, sameScene);
    if (int(scenePool.size()) < kMinScenes)
        recordRows(ownScenes(wet), scenes, nullptr, draft.sceneCount, scenePool, draft.newScenes, draft.outOfRows, sameScene);
    if (scenePool.empty())
        scenePool.push_back(1);

    // The wet forms from least to most water; the driest of all stands for "no water".
    std::vector<int> byWater = formPool;
    std::stable_sort(byWater.begin(), byWater.end(), [&](int a, int b) {
        return waterOf(forms[std::size_t(a)], nozzles) < waterOf(forms[std::size_t(b)], nozzles);
    });
    const int dry = byWater.front();
    if (isDry(dry) && byWater.size() > 1)
        byWater.erase(std::remove_if(byWater.begin(), byWater.end(), isDry), byWater.end());

    draft.defaultTempo = !music.beatsFound;
    const std::vector<Passage> passages = passagesOf(music);
    for (int sparseness = 0;; ++sparseness) {
        draft.track.cues = placeCues(music, passages, byWater, dry, scenePool, sparseness);
        if (draft.track.cues.size() <= kDraftMaxCues || sparseness >= 12)
            break;
        draft.thinned = true;
    }
    if (draft.track.cues.size() > kDraftMaxCues)
        draft.track.cues.resize(kDraftMaxCues - 1), draft.track.cues.push_back({toMs(music.seconds), dry, 0});
    return draft;
}

MusicFileDraft draftShowForMusic(const QString& musicPath, const FountainState& state, int formCount,
                                 int sceneCount, const std::function<bool(double)>& progress)
{
    constexpr double kDecodingShare = 0.5;
    MusicFileDraft result;
    auto share = [&](double from, double to) -> std::function<bool(double)> {
        if (!progress)
            return {};
        return [=](double f) { return progress(from + (to - from) * f); };
    };
    const DecodedMusic decoded = decodeMusic(musicPath, 22050, 4 * 3600.0, share(0, kDecodingShare));
    if (progress && !progress(kDecodingShare)) {
        result.cancelled = true;
        return result;
    }
    if (!decoded.ok()) {
        result.error = decoded.error;
        return result;
    }
    result.music = analyseMusic(decoded.samples, decoded.sampleRate, share(kDecodingShare, 1));
    if (result.music.cancelled) {
        result.cancelled = true;
        return result;
    }
    result.draft = draftShow(result.music, state, formCount, sceneCount);
    return result;
}

void applyDraftRows(const ShowDraft& draft, FountainState& state)
{
    for (const DraftRow& r : draft.newForms)
        state.FormPressure[std::size_t(r.row)] = r.values;
    for (const DraftRow& r : draft.newScenes)
        state.SceneColour[std::size_t(r.row)] = r.values;
}

} // namespace pluviane
