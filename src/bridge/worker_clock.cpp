#include "bridge/worker_clock.h"

namespace ulvo::bridge {

void WaitCycle(WorkerClock& clock) {
    const int64_t target = clock.SteadyNanoseconds() + kCycleWaitNanoseconds;
    for (int64_t now = clock.SteadyNanoseconds(); now < target; now = clock.SteadyNanoseconds()) {
        clock.SleepNanoseconds(target - now);
    }
}

}  // namespace ulvo::bridge
