#include "model/ShowTrack.h"

namespace pluviane {

namespace {
template <typename Field>
int lastAtOrBefore(const ShowTrack& track, std::int64_t timeMs, Field field)
{
    int value = 0;
    for (const ShowCue& cue : track.cues) {
        if (cue.timeMs > timeMs)
            break;
        if (cue.*field != 0)
            value = cue.*field;
    }
    return value;
}
} // namespace

int formAt(const ShowTrack& track, std::int64_t timeMs) { return lastAtOrBefore(track, timeMs, &ShowCue::form); }
int sceneAt(const ShowTrack& track, std::int64_t timeMs) { return lastAtOrBefore(track, timeMs, &ShowCue::scene); }

} // namespace pluviane
