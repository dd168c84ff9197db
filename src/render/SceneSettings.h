#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string_view>

namespace pluviane {

// How the scene is drawn: the classic lines and points the designer works
// with, or translucent glowing water over a rippling surface for customers.
enum class Look { Classic, Realistic };

// The editor settings that one render tick reads: the bowl, the backdrop,
// the view distance and spin, and the grid planes and axes. The window layer
// fills it from the editor's controls on every tick.
struct SceneSettings {
    int brightness = 100; // backdrop grey level in percent, 10..100
    int fieldSpin = 50;   // 50 stands still; (value - 50) / 10 degrees per tick
    int zoom = 85;        // the scene is pushed to z = zoom - 150

    bool backdrop = false;
    bool night = false;
    bool cup = true;

    int cupCorners = 21; // S
    int cupTurn = 45;    // A, degrees
    int cupWidth = 150;  // W, outer radius x 10
    int cupWall = 18;    // T, wall thickness x 10
    int cupDepth = 25;   // H, wall height x 10

    int colourBottom = 8;
    int colourTop = 6;
    int colourOuter = 4;
    int colourInner = 7;

    bool gridXY = false;
    bool gridYZ = false;
    bool gridXZ = false;
    bool axisX = false;
    bool axisY = false;
    bool axisZ = false;

    Look look = Look::Classic; // kept in the settings file, never in a fountain file
    // Degrees the realistic look's camera has turned about the bowl's
    // vertical axis (a video's orbit, a drag in the view); the classic look ignores it.
    float orbit = 0;

    bool operator==(const SceneSettings&) const = default;
};

// One control of the editor's "Чаша" tab that the scene is drawn from (or
// that moves the backdrop): its objectName, its kind, its range and its value
// at start. A check box's range is 0..1; a colour grid keeps any index.
struct BowlControl {
    enum Kind { Check, Bar, Grid };
    std::string_view name;
    Kind kind;
    int minimum;
    int maximum;
    int initial;
};
std::span<const BowlControl> bowlControls();

// A control's value by objectName (a check box 0 or 1, a bar's position, a
// grid's index); nothing when there is no such control.
using ControlValue = std::function<std::optional<int>(std::string_view name)>;

// The scene settings as the bowl tab's controls hold them, the look's check
// box included; a control that is missing leaves its setting at the default.
SceneSettings sceneSettingsFrom(const ControlValue& value);

} // namespace pluviane
