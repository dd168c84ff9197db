// A show drafted from a three-minute song: decoding, analysis and draft, the
// wait a designer has after pressing the draft button (target: under 5 s);
// and the peak memory of drafting a thirty-minute file (target: 150 MB).
#include "music/MusicAnalysis.h"
#include "music/ShowDraft.h"
#include "SynthSong.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <benchmark/benchmark.h>

#include <sys/resource.h>

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

// The three-minute song ten times over, written piece by piece so the bench
// itself never holds thirty minutes of sound.
bool writeThirtyMinutes(const QString& path)
{
    const test::SynthSong& song = threeMinuteSong();
    QByteArray piece(qsizetype(song.samples.size()) * 2, '\0');
    for (std::size_t i = 0; i < song.samples.size(); ++i)
        qToLittleEndian<qint16>(qint16(32000 * std::clamp(song.samples[i], -1.0f, 1.0f)), piece.data() + 2 * i);
    constexpr int kCopies = 10;
    const quint32 bytes = quint32(piece.size()) * kCopies;
    QByteArray header("RIFF");
    auto put32 = [&header](quint32 v) { header.append(reinterpret_cast<const char*>(&v), 4); };
    auto put16 = [&header](quint16 v) { header.append(reinterpret_cast<const char*>(&v), 2); };
    put32(36 + bytes);
    header.append("WAVEfmt ");
    put32(16), put16(1), put16(1), put32(quint32(song.rate)), put32(quint32(song.rate) * 2), put16(2), put16(16);
    header.append("data");
    put32(bytes);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(header) != header.size())
        return false;
    for (int k = 0; k < kCopies; ++k)
        if (file.write(piece) != piece.size())
            return false;
    return true;
}

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

void BM_DraftThirtyMinuteFile(benchmark::State& bench)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("long.wav"));
    if (!writeThirtyMinutes(path)) {
        bench.SkipWithError("cannot write the file");
        return;
    }
    const auto state = twelveGroupFountain();
    const double before = peakMegabytes();
    for (auto _ : bench)
        benchmark::DoNotOptimize(draftShowForMusic(path, *state, 3, 3).draft.track.cues.size());
    bench.counters["peak_MB"] = peakMegabytes();
    bench.counters["peak_before_MB"] = before;
}
BENCHMARK(BM_DraftThirtyMinuteFile)->Unit(benchmark::kMillisecond)->Iterations(1);

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
