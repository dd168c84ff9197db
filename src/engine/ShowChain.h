#pragma once

#include "engine/ShowControls.h"
#include "model/FountainState.h"

namespace pluviane {

// What the show's controls do when they change: a pressure bar moves its
// level fader, the level fader sets GroupLevel; a scene number sets the
// colour bars, a colour bar its colour fader, the colour fader GroupColour.
// The windows' handlers call these after what they show; without windows
// `changed` routes a value store's changes here.
class ShowChain {
public:
    ShowChain(FountainState& state, ShowControls& controls);

    // Routes one changed value to its handler (the value store's handler).
    void changed(ShowValue what, int group, int value);

    void pressureChanged(int group, int value);
    void sceneColourChanged(int group, int value);
    void allColourChanged(int value);
    // The whole row of the current form takes `value` (the form is then shown anew).
    void fillFormPressure(int value);
    void formNumberChanged(int form);
    void sceneNumberChanged(int scene);
    void levelChanged(int group, int value);
    void colourFaderChanged(int group, int value);
    // Saturation or brightness moved: every fader's colour is worked out anew.
    void colourLookChanged();
    void setAllLevels(int value);

    // The recorder's "Record" buttons: the bars into the tables.
    void recordForm();
    // After recording: the next row starts as a copy and becomes current.
    void copyFormToNext();
    void recordScene();
    void copySceneToNext();

private:
    FountainState& state_;
    ShowControls& controls_;
};

} // namespace pluviane
