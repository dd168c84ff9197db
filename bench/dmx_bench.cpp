// The DMX output's cost on the render tick: one frame of 64 channels gathered
// from the fountain and handed to the sender, with the OLA daemon running and
// with it stopped; and one frame all the way into the daemon's socket. The
// program's heap over a long show with DMX on must stay flat: the last one
// plays show ticks and DMX frames and reports the heap's growth.
#include "PrivateOlad.h"

#include "app/AppWindows.h"
#include "app/MainWindow.h"
#include "dmx/DmxSender.h"
#include "editor/AutomatTab.h"
#include "editor/EditorWindow.h"
#include "model/DmxPatch.h"
#include "model/Random.h"
#include "show/DmxPanel.h"
#include "show/SequencerPanel.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCoreApplication>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

#include <memory>

#include <malloc.h>

using namespace pluviane;
using namespace std::chrono_literals;

namespace {

std::unique_ptr<FountainState> showingFountain()
{
    auto state = std::make_unique<FountainState>();
    for (int g = 1; g <= kMaxGroup; ++g) {
        state->GroupLevel[g] = Byte(g * 15);
        state->GroupColour[g] = {Byte(g), Byte(2 * g), Byte(3 * g), 255};
        state->JetGroup[g] = Byte(g);  // every group owns a nozzle, so every channel is sent
    }
    return state;
}

// A daemon for the whole run, started on first use.
test::PrivateOlad* daemon(benchmark::State& bench)
{
    static test::PrivateOlad olad;
    static QString why;
    static const bool started = olad.start(&why);
    if (!started) {
        bench.SkipWithError(("no OLA daemon: " + why).toStdString().c_str());
        return nullptr;
    }
    return &olad;
}

// A showing fountain whose frames go to a sender; every frame differs a little.
struct Rig {
    Rig(std::uint16_t port, std::chrono::milliseconds retry) : sender({port, retry}) {}

    void tick()
    {
        sender.send(patch.universe, dmxFrame(*state, patch));
        ++state->GroupLevel[1];
    }

    std::unique_ptr<FountainState> state = showingFountain();
    DmxSender sender;
    const DmxPatch patch;
};

void BM_DmxTick(benchmark::State& bench)
{
    test::PrivateOlad* olad = daemon(bench);
    if (!olad)
        return;
    Rig rig(olad->port(), 3000ms);
    for (auto _ : bench)
        rig.tick();
}

void BM_DmxFrameIntoDaemon(benchmark::State& bench)
{
    test::PrivateOlad* olad = daemon(bench);
    if (!olad)
        return;
    Rig rig(olad->port(), 3000ms);
    for (auto _ : bench) {
        rig.tick();
        if (!rig.sender.flush(1000ms)) {
            bench.SkipWithError("the daemon took no frame");
            break;
        }
    }
}

// The sender tries to reconnect every millisecond here, far more often than
// the program's three seconds, and the tick must not feel it.
void BM_DmxTickDaemonStopped(benchmark::State& bench)
{
    std::uint16_t nobody = 0;
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        nobody = probe.serverPort();
    }
    Rig rig(nobody, 1ms);
    for (auto _ : bench)
        rig.tick();
}

// A show playing in the whole program with DMX on, a frame at every show tick:
// "heap_KiB" is how far the heap grew over the run (20 000 ticks are 17
// minutes of frames at the render tick's rate).
void BM_DmxShowHeapGrowth(benchmark::State& bench)
{
    test::PrivateOlad* olad = daemon(bench);
    if (!olad)
        return;
    processRandom().reset();
    QTemporaryDir config;
    auto state = showingFountain();
    for (int g = 1; g <= kFaderGroups; ++g) {
        state->FormPressure[1][g] = 0;
        state->FormPressure[2][g] = 255;
        state->SceneColour[1][g] = Byte(10 * g);
        state->SceneColour[2][g] = Byte(250 - 10 * g);
    }
    auto windows = std::make_unique<AppWindows>(*state);
    SequencerPanel& show = windows->editor().automatTab().sequencer();
    DmxPanel& dmx = windows->editor().automatTab().dmx();
    dmx.setSettingsPath(config.filePath("plv.ini"));
    dmx.setOlaOptions({olad->port(), 200ms});
    show.formTimer().stop();
    show.colourTimer().stop();
    show.playFormButton()->click();
    show.playColourButton()->click();
    dmx.dmxCheck()->click();
    const auto tick = [&] {
        show.TimerSmenaFormTimer();
        show.TimerSmenaColorTimer();
        QCoreApplication::processEvents();
        QThread::usleep(300);  // lets the sender take most frames
    };
    for (int i = 0; i < 2000; ++i)  // caches and the connection settle first
        tick();
    const std::size_t before = mallinfo2().uordblks;
    for (auto _ : bench)
        tick();
    bench.counters["heap_KiB"] =
        (static_cast<double>(mallinfo2().uordblks) - static_cast<double>(before)) / 1024.0;
}

} // namespace

BENCHMARK(BM_DmxShowHeapGrowth)->Iterations(20000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DmxTick)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DmxFrameIntoDaemon)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DmxTickDaemonStopped)->Unit(benchmark::kMicrosecond);
