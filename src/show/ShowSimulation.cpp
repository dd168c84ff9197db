#include "show/ShowSimulation.h"

#include "app/AppWindows.h"
#include "app/MainWindow.h"
#include "editor/AutomatTab.h"
#include "editor/EditorWindow.h"
#include "show/SequencerPanel.h"
#if __has_include("app/PresetList.h")
#include "app/PresetList.h"
#define PLUVIANE_HAS_PRESET_LIST 1
#endif

#include <QAbstractButton>
#include <QTimer>

#include <algorithm>

namespace pluviane {

namespace {
constexpr std::int64_t kRenderTickMicros = 50'000;
constexpr std::int64_t kSequencerTickMicros = kShowTickMs * 1000;
} // namespace

ShowSimulation::ShowSimulation(AppWindows& windows) : windows_(windows)
{
    stopLiveTimers();
}

void ShowSimulation::stopLiveTimers()
{
    // Time here moves only when the clock is advanced, never with the wall clock.
    windows_.main().renderTimer().stop();
#ifdef PLUVIANE_HAS_PRESET_LIST
    // The start-up preset load would replace the fountain in the middle of the show.
    windows_.main().presets().timerCreate().stop();
#endif
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
    SequencerPanel& sequencer = windows_.editor().automatTab().sequencer();
    sequencer.formTimer().stop();
    sequencer.colourTimer().stop();
    // Form 1 and scene 1, whatever the file left the counters at.
    sequencer.startFormButton()->click();
    sequencer.startColorButton()->click();
    sequencer.playFormButton()->click();
    sequencer.playColorButton()->click();
    playing_ = true;
    nextSequencerTick_ = kSequencerTickMicros;
}

void ShowSimulation::sequencerTick()
{
    SequencerPanel& sequencer = windows_.editor().automatTab().sequencer();
    sequencer.TimerSmenaFormTimer();
    sequencer.TimerSmenaColorTimer();
}

} // namespace pluviane
