#include "dmx/DmxPacer.h"

namespace pluviane {

bool DmxPacer::due(const DmxFrame& frame, std::int64_t nowMicros)
{
    if (last_ && *last_ == frame && nowMicros - lastMicros_ < kRepeatMicros)
        return false;
    last_ = frame;
    lastMicros_ = nowMicros;
    return true;
}

} // namespace pluviane
