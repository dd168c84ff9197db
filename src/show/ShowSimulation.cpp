#include "show/ShowSimulation.h"

#include "app/AppWindows.h"
#include "app/MainWindow.h"
#include "editor/AutomatTab.h"
#include "editor/EditorWindow.h"
#include "show/SequencerPanel.h"

#include <QTimer>

#include <algorithm>

namespace pluviane {

namespace {
constexpr std::int64_t kRenderTickMicros = 50'000;
constexpr std::int64_t kSequencerTickMicros = 16'000;

// The sequencer panel's play buttons and ticks, reached only where the panel has them.
template <typename Panel>
bool pressPlayOn(Panel& sequencer)
{
    if constexpr (requires { sequencer.playFormButton(); sequencer.formTimer(); }) {
        sequencer.formTimer().stop();
        sequencer.colourTimer().stop();
        sequencer.playFormButton()->click();
        sequencer.playColorButton()->click();
        return true;
    }
    return false;
}

template <typename Panel>
void tickOn(Panel& sequencer)
{
    if constexpr (requires { sequencer.TimerSmenaFormTimer(); }) {
        sequencer.TimerSmenaFormTimer();
        sequencer.TimerSmenaColorTimer();
    }
}
} // namespace

ShowSimulation::ShowSimulation(AppWindows& windows) : windows_(windows)
{
    stopLiveTimers();
}

void ShowSimulation::stopLiveTimers()
{
    // Time here moves only when the clock is advanced, never with the wall clock.
    windows_.main().renderTimer().stop();
    for (QWidget* window : {static_cast<QWidget*>(&windows_.main()), static_cast<QWidget*>(&windows_.editor())})
        for (QTimer* timer : window->findChildren<QTimer*>())
            timer->stop();
}

void ShowSimulation::start()
{
    now_ = 0;
    nextRenderTick_ = kRenderTickMicros;
    pressPlay();
}

void ShowSimulation::advanceTo(std::int64_t micros)
{
    // At equal times the show moves before the view, as a sequencer tick
    // that lands on a render tick reaches its picture.
    for (;;) {
        const std::int64_t next = playing_ ? std::min(nextSequencerTick_, nextRenderTick_) : nextRenderTick_;
        if (next > micros)
            break;
        now_ = next;
        if (playing_ && nextSequencerTick_ == next) {
            sequencerTick();
            nextSequencerTick_ += kSequencerTickMicros;
        }
        if (nextRenderTick_ == next) {
            renderTick();
            nextRenderTick_ += kRenderTickMicros;
        }
    }
    now_ = micros;
}

void ShowSimulation::renderTick() { windows_.main().Timer1Timer(); }

void ShowSimulation::pressPlay()
{
    playing_ = pressPlayOn(windows_.editor().automatTab().sequencer());
    nextSequencerTick_ = kSequencerTickMicros;
}

void ShowSimulation::sequencerTick()
{
    tickOn(windows_.editor().automatTab().sequencer());
}

} // namespace pluviane
