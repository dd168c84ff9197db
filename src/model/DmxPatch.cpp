#include "model/DmxPatch.h"

#include "model/GroupBuilder.h"

#include <QCoreApplication>

namespace pluviane {

namespace {

// Compared without adding to `first`, so a number near the top of int cannot wrap.
bool runFits(int first, int length)
{
    return first >= 1 && first <= kDmxChannels - length + 1;
}

// "first..last" of a run, counted wide enough for any int it starts at.
QString runText(int first, int length)
{
    return QStringLiteral("%1..%2").arg(first).arg(static_cast<qint64>(first) + length - 1);
}

} // namespace

QString dmxPatchProblem(const DmxPatch& patch)
{
    if (patch.universe < 0 || patch.universe > kMaxDmxUniverse)
        return QCoreApplication::translate("pluviane::DmxPatch",
                                           "Вселенная DMX должна быть от 0 до %1").arg(kMaxDmxUniverse);
    if (!runFits(patch.levels, kDmxLevelChannels))
        return QCoreApplication::translate("pluviane::DmxPatch",
                                           "Уровни групп займут каналы %1, а в DMX их только 1..512")
            .arg(runText(patch.levels, kDmxLevelChannels));
    if (!runFits(patch.colours, kDmxColourChannels))
        return QCoreApplication::translate("pluviane::DmxPatch",
                                           "Цвета групп займут каналы %1, а в DMX их только 1..512")
            .arg(runText(patch.colours, kDmxColourChannels));
    // Both runs lie inside 1..512 here, so the sums below stay small.
    // Shared channels would carry a level and a colour at once: one of them is lost.
    const bool apart = patch.levels + kDmxLevelChannels <= patch.colours
                       || patch.colours + kDmxColourChannels <= patch.levels;
    if (!apart)
        return QCoreApplication::translate("pluviane::DmxPatch",
                                           "Каналы уровней (%1) и цветов (%2) пересекаются")
            .arg(runText(patch.levels, kDmxLevelChannels), runText(patch.colours, kDmxColourChannels));
    return {};
}

DmxFrame dmxFrame(const FountainState& state, const DmxPatch& patch)
{
    DmxFrame frame{};
    // A group without nozzles is dark and dry: a pump or light patched on its
    // channels must not run on whatever its table entries hold.
    const auto used = groupsInUse(state);
    Byte* level = frame.data() + (patch.levels - 1);
    Byte* colour = frame.data() + (patch.colours - 1);
    for (int group = 1; group <= kDmxGroups; ++group, ++level, colour += 3) {
        if (!used[group])
            continue;
        const auto& rgb = state.GroupColour[group];
        *level = state.GroupLevel[group];
        colour[0] = rgb[0];
        colour[1] = rgb[1];
        colour[2] = rgb[2];
    }
    return frame;
}

} // namespace pluviane
