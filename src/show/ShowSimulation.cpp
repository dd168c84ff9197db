#include "show/ShowSimulation.h"

#include "app/AppWindows.h"
#include "app/MainWindow.h"
#include "editor/AutomatTab.h"
#include "editor/EditorWindow.h"
#include "app/PresetList.h"
#include "engine/ShowDriver.h"
#include "show/SequencerPanel.h"

#include <QAbstractButton>
#include <QTimer>


namespace pluviane {

ShowSimulation::ShowSimulation(AppWindows& windows) : windows_(windows)
{
    stopLiveTimers();
}

void ShowSimulation::stopLiveTimers()
{
    // Time here moves only when the clock is advanced, never with the wall clock.
    windows_.main().renderTimer().stop();
    // The start-up preset load would replace the fountain in the middle of the show.
    windows_.main().presets().timerCreate().stop();
    for (QWidget* window : {static_cast<QWidget*>(&windows_.main()), static_cast<QWidget*>(&windows_.editor())})
        for (QTimer* timer : window->findChildren<QTimer*>())
            timer->stop();
}

void ShowSimulation::start(bool followTrack)
{
    now_ = 0;
    nextRenderTick_ = ShowDriver::kRenderTickMicros;
    pressPlay(followTrack);
}

void ShowSimulation::advanceTo(std::int64_t micros)
{
    SequencerPanel& sequencer = windows_.editor().automatTab().sequencer();
    SimulatedTicks ticks{now_, nextRenderTick_};
    ticks.advanceTo(micros, playing_ ? &sequencer.clock() : nullptr, [&sequencer] { sequencer.runDueTicks(); },
                    [this] { renderTick(); });
}

void ShowSimulation::renderTick() { windows_.main().Timer1Timer(); }

void ShowSimulation::pressPlay(bool followTrack)
{
    SequencerPanel& sequencer = windows_.editor().automatTab().sequencer();
    sequencer.formTimer().stop();
    sequencer.colourTimer().stop();
    // Form 1 and scene 1, whatever the file left the counters at.
    sequencer.startFormButton()->click();
    sequencer.startColorButton()->click();
    sequencer.playFormButton()->click();
    sequencer.playColorButton()->click();
    // The clock counts simulated time from 0; the music's time is the same.
    sequencer.clock().setTickSource([this] { return now_; });
    const ShowTrack& track = windows_.state().Track;
    if (followTrack && !track.cues.empty())
        sequencer.clock().follow(&track, [this] { return now_ / 1000; });
    else
        sequencer.clock().stopFollowing();
    playing_ = true;
}

} // namespace pluviane
