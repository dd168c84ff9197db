#include "engine/ShowValueStore.h"

#include <algorithm>

namespace pluviane {

ShowValueStore::ShowValueStore()
{
    for (int v = 0; v < kValues; ++v)
        values_[v].fill(showDefault(ShowValue(v)));
}

void ShowValueStore::copyQuietly(const ShowControls& from)
{
    for (int v = 0; v < kValues; ++v)
        for (int g = 0; g <= kFaderGroups; ++g)
            if (perGroup(ShowValue(v)) == (g != 0))
                values_[v][g] = from.value(ShowValue(v), g);
}

int& ShowValueStore::slot(ShowValue what, int group)
{
    // A value of no group, or a group without controls, lands in slot 0,
    // which no per-group value uses.
    const bool grouped = perGroup(what) && group >= 1 && group <= kFaderGroups;
    return values_[int(what)][grouped ? group : 0];
}

int ShowValueStore::value(ShowValue what, int group) const
{
    return const_cast<ShowValueStore*>(this)->slot(what, group);
}

void ShowValueStore::setValue(ShowValue what, int group, int value)
{
    if (perGroup(what) && (group < 1 || group > kFaderGroups))
        return; // no such control
    const ShowRange range = showRange(what);
    value = std::clamp(value, range.minimum, range.maximum);
    int& kept = slot(what, group);
    if (kept == value)
        return;
    kept = value;
    if (handler_)
        handler_(what, group, value);
}

} // namespace pluviane
