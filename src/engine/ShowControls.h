#pragma once

namespace pluviane {

// The show's values that the program keeps in its controls: the recorder's
// bars, the manual tab's faders, the sequencers' bars, counters and latches.
// In the program each one IS its control, and a change runs the control's
// handler; without windows a value store plays the controls' part.
enum class ShowValue {
    Pressure,       // recorder, per group 1..12: the water pressure (0 = full)
    RiseRate,       // recorder, per group 1..12
    SceneColour,    // recorder, per group 1..12: the scene's colour byte
    AllPressure,    // recorder: the whole row of the current form
    AllColour,      // recorder: every group's colour bar at once
    FormNumber,
    FormCount,
    SceneNumber,
    SceneCount,
    Level,          // manual tab, per group 1..12: the level fader
    ColourFader,    // manual tab, per group 1..12
    Saturation,     // manual tab
    Brightness,     // manual tab
    FormStep,       // form sequencer: the ramp's smoothness
    FormLength,     // form sequencer: ticks per form
    ColourStep,     // colour sequencer: the colour faders' step
    SceneLength,    // colour sequencer: ticks per scene
    FormTicks,      // the form sequencer's tick counter (shown only)
    SceneTicks,     // the colour sequencer's tick counter (shown only)
    FormShown,      // the form number in the form sequencer's title (shown only)
    SceneShown,     // the scene number in the colour sequencer's title (shown only)
    FormPlay,       // the latches: 0 up, 1 down; pressing one releases its partner
    FormStop,
    ColourPlay,
    ColourStop,
};

// The range of a control; a set value is clamped into it.
struct ShowRange {
    int minimum = 0;
    int maximum = 0;
};
ShowRange showRange(ShowValue what);
// The position a control has when the program starts.
int showDefault(ShowValue what);
// Values kept per group 1..kFaderGroups.
bool perGroup(ShowValue what);

// The controls the show reads and moves. Setting a value is a user's change:
// clamped to the control's range, and the control's handler runs only when
// the value really changes (the scroll-bar rule). `group` is 1..12 for
// per-group values and ignored for the others.
class ShowControls {
public:
    virtual ~ShowControls() = default;
    virtual int value(ShowValue what, int group = 0) const = 0;
    virtual void setValue(ShowValue what, int group, int value) = 0;

    void set(ShowValue what, int value) { setValue(what, 0, value); }
    bool down(ShowValue latch) const { return value(latch) != 0; }
};

} // namespace pluviane
