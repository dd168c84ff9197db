#include "model/DmxPatch.h"

namespace pluviane {

namespace {

bool runFits(int first, int length)
{
    return first >= 1 && first + length - 1 <= kDmxChannels;
}

} // namespace

QString dmxPatchProblem(const DmxPatch& patch)
{
    if (patch.universe < 0 || patch.universe > kMaxDmxUniverse)
        return QStringLiteral("Вселенная DMX должна быть от 0 до %1").arg(kMaxDmxUniverse);
    if (!runFits(patch.levels, kDmxLevelChannels))
        return QStringLiteral("Уровни групп займут каналы %1..%2, а в DMX их только 1..512")
            .arg(patch.levels)
            .arg(patch.levels + kDmxLevelChannels - 1);
    if (!runFits(patch.colours, kDmxColourChannels))
        return QStringLiteral("Цвета групп займут каналы %1..%2, а в DMX их только 1..512")
            .arg(patch.colours)
            .arg(patch.colours + kDmxColourChannels - 1);
    // Shared channels would carry a level and a colour at once: one of them is lost.
    const bool apart = patch.levels + kDmxLevelChannels <= patch.colours
                       || patch.colours + kDmxColourChannels <= patch.levels;
    if (!apart)
        return QStringLiteral("Каналы уровней (%1..%2) и цветов (%3..%4) пересекаются")
            .arg(patch.levels)
            .arg(patch.levels + kDmxLevelChannels - 1)
            .arg(patch.colours)
            .arg(patch.colours + kDmxColourChannels - 1);
    return {};
}

DmxFrame dmxFrame(const FountainState& state, const DmxPatch& patch)
{
    DmxFrame frame{};
    Byte* level = frame.data() + (patch.levels - 1);
    Byte* colour = frame.data() + (patch.colours - 1);
    for (int group = 1; group <= kDmxGroups; ++group) {
        *level++ = state.GroupLevel[group];
        const auto& rgb = state.GroupColour[group];
        *colour++ = rgb[0];
        *colour++ = rgb[1];
        *colour++ = rgb[2];
    }
    return frame;
}

} // namespace pluviane
