// The show to music: a five-minute song made ready for the timeline (decoded,
// its waveform summarised, its beats found), the timeline repainted, and the
// sequencer's tick rate while the render tick holds the event loop 40 ms a frame.
#include "app/AppWindows.h"
#include "app/MainWindow.h"
#include "editor/AutomatTab.h"
#include "editor/EditorWindow.h"
#include "model/Random.h"
#include "model/ShowTrack.h"
#include "music/BeatTracker.h"
#include "music/MusicDecoder.h"
#include "music/MusicWriter.h"
#include "music/Waveform.h"
#include "show/SequencerPanel.h"
#include "engine/ShowClock.h"
#include "show/SoundPlayer.h"
#include "show/TimelineView.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QLabel>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

using namespace pluviane;

namespace {

constexpr int kRate = 44100;

// Five minutes at 126 beats a minute: a kick, a hat and a chord, stereo-free.
const QString& fiveMinuteSong()
{
    static QTemporaryDir folder;
    static const QString path = [] {
        const QString name = folder.filePath(QStringLiteral("five.flac"));
        std::vector<float> song(std::size_t(300 * kRate));
        std::uint32_t noise = 1;
        for (std::size_t i = 0; i < song.size(); ++i) {
            const double t = double(i) / kRate, inBeat = std::fmod(t, 60.0 / 126);
            noise = noise * 1664525u + 1013904223u;
            const double white = double(noise >> 8) / double(1 << 24) * 2 - 1;
            song[i] = float(std::tanh(0.7 * std::sin(2 * M_PI * 50 * inBeat) * std::exp(-inBeat * 9) +
                                      0.4 * white * std::exp(-inBeat * 120) + 0.1 * std::sin(2 * M_PI * 220 * t)));
        }
        writeFlac(name, song, kRate);
        return name;
    }();
    return path;
}

void BM_WaveformOfFiveMinutes(benchmark::State& bench)
{
    for (auto _ : bench) {
        const DecodedMusic music = decodeMusic(fiveMinuteSong());
        benchmark::DoNotOptimize(summarisePeaks(music.samples, music.sampleRate));
    }
}

void BM_BeatsOfFiveMinutes(benchmark::State& bench)
{
    const DecodedMusic music = decodeMusic(fiveMinuteSong());
    for (auto _ : bench)
        bench.counters["tempo"] = trackBeats(music.samples, music.sampleRate).tempo;
}

// The five-minute song's waveform and beats, as the timeline shows them.
struct FiveMinuteAnalysis {
    FiveMinuteAnalysis()
    {
        const DecodedMusic music = decodeMusic(fiveMinuteSong());
        peaks = summarisePeaks(music.samples, music.sampleRate);
        beats = trackBeats(music.samples, music.sampleRate);
        lengthMs = std::llround(music.seconds() * 1000);
    }
    WaveformPeaks peaks;
    BeatGrid beats;
    std::int64_t lengthMs = 0;
};

void BM_TimelineRepaint(benchmark::State& bench)
{
    const FiveMinuteAnalysis song;
    ShowTrack track;
    for (double beat : song.beats.beats)
        track.cues.push_back({std::llround(beat * 1000), 1 + int(track.cues.size() % 9), int(track.cues.size() % 3)});
    TimelineView view(track);
    view.resize(1200, 200);
    view.setMusic(&song.peaks, &song.beats, song.lengthMs);
    view.setZoom(double(bench.range(0)));
    view.select({{1, FormRow}, {2, SceneRow}, {4, FormRow}});
    view.setPlayHead(3000);
    QImage image(view.size(), QImage::Format_RGB32);
    for (auto _ : bench)
        view.render(&image);
}

// The most cues a track holds, all in view (every 50 ms over five minutes), with
// a selection, markers and a loop: one repaint should fit a 60 Hz frame (16 ms).
void BM_TimelineRepaintSixThousandCues(benchmark::State& bench)
{
    const FiveMinuteAnalysis song;
    ShowTrack track;
    for (int i = 0; i < kMaxTrackCues; ++i)
        track.cues.push_back({i * 50, 1 + i % 9, i % 3 == 0 ? 1 + i % 7 : 0, SceneChange::Fade, 800});
    for (int i = 0; i < 40; ++i)
        track.markers.push_back({i * 7000, QStringLiteral("Маркер %1").arg(i)});
    TimelineView view(track);
    view.resize(1200, 200);
    view.setMusic(&song.peaks, &song.beats, 300'000);
    view.zoomToFit();
    view.selectAll();
    view.setLoop({60'000, 90'000});
    view.setPlayHead(150'000);
    QImage image(view.size(), QImage::Format_RGB32);
    for (auto _ : bench)
        view.render(&image);
}

// The same view scrolled before every repaint (the wheel, a page turned while
// playing): the waveform, beats and ruler are drawn again each time.
void BM_TimelineRepaintScrolled(benchmark::State& bench)
{
    const FiveMinuteAnalysis song;
    ShowTrack track;
    for (int i = 0; i < kMaxTrackCues; ++i)
        track.cues.push_back({i * 50, 1 + i % 9, i % 3 == 0 ? 1 + i % 7 : 0});
    TimelineView view(track);
    view.resize(1200, 200);
    view.setMusic(&song.peaks, &song.beats, 300'000);
    view.setZoom(double(bench.range(0)));
    QImage image(view.size(), QImage::Format_RGB32);
    std::int64_t scroll = 0;
    for (auto _ : bench) {
        scroll = (scroll + 7'000) % 150'000;
        view.setScroll(scroll);
        view.render(&image);
    }
}

// A paste of 1000 cues from the clipboard into a track of 5000 (target 50 ms).
void BM_PasteThousandCues(benchmark::State& bench)
{
    ShowTrack full;
    for (int i = 0; i < 5000; ++i)
        full.cues.push_back({i * 60, 1 + i % 9, i % 4});
    std::vector<ShowCue> clip;
    for (int i = 0; i < 1000; ++i)
        clip.push_back({i * 125, 1 + i % 5, i % 2 ? 2 : 0, SceneChange::Cut});
    QGuiApplication::clipboard()->setText(QString::fromUtf8(formatCueLabels(clip)));
    ShowTrack track;
    TimelineView view(track);
    for (auto _ : bench) {
        bench.PauseTiming();
        track = full;
        view.trackChanged();
        view.setPlayHead(100'000);
        bench.ResumeTiming();
        view.paste();
    }
    bench.counters["cues"] = double(track.cues.size());
}

// The render tick (20 a second) takes 40 ms a frame; the show ticks must still
// come 62.5 times a second.
void BM_TickRateUnderSlowFrames(benchmark::State& bench)
{
    processRandom().reset();
    auto state = std::make_unique<FountainState>();
    AppWindows windows(*state);
    windows.main().renderTimer().stop();
    SequencerPanel& sequencer = windows.editor().automatTab().sequencer();
    sequencer.formLengthBar()->setValue(300);
    auto* ticks = windows.editor().findChild<QLabel*>(QStringLiteral("LabelDeltaForm"));
    QTimer slowFrame;
    slowFrame.setTimerType(Qt::PreciseTimer);
    QObject::connect(&slowFrame, &QTimer::timeout, [] { QThread::msleep(40); });
    for (auto _ : bench) {
        sequencer.startFormButton()->click();
        sequencer.playFormButton()->click();
        sequencer.clock().restart();
        slowFrame.start(50);
        QElapsedTimer wall;
        wall.start();
        QEventLoop loop;
        QTimer::singleShot(4000, &loop, &QEventLoop::quit);
        loop.exec();
        slowFrame.stop();
        sequencer.stopFormButton()->click();
        const double seconds = wall.nsecsElapsed() * 1e-9;
        bench.counters["ticks_per_s"] = (ticks->text().toDouble() - 1) / seconds;
    }
}


// The show time against the real player: at each new position the player
// reports, how far the smoothed time had run from it (the cue error a player
// of this kind gives), and how often the player reports.
void BM_MusicClockAgainstPlayer(benchmark::State& bench)
{
    MediaSoundPlayer player;
    QEventLoop wait;
    QObject::connect(&player, &SoundPlayer::opened, &wait, &QEventLoop::quit);
    QObject::connect(&player, &SoundPlayer::failed, &wait, &QEventLoop::quit);
    QTimer::singleShot(5000, &wait, &QEventLoop::quit);
    player.open(QStringLiteral(PLUVIANE_SOURCE_DIR "/examples/song_round.flac"));
    wait.exec();
    TimeSource monotonic = monotonicSource();
    for (auto _ : bench) {
        SmoothedPosition smooth;
        player.seek(0);
        player.play();
        std::int64_t last = -1, reports = 0, worst = 0;
        QElapsedTimer wall;
        wall.start();
        while (wall.elapsed() < 6000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
            const std::int64_t reported = player.position();
            const std::int64_t shown = smooth.at(reported, player.playing(), monotonic());
            if (reported != last && last >= 0 && player.playing()) {
                ++reports;
                worst = std::max<std::int64_t>(worst, std::llabs(shown - reported));
            }
            last = reported;
            QThread::usleep(1000);
        }
        player.stop();
        bench.counters["reports_per_s"] = double(reports) / 6.0;
        bench.counters["worst_ms"] = double(worst);
    }
}

} // namespace

BENCHMARK(BM_MusicClockAgainstPlayer)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_WaveformOfFiveMinutes)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_BeatsOfFiveMinutes)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_TimelineRepaint)->Arg(20)->Arg(250)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TimelineRepaintSixThousandCues)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TimelineRepaintScrolled)->Arg(20)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PasteThousandCues)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TickRateUnderSlowFrames)->Unit(benchmark::kMillisecond)->Iterations(1);
