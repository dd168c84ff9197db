// The DMX output's cost on the render tick: one frame of 64 channels gathered
// from the fountain and handed to the sender, with the OLA daemon running and
// with it stopped; and one frame all the way into the daemon's socket.
#include "PrivateOlad.h"

#include "dmx/DmxSender.h"
#include "model/DmxPatch.h"

#include <QTcpServer>

#include <benchmark/benchmark.h>

#include <memory>

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

} // namespace

BENCHMARK(BM_DmxTick)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DmxFrameIntoDaemon)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DmxTickDaemonStopped)->Unit(benchmark::kMicrosecond);
