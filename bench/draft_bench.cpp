// A show drafted from a three-minute song: decoding, analysis and draft, the
// wait a designer has after pressing the draft button (target: under 5 s).
#include "music/MusicAnalysis.h"
#include "music/ShowDraft.h"
#include "SynthSong.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>

using namespace pluviane;

namespace {

// Three minutes at 120 a minute, quiet and loud parts in turn, after a second of silence.
const test::SynthSong& threeMinuteSong()
{
    static const test::SynthSong song = test::synthesiseSong(
        1.0, {{16, 120, 0.1f, false}, {32, 120, 0.7f, true}, {16, 120, 0.2f, false}, {25, 120, 0.7f, true}});
    return song;
}

std::unique_ptr<FountainState> twelveGroupFountain()
{
    auto state = std::make_unique<FountainState>();
    for (int n = 16; n < 16 + 12 * 10; ++n) {
        state->JetGroup[n] = Byte(1 + (n - 16) / 10);
        state->JetPos[n][1] = Byte(60 + n % 80);
        state->JetPos[n][2] = Byte(100);
    }
    return state;
}

void BM_DraftThreeMinuteSong(benchmark::State& bench)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("song.wav"));
    test::writeWav(path, threeMinuteSong().samples, threeMinuteSong().rate);
    const auto state = twelveGroupFountain();
    for (auto _ : bench) {
        const MusicFileDraft made = draftShowForMusic(path, *state, 3, 3);
        benchmark::DoNotOptimize(made.draft.track.cues.size());
    }
}
BENCHMARK(BM_DraftThreeMinuteSong)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_AnalyseThreeMinuteSong(benchmark::State& bench)
{
    const test::SynthSong& song = threeMinuteSong();
    for (auto _ : bench)
        benchmark::DoNotOptimize(analyseMusic(song.samples, song.rate).beats.size());
}
BENCHMARK(BM_AnalyseThreeMinuteSong)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_DraftFromAnalysis(benchmark::State& bench)
{
    const test::SynthSong& song = threeMinuteSong();
    const SongAnalysis music = analyseMusic(song.samples, song.rate);
    const auto state = twelveGroupFountain();
    for (auto _ : bench)
        benchmark::DoNotOptimize(draftShow(music, *state, 3, 3).track.cues.size());
}
BENCHMARK(BM_DraftFromAnalysis)->Unit(benchmark::kMillisecond);

} // namespace
