#pragma once

#include "model/ShowCue.h"

#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>

namespace pluviane {

class RandomSource;

using Byte = std::uint8_t;

constexpr int kNozzleCount = 256;     // table entries, nozzle numbers 0..255
constexpr int kDrawnNozzles = 251;    // nozzles 0..250 are drawn
constexpr int kGroupEntries = 256;    // per-group tables are indexed by group number
constexpr int kMaxGroup = 16;         // groups 1..16; 0 = not bound
constexpr int kFaderGroups = 12;      // groups 1..12 have faders
constexpr int kShowRows = 256;
constexpr int kShowColumns = 16;
constexpr int kProfilePoints = 21;

constexpr std::size_t kFountainFileSize = 64000;
using FountainImage = std::array<Byte, kFountainFileSize>;

using ShowTable = std::array<std::array<Byte, kShowColumns>, kShowRows>;

// The one description of the fountain that every window reads and writes.
// Member names follow the fountain file's vocabulary.
struct FountainState {
    // Per-nozzle tables.
    std::array<std::array<Byte, 4>, kNozzleCount> JetPos{};   // [1] x, [2] z, [3] outlet height
    std::array<std::array<Byte, 4>, kNozzleCount> JetShape{}; // [1] height, [2] tilt, [3] spin
    std::array<Byte, kNozzleCount> JetGroup{};
    std::array<Byte, kNozzleCount> JetFoam{};
    std::array<Byte, kNozzleCount> JetFill{};
    std::array<Byte, kNozzleCount> JetOrbit{};

    // Per-group tables (index = group number).
    std::array<std::array<Byte, 4>, kGroupEntries> GroupColour{};
    std::array<Byte, kGroupEntries> GroupLevel{};
    std::array<Byte, kGroupEntries> GroupShiftX{};
    std::array<Byte, kGroupEntries> GroupShiftZ{};
    std::array<Byte, kGroupEntries> GroupRampLevel{};
    std::array<std::array<Byte, 16>, 16> GroupRecipe{};

    // Show tables: [form or scene][group].
    ShowTable FormPressure{};
    ShowTable FormAccel{};
    ShowTable SpareShowTable{};
    ShowTable SceneColour{};

    // View and scene values.
    double ViewAngleY = 0;
    double ViewAngleZ = 0;
    double ViewAngleX = 0;
    double ViewPanX = 0;
    double ViewPanY = 0;
    bool DragPan = false;
    bool DragRotate = false;
    std::int32_t MouseLastX = 0;
    std::int32_t MouseLastY = 0;
    std::int32_t KeyMode = 0;
    std::array<float, 4> LightPos{};
    std::array<float, 3> DrawColour{1.0f, 1.0f, 1.0f};
    std::int32_t BackdropDepth = 199;
    std::int32_t BackdropHalfW = 50;
    std::int32_t BackdropHalfH = 50;
    std::array<float, kProfilePoints> JetProfile{};
    std::int32_t TextureId = 0;
    QString GroundPictureName;
    std::array<float, 3> StrandPoint{};

    // The show track: cues on the music's time line, kept in the file's tail.
    // While loaded its music's name is an absolute path; the file holds it
    // relative to the fountain's folder.
    ShowTrack Track;

    // The image of the fountain file; also the one-level undo store.
    FountainImage SaveBuffer{};
};

// The process-wide state, static for the life of the program.
FountainState& fountain();

// Gives the state its start values (steps 1..8 of the main window's creation),
// drawing the random layout from `random`, and copies the result into the save buffer.
void setStartValues(FountainState& state, RandomSource& random);

// The new-fountain reset: jets, groups and colours back to their start values and
// a fresh random layout, two draws per nozzle in turn. Leaves the save buffer, the
// recipes, the shifts, the show tables and the view alone.
void resetToNewFountain(FountainState& state, RandomSource& random);

// Number of nozzles 0..255 bound to a group.
int nozzleCount(const FountainState& state);

// Level of a group as the drawing sees it: groups beyond 1..16 stand at 0.
inline int drawnLevel(const FountainState& state, int group)
{
    return (group >= 1 && group <= kMaxGroup) ? state.GroupLevel[group] : 0;
}

} // namespace pluviane
