#include "model/SettingsBlock.h"

#include <cmath>

namespace pluviane {

namespace {

using K = SettingKind;
using W = SettingWindow;

constexpr SettingField kFields[] = {
    {130, K::Check, W::Editor, "CheckBoxCup"},
    {131, K::Check, W::Editor, "CheckBoxLoadCup"},
    {132, K::Check, W::Editor, "CheckBoxGnd"},
    {133, K::Check, W::Editor, "CheckBoxNight"},
    {134, K::Check, W::Editor, "CheckBoxXY"},
    {135, K::Check, W::Editor, "CheckBoxYZ"},
    {136, K::Check, W::Editor, "CheckBoxXZ"},
    {137, K::Check, W::Editor, "CheckBoxX"},
    {138, K::Check, W::Editor, "CheckBoxY"},
    {139, K::Check, W::Editor, "CheckBoxZ"},
    {140, K::Bar, W::Editor, "ScrollBarX"},
    {141, K::Bar, W::Editor, "ScrollBary"},
    {150, K::Bar, W::Editor, "ScrollBarUgolCup"},
    {151, K::Bar, W::Editor, "ScrollBarUgolPovorota"},
    {152, K::Bar, W::Editor, "ScrollBarCupWidthX"},
    {153, K::Bar, W::Editor, "ScrollBarCuphI"},
    {154, K::Bar, W::Editor, "ScrollBarCupwALL"},
    {155, K::Grid, W::Editor, "ColorGridDno"},
    {156, K::Grid, W::Editor, "ColorGridIn"},
    {157, K::Grid, W::Editor, "ColorGridUp"},
    {158, K::Grid, W::Editor, "ColorGridNaruz"},
    {161, K::Bar, W::Editor, "ScrollBarGroup01"},
    {162, K::Bar, W::Editor, "ScrollBarGroup2"},
    {163, K::Bar, W::Editor, "ScrollBarGroup3"},
    {164, K::Bar, W::Editor, "ScrollBarGroup4"},
    {165, K::Bar, W::Editor, "ScrollBarGroup5"},
    {166, K::Bar, W::Editor, "ScrollBarGroup6"},
    {167, K::Bar, W::Editor, "ScrollBarGroup7"},
    {168, K::Bar, W::Editor, "ScrollBarGroup8"},
    {169, K::Bar, W::Editor, "ScrollBarGroup9"},
    {170, K::Bar, W::Editor, "ScrollBarGroup10"},
    {171, K::Bar, W::Editor, "ScrollBarGroup11"},
    {172, K::Bar, W::Editor, "ScrollBarGroup12"},
    {200, K::ViewPanX, W::None, {}},
    {201, K::ViewPanY, W::None, {}},
    {203, K::ViewAngleY, W::None, {}},
    {204, K::ViewAngleZ, W::None, {}},
    {205, K::ViewAngleX, W::None, {}},
    {206, K::Bar, W::Editor, "ScrollBarZoom"},
    {207, K::Bar, W::Editor, "ScrollBarRotField"},
    {210, K::Bar, W::Recorder, "ScrollBarMaxScen"},
    {211, K::Bar, W::Recorder, "ScrollBarMaxForm"},
    {212, K::Bar, W::Editor, "ScrollBarColored"},
    {213, K::Bar, W::Editor, "ScrollBarZoom"},
    {215, K::Bar, W::Editor, "ScrollBarKolvIspGr"},
    {216, K::Bar, W::Editor, "ScrollBarSpSm"},
    {217, K::Bar, W::Editor, "ScrollBarLen"},
    {218, K::Bar, W::Editor, "ScrollBaruhgkjhgg"},
};

// The low 8 bits of a whole number held in a double; values no integer type
// can hold (a runaway view variable) still give a byte instead of undefined behaviour.
Byte lowByte(double whole)
{
    if (!std::isfinite(whole))
        return 0;
    double rest = std::fmod(whole, 256.0);
    if (rest < 0)
        rest += 256.0;
    return static_cast<Byte>(static_cast<int>(rest));
}

double* viewValue(FountainState& state, SettingKind kind)
{
    switch (kind) {
    case K::ViewPanX: return &state.ViewPanX;
    case K::ViewPanY: return &state.ViewPanY;
    case K::ViewAngleY: return &state.ViewAngleY;
    case K::ViewAngleZ: return &state.ViewAngleZ;
    case K::ViewAngleX: return &state.ViewAngleX;
    default: return nullptr;
    }
}

bool isPan(SettingKind kind) { return kind == K::ViewPanX || kind == K::ViewPanY; }

} // namespace

std::span<const SettingField> settingFields() { return kFields; }

Byte encodeCheck(bool checked) { return checked ? 1 : 0; }
bool decodeCheck(Byte byte) { return byte != 0; }
Byte encodeBar(int position) { return static_cast<Byte>(position & 0xFF); }

Byte encodePan(double pan) { return lowByte(std::ceil(pan) + 100.0); }
double decodePan(Byte byte) { return static_cast<double>(byte) - 100.0; }

Byte encodeAngle(double& liveAngle)
{
    if (liveAngle < 0)
        liveAngle += 360.0;
    return lowByte(std::trunc(std::ceil(liveAngle) / 2.0));
}

double decodeAngle(Byte byte) { return 2.0 * byte; }

void ToBufCup(FountainState& state, const SettingControls& controls, FountainImage& buffer)
{
    buffer[0] = kSettingsMarker;
    for (std::size_t i = 0; i < kSettingsHeader.size(); ++i)
        buffer[1 + i] = static_cast<Byte>(kSettingsHeader[i]);

    for (const SettingField& field : settingFields()) {
        if (double* view = viewValue(state, field.kind)) {
            buffer[field.byte] = isPan(field.kind) ? encodePan(*view) : encodeAngle(*view);
            continue;
        }
        int value = 0;
        if (!controls.read(field, value))
            continue;
        buffer[field.byte] = field.kind == K::Check ? encodeCheck(value != 0) : encodeBar(value);
    }
}

namespace {

void applyField(const SettingField& field, Byte byte, FountainState& state, SettingControls& controls)
{
    if (double* view = viewValue(state, field.kind)) {
        *view = isPan(field.kind) ? decodePan(byte) : decodeAngle(byte);
        return;
    }
    controls.write(field, field.kind == K::Check ? (decodeCheck(byte) ? 1 : 0) : byte);
}

} // namespace

void FromBufCup(const FountainImage& buffer, FountainState& state, SettingControls& controls)
{
    for (const SettingField& field : settingFields())
        applyField(field, buffer[field.byte], state, controls);
}

void applyChangedSettings(const FountainImage& now, const FountainImage& target, FountainState& state,
                          SettingControls& controls)
{
    for (const SettingField& field : settingFields())
        if (now[field.byte] != target[field.byte])
            applyField(field, target[field.byte], state, controls);
}

} // namespace pluviane
