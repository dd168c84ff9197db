#include "render/SceneSettings.h"

namespace pluviane {

namespace {

using K = BowlControl::Kind;

constexpr BowlControl kBowlControls[] = {
    {"CheckBoxCup", K::Check, 0, 1, 1},
    {"CheckBoxLoadCup", K::Check, 0, 1, 1},
    {"CheckBoxGnd", K::Check, 0, 1, 0},
    {"CheckBoxNight", K::Check, 0, 1, 0},
    {"CheckBoxXY", K::Check, 0, 1, 0},
    {"CheckBoxYZ", K::Check, 0, 1, 0},
    {"CheckBoxXZ", K::Check, 0, 1, 0},
    {"CheckBoxX", K::Check, 0, 1, 0},
    {"CheckBoxY", K::Check, 0, 1, 0},
    {"CheckBoxZ", K::Check, 0, 1, 0},
    {"CheckBoxTgPodloga", K::Check, 0, 1, 1},
    {"CheckBoxRealWater", K::Check, 0, 1, 0},
    {"ScrollBarBra", K::Bar, 10, 100, 100},
    {"ScrollBarX", K::Bar, 1, 100, 50},
    {"ScrollBary", K::Bar, 1, 100, 50},
    {"ScrollBarUgolCup", K::Bar, 3, 33, 21},
    {"ScrollBarUgolPovorota", K::Bar, 0, 120, 45},
    {"ScrollBarCupWidthX", K::Bar, 21, 255, 150},
    {"ScrollBarCuphI", K::Bar, 3, 50, 25},
    {"ScrollBarCupwALL", K::Bar, 3, 50, 18},
    {"ScrollBarZoom", K::Bar, 0, 150, 85},
    {"ScrollBarRotField", K::Bar, 0, 100, 50},
    {"ColorGridDno", K::Grid, 0, 255, 8},
    {"ColorGridIn", K::Grid, 0, 255, 4},
    {"ColorGridUp", K::Grid, 0, 255, 6},
    {"ColorGridNaruz", K::Grid, 0, 255, 7},
};

} // namespace

std::span<const BowlControl> bowlControls() { return kBowlControls; }

SceneSettings sceneSettingsFrom(const ControlValue& value)
{
    SceneSettings s;
    auto take = [&](std::string_view name, int& setting) {
        if (const std::optional<int> v = value(name))
            setting = *v;
    };
    auto check = [&](std::string_view name, bool& setting) {
        if (const std::optional<int> v = value(name))
            setting = *v != 0;
    };
    take("ScrollBarBra", s.brightness);
    take("ScrollBarRotField", s.fieldSpin);
    take("ScrollBarZoom", s.zoom);
    check("CheckBoxGnd", s.backdrop);
    check("CheckBoxNight", s.night);
    check("CheckBoxCup", s.cup);
    take("ScrollBarUgolCup", s.cupCorners);
    take("ScrollBarUgolPovorota", s.cupTurn);
    take("ScrollBarCupWidthX", s.cupWidth);
    take("ScrollBarCupwALL", s.cupWall);
    take("ScrollBarCuphI", s.cupDepth);
    // The grids' names do not say which wall they colour; these pairs do.
    take("ColorGridDno", s.colourBottom);
    take("ColorGridUp", s.colourTop);
    take("ColorGridIn", s.colourOuter);
    take("ColorGridNaruz", s.colourInner);
    check("CheckBoxXY", s.gridXY);
    check("CheckBoxYZ", s.gridYZ);
    check("CheckBoxXZ", s.gridXZ);
    check("CheckBoxX", s.axisX);
    check("CheckBoxY", s.axisY);
    check("CheckBoxZ", s.axisZ);
    bool realistic = false;
    check("CheckBoxRealWater", realistic);
    s.look = realistic ? Look::Realistic : Look::Classic;
    return s;
}

} // namespace pluviane
