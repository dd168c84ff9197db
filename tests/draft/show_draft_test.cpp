#include "music/MusicAnalysis.h"
#include "music/ShowDraft.h"
#include "SynthSong.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

using namespace pluviane;
using namespace pluviane::test;

namespace {

// Six groups of eight nozzles, group g on a ring of radius g.
std::unique_ptr<FountainState> ringFountain()
{
    auto state = std::make_unique<FountainState>();
    for (int g = 1; g <= 6; ++g)
        for (int k = 0; k < 8; ++k) {
            const int n = 16 + (g - 1) * 8 + k;
            state->JetGroup[n] = Byte(g);
            state->JetPos[n][1] = Byte(100 + std::lround(5 * g * std::cos(k * 0.785)));
            state->JetPos[n][2] = Byte(100 + std::lround(5 * g * std::sin(k * 0.785)));
        }
    return state;
}

bool isDry(const FountainState& state, int form) { return formWater(state, form) == 0; }

double distanceToBeat(double t, const std::vector<double>& beats)
{
    double best = HUGE_VAL;
    for (double b : beats)
        best = std::min(best, std::abs(b - t));
    return best;
}

int formChangesWithin(const ShowTrack& track, double from, double to)
{
    int changes = 0, last = -1;
    for (const ShowCue& c : track.cues) {
        if (c.form != 0 && c.form != last && c.timeMs >= from * 1000 && c.timeMs < to * 1000)
            ++changes;
        if (c.form != 0)
            last = c.form;
    }
    return changes;
}

double meanWaterWithin(const FountainState& state, const ShowTrack& track, double from, double to)
{
    double sum = 0;
    int n = 0;
    for (double t = from; t < to; t += 0.1, ++n)
        sum += double(formWater(state, formAt(track, std::llround(t * 1000))));
    return n ? sum / n : 0;
}

} // namespace

// Songs the test makes: a quiet part then a loud busy one after three seconds
// of silence; the last changes tempo where it gets loud.
TEST(ShowDraft, FollowsTheBeatsTheTempoAndTheLoudnessOfSynthesisedSongs)
{
    struct Song {
        double quietBpm, loudBpm;
    };
    for (const Song& s : {Song{70, 70}, Song{100, 100}, Song{128, 128}, Song{170, 170}, Song{100, 130}}) {
        SCOPED_TRACE(testing::Message() << s.quietBpm << " then " << s.loudBpm << " beats a minute");
        SynthSong song = synthesiseSong(3.0, {{8, s.quietBpm, 0.08f, false}, {8, s.loudBpm, 0.7f, true}});
        song.samples.resize(song.samples.size() + 2 * std::size_t(song.rate));
        const SongAnalysis music = analyseMusic(song.samples, song.rate);
        ASSERT_TRUE(music.beatsFound);
        for (int part = 0; part < 2; ++part) {
            const double middle = (song.partStarts[part] + song.partStarts[part + 1]) / 2;
            double found = 0;
            for (const TempoSection& t : music.tempi)
                if (t.start <= middle)
                    found = t.bpm;
            EXPECT_NEAR(found, part == 0 ? s.quietBpm : s.loudBpm, 0.01 * found) << "part " << part;
        }

        auto state = ringFountain();
        const ShowDraft draft = draftShow(music, *state, 3, 3);
        ASSERT_EQ(draft.problem, ShowDraft::None);
        applyDraftRows(draft, *state);
        const ShowTrack& track = draft.track;
        int onBeat = 0, wet = 0;
        for (const ShowCue& c : track.cues)
            if (c.form != 0 && !isDry(*state, c.form)) {
                ++wet;
                onBeat += distanceToBeat(c.timeMs / 1000.0, song.beats) <= 0.030;
            }
        EXPECT_GE(onBeat, 0.95 * wet);
        for (const ShowCue& c : track.cues)
            EXPECT_TRUE(c.timeMs >= 2950 || isDry(*state, formAt(track, c.timeMs))) << "water at " << c.timeMs;
        EXPECT_TRUE(isDry(*state, track.cues.front().form));
        EXPECT_EQ(track.cues.back().timeMs, std::llround(music.seconds * 1000));
        EXPECT_TRUE(isDry(*state, track.cues.back().form));
        const double quiet0 = song.partStarts[0], loud0 = song.partStarts[1], end = song.partStarts[2];
        EXPECT_GT(formChangesWithin(track, loud0, end), formChangesWithin(track, quiet0, loud0));
        EXPECT_GT(meanWaterWithin(*state, track, loud0, end), meanWaterWithin(*state, track, quiet0, loud0));
        EXPECT_GE(std::count_if(track.cues.begin(), track.cues.end(), [](const ShowCue& c) { return c.scene; }), 2);
    }
}

// The draft records its own forms and scenes only into free rows after the
// counts, says which, and leaves every recorded row as it was.
TEST(ShowDraft, RecordsItsOwnFormsOnlyIntoFreeRows)
{
    SongAnalysis music;
    music.seconds = 40;
    music.beatsFound = true;
    for (int i = 0; i < 64; ++i) {
        music.beats.push_back(4 + i * 0.5);
        music.beatLoudness.push_back(i < 32 ? -30 : -12);
        music.beatOnsets.push_back(i < 32 ? 1 : 2);
        if (i % 4 == 0)
            music.barStarts.push_back(i);
    }
    music.silences = {{0, 4}};
    music.phraseStarts = {0, 8};

    // A new fountain: three empty rows of each. The draft adds its set after them.
    auto fresh = ringFountain();
    ShowDraft draft = draftShow(music, *fresh, 3, 3);
    ASSERT_FALSE(draft.newForms.empty());
    EXPECT_EQ(draft.newForms.front().row, 4);
    EXPECT_EQ(draft.formCount, draft.newForms.back().row);
    EXPECT_EQ(draft.newScenes.front().row, 4);
    EXPECT_EQ(draft.sceneCount, draft.newScenes.back().row);
    EXPECT_FALSE(draft.outOfRows);
    applyDraftRows(draft, *fresh);
    for (int r = 1; r <= 3; ++r)
        EXPECT_EQ(fresh->FormPressure[r], ShowTable{}[r]);
    for (const DraftRow& r : draft.newForms)
        EXPECT_FALSE(std::all_of(&r.values[1], &r.values[7], [](Byte p) { return p == 0; }))
            << "row " << r.row << " repeats the full water of rows 1..3";

    // Five recorded forms, one of them dry, and two scenes: nothing is written,
    // and no form follows itself.
    auto recorded = ringFountain();
    for (int f = 1; f <= 5; ++f)
        for (int g = 1; g <= 12; ++g)
            recorded->FormPressure[f][g] = Byte(f == 5 ? 255 : (g * 37 + f * 53) % 200);
    recorded->SceneColour[1].fill(30);
    recorded->SceneColour[2].fill(90);
    draft = draftShow(music, *recorded, 5, 2);
    EXPECT_TRUE(draft.newForms.empty());
    EXPECT_TRUE(draft.newScenes.empty());
    int last = 0;
    for (const ShowCue& c : draft.track.cues) {
        EXPECT_TRUE(c.form >= 0 && c.form <= 5 && c.scene >= 0 && c.scene <= 2);
        if (c.form) {
            EXPECT_NE(c.form, last) << "at " << c.timeMs;
            last = c.form;
        }
    }
    EXPECT_EQ(draft.track.cues.front().form, 5);

    // No dry form, and the row after the count holds the recorder's copy: the
    // draft steps over it and records its dry form into the next free row.
    recorded->FormPressure[5].fill(10);
    recorded->FormPressure[6][3] = 7;
    draft = draftShow(music, *recorded, 5, 2);
    ASSERT_EQ(draft.newForms.size(), 1u);
    EXPECT_EQ(draft.newForms[0].row, 7);
    EXPECT_EQ(draft.formCount, 7);
    EXPECT_EQ(draft.track.cues.front().form, 7);

    // A two-hour song drafted busy fits the track's cues, thinned.
    SongAnalysis long_;
    long_.seconds = 7200;
    long_.beatsFound = true;
    for (int i = 0; i < 7200 * 2; ++i) {
        long_.beats.push_back(i / 2.0);
        long_.beatLoudness.push_back(-10);
        long_.beatOnsets.push_back(i % 4000 < 2000 ? 3 : 1);
        if (i % 4 == 0)
            long_.barStarts.push_back(i);
    }
    for (int b = 0; b < int(long_.barStarts.size()); b += 500)
        long_.phraseStarts.push_back(b);
    draft = draftShow(long_, *fresh, draft.formCount, draft.sceneCount, DraftDensity::High);
    EXPECT_TRUE(draft.thinned);
    EXPECT_LE(draft.track.cues.size(), kDraftMaxCues);
    EXPECT_EQ(draft.track.cues.back().timeMs, 7200000);
}

// Music with no beat, no sound or hardly any length gives a draft that says
// so, never a crash; no groups or no music give a problem instead.
TEST(ShowDraft, CopesWithNoiseSilenceAndScraps)
{
    std::vector<float> noise(22050 * 20);
    std::uint32_t seed = 1;
    for (float& x : noise)
        x = float((seed = seed * 1664525u + 1013904223u) >> 8) / float(1 << 24) - 0.5f;
    auto state = ringFountain();
    const SongAnalysis heard = analyseMusic(noise, 22050);
    EXPECT_FALSE(heard.beatsFound);
    ShowDraft draft = draftShow(heard, *state, 3, 3);
    EXPECT_TRUE(draft.defaultTempo);
    EXPECT_EQ(draft.problem, ShowDraft::None);
    ASSERT_GE(draft.track.cues.size(), 4u);
    for (const ShowCue& c : draft.track.cues) // on the noise's own onsets and hits, not on a grid
        EXPECT_TRUE(c.form == 0 || c.timeMs == 0 || c.timeMs == 20000
                    || distanceToBeat(c.timeMs / 1000.0, heard.beats) < 0.002
                    || distanceToBeat(c.timeMs / 1000.0, heard.hits) < 0.002) << c.timeMs;

    const SongAnalysis again = analyseMusic(noise, 22050);
    EXPECT_EQ(again.beats, heard.beats);
    EXPECT_EQ(again.beatLoudness, heard.beatLoudness);

    const std::vector<float> silence(22050 * 10, 0.0f);
    draft = draftShow(analyseMusic(silence, 22050), *state, 3, 3);
    applyDraftRows(draft, *state);
    ASSERT_EQ(draft.track.cues.size(), 2u);
    EXPECT_TRUE(isDry(*state, draft.track.cues[0].form));
    EXPECT_EQ(draft.track.cues[1].timeMs, 10000);

    const SynthSong scrap = synthesiseSong(0, {{1, 120, 0.5f, false}});
    draft = draftShow(analyseMusic(scrap.samples, scrap.rate), *state, 3, 3);
    EXPECT_EQ(draft.problem, ShowDraft::None);
    EXPECT_GE(draft.track.cues.size(), 2u);

    EXPECT_TRUE(analyseMusic(noise, 22050, [](double f) { return f < 0.5; }).cancelled);
    EXPECT_EQ(draftShow(analyseMusic({}, 22050), *state, 3, 3).problem, ShowDraft::NoMusic);
    EXPECT_EQ(draftShow(heard, FountainState{}, 3, 3).problem, ShowDraft::NoGroups);
}

// A pianissimo intro, a verse, a bar of break and a loud chorus, on a
// fountain whose recorded forms differ by one group: the draft records forms
// of its own, every change moves a fifth of the nozzles, the intro stays low
// and the chorus full, the water rests before the chorus's first hit, the
// strongest hits have cues, and the density the designer picks shows.
TEST(ShowDraft, HasContrastDynamicsAccentsAndARestBeforeTheHit)
{
    const SynthSong song = synthesiseSong(1.0, {{8, 120, 0.04f, false, true, 1}, {8, 120, 0.3f, false, true, 1},
                                                {1, 120, 0.02f, false, false, 2}, {8, 120, 0.8f, true, true, 2}});
    const SongAnalysis music = analyseMusic(song.samples, song.rate);
    ASSERT_TRUE(music.beatsFound);
    auto state = ringFountain();
    for (int f = 1; f <= 5; ++f) // all full but the centre group, a little higher in each: alike
        state->FormPressure[f][1] = Byte(f * 40);
    const ShowDraft draft = draftShow(music, *state, 5, 3);
    EXPECT_TRUE(draft.formsAlike);
    ASSERT_FALSE(draft.newForms.empty());
    applyDraftRows(draft, *state);
    const DraftReport report = reportDraft(music, draft, *state);
    EXPECT_EQ(report.contrastingChanges, report.formChanges);
    EXPECT_LE(report.longestAlternation, 2);
    EXPECT_GE(report.accentsWithCue, 16);

    const double intro0 = song.partStarts[0], verse0 = song.partStarts[1], break0 = song.partStarts[2],
                 chorus0 = song.partStarts[3], end = song.partStarts[4];
    const double full = meanWaterWithin(*state, draft.track, chorus0 + 0.1, end);
    EXPECT_LT(meanWaterWithin(*state, draft.track, intro0 + 0.5, verse0), 0.4 * full);
    EXPECT_LT(meanWaterWithin(*state, draft.track, verse0 + 0.5, break0), full);
    EXPECT_TRUE(isDry(*state, formAt(draft.track, std::llround((chorus0 - 0.1) * 1000)))) << "a rest before the hit";
    EXPECT_GT(formWater(*state, formAt(draft.track, std::llround((chorus0 + 0.1) * 1000))), 0);
    EXPECT_GE(draft.rests, 1);
    // Calm intro: forms held for phrases; verse: on the bar; chorus busier.
    EXPECT_LE(formChangesWithin(draft.track, intro0 + 0.5, verse0), 4);
    EXPECT_LE(formChangesWithin(draft.track, verse0 + 0.5, break0), 8 + 2);
    EXPECT_GT(formChangesWithin(draft.track, chorus0, end), formChangesWithin(draft.track, verse0, break0));

    // Forms on every beat only in short climaxes: never more than 8 bars in a row.
    for (DraftDensity d : {DraftDensity::Medium, DraftDensity::High}) {
        const ShowTrack busy = draftShow(music, *state, draft.formCount, draft.sceneCount, d).track;
        int run = 0, longest = 0;
        std::int64_t lastForm = -1;
        for (const ShowCue& c : busy.cues) {
            if (c.form == 0)
                continue;
            run = lastForm >= 0 && c.timeMs - lastForm <= 600 ? run + 1 : 0;
            longest = std::max(longest, run);
            lastForm = c.timeMs;
        }
        EXPECT_LE(longest, 8 * 4 + 2) << int(d);
    }
    std::size_t last = 0;
    for (DraftDensity d : {DraftDensity::Low, DraftDensity::Medium, DraftDensity::High}) {
        const std::size_t cues = draftShow(music, *state, draft.formCount, draft.sceneCount, d).track.cues.size();
        EXPECT_GT(cues, last) << int(d);
        last = cues;
    }
}

// Verses 10 LU below the choruses get clearly less water; crashes off the
// beat, the loudest hits of the song, each get a form cue, and one in a
// verse, whose form is held for phrases, is a burst: a bar on, the verse's
// form is back.
TEST(ShowDraft, FollowsTheSongsDynamicsAndCuesItsLoudestHitsOffTheBeat)
{
    SynthSong song = synthesiseSong(0.5, {{8, 120, 0.25f, false, true, 1}, {8, 120, 0.8f, true, true, 2},
                                          {8, 120, 0.25f, false, true, 1}, {8, 120, 0.8f, true, true, 2}});
    std::vector<double> crashes{song.partStarts[2] + 9 * 0.5 + 0.25};
    for (int part : {1, 3})
        for (int k : {5, 13, 22}) // the "and" after a beat in the chorus
            crashes.push_back(song.partStarts[std::size_t(part)] + k * 0.5 + 0.25);
    std::uint32_t seed = 99;
    for (double t : crashes)
        for (std::size_t i = 0; i < std::size_t(0.25 * song.rate); ++i) {
            seed = seed * 1664525u + 1013904223u;
            const float noise = float(seed >> 8) / float(1 << 24) - 0.5f;
            float& s = song.samples[std::size_t(t * song.rate) + i];
            s = std::clamp(s + float(3.0 * std::exp(-double(i) / song.rate / 0.08)) * noise, -1.0f, 1.0f);
        }
    const SongAnalysis music = analyseMusic(song.samples, song.rate);
    ASSERT_TRUE(music.beatsFound);
    auto state = ringFountain();
    const ShowDraft draft = draftShow(music, *state, 0, 0);
    applyDraftRows(draft, *state);
    const auto& p = song.partStarts;
    const double verses = meanWaterWithin(*state, draft.track, p[0] + 0.5, p[1]) + meanWaterWithin(*state, draft.track, p[2] + 0.5, p[3]);
    const double choruses = meanWaterWithin(*state, draft.track, p[1] + 0.5, p[2]) + meanWaterWithin(*state, draft.track, p[3] + 0.5, p[4]);
    EXPECT_LT(verses, 0.6 * choruses);
    for (double t : crashes)
        EXPECT_TRUE(std::any_of(draft.track.cues.begin(), draft.track.cues.end(), [&](const ShowCue& c) {
            return c.form != 0 && std::abs(c.timeMs / 1000.0 - t) <= 0.05;
        })) << "no cue on the crash at " << t;
    const std::int64_t inVerse = std::llround(crashes.front() * 1000);
    EXPECT_EQ(formAt(draft.track, inVerse + 2500), formAt(draft.track, inVerse - 300));
}
