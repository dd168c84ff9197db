#include "music/ShowDraft.h"

#include "model/ShowSequencer.h"
#include "music/MusicDecoder.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <limits>
#include <numeric>
#include <optional>
#include <set>

namespace pluviane {

namespace {

using Row = std::array<Byte, kShowColumns>;

constexpr int kMinForms = 4;             // contrasting wet forms a draft needs
constexpr int kMinScenes = 2;
constexpr double kMinMoved = 0.2;         // share of the nozzles a form change moves
constexpr double kWaterBand = 0.15;       // forms this near the wanted water will do
constexpr double kCalmBelowLoudest = 9;   // LU: a passage this far below the loudest is calm
// The water follows the loudness over the song's own range, from its loudest
// section (full) down to its quietest (least); a verse a few LU below its
// chorus is no pianissimo, so the range counts as at least the calm's 9 LU,
// and a whisper is low in any song.
constexpr double kLeastSpan = kCalmBelowLoudest; // LU
constexpr double kMostSpan = 20;          // LU
constexpr double kLeastWater = 0.12;
constexpr int kPhraseBeats = 4 * kBeatsPerBar;
constexpr int kMaxClimaxBars = 8;         // forms on every beat at most this long
constexpr double kFastBeat = 0.45;        // s: beats this short are counted in pairs
constexpr std::size_t kAccentsAtLeast = 20;
constexpr double kAccentsAMinute = 2;
constexpr double kAccentReach = 0.04;     // s: an accent this near a beat takes the beat
constexpr std::int64_t kOnCueMs = 50;     // an accent this near a form cue has it
constexpr std::int64_t kMoveCueMs = 350;  // a cue this near moves onto the accent
constexpr double kBreakDrop = 6;          // LU: a bar this much quieter before a hit is a break
constexpr double kHitReach = 0.1;         // s: the hit of a downbeat lies this near it
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

// The mean offset of a group's nozzles from the bowl centre along `axis` (1 x, 2 z).
double groupSide(const FountainState& state, int group, int axis)
{
    double sum = 0;
    int n = 0;
    for (int i = 0; i < kDrawnNozzles; ++i)
        if (state.JetGroup[std::size_t(i)] == group) {
            sum += state.JetPos[std::size_t(i)][std::size_t(axis)] - 100;
            ++n;
        }
    return n > 0 ? sum / n : 0;
}

// The draft's own forms: all groups low, half and full; each group in turn;
// odd and even groups alternately; the rings from the centre out rising one
// after another; the centre and the outer ring alone; the halves; and one
// with no water.
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
    if (byRadius.size() > 2) {
        const std::size_t third = std::max<std::size_t>(1, byRadius.size() / 3);
        std::map<int, int> centre, outer;
        for (std::size_t k = 0; k < third; ++k) {
            centre[byRadius[k].second] = 255;
            outer[byRadius[byRadius.size() - 1 - k].second] = 255;
        }
        forms.push_back(formRow(centre));
        forms.push_back(formRow(outer));
    }
    // Halves: left and right, front and back, by where each group's nozzles stand.
    for (int axis : {1, 2}) {
        std::map<int, int> low, high;
        for (int g : wet)
            (groupSide(state, g, axis) < 0 ? low : high)[g] = 255;
        if (!low.empty() && !high.empty()) {
            forms.push_back(formRow(low));
            forms.push_back(formRow(high));
        }
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

std::int64_t toMs(double seconds) { return std::llround(seconds * 1000.0); }

// A wet form as the draft weighs it: its share of the full water and the
// level of each group.
struct FormInfo {
    int row = 0;
    double water = 0; // 0 none .. 1 every wet group full
    Row levels{};
};

// The share of the wet nozzles whose water a change from `a` to `b` moves
// visibly (by a sixth of the full level or more).
double movedShare(const Row& a, const Row& b, const std::array<long, kGroupEntries>& nozzles,
                  const std::vector<int>& wet)
{
    constexpr int kVisible = 40; // of 255: a sixth of the full height
    long moved = 0, all = 0;
    for (int g : wet) {
        all += nozzles[std::size_t(g)];
        if (std::abs(int(a[std::size_t(g)]) - int(b[std::size_t(g)])) >= kVisible)
            moved += nozzles[std::size_t(g)];
    }
    return all > 0 ? double(moved) / double(all) : 0;
}

// How often the form changes in a section, in beats between cues.
struct Pace {
    int step = 4;        // beats between form cues
    int climaxBars = 0;  // the last bars of the section, on a faster step
    int climaxStep = 1;
};

Pace paceFor(const MusicSection& s, double belowLoudest, double period, DraftDensity density, int scale)
{
    const int d = int(density); // 0 low, 1 medium, 2 high
    Pace pace;
    const bool calm = belowLoudest >= kCalmBelowLoudest
                      || ((s.kind == MusicSection::Intro || s.kind == MusicSection::Outro) && belowLoudest >= 4);
    if (calm) {
        pace.step = 32 >> d; // two phrases (low), a phrase, half a phrase (high)
    } else if (s.kind == MusicSection::Chorus) {
        pace.step = d == 0 ? 4 : 2; // on the half bar, a climax at its end on the beat
        pace.climaxBars = d == 2 ? kMaxClimaxBars : kMaxClimaxBars / 2;
        pace.climaxStep = d == 0 ? 2 : 1;
    } else {
        pace.step = 8 >> d;
    }
    // Fast music is felt in half time: a form a beat is a flicker.
    const int felt = period < kFastBeat ? 2 : 1;
    pace.step *= scale * felt;
    pace.climaxStep *= scale * felt;
    return pace;
}

// The music's sections, or, for an analysis without them, one per phrase.
std::vector<MusicSection> sectionsOf(const SongAnalysis& m)
{
    std::vector<MusicSection> sections = m.sections;
    const int bars = int(m.barStarts.size());
    if (sections.empty())
        for (std::size_t p = 0; p < m.phraseStarts.size(); ++p) {
            MusicSection s;
            s.firstBar = m.phraseStarts[p];
            s.endBar = p + 1 < m.phraseStarts.size() ? m.phraseStarts[p + 1] : bars;
            s.family = int(p);
            sections.push_back(s);
        }
    for (MusicSection& s : sections) {
        if (!m.sections.empty())
            continue;
        const int from = m.barStarts[std::size_t(s.firstBar)];
        const int to = s.endBar < bars ? m.barStarts[std::size_t(s.endBar)] : int(m.beats.size());
        for (int i = from; i < to; ++i)
            s.loudness += m.beatLoudness[std::size_t(i)] / (to - from);
    }
    return sections;
}

// Chooses forms: near the water the music asks for, changing at least a
// fifth of the nozzles, the one least recently seen first; a family of
// sections replays the forms it had the first time.
class FormPicker {
public:
    FormPicker(std::vector<FormInfo> forms, const std::array<long, kGroupEntries>& nozzles, const std::vector<int>& wet)
        : forms_(std::move(forms)), nozzles_(nozzles), wet_(wet), lastSeen_(forms_.size(), -1)
    {
    }

    int pick(double water)
    {
        std::vector<std::size_t> order(forms_.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            return std::abs(forms_[a].water - water) < std::abs(forms_[b].water - water);
        });
        // The nearest forms first; further off rather than back and forth
        // between two forms, and back and forth rather than no contrast.
        for (bool allowBack : {false, true})
            for (double reach = kWaterBand; reach < 1 + kWaterBand; reach += kWaterBand) {
                std::optional<std::size_t> best;
                for (std::size_t k : order)
                    if (std::abs(forms_[k].water - water) <= reach + 1e-9 && contrasts(k)
                        && (allowBack || int(k) != previous_) && (!best || lastSeen_[k] < lastSeen_[*best]))
                        best = k;
                if (best)
                    return use(*best);
            }
        std::size_t most = order.front(); // nothing contrasts: the one that moves the most
        for (std::size_t k : order)
            if (moved(k) > moved(most))
                most = k;
        return use(most);
    }

    // The next form of a family's remembered sequence, if it still contrasts
    // and gives about the water the music asks for now.
    std::optional<int> replay(const std::vector<int>& sequence, std::size_t k, double water)
    {
        if (sequence.empty())
            return std::nullopt;
        const int row = sequence[k % sequence.size()];
        for (std::size_t f = 0; f < forms_.size(); ++f)
            if (forms_[f].row == row && contrasts(f) && std::abs(forms_[f].water - water) <= 2 * kWaterBand)
                return use(f);
        return std::nullopt;
    }

    // A form for a cue put between two others: near the water, moving a
    // fifth of the nozzles against both.
    int pickBetween(double water, int before, int after)
    {
        std::size_t best = 0;
        double bestScore = -HUGE_VAL;
        for (std::size_t k = 0; k < forms_.size(); ++k) {
            double least = 1;
            for (int row : {before, after})
                if (row != 0)
                    least = std::min(least, row == forms_[k].row ? 0.0 : movedShare(levelsOf(row), forms_[k].levels, nozzles_, wet_));
            const double score = (least >= kMinMoved ? 1.0 : least) - std::abs(forms_[k].water - water)
                                 - 1e-6 * double(lastSeen_[k]);
            if (score > bestScore)
                bestScore = score, best = k;
        }
        lastSeen_[best] = ++clock_;
        return forms_[best].row;
    }

    // Whether a change between the two rows moves a fifth of the nozzles.
    bool contrasting(int rowA, int rowB) const
    {
        return movedShare(levelsOf(rowA), levelsOf(rowB), nozzles_, wet_) >= kMinMoved;
    }

    double waterOf(int row) const
    {
        for (const FormInfo& f : forms_)
            if (f.row == row)
                return f.water;
        return 0;
    }

private:
    // The pressures of a wet form; any other row is the dry form.
    Row levelsOf(int row) const
    {
        for (const FormInfo& f : forms_)
            if (f.row == row)
                return f.levels;
        Row dry;
        dry.fill(255);
        return dry;
    }

    double moved(std::size_t k) const
    {
        // Before the first form the fountain is dry: a form then must wet a fifth.
        Row dry;
        dry.fill(255);
        return movedShare(current_ < 0 ? dry : forms_[std::size_t(current_)].levels, forms_[k].levels, nozzles_, wet_);
    }
    bool contrasts(std::size_t k) const { return int(k) != current_ && moved(k) >= kMinMoved; }
    int use(std::size_t k)
    {
        if (int(k) != current_)
            previous_ = current_;
        current_ = int(k);
        lastSeen_[k] = ++clock_;
        return forms_[k].row;
    }

    std::vector<FormInfo> forms_;
    std::array<long, kGroupEntries> nozzles_;
    std::vector<int> wet_;
    std::vector<long> lastSeen_;
    int current_ = -1;
    int previous_ = -1;
    long clock_ = 0;
};

struct CueList {
    std::map<std::int64_t, ShowCue> at;
    void form(std::int64_t ms, int f) { at[ms].timeMs = ms, at[ms].form = f; }
    void scene(std::int64_t ms, int s) { at[ms].timeMs = ms, at[ms].scene = s; }
    std::set<std::int64_t> accents; // cues on a hit: never moved onto another
    // The form cue nearest to `ms` within `reach`, if any.
    std::map<std::int64_t, ShowCue>::iterator nearestForm(std::int64_t ms, std::int64_t reach)
    {
        auto best = at.end();
        for (auto it = at.lower_bound(ms - reach); it != at.end() && it->first <= ms + reach; ++it)
            if (it->second.form != 0 && (best == at.end() || std::abs(it->first - ms) < std::abs(best->first - ms)))
                best = it;
        return best;
    }
    void dropFormsBetween(std::int64_t from, std::int64_t to)
    {
        for (auto it = at.upper_bound(from); it != at.end() && it->first < to;) {
            it->second.form = 0;
            it = it->second.scene == 0 ? at.erase(it) : std::next(it);
        }
    }
};

double beatLoudnessWithin(const SongAnalysis& m, double from, double to)
{
    double sum = 0;
    int n = 0;
    const auto first = std::lower_bound(m.beats.begin(), m.beats.end(), from);
    for (auto it = first; it != m.beats.end() && *it < to; ++it, ++n)
        sum += m.beatLoudness[std::size_t(it - m.beats.begin())];
    return n > 0 ? sum / n : -HUGE_VAL;
}

// The beat at `t` if one lies within `reach`, else `t` itself.
double onBeat(const SongAnalysis& m, double t, double reach)
{
    const auto it = std::lower_bound(m.beats.begin(), m.beats.end(), t);
    double best = t, distance = reach;
    for (auto c = it == m.beats.begin() ? it : it - 1; c != m.beats.end() && c <= it; ++c)
        if (std::abs(*c - t) <= distance)
            best = *c, distance = std::abs(*c - t);
    return best;
}

struct Placement {
    const SongAnalysis& m;
    const std::vector<MusicSection>& sections;
    FormPicker& picker;
    int dry;
    const std::vector<int>& scenes;
    DraftDensity density;
    int scale;
    double span = kLeastSpan;
    CueList cues;
    int accentsTaken = 0;
    int restsTaken = 0;

    double loudest() const
    {
        double l = -HUGE_VAL;
        for (const MusicSection& s : sections)
            l = std::max(l, s.loudness);
        return l;
    }

    // The mean loudness of beats `from`..`to` (exclusive).
    double loudnessOfBeats(int from, int to) const
    {
        double sum = 0;
        for (int i = from; i < to; ++i)
            sum += m.beatLoudness[std::size_t(i)];
        return to > from ? sum / (to - from) : -HUGE_VAL;
    }

    // LU from the loudest section down to the quietest: the song's own range
    // (a fade-out's last phrase does not squeeze the rest).
    double loudnessSpan() const
    {
        double quietest = HUGE_VAL;
        for (const MusicSection& s : sections)
            quietest = std::min(quietest, s.loudness);
        return std::clamp(loudest() - quietest, kLeastSpan, kMostSpan);
    }

    // The water a passage this far below the song's loudest section asks for.
    double waterFor(double belowLoudest) const
    {
        return std::clamp(1.0 - (1.0 - kLeastWater) * belowLoudest / span, kLeastWater, 1.0);
    }

    void placeSections()
    {
        const double top = loudest();
        std::map<int, std::vector<int>> familyForms;
        for (const MusicSection& s : sections) {
            if (s.firstBar >= int(m.barStarts.size()))
                continue;
            const int from = m.barStarts[std::size_t(s.firstBar)];
            const int to = s.endBar < int(m.barStarts.size()) ? m.barStarts[std::size_t(s.endBar)] : int(m.beats.size());
            const double below = top - s.loudness;
            const Pace pace = paceFor(s, below, 60.0 / (m.tempo > 0 ? m.tempo : kDefaultTempo), density, scale);
            // A climax closes a chorus long enough to build to it.
            const int climaxFrom = pace.climaxBars == 0 || s.endBar - s.firstBar < 2 * pace.climaxBars
                                       ? to
                                       : m.barStarts[std::size_t(s.endBar - pace.climaxBars)];
            cues.scene(toMs(s.firstBar == 0 ? 0.0 : m.beats[std::size_t(from)]),
                       scenes[std::size_t(s.family) % scenes.size()]);
            const bool repeat = familyForms.count(s.family) > 0;
            std::vector<int>& sequence = familyForms[s.family];
            std::size_t cue = 0;
            for (int i = from, sinceCue = 0; i < to; ++i, ++sinceCue) {
                const int step = i >= climaxFrom ? pace.climaxStep : pace.step;
                if (i != from && sinceCue < step && !runStartsAt(i))
                    continue;
                sinceCue = 0;
                // The water of the phrase ahead, so a swell within a section shows.
                const double phrase = loudnessOfBeats(i, std::min(to, i + kPhraseBeats));
                const double water = std::min(1.0, waterFor(top - phrase) + (i >= climaxFrom ? 0.15 : 0.0));
                std::optional<int> form = repeat ? picker.replay(sequence, cue, water) : std::nullopt;
                if (!form)
                    form = picker.pick(water);
                if (!repeat)
                    sequence.push_back(*form);
                ++cue;
                cues.form(toMs(m.beats[std::size_t(i)]), *form);
            }
        }
    }

    bool runStartsAt(int i) const
    {
        if (i == 0)
            return true;
        const double t = m.beats[std::size_t(i)], before = m.beats[std::size_t(i - 1)];
        return std::any_of(m.silences.begin(), m.silences.end(),
                           [&](const TimeSpan& s) { return s.start >= before && s.start < t; });
    }

    // The strongest hits, strongest first, none in a silence.
    std::vector<std::size_t> strongestOnsets(std::size_t count) const
    {
        std::vector<std::size_t> order;
        for (std::size_t k = 0; k < m.hits.size() && k < m.hitStrength.size(); ++k)
            if (!std::any_of(m.silences.begin(), m.silences.end(),
                             [&](const TimeSpan& s) { return m.hits[k] >= s.start && m.hits[k] < s.end; }))
                order.push_back(k);
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t a, std::size_t b) { return m.hitStrength[a] > m.hitStrength[b]; });
        order.resize(std::min(order.size(), count));
        return order;
    }

    // Every strong hit gets a form cue: one already there, a near one moved
    // onto it, or a new one. After a break the water rests before it.
    void placeAccents()
    {
        const std::size_t count = kAccentsAtLeast + std::size_t(m.seconds / 60.0 * kAccentsAMinute);
        const double top = loudest();
        std::size_t rank = 0;
        for (std::size_t k : strongestOnsets(count)) {
            const double t = onBeat(m, m.hits[k], kAccentReach);
            // The strongest hits have a cue wherever they fall; the lesser
            // ones off the beat (a hi-hat, a fill) not: the cues keep the beat.
            const bool offBeat = t == m.hits[k] && !std::binary_search(m.beats.begin(), m.beats.end(), t);
            if (rank++ >= kAccentsAtLeast && m.beatsFound && offBeat)
                continue;
            const std::int64_t ms = toMs(t);
            if (const auto there = cues.nearestForm(ms, kOnCueMs); there != cues.at.end()) {
                cues.accents.insert(there->first);
                ++accentsTaken;
                continue;
            }
            // The nearest cue moves onto the hit, unless it stands on another.
            auto near = cues.nearestForm(ms, kMoveCueMs);
            int form = 0;
            if (near != cues.at.end() && !cues.accents.count(near->first)) {
                form = near->second.form;
                near->second.form = 0;
                if (near->second.scene == 0)
                    cues.at.erase(near);
            } else {
                auto after = cues.at.upper_bound(ms);
                while (after != cues.at.end() && after->second.form == 0)
                    ++after;
                int before = 0;
                for (auto it = cues.at.lower_bound(ms); it != cues.at.begin() && before == 0;)
                    before = (--it)->second.form;
                form = picker.pickBetween(std::min(1.0, waterFor(top - beatLoudnessWithin(m, t, t + 1.0)) + 0.2), before,
                                          after == cues.at.end() ? 0 : after->second.form);
                // A hit in a passage whose form is held long is a burst: a
                // bar on, the water goes back to what it was.
                const double bar = kBeatsPerBar * 60.0 / (m.tempo > 0 ? m.tempo : kDefaultTempo);
                const auto beat = std::lower_bound(m.beats.begin(), m.beats.end(), t + 0.9 * bar);
                if (before != 0 && before != form && beat != m.beats.end() && *beat < t + 2 * bar
                    && (after == cues.at.end() || after->first > toMs(*beat) + toMs(kAccentReach)))
                    cues.form(toMs(*beat), before);
            }
            cues.form(ms, form);
            cues.accents.insert(ms);
            ++accentsTaken;
        }
    }

    // A big hit after a break (a bar much quieter than the loud bar it
    // starts): the water goes down a beat before it, so the hit rises out of
    // nothing, and the hit has its cue on the onset that makes it.
    void placeBreaks()
    {
        const double top = loudest();
        const double period = 60.0 / (m.tempo > 0 ? m.tempo : kDefaultTempo);
        const std::size_t bars = m.barStarts.size();
        auto barLoudness = [&](std::size_t b) {
            const int from = m.barStarts[b];
            const int to = b + 1 < bars ? m.barStarts[b + 1] : int(m.beats.size());
            double sum = 0;
            for (int i = from; i < to; ++i)
                sum += m.beatLoudness[std::size_t(i)] / (to - from);
            return sum;
        };
        for (std::size_t b = 1; b < bars; ++b) {
            const auto first = std::size_t(m.barStarts[b]);
            if (first == 0 || runStartsAt(int(first)))
                continue;
            const double after = barLoudness(b);
            if (after - barLoudness(b - 1) < kBreakDrop || after < top - kCalmBelowLoudest)
                continue;
            const double downbeat = m.beats[first];
            double hit = downbeat, strongest = 0;
            for (std::size_t k = 0; k < m.onsets.size() && k < m.onsetStrength.size(); ++k)
                if (std::abs(m.onsets[k] - downbeat) <= kHitReach && m.onsetStrength[k] > strongest)
                    hit = m.onsets[k], strongest = m.onsetStrength[k];
            const double rest = m.beats[first - (period < kFastBeat && first >= 2 ? 2 : 1)];
            const auto placed = cues.nearestForm(toMs(downbeat), toMs(kHitReach));
            const int form = placed != cues.at.end() ? placed->second.form : picker.pick(std::min(1.0, waterFor(top - after) + 0.2));
            cues.dropFormsBetween(toMs(rest) - 1, toMs(downbeat + kHitReach) + 1);
            cues.form(toMs(rest), dry);
            cues.form(toMs(hit), form);
            contrastBefore(toMs(rest));
            ++restsTaken;
        }
    }

    // The form in force before the cue at `ms` is changed, where the two are
    // too alike (a lone small group before a rest), for one moving a fifth
    // of the nozzles against both its neighbours.
    void contrastBefore(std::int64_t ms)
    {
        auto it = cues.at.find(ms);
        while (it != cues.at.begin() && (--it)->second.form == 0) {
        }
        if (it == cues.at.end() || it->second.form == 0 || picker.contrasting(it->second.form, cues.at[ms].form))
            return;
        int before = 0;
        for (auto b = it; b != cues.at.begin() && before == 0;)
            before = (--b)->second.form;
        it->second.form = picker.pickBetween(picker.waterOf(it->second.form), before, cues.at[ms].form);
    }

    void placeDryness()
    {
        const bool soundAtZero = !m.beats.empty() && m.beats.front() < 0.05
                                 && (m.silences.empty() || m.silences.front().start > 0);
        if (!soundAtZero)
            cues.form(0, dry);
        for (const TimeSpan& s : m.silences)
            if (s.start > 0) {
                cues.dropFormsBetween(toMs(s.start), toMs(s.end) - 1);
                cues.form(toMs(s.start), dry);
            }
        cues.dropFormsBetween(toMs(m.seconds), std::numeric_limits<std::int64_t>::max());
        cues.form(toMs(m.seconds), dry);
    }

    std::vector<ShowCue> list() const
    {
        std::vector<ShowCue> out;
        int last = -1;
        for (const auto& [ms, cue] : cues.at) {
            ShowCue c = cue;
            if (c.form == last && ms != toMs(m.seconds)) // the same form twice is no change; the end stays
                c.form = 0;
            if (c.form != 0)
                last = c.form;
            if (c.form != 0 || c.scene != 0)
                out.push_back(c);
        }
        return out;
    }
};

} // namespace

long formWater(const FountainState& state, int form)
{
    return waterOf(state.FormPressure[std::size_t(std::clamp(form, 0, kShowRows - 1))], nozzlesPerGroup(state));
}

// Forms that move at least a fifth of the nozzles against each other, taken
// greedily from the fullest: how many truly different forms a fountain has.
std::size_t contrastingForms(const std::vector<int>& rows, const ShowTable& forms,
                             const std::array<long, kGroupEntries>& nozzles, const std::vector<int>& wet)
{
    std::vector<Row> kept;
    for (int r : rows) {
        const Row& row = forms[std::size_t(r)];
        if (waterOf(row, nozzles) == 0)
            continue;
        if (std::all_of(kept.begin(), kept.end(), [&](const Row& k) { return movedShare(k, row, nozzles, wet) >= kMinMoved; }))
            kept.push_back(row);
    }
    return kept.size();
}

ShowDraft draftShow(const SongAnalysis& music, const FountainState& state, int formCount, int sceneCount,
                    DraftDensity density)
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
    // that differ, or none is dry.
    ShowTable forms = state.FormPressure, scenes = state.SceneColour;
    auto sameWater = [&](const Row& a, const Row& b) { return sameForm(a, b, wet); };
    std::vector<int> formPool = distinctRows(forms, formCount, sameWater);
    auto isDry = [&](int f) { return waterOf(forms[std::size_t(f)], nozzles) == 0; };
    std::vector<Row> wanted = ownForms(state, wet);
    const bool enough = contrastingForms(formPool, forms, nozzles, wet) >= std::size_t(kMinForms);
    draft.formsAlike = !enough && int(formPool.size()) >= kMinForms;
    if (enough)
        wanted = {wanted.back()};
    if (std::none_of(formPool.begin(), formPool.end(), isDry) || !enough)
        recordRows(wanted, forms, &state.FormAccel, draft.formCount, formPool, draft.newForms, draft.outOfRows, sameWater);
    std::vector<int> scenePool = distinctRows(scenes, sceneCount, sameScene);
    if (int(scenePool.size()) < kMinScenes)
        recordRows(ownScenes(wet), scenes, nullptr, draft.sceneCount, scenePool, draft.newScenes, draft.outOfRows, sameScene);
    if (scenePool.empty())
        scenePool.push_back(1);

    // The wet forms with their water; the driest of all stands for "no water".
    std::vector<int> byWater = formPool;
    std::stable_sort(byWater.begin(), byWater.end(), [&](int a, int b) {
        return waterOf(forms[std::size_t(a)], nozzles) < waterOf(forms[std::size_t(b)], nozzles);
    });
    const int dry = byWater.front();
    if (isDry(dry) && byWater.size() > 1)
        byWater.erase(std::remove_if(byWater.begin(), byWater.end(), isDry), byWater.end());
    Row full;
    full.fill(0);
    const double fullWater = std::max(1.0, double(waterOf(full, nozzles)));
    std::vector<FormInfo> infos;
    for (int f : byWater)
        infos.push_back({f, double(waterOf(forms[std::size_t(f)], nozzles)) / fullWater, forms[std::size_t(f)]});

    draft.defaultTempo = !music.beatsFound;
    const std::vector<MusicSection> sections = sectionsOf(music);
    for (int sparseness = 0;; ++sparseness) {
        FormPicker picker(infos, nozzles, wet);
        Placement place{music, sections, picker, dry, scenePool, density, 1 << sparseness, kLeastSpan, {}};
        place.span = place.loudnessSpan();
        place.placeSections();
        place.placeAccents();
        place.placeBreaks();
        place.placeDryness();
        draft.track.cues = place.list();
        draft.accents = place.accentsTaken;
        draft.rests = place.restsTaken;
        if (draft.track.cues.size() <= kDraftMaxCues || sparseness >= 12)
            break;
        draft.thinned = true;
    }
    if (draft.track.cues.size() > kDraftMaxCues)
        draft.track.cues.resize(kDraftMaxCues - 1), draft.track.cues.push_back({toMs(music.seconds), dry, 0});
    return draft;
}

DraftReport reportDraft(const SongAnalysis& music, const ShowDraft& draft, const FountainState& state)
{
    DraftReport report;
    const ShowTrack& track = draft.track;
    const auto nozzles = nozzlesPerGroup(state);
    const std::vector<int> wet = wetGroups(nozzles);
    Row full;
    full.fill(0);
    const double fullWater = std::max(1.0, double(waterOf(full, nozzles)));
    auto waterAt = [&](double t) { return double(formWater(state, formAt(track, toMs(t)))) / fullWater; };
    auto barTime = [&](int bar) {
        return bar < int(music.barStarts.size()) ? music.beats[std::size_t(music.barStarts[std::size_t(bar)])] : music.seconds;
    };
    for (const MusicSection& s : music.sections) {
        DraftReport::Section r{s, s.firstBar == 0 ? 0.0 : barTime(s.firstBar), barTime(s.endBar), 0, 0};
        for (const ShowCue& c : track.cues)
            r.formCues += c.form != 0 && c.timeMs >= toMs(r.start) && c.timeMs < toMs(r.end);
        int samples = 0;
        for (double t = r.start; t < r.end; t += 0.1, ++samples)
            r.water += waterAt(t);
        r.water /= std::max(1, samples);
        report.sections.push_back(r);
    }
    // Form changes: how many move a fifth of the nozzles, and the longest run
    // of changes back and forth between the same two forms.
    int last = 0, beforeLast = 0, run = 0;
    for (const ShowCue& c : track.cues) {
        if (c.form == 0 || c.form == last)
            continue;
        if (last != 0) {
            ++report.formChanges;
            report.contrastingChanges +=
                movedShare(state.FormPressure[std::size_t(last)], state.FormPressure[std::size_t(c.form)], nozzles, wet) >= kMinMoved;
        }
        run = c.form == beforeLast ? run + 1 : 1;
        report.longestAlternation = std::max(report.longestAlternation, run);
        beforeLast = last;
        last = c.form;
    }
    for (double t = 0; t < music.seconds; t += 0.1)
        report.drySeconds += waterAt(t) == 0 ? 0.1 : 0.0;
    // Accents: the strongest onsets outside silences, and those with a form cue.
    std::vector<std::size_t> order;
    for (std::size_t k = 0; k < music.hits.size() && k < music.hitStrength.size(); ++k)
        order.push_back(k);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return music.hitStrength[a] > music.hitStrength[b]; });
    order.resize(std::min<std::size_t>(order.size(), kAccentsAtLeast));
    report.strongestOnsets = int(order.size());
    for (std::size_t k : order)
        report.accentsWithCue += std::any_of(track.cues.begin(), track.cues.end(), [&](const ShowCue& c) {
            return c.form != 0 && std::abs(c.timeMs - toMs(music.hits[k])) <= kOnCueMs;
        });
    // The water of the quietest and the loudest half-minute of music.
    constexpr double kSpan = 30, kStep = 5;
    double quietest = HUGE_VAL, loudest = -HUGE_VAL;
    for (double from = 0; from + kSpan <= std::max(kSpan, music.seconds); from += kStep) {
        const double loudness = beatLoudnessWithin(music, from, from + kSpan);
        if (!std::isfinite(loudness))
            continue;
        double water = 0;
        int n = 0;
        for (double t = from; t < std::min(music.seconds, from + kSpan); t += 0.1, ++n)
            water += waterAt(t);
        water /= std::max(1, n);
        if (loudness < quietest)
            quietest = loudness, report.quietestWater = water;
        if (loudness > loudest)
            loudest = loudness, report.loudestWater = water;
    }
    return report;
}

MusicFileDraft draftShowForMusic(const QString& musicPath, const FountainState& state, int formCount,
                                 int sceneCount, const std::function<bool(double)>& progress, DraftDensity density)
{
    MusicFileDraft result;
    bool stopped = false;
    MusicListener listener(kDraftSampleRate);
    // The sound is analysed as it decodes and never kept whole.
    const QString error = streamMusic(
        musicPath, kDraftSampleRate, kDraftMaxSeconds,
        [&listener](const float* samples, std::size_t count) { listener.listen(samples, count); },
        [&](double done) {
            stopped = progress && !progress(0.95 * done);
            return !stopped;
        });
    if (stopped) {
        result.cancelled = true;
        return result;
    }
    if (!error.isEmpty()) {
        result.error = error;
        return result;
    }
    result.music = listener.finish();
    if (progress && !progress(0.99)) {
        result.cancelled = true;
        return result;
    }
    result.draft = draftShow(result.music, state, formCount, sceneCount, density);
    if (progress)
        progress(1.0);
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
