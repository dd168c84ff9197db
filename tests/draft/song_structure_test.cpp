#include "music/MusicAnalysis.h"
#include "SynthSong.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace pluviane;
using namespace pluviane::test;

namespace {

double nearest(double t, const std::vector<double>& times)
{
    double best = HUGE_VAL;
    for (double x : times)
        best = std::min(best, std::abs(x - t));
    return best;
}

// Drops the first `seconds` of a song: it then starts inside a bar.
void cutStart(SynthSong& song, double seconds)
{
    song.samples.erase(song.samples.begin(), song.samples.begin() + std::ptrdiff_t(seconds * song.rate));
    for (double& t : song.partStarts)
        t -= seconds;
    for (auto* times : {&song.beats, &song.downbeats}) {
        for (double& t : *times)
            t -= seconds;
        times->erase(std::remove_if(times->begin(), times->end(), [](double t) { return t < -0.01; }), times->end());
    }
}

} // namespace

// Verse, chorus, verse, chorus at 123 a minute, a chord a bar, the song cut
// to start on the third beat of a bar: one tempo, fitted to the true one;
// bars on the true downbeats; sections where the sound changes, the two
// verses one family and the two choruses another.
TEST(SongStructure, FindsTempoDownbeatsAndRepeatedSections)
{
    SynthSong song = synthesiseSong(0, {{8, 123, 0.3f, false, true, 1}, {8, 123, 0.6f, true, true, 2},
                                        {8, 123, 0.3f, false, true, 1}, {8, 123, 0.6f, true, true, 2}});
    cutStart(song, 2 * 60.0 / 123);
    // Analysed in pieces of any size, the song gives the same analysis.
    const SongAnalysis music = analyseMusic(song.samples, song.rate);
    MusicListener listener(song.rate);
    for (std::size_t at = 0; at < song.samples.size(); at += 777)
        listener.listen(song.samples.data() + at, std::min<std::size_t>(777, song.samples.size() - at));
    const SongAnalysis pieces = listener.finish();
    EXPECT_EQ(pieces.beats, music.beats);
    EXPECT_EQ(pieces.barStarts, music.barStarts);

    ASSERT_TRUE(music.beatsFound);
    ASSERT_EQ(music.tempi.size(), 1u);
    EXPECT_NEAR(music.tempo, 123.0, 0.25);
    EXPECT_NEAR(music.tempi.front().start, song.beats.front(), 0.05);
    int onDownbeat = 0;
    for (int b : music.barStarts)
        onDownbeat += nearest(music.beats[std::size_t(b)], song.downbeats) < 0.05;
    EXPECT_GE(onDownbeat, int(music.barStarts.size()) - 2) << "of " << music.barStarts.size() << " bars";

    ASSERT_GE(music.sections.size(), 4u);
    std::vector<int> familyOfPart;
    for (std::size_t part = 0; part < 4; ++part) {
        const double middle = (song.partStarts[part] + song.partStarts[part + 1]) / 2;
        for (const MusicSection& s : music.sections) {
            const double from = music.beats[std::size_t(music.barStarts[std::size_t(s.firstBar)])];
            const double to = s.endBar < int(music.barStarts.size())
                                  ? music.beats[std::size_t(music.barStarts[std::size_t(s.endBar)])]
                                  : music.seconds;
            if (from <= middle && middle < to)
                familyOfPart.push_back(s.family);
        }
        if (part > 0) {
            int starts = 0;
            for (const MusicSection& s : music.sections)
                starts += std::abs(music.beats[std::size_t(music.barStarts[std::size_t(s.firstBar)])] - song.partStarts[part]) < 0.1;
            EXPECT_EQ(starts, 1) << "a section starts with part " << part;
        }
    }
    ASSERT_EQ(familyOfPart.size(), 4u);
    EXPECT_EQ(familyOfPart[0], familyOfPart[2]);
    EXPECT_EQ(familyOfPart[1], familyOfPart[3]);
    EXPECT_NE(familyOfPart[0], familyOfPart[1]);
    const auto chorus = std::find_if(music.sections.begin(), music.sections.end(),
                                     [&](const MusicSection& s) { return s.family == familyOfPart[1]; });
    EXPECT_EQ(chorus->kind, MusicSection::Chorus);
}

// Strings swelling on every beat, nothing struck: a pulse all the same, not
// "no beat", at its own tempo (a slow one not doubled) and on its beats;
// noise has none, and its cues follow its onsets.
TEST(SongStructure, FindsAPulseWithoutDrumsAndNoneInNoise)
{
    for (double bpm : {60.0, 90.0, 135.0}) {
        SCOPED_TRACE(bpm);
        const SynthSong strings = synthesiseSong(1.0, {{16, bpm, 0.5f, false, false, 2}});
        const SongAnalysis music = analyseMusic(strings.samples, strings.rate);
        EXPECT_TRUE(music.beatsFound);
        EXPECT_NEAR(music.tempo, bpm, 0.015 * bpm);
        const auto onBeat = std::count_if(music.beats.begin(), music.beats.end(),
                                          [&](double t) { return nearest(t, strings.beats) < 0.1; });
        EXPECT_GE(onBeat, 0.9 * double(strings.beats.size()));
    }

    // A held chord, nothing starting anywhere: its envelope's even ripple is no pulse.
    const SynthSong held = synthesiseSong(1.0, {{16, 64, 0.6f, false, false, 0}});
    EXPECT_FALSE(analyseMusic(held.samples, held.rate).beatsFound);

    std::vector<float> noise(22050 * 20);
    std::uint32_t seed = 7;
    for (float& x : noise)
        x = float((seed = seed * 1664525u + 1013904223u) >> 8) / float(1 << 24) - 0.5f;
    const SongAnalysis heard = analyseMusic(noise, 22050);
    EXPECT_FALSE(heard.beatsFound);
    EXPECT_EQ(heard.tempo, 0.0);
    EXPECT_TRUE(heard.tempi.empty());
}

// A kick on every beat under hi-hats on the off-beats is counted on the
// kick, slow as it is, though the hi-hats repeat twice as fast.
TEST(SongStructure, CountsTheKickNotTheHiHats)
{
    for (double bpm : {64.0, 76.0, 92.0}) {
        const SynthSong song = synthesiseSong(1.0, {{16, bpm, 0.6f, true, true, 1}});
        EXPECT_NEAR(analyseMusic(song.samples, song.rate).tempo, bpm, 0.01 * bpm);
    }
}

// A song steady at 120 whose middle the tracker could count at 80 (a
// triplet feel over the same kick) keeps one tempo.
TEST(SongStructure, ShortSectionsAtAMetricalErrorJoinTheirNeighbours)
{
    std::vector<double> beats;
    for (int i = 0; i < 64; ++i)
        beats.push_back(1 + i * 0.5);
    for (int i = 1; i <= 14; ++i)
        beats.push_back(beats.back() + 0.75);
    for (int i = 0; i < 64; ++i)
        beats.push_back(beats.back() + 0.5);
    // Renders the kicks at those times; the analysis tracks them itself.
    SynthSong song = synthesiseSong(0, {{1, 120, 0.0f, false}});
    song.samples.assign(std::size_t((beats.back() + 2) * song.rate), 0.0f);
    for (double b : beats)
        for (std::size_t i = 0; i < std::size_t(0.2 * song.rate); ++i) {
            const double s = double(i) / song.rate;
            song.samples[std::size_t(b * song.rate) + i] += float(0.6 * std::exp(-s / 0.05) * std::sin(2 * 3.14159 * 60 * s));
        }
    const SongAnalysis music = analyseMusic(song.samples, song.rate);
    ASSERT_TRUE(music.beatsFound);
    for (const TempoSection& t : music.tempi)
        EXPECT_TRUE(std::abs(t.bpm - 120) < 1.0 || std::abs(t.bpm - 80) < 1.0) << t.bpm;
    EXPECT_NEAR(music.tempo, 120.0, 0.5);
    for (std::size_t k = 0; k + 1 < music.tempi.size(); ++k)
        EXPECT_GE(music.tempi[k + 1].start - music.tempi[k].start, 8 * 4 * 0.5 - 0.01) << "a section shorter than 8 bars";
}

// Songs whose tempo changes in the middle, with drums and with strings alone:
// two tempo sections, each within 1 % of its part's tempo, the change within
// a bar of where the music changes.
TEST(SongStructure, FollowsATempoChangeInsideASong)
{
    struct Case {
        double before, after;
        bool drums;
    };
    for (const Case& c : {Case{140, 120, true}, Case{96, 128, true}, Case{135, 100, false}}) {
        SCOPED_TRACE(testing::Message() << c.before << " then " << c.after << (c.drums ? " with drums" : " strings"));
        const SynthSong song = synthesiseSong(0.5, {{16, c.before, 0.5f, c.drums, c.drums, c.drums ? 1 : 2},
                                                    {16, c.after, 0.5f, c.drums, c.drums, 2}});
        const SongAnalysis music = analyseMusic(song.samples, song.rate);
        ASSERT_TRUE(music.beatsFound);
        ASSERT_EQ(music.tempi.size(), 2u);
        EXPECT_NEAR(music.tempi[0].bpm, c.before, 0.01 * c.before);
        EXPECT_NEAR(music.tempi[1].bpm, c.after, 0.01 * c.after);
        EXPECT_NEAR(music.tempi[1].start, song.partStarts[1], 4 * 60.0 / c.after);
    }
}
