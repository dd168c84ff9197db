#include "model/TrackEdit.h"

#include "model/ShowTrack.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace pluviane {

namespace {

bool byTime(const ShowCue& a, const ShowCue& b) { return a.timeMs < b.timeMs; }

void clearRow(ShowCue& cue, TrackRow row)
{
    if (row == FormRow) {
        cue.form = 0;
        cue.rampMs = 0;
    } else {
        cue.scene = 0;
        cue.change = SceneChange::Sweep;
        cue.fadeMs = 0;
    }
}

// Which rows of each cue the selection holds: bit 0 the form, bit 1 the scene.
std::vector<unsigned char> rowMasks(const ShowTrack& track, const CueSelection& selection)
{
    std::vector<unsigned char> masks(track.cues.size(), 0);
    for (const CueRef& item : selection)
        if (item.cue >= 0 && std::size_t(item.cue) < masks.size())
            masks[std::size_t(item.cue)] |= item.row == FormRow ? 1 : 2;
    return masks;
}

void addItemsOf(const ShowCue& cue, int index, CueSelection& items)
{
    if (cue.form != 0)
        items.push_back({index, FormRow});
    if (cue.scene != 0)
        items.push_back({index, SceneRow});
}

// The grid points near `ms` (some beats to either side), in time order.
std::vector<std::int64_t> gridNear(std::int64_t ms, const std::vector<double>& beats, SnapGrid grid)
{
    std::vector<std::int64_t> points;
    const std::ptrdiff_t count = std::ssize(beats);
    if (grid == SnapGrid::Off || count < 2)
        return points;
    const std::ptrdiff_t at = std::lower_bound(beats.begin(), beats.end(), double(ms) / 1000.0) - beats.begin();
    for (std::ptrdiff_t k = std::max<std::ptrdiff_t>(0, at - 9); k < std::min(count, at + 9); ++k) {
        if (grid != SnapGrid::Bar || k % 4 == 0)
            points.push_back(std::llround(beats[std::size_t(k)] * 1000.0));
        if (grid == SnapGrid::HalfBeat && k + 1 < count)
            points.push_back(std::llround((beats[std::size_t(k)] + beats[std::size_t(k + 1)]) * 500.0));
    }
    return points;
}

// How far apart the grid's points stand near `ms`.
std::int64_t gridStep(std::int64_t ms, const std::vector<double>& beats, SnapGrid grid)
{
    const std::size_t at = std::clamp<std::size_t>(
        std::size_t(std::lower_bound(beats.begin(), beats.end(), double(ms) / 1000.0) - beats.begin()), 1,
        beats.size() - 1);
    const double beat = (beats[at] - beats[at - 1]) * 1000.0;
    return std::llround(grid == SnapGrid::Bar ? beat * 4 : grid == SnapGrid::HalfBeat ? beat / 2 : beat);
}

template <typename Time>
std::optional<std::int64_t> nextTime(const std::vector<Time>& items, std::int64_t ms, bool forward)
{
    if (forward) {
        auto it = std::upper_bound(items.begin(), items.end(), ms,
                                   [](std::int64_t t, const Time& item) { return t < item.timeMs; });
        return it == items.end() ? std::nullopt : std::optional(it->timeMs);
    }
    auto it = std::lower_bound(items.begin(), items.end(), ms,
                               [](const Time& item, std::int64_t t) { return item.timeMs < t; });
    return it == items.begin() ? std::nullopt : std::optional(std::prev(it)->timeMs);
}

} // namespace

int rowNumber(const ShowCue& cue, TrackRow row) { return row == FormRow ? cue.form : cue.scene; }

ShowCue cuePart(const ShowCue& cue, TrackRow row)
{
    ShowCue part = cue;
    clearRow(part, row == FormRow ? SceneRow : FormRow);
    return part;
}

CueSelection allItems(const ShowTrack& track)
{
    CueSelection items;
    items.reserve(track.cues.size() * 2);
    for (std::size_t i = 0; i < track.cues.size(); ++i)
        addItemsOf(track.cues[i], int(i), items);
    return items;
}

CueSelection itemsBetween(const ShowTrack& track, std::int64_t fromMs, std::int64_t toMs, bool formRow,
                          bool sceneRow)
{
    CueSelection items;
    auto first = std::lower_bound(track.cues.begin(), track.cues.end(), ShowCue{std::min(fromMs, toMs)}, byTime);
    for (auto it = first; it != track.cues.end() && it->timeMs <= std::max(fromMs, toMs); ++it) {
        const int index = int(it - track.cues.begin());
        if (formRow && it->form != 0)
            items.push_back({index, FormRow});
        if (sceneRow && it->scene != 0)
            items.push_back({index, SceneRow});
    }
    return items;
}

CueSelection validItems(const ShowTrack& track, CueSelection selection)
{
    std::erase_if(selection, [&track](const CueRef& item) {
        return item.cue < 0 || std::size_t(item.cue) >= track.cues.size() ||
               rowNumber(track.cues[std::size_t(item.cue)], item.row) == 0;
    });
    std::sort(selection.begin(), selection.end());
    selection.erase(std::unique(selection.begin(), selection.end()), selection.end());
    return selection;
}

std::vector<ShowCue> selectedCues(const ShowTrack& track, const CueSelection& selection)
{
    const std::vector<unsigned char> masks = rowMasks(track, selection);
    std::vector<ShowCue> cues;
    for (std::size_t i = 0; i < masks.size(); ++i) {
        const ShowCue& cue = track.cues[i];
        const unsigned char holds = (cue.form != 0 ? 1 : 0) | (cue.scene != 0 ? 2 : 0);
        const unsigned char taken = masks[i] & holds;
        if (taken == 0)
            continue;
        cues.push_back(taken == holds ? cue : cuePart(cue, taken == 1 ? FormRow : SceneRow));
    }
    return cues;
}

void removeItems(ShowTrack& track, const CueSelection& selection)
{
    const std::vector<unsigned char> masks = rowMasks(track, selection);
    std::size_t kept = 0;
    for (std::size_t i = 0; i < track.cues.size(); ++i) {
        ShowCue cue = track.cues[i];
        if (masks[i] & 1)
            clearRow(cue, FormRow);
        if (masks[i] & 2)
            clearRow(cue, SceneRow);
        if (cue.form != 0 || cue.scene != 0)
            track.cues[kept++] = cue;
    }
    track.cues.resize(kept);
}

// A merge rather than one insertion after another: a paste of a thousand
// cues into a full track stays one pass.
std::optional<CueSelection> addCues(ShowTrack& track, const std::vector<ShowCue>& cues)
{
    if (track.cues.size() + cues.size() > std::size_t(kMaxTrackCues))
        return std::nullopt;
    std::vector<ShowCue> added = cues;
    for (ShowCue& cue : added)
        cue.timeMs = std::clamp<std::int64_t>(cue.timeMs, 0, kMaxCueTimeMs);
    std::stable_sort(added.begin(), added.end(), byTime);
    std::vector<ShowCue> merged;
    merged.reserve(track.cues.size() + added.size());
    CueSelection items;
    auto old = track.cues.begin();
    for (const ShowCue& cue : added) {
        for (; old != track.cues.end() && old->timeMs <= cue.timeMs; ++old)
            merged.push_back(*old);
        addItemsOf(cue, int(merged.size()), items);
        merged.push_back(cue);
    }
    merged.insert(merged.end(), old, track.cues.end());
    track.cues = std::move(merged);
    return items;
}

CueSelection moveItems(ShowTrack& track, const CueSelection& selection, std::int64_t deltaMs)
{
    std::vector<ShowCue> moved = selectedCues(track, selection);
    if (moved.empty() || deltaMs == 0)
        return selection;
    deltaMs = std::clamp(deltaMs, -moved.front().timeMs, kMaxCueTimeMs - moved.back().timeMs);
    for (ShowCue& cue : moved)
        cue.timeMs += deltaMs;
    // Moving one number of a two-number cue splits it: a full track may not take that.
    ShowTrack before = track;
    removeItems(track, selection);
    if (std::optional<CueSelection> items = addCues(track, moved))
        return *items;
    track = std::move(before);
    return selection;
}

std::vector<ShowCue> cuesFrom(std::vector<ShowCue> cues, std::int64_t atMs)
{
    if (cues.empty())
        return cues;
    std::stable_sort(cues.begin(), cues.end(), byTime);
    const std::int64_t shift = atMs - cues.front().timeMs;
    for (ShowCue& cue : cues)
        cue.timeMs += shift;
    return cues;
}

std::int64_t snapToGrid(std::int64_t ms, const std::vector<double>& beats, SnapGrid grid)
{
    const std::vector<std::int64_t> points = gridNear(ms, beats, grid);
    if (points.empty())
        return ms;
    const std::int64_t nearest =
        *std::min_element(points.begin(), points.end(),
                          [ms](std::int64_t a, std::int64_t b) { return std::llabs(a - ms) < std::llabs(b - ms); });
    return std::llabs(nearest - ms) <= gridStep(ms, beats, grid) ? nearest : ms;
}

std::int64_t nextGridPoint(std::int64_t ms, const std::vector<double>& beats, SnapGrid grid, bool forward,
                           std::int64_t fallbackMs)
{
    std::vector<std::int64_t> points = gridNear(ms, beats, grid);
    std::sort(points.begin(), points.end());
    if (forward) {
        auto it = std::upper_bound(points.begin(), points.end(), ms);
        if (it != points.end() && *it - ms <= 2 * gridStep(ms, beats, grid))
            return *it;
    } else {
        auto it = std::lower_bound(points.begin(), points.end(), ms);
        if (it != points.begin() && ms - *std::prev(it) <= 2 * gridStep(ms, beats, grid))
            return *std::prev(it);
    }
    return forward ? ms + fallbackMs : ms - fallbackMs;
}

std::optional<std::int64_t> nextCueTime(const ShowTrack& track, std::int64_t ms, bool forward)
{
    return nextTime(track.cues, ms, forward);
}

std::optional<std::int64_t> nextMarkerTime(const ShowTrack& track, std::int64_t ms, bool forward)
{
    return nextTime(track.markers, ms, forward);
}

std::optional<std::int64_t> loopRestart(std::int64_t nowMs, const LoopRegion& loop, bool looping)
{
    if (!looping || !loop.valid() || nowMs < loop.toMs)
        return std::nullopt;
    return loop.fromMs;
}

} // namespace pluviane
