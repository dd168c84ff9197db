// The gaps between DMX frames as a receiver sees them while a show plays in
// the whole program with its 3D view drawing (under Xvfb: software OpenGL,
// slow frames). Frames must keep their pace whatever the drawing does:
// "median_gap_ms" and "p90_gap_ms" near the sender's pace, "max_gap_ms" far
// below a drawn frame's time. The receiver listens on a thread of its own,
// so the window thread's stalls do not stretch what it measures.
#include "PrivateOlad.h"

#include "app/AppWindows.h"
#include "app/MainWindow.h"
#include "app/PresetList.h"
#include "editor/AutomatTab.h"
#include "editor/EditorWindow.h"
#include "editor/FileCommands.h"
#include "model/Random.h"
#include "show/DmxPanel.h"
#include "show/SequencerPanel.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

using namespace pluviane;
using namespace std::chrono_literals;

namespace {

// Arrival times of the frames, in microseconds of one clock.
std::vector<std::int64_t> receiveFrames(std::uint16_t port, const std::atomic<bool>& stop,
                                        const QElapsedTimer& clock)
{
    std::vector<std::int64_t> arrivals;
    test::DmxReceiver receiver;
    if (!receiver.connect(port, 1))
        return arrivals;
    int seen = 0;
    receiver.waitFor(
        [&](const DmxFrame&) {
            for (; seen < receiver.frames(); ++seen)
                arrivals.push_back(clock.nsecsElapsed() / 1000);
            return stop.load();
        },
        600'000);
    return arrivals;
}

double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::size_t(p * double(values.size() - 1))];
}

void BM_DmxFrameGapsWhileDrawing(benchmark::State& bench)
{
    static test::PrivateOlad olad;
    static QString why;
    static const bool started = olad.start(&why);
    if (!started) {
        bench.SkipWithError(("no OLA daemon: " + why).toStdString().c_str());
        return;
    }
    processRandom().reset();
    QTemporaryDir config;
    auto state = std::make_unique<FountainState>();
    auto windows = std::make_unique<AppWindows>(*state);
    windows->main().presets().timerCreate().stop();
    windows->editor().fileCommands().openFountainNamedOutside(
        QStringLiteral(PLUVIANE_SOURCE_DIR "/examples/classic_round.wat"));
    windows->main().resize(1024, 768);
    windows->main().show();
    SequencerPanel& show = windows->editor().automatTab().sequencer();
    DmxPanel& dmx = windows->editor().automatTab().dmx();
    dmx.setSettingsPath(config.filePath("plv.ini"));
    dmx.setOlaOptions({olad.port(), 200ms});
    show.playFormButton()->click();
    show.playColourButton()->click();

    QElapsedTimer clock;
    clock.start();
    std::atomic<bool> stop{false};
    std::vector<std::int64_t> arrivals;
    std::thread receiver([&] { arrivals = receiveFrames(olad.port(), stop, clock); });
    dmx.dmxCheck()->click();
    for (auto _ : bench) {
        QEventLoop loop;
        QTimer::singleShot(int(bench.range(0)), &loop, &QEventLoop::quit);
        loop.exec();
    }
    stop = true;
    receiver.join();
    dmx.dmxCheck()->click();

    std::vector<double> gaps;
    // The first second is the connection settling.
    for (std::size_t i = 1; i < arrivals.size(); ++i)
        if (arrivals[i - 1] > 1'000'000)
            gaps.push_back(double(arrivals[i] - arrivals[i - 1]) / 1000.0);
    bench.counters["frames"] = double(gaps.size());
    bench.counters["median_gap_ms"] = percentile(gaps, 0.5);
    bench.counters["p90_gap_ms"] = percentile(gaps, 0.9);
    bench.counters["max_gap_ms"] = percentile(gaps, 1.0);
}

} // namespace

BENCHMARK(BM_DmxFrameGapsWhileDrawing)->Arg(8000)->Iterations(1)->Unit(benchmark::kMillisecond);
