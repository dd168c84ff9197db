#include "engine/ShowTime.h"

namespace pluviane {

std::int64_t ShowTime::musicMs(std::int64_t reportedMs, bool playing)
{
    return smooth_.at(reportedMs, playing, monotonic_());
}

std::int64_t ShowTime::ownMs() const
{
    return running_ ? baseMs_ + (monotonic_() - startMicros_) / 1000 : baseMs_;
}

void ShowTime::runOwn()
{
    if (running_)
        return;
    startMicros_ = monotonic_();
    running_ = true;
}

void ShowTime::holdOwn()
{
    if (!running_)
        return;
    baseMs_ = ownMs();
    running_ = false;
}

void ShowTime::seekOwn(std::int64_t ms)
{
    baseMs_ = ms;
    startMicros_ = monotonic_();
}

} // namespace pluviane
