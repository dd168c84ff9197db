// One tick of each show sequencer through the whole chain of controls: twelve
// recorder pressure bars, twelve level faders, four colour faders with their
// colour change. A tick must stay far below the 16 ms tick period.
#include "app/AppWindows.h"
#include "editor/AutomatTab.h"
#include "editor/EditorWindow.h"
#include "model/Random.h"
#include "show/SequencerPanel.h"

#include <QAbstractButton>
#include <QScrollBar>
#include <benchmark/benchmark.h>

#include <memory>

using namespace pluviane;

namespace {

// A show in which every tick moves every bar: forms swing between full and no
// pressure one step at a time, and the scenes lie far apart in colour.
struct BusyShow {
    BusyShow()
    {
        processRandom().reset();
        for (int g = 1; g <= kFaderGroups; ++g) {
            state->FormPressure[1][g] = 0;
            state->FormPressure[2][g] = 255;
            state->FormPressure[3][g] = 0;
        }
        for (int s = 1; s <= 3; ++s)
            for (int g = 1; g <= kFaderGroups; ++g)
                state->SceneColour[s][g] = static_cast<Byte>(60 * s + 10 * g);
        sequencer.rampStepBar()->setValue(1);
        sequencer.formLengthBar()->setValue(255);
        sequencer.formTimer().stop();
        sequencer.colourTimer().stop();
        sequencer.playFormButton()->click();
        sequencer.playColourButton()->click();
    }

    std::unique_ptr<FountainState> state = std::make_unique<FountainState>();
    std::unique_ptr<AppWindows> windows = std::make_unique<AppWindows>(*state);
    SequencerPanel& sequencer = windows->editor().automatTab().sequencer();
};

void BM_ShowTickForm(benchmark::State& bench)
{
    BusyShow show;
    for (auto _ : bench)
        show.sequencer.TimerSmenaFormTimer();
}

void BM_ShowTickColour(benchmark::State& bench)
{
    BusyShow show;
    for (auto _ : bench)
        show.sequencer.TimerSmenaColorTimer();
}

} // namespace

BENCHMARK(BM_ShowTickForm)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ShowTickColour)->Unit(benchmark::kMicrosecond);
