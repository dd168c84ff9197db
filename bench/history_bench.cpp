// What every press and release of a mouse button or key costs the edit
// history and the unsaved-changes test: the image a save would write, built
// from all the controls, and its comparison with the last step. Both must stay
// far below what a user could notice (a few milliseconds).
#include "app/AppWindows.h"
#include "editor/EditHistory.h"
#include "editor/EditorWindow.h"
#include "editor/FileCommands.h"
#include "model/FountainChanges.h"
#include "model/Random.h"

#include <QScrollBar>
#include <benchmark/benchmark.h>

#include <memory>

using namespace pluviane;

namespace {

struct EditedProgram {
    EditedProgram() { processRandom().reset(); }
    std::unique_ptr<FountainState> state = std::make_unique<FountainState>();
    std::unique_ptr<AppWindows> windows = std::make_unique<AppWindows>(*state);
    FileCommands& files = windows->editor().fileCommands();
};

void BM_ImageToSave(benchmark::State& bench)
{
    EditedProgram p;
    for (auto _ : bench)
        benchmark::DoNotOptimize(p.files.imageToSave());
}

void BM_CommitUnchangedStep(benchmark::State& bench)
{
    EditedProgram p;
    for (auto _ : bench)
        p.files.history().commitStep();
}

// A bowl bar moved and the step recorded, again and again: the history stays at its limit.
void BM_CommitChangedStep(benchmark::State& bench)
{
    EditedProgram p;
    auto* cup = p.windows->editor().findChild<QScrollBar*>("ScrollBarCupWidthX");
    int width = 21;
    for (auto _ : bench) {
        width = width < 255 ? width + 1 : 21;
        cup->setValue(width);
        p.files.history().commitStep();
    }
}

void BM_UndoRedoStep(benchmark::State& bench)
{
    EditedProgram p;
    auto* cup = p.windows->editor().findChild<QScrollBar*>("ScrollBarCupWidthX");
    cup->setValue(60);
    p.files.history().commitStep();
    for (auto _ : bench) {
        p.files.history().undo();
        p.files.history().redo();
    }
}

void BM_DesignDiffersOnEqualImages(benchmark::State& bench)
{
    const FountainImage a{};
    FountainImage b{};
    b[200] = 1; // a camera byte: the slow path through every byte
    for (auto _ : bench)
        benchmark::DoNotOptimize(designDiffers(a, b));
}

} // namespace

BENCHMARK(BM_ImageToSave)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CommitUnchangedStep)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CommitChangedStep)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UndoRedoStep)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DesignDiffersOnEqualImages)->Unit(benchmark::kMicrosecond);
