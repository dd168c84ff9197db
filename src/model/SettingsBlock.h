#pragma once

#include "model/FountainState.h"

#include <span>
#include <string_view>

namespace pluviane {

// How one byte of the settings block (bytes 0..255 of the fountain image) is
// encoded and where its value lives.
enum class SettingKind {
    Check,      // a check box: 1 checked, 0 not; any nonzero byte checks it
    Bar,        // a scroll bar position, low 8 bits
    Grid,       // a colour grid's selected index
    ViewPanX,   // the view values travel without a control
    ViewPanY,
    ViewAngleY,
    ViewAngleZ,
    ViewAngleX,
};

// The window that holds a setting's control.
enum class SettingWindow { Editor, Recorder, None };

struct SettingField {
    std::size_t byte;
    SettingKind kind;
    SettingWindow window;
    std::string_view control; // objectName of the control; empty for the view values
};

// Every byte the settings block fills, in byte order, which is also the order
// in which a load applies them (zoom comes twice: byte 213 has the last word).
std::span<const SettingField> settingFields();

// Byte 0 and the text at bytes 1..31.
constexpr Byte kSettingsMarker = 15;
constexpr std::string_view kSettingsHeader = "V 1.5 Pluviane                 ";
static_assert(kSettingsHeader.size() == 31);

// The controls that hold the settings, seen from the model side. A control that
// does not exist (yet) reads as missing, and its byte is carried through untouched.
class SettingControls {
public:
    virtual ~SettingControls() = default;
    // Check: 0 or 1; Bar: the position; Grid: the selected index.
    virtual bool read(const SettingField& field, int& value) const = 0;
    // Sets the control the way a user's change would (bars clamp and signal on change).
    virtual void write(const SettingField& field, int value) = 0;
};

// Encodings.
Byte encodeCheck(bool checked);
bool decodeCheck(Byte byte);
Byte encodeBar(int position);
// ceiling(pan) + 100, low 8 bits; read back as byte - 100.
Byte encodePan(double pan);
double decodePan(Byte byte);
// A negative live angle first gets 360 added to the variable itself; then
// ceiling(angle) div 2, low 8 bits. Read back as 2 x byte.
Byte encodeAngle(double& liveAngle);
double decodeAngle(Byte byte);

// Fills the settings block from the controls and the view values (ToBufCup).
void ToBufCup(FountainState& state, const SettingControls& controls, FountainImage& buffer);

// Applies the settings block to the controls and the view values (FromBufCup).
void FromBufCup(const FountainImage& buffer, FountainState& state, SettingControls& controls);

// Applies, in the same order, only the bytes in which `target` differs from
// `now` (what the controls hold), so a bar beyond a byte's reach (a speed of
// 300, kept as 44) stays where it is unless its own byte changed.
void applyChangedSettings(const FountainImage& now, const FountainImage& target, FountainState& state,
                          SettingControls& controls);

} // namespace pluviane
