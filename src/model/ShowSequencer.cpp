#include "model/ShowSequencer.h"

#include "model/SaveBuffer.h"

#include <algorithm>
#include <cmath>

namespace pluviane {

Byte StepRampLevel(FountainState& state, int form, int group, int step)
{
    group = std::clamp(group, 1, kMaxGroup - 1);
    form = std::clamp(form, 1, kLastPlayedForm);
    const int current = state.GroupRampLevel[group];
    const int target = state.FormPressure[form][group];
    const int next = target >= current ? std::min(current + step, target)
                                       : std::max(current - step, target);
    state.GroupRampLevel[group] = static_cast<Byte>(next);
    return state.GroupRampLevel[group];
}

int stepColourFader(int position, int target, int step)
{
    return target >= position ? std::min(position + step, target) : std::max(position - step, target);
}

int transitionPosition(int from, int to, std::int64_t elapsedMs, int lengthMs)
{
    if (lengthMs <= 0 || elapsedMs >= lengthMs)
        return to;
    if (elapsedMs <= 0)
        return from;
    return from + int(std::lround(double(to - from) * double(elapsedMs) / double(lengthMs)));
}

Byte TimedRampLevel(FountainState& state, int form, int group, int from, std::int64_t elapsedMs, int lengthMs)
{
    group = std::clamp(group, 1, kMaxGroup - 1);
    form = std::clamp(form, 1, kLastPlayedForm);
    const int level = transitionPosition(from, state.FormPressure[form][group], elapsedMs, lengthMs);
    state.GroupRampLevel[group] = static_cast<Byte>(std::clamp(level, 0, 255));
    return state.GroupRampLevel[group];
}

void loadShowTables(const FountainImage& image, FountainState& state)
{
    readShowTable(image, offset::FormPressure, state.FormPressure);
    readShowTable(image, offset::FormAccel, state.FormAccel);
    readShowTable(image, offset::SpareShowTable, state.SpareShowTable);
    readShowTable(image, offset::SceneColour, state.SceneColour);
}

} // namespace pluviane
