#include "show/WindowShowControls.h"

#include "app/AppWindows.h"
#include "editor/AutomatTab.h"
#include "editor/EditorWindow.h"
#include "editor/ManualTab.h"
#include "show/RecorderWindow.h"
#include "show/SequencerPanel.h"

#include <QAbstractButton>
#include <QScrollBar>

namespace pluviane {

QScrollBar* WindowShowControls::bar(ShowValue what, int group) const
{
    RecorderWindow& recorder = windows_.recorder();
    ManualTab& manual = windows_.editor().manualTab();
    SequencerPanel& sequencer = windows_.editor().automatTab().sequencer();
    switch (what) {
    case ShowValue::Pressure: return recorder.pressureBar(group);
    case ShowValue::RiseRate: return recorder.riseRateBar(group);
    case ShowValue::SceneColour: return recorder.colourBar(group);
    case ShowValue::AllPressure: return recorder.allPressureBar();
    case ShowValue::AllColour: return recorder.allColourBar();
    case ShowValue::FormNumber: return recorder.formNumberBar();
    case ShowValue::FormCount: return recorder.formCountBar();
    case ShowValue::SceneNumber: return recorder.sceneNumberBar();
    case ShowValue::SceneCount: return recorder.sceneCountBar();
    case ShowValue::Level: return manual.levelFader(group);
    case ShowValue::ColourFader: return manual.colourFader(group);
    case ShowValue::Saturation: return manual.saturationBar();
    case ShowValue::Brightness: return manual.brightnessBar();
    case ShowValue::FormStep: return sequencer.rampStepBar();
    case ShowValue::FormLength: return sequencer.formLengthBar();
    case ShowValue::ColourStep: return sequencer.colourStepBar();
    case ShowValue::SceneLength: return sequencer.sceneLengthBar();
    default: return nullptr;
    }
}

QAbstractButton* WindowShowControls::latch(ShowValue what) const
{
    SequencerPanel& sequencer = windows_.editor().automatTab().sequencer();
    switch (what) {
    case ShowValue::FormPlay: return sequencer.playFormButton();
    case ShowValue::FormStop: return sequencer.stopFormButton();
    case ShowValue::ColourPlay: return sequencer.playColourButton();
    case ShowValue::ColourStop: return sequencer.stopColourButton();
    default: return nullptr;
    }
}

int WindowShowControls::value(ShowValue what, int group) const
{
    if (QScrollBar* b = bar(what, group))
        return b->value();
    if (QAbstractButton* button = latch(what))
        return button->isChecked() ? 1 : 0;
    switch (what) {
    case ShowValue::FormTicks: return formTicks_;
    case ShowValue::SceneTicks: return sceneTicks_;
    case ShowValue::FormShown: return formShown_;
    case ShowValue::SceneShown: return sceneShown_;
    default: return 0; // a group without a control
    }
}

void WindowShowControls::setValue(ShowValue what, int group, int value)
{
    if (QScrollBar* b = bar(what, group))
        b->setValue(value);
    else if (QAbstractButton* button = latch(what))
        button->setChecked(value != 0);
    else if (!perGroup(what))
        show(what, value);
}

void WindowShowControls::show(ShowValue what, int value)
{
    SequencerPanel& sequencer = windows_.editor().automatTab().sequencer();
    switch (what) {
    case ShowValue::FormTicks: sequencer.showFormTicks(formTicks_ = value); break;
    case ShowValue::SceneTicks: sequencer.showSceneTicks(sceneTicks_ = value); break;
    case ShowValue::FormShown: sequencer.showForm(formShown_ = value); break;
    case ShowValue::SceneShown: sequencer.showScene(sceneShown_ = value); break;
    default: break;
    }
}

} // namespace pluviane
