#include "model/ShowTrack.h"
#include "model/TrackEdit.h"

#include <gtest/gtest.h>

using namespace pluviane;

namespace {

ShowTrack sample()
{
    ShowTrack track;
    track.cues = {{1000, 1, 2, SceneChange::Fade, 800, 300}, {2000, 3, 0}, {3000, 0, 4, SceneChange::Cut}};
    return track;
}

} // namespace

TEST(TrackEdit, CopyPasteMoveAndRemoveKeepEachRowsNumbersAndTransitions)
{
    ShowTrack track = sample();
    const CueSelection everything = allItems(track);
    EXPECT_EQ(everything.size(), 4u);
    EXPECT_EQ(itemsBetween(track, 900, 2000, false, true), (CueSelection{{0, SceneRow}}));

    // One row of a two-number cue comes out as a cue of its own with that row's transition.
    const CueSelection sceneOnly{{0, SceneRow}};
    EXPECT_EQ(selectedCues(track, sceneOnly), (std::vector<ShowCue>{{1000, 0, 2, SceneChange::Fade, 800}}));
    EXPECT_EQ(selectedCues(track, {{0, FormRow}, {0, SceneRow}}), (std::vector<ShowCue>{track.cues[0]}));

    // A paste at the play head keeps the times apart and stands after cues at the same time.
    const ShowTrack before = track;
    const std::vector<ShowCue> clip = cuesFrom(selectedCues(track, {{1, FormRow}, {2, SceneRow}}), 1000);
    EXPECT_EQ(clip, (std::vector<ShowCue>{{1000, 3, 0}, {2000, 0, 4, SceneChange::Cut}}));
    const std::optional<CueSelection> pasted = addCues(track, clip);
    ASSERT_TRUE(pasted);
    EXPECT_EQ(*pasted, (CueSelection{{1, FormRow}, {3, SceneRow}}));
    EXPECT_EQ(track.cues[1], (ShowCue{1000, 3, 0}));
    removeItems(track, *pasted);
    EXPECT_EQ(track, before);

    // Moving the form of the first cue splits it; moving it back stays split but keeps the numbers.
    CueSelection moved = moveItems(track, {{0, FormRow}}, 500);
    EXPECT_EQ(track.cues.size(), 4u);
    EXPECT_EQ(selectedCues(track, moved), (std::vector<ShowCue>{{1500, 1, 0, SceneChange::Sweep, 0, 300}}));
    // Held at the start of the music.
    moved = moveItems(track, allItems(track), -5000);
    EXPECT_EQ(track.cues.front().timeMs, 0);
    EXPECT_EQ(moved.size(), 4u);

    // A full track takes no more, and a refused paste changes nothing.
    ShowTrack full;
    for (int i = 0; i < kMaxTrackCues; ++i)
        full.cues.push_back({i * 10, 1, 1});
    const ShowTrack fullBefore = full;
    EXPECT_FALSE(addCues(full, {{5, 2, 0}}));
    EXPECT_EQ(moveItems(full, {{3, FormRow}}, 1), (CueSelection{{3, FormRow}}));
    EXPECT_EQ(full, fullBefore);
}

TEST(TrackEdit, SnapsToEachGridAndStepsAlongIt)
{
    const std::vector<double> beats = {0.5, 1.0, 1.5, 2.0, 2.5, 3.0, 3.5, 4.0, 4.5};
    EXPECT_EQ(snapToGrid(1180, beats, SnapGrid::Off), 1180);
    EXPECT_EQ(snapToGrid(1180, beats, SnapGrid::Beat), 1000);
    EXPECT_EQ(snapToGrid(1180, beats, SnapGrid::HalfBeat), 1250);
    EXPECT_EQ(snapToGrid(1180, beats, SnapGrid::Bar), 500); // bars on beats 1, 5, 9
    EXPECT_EQ(snapToGrid(2000, beats, SnapGrid::Bar), 2500);
    EXPECT_EQ(snapToGrid(60'000, beats, SnapGrid::Beat), 60'000) << "far past the beats nothing snaps";
    EXPECT_EQ(snapToGrid(1180, {}, SnapGrid::Beat), 1180);

    EXPECT_EQ(nextGridPoint(1000, beats, SnapGrid::Beat, true, 40), 1500);
    EXPECT_EQ(nextGridPoint(1100, beats, SnapGrid::Beat, false, 40), 1000);
    EXPECT_EQ(nextGridPoint(1000, beats, SnapGrid::HalfBeat, true, 40), 1250);
    EXPECT_EQ(nextGridPoint(600, beats, SnapGrid::Bar, true, 40), 2500);
    EXPECT_EQ(nextGridPoint(1000, beats, SnapGrid::Off, true, 40), 1040);
    EXPECT_EQ(nextGridPoint(60'000, beats, SnapGrid::Beat, false, 40), 59'960);
}

TEST(TrackEdit, JumpsBetweenCuesAndMarkersAndLoopsItsRegion)
{
    ShowTrack track = sample();
    track.markers = {{500, QStringLiteral("a")}, {2500, QStringLiteral("b")}};
    EXPECT_EQ(nextCueTime(track, 1000, true), 2000);
    EXPECT_EQ(nextCueTime(track, 1000, false), std::nullopt);
    EXPECT_EQ(nextCueTime(track, 3000, true), std::nullopt);
    EXPECT_EQ(nextMarkerTime(track, 1000, false), 500);
    EXPECT_EQ(nextMarkerTime(track, 2500, true), std::nullopt);

    const LoopRegion loop{4000, 8000};
    EXPECT_EQ(loopRestart(7999, loop, true), std::nullopt);
    EXPECT_EQ(loopRestart(8000, loop, true), 4000);
    EXPECT_EQ(loopRestart(9000, loop, false), std::nullopt);
    EXPECT_EQ(loopRestart(9000, {8000, 8000}, true), std::nullopt);
}
