// The recovery copy of a changed fountain: what one copy costs the window
// (taking the image a save would write and handing it to the worker; target
// under 1 ms, so no frame is missed) and in all, the worker's atomic writes of
// image and sidecar included.
#include "app/AppWindows.h"
#include "editor/EditorWindow.h"
#include "editor/FileCommands.h"
#include "editor/RecoveryCopy.h"
#include "model/Random.h"

#include <QScrollBar>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>

using namespace pluviane;

namespace {

// A program with a changed fountain, keeping its copies in a folder of its own.
struct ChangedProgram {
    ChangedProgram()
    {
        qputenv("XDG_STATE_HOME", stateHome.path().toLocal8Bit());
        processRandom().reset();
        windows = std::make_unique<AppWindows>(state);
        files().recovery().start();
        QScrollBar* bowl = windows->editor().findChild<QScrollBar*>(QStringLiteral("ScrollBarCupWidthX"));
        bowl->setValue(bowl->value() + 5);
    }
    ~ChangedProgram() { qputenv("XDG_STATE_HOME", before); }
    FileCommands& files() { return windows->editor().fileCommands(); }

    QByteArray before = qgetenv("XDG_STATE_HOME");
    QTemporaryDir stateHome;
    FountainState state;
    std::unique_ptr<AppWindows> windows;
};

// What look() does on the window thread when a copy is due.
void handOver(FileCommands& files)
{
    const FountainImage now = files.imageToSave();
    benchmark::DoNotOptimize(files.isChanged(now));
    files.recovery().writeSoon(now);
}

void BM_RecoveryCopyOnWindowThread(benchmark::State& bench)
{
    ChangedProgram program;
    for (auto _ : bench) {
        handOver(program.files());
        bench.PauseTiming();
        program.files().recovery().waitForWrites();
        bench.ResumeTiming();
    }
}

void BM_RecoveryCopyInAll(benchmark::State& bench)
{
    ChangedProgram program;
    for (auto _ : bench) {
        handOver(program.files());
        program.files().recovery().waitForWrites();
    }
}

} // namespace

BENCHMARK(BM_RecoveryCopyOnWindowThread)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RecoveryCopyInAll)->Unit(benchmark::kMillisecond);
