#include "music/BackgroundPriority.h"

#include <pthread.h>
#include <sched.h>

namespace pluviane {

void runOnlyOnIdleTime()
{
#ifdef SCHED_IDLE
    const sched_param none{};
    pthread_setschedparam(pthread_self(), SCHED_IDLE, &none);
#endif
}

} // namespace pluviane
