#pragma once

#include "model/FountainState.h"

#include <QString>

#include <array>

namespace pluviane {

constexpr int kDmxChannels = 512;
constexpr int kMaxDmxUniverse = 65535;
constexpr int kDmxGroups = 16;           // groups 1..16 are patched
constexpr int kDmxLevelChannels = kDmxGroups;
constexpr int kDmxColourChannels = 3 * kDmxGroups;

// One DMX512 universe, channel 1 at index 0.
using DmxFrame = std::array<Byte, kDmxChannels>;

// Where the fountain lands in DMX: one universe, a run of 16 level channels
// from `levels` (group 1 first) and a run of 48 colour channels from `colours`
// (red, green, blue of group 1, then of group 2, ...). Channels count from 1.
struct DmxPatch {
    int universe = 1;
    int levels = 1;
    int colours = 17;

    bool operator==(const DmxPatch&) const = default;
};

// Why the patch cannot be used, in the user's words; empty when it can. A run
// past channel 512 and level and colour runs sharing a channel are refused;
// any int is checked safely.
QString dmxPatchProblem(const DmxPatch& patch);

// The frame of the fountain's current levels and colours at a usable patch;
// every channel outside the two runs is 0, and so are the level and colour
// channels of a group that owns no nozzle.
DmxFrame dmxFrame(const FountainState& state, const DmxPatch& patch);

} // namespace pluviane
