#include "engine/ShowChain.h"

#include "model/ColorChange.h"
#include "model/ShowSequencer.h"

namespace pluviane {

ShowChain::ShowChain(FountainState& state, ShowControls& controls) : state_(state), controls_(controls) {}

void ShowChain::changed(ShowValue what, int group, int value)
{
    switch (what) {
    case ShowValue::Pressure: pressureChanged(group, value); break;
    case ShowValue::SceneColour: sceneColourChanged(group, value); break;
    case ShowValue::AllColour: allColourChanged(value); break;
    case ShowValue::AllPressure:
        fillFormPressure(value);
        formNumberChanged(controls_.value(ShowValue::FormNumber));
        break;
    case ShowValue::FormNumber: formNumberChanged(value); break;
    case ShowValue::SceneNumber: sceneNumberChanged(value); break;
    case ShowValue::Level: levelChanged(group, value); break;
    case ShowValue::ColourFader: colourFaderChanged(group, value); break;
    case ShowValue::Saturation:
    case ShowValue::Brightness: colourLookChanged(); break;
    // A latch pressed down releases its partner.
    case ShowValue::FormPlay: if (value) controls_.set(ShowValue::FormStop, 0); break;
    case ShowValue::FormStop: if (value) controls_.set(ShowValue::FormPlay, 0); break;
    case ShowValue::ColourPlay: if (value) controls_.set(ShowValue::ColourStop, 0); break;
    case ShowValue::ColourStop: if (value) controls_.set(ShowValue::ColourPlay, 0); break;
    default: break; // counts, lengths, steps and what is only shown have no handler
    }
}

// The recorder's values are pressures (0 = full); the faders are levels, so
// each bar hands on its complement.
void ShowChain::pressureChanged(int group, int value)
{
    controls_.setValue(ShowValue::Level, group, 255 - value);
}

void ShowChain::sceneColourChanged(int group, int value)
{
    if (const std::optional<int> fader = faderColourOfScene(static_cast<Byte>(value)))
        controls_.setValue(ShowValue::ColourFader, group, *fader);
}

void ShowChain::allColourChanged(int value)
{
    for (int g = 1; g <= kFaderGroups; ++g)
        controls_.setValue(ShowValue::SceneColour, g, value);
}

// The one bar that records without a "Record".
void ShowChain::fillFormPressure(int value)
{
    const int form = controls_.value(ShowValue::FormNumber);
    state_.FormPressure[form].fill(static_cast<Byte>(value));
}

void ShowChain::formNumberChanged(int form)
{
    if (form > controls_.value(ShowValue::FormCount))
        controls_.set(ShowValue::FormCount, form + 1); // the bar clamps at 255
    // While a form plays, the bars follow the sequencer instead of the table.
    if (!controls_.down(ShowValue::FormStop))
        return;
    for (int g = 1; g <= kFaderGroups; ++g)
        controls_.setValue(ShowValue::Pressure, g, state_.FormPressure[form][g]);
    for (int g = 1; g <= kFaderGroups; ++g)
        controls_.setValue(ShowValue::RiseRate, g, state_.FormAccel[form][g]);
}

void ShowChain::sceneNumberChanged(int scene)
{
    if (scene > controls_.value(ShowValue::SceneCount))
        controls_.set(ShowValue::SceneCount, scene);
    // Every group first shows the colour its bar shows for the stored value, so
    // a group whose bar does not move below keeps the colour that was recorded.
    // Groups 13..15 have no bar: they take their colour only here.
    for (int g = 1; g < kMaxGroup; ++g)
        if (const std::optional<int> fader = faderColourOfScene(state_.SceneColour[scene][g]))
            colourFaderChanged(g, *fader);
    for (int g = 1; g <= kFaderGroups; ++g)
        controls_.setValue(ShowValue::SceneColour, g, state_.SceneColour[scene][g]);
}

void ShowChain::levelChanged(int group, int value) { state_.GroupLevel[group] = static_cast<Byte>(value); }

void ShowChain::colourFaderChanged(int group, int value)
{
    writeGroupColour(state_, group, value, controls_.value(ShowValue::Saturation),
                     controls_.value(ShowValue::Brightness));
}

void ShowChain::colourLookChanged()
{
    for (int g = 1; g <= kFaderGroups; ++g)
        colourFaderChanged(g, controls_.value(ShowValue::ColourFader, g));
}

void ShowChain::setAllLevels(int value)
{
    for (int g = 1; g <= kFaderGroups; ++g)
        controls_.setValue(ShowValue::Level, g, value);
}

void ShowChain::recordForm()
{
    const int form = controls_.value(ShowValue::FormNumber);
    if (form >= controls_.value(ShowValue::FormCount))
        controls_.set(ShowValue::FormCount, form + 1); // the bar clamps at 255
    for (int g = 1; g <= kFaderGroups; ++g)
        state_.FormPressure[form][g] = static_cast<Byte>(controls_.value(ShowValue::Pressure, g));
    for (int g = 1; g <= kFaderGroups; ++g)
        state_.FormAccel[form][g] = static_cast<Byte>(controls_.value(ShowValue::RiseRate, g));
}

// The last row (255) has no next row: the copy is skipped there.
void ShowChain::copyFormToNext()
{
    const int form = controls_.value(ShowValue::FormNumber);
    if (form + 1 < kShowRows)
        for (int g = 1; g <= kFaderGroups; ++g)
            state_.FormPressure[form + 1][g] = static_cast<Byte>(controls_.value(ShowValue::Pressure, g));
    if (form < kLastPlayedForm)
        controls_.set(ShowValue::FormNumber, form + 1);
}

void ShowChain::recordScene()
{
    const int scene = controls_.value(ShowValue::SceneNumber);
    if (scene > controls_.value(ShowValue::SceneCount))
        controls_.set(ShowValue::SceneCount, scene + 1);
    for (int g = 1; g <= kFaderGroups; ++g)
        state_.SceneColour[scene][g] = static_cast<Byte>(controls_.value(ShowValue::SceneColour, g));
}

void ShowChain::copySceneToNext()
{
    const int scene = controls_.value(ShowValue::SceneNumber);
    if (scene + 1 < kShowRows)
        for (int g = 1; g <= kFaderGroups; ++g)
            state_.SceneColour[scene + 1][g] = static_cast<Byte>(controls_.value(ShowValue::SceneColour, g));
    if (scene < kLastPlayedForm)
        controls_.set(ShowValue::SceneNumber, scene + 1);
}

} // namespace pluviane
