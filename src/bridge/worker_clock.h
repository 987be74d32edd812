// The worker's steady clock and its sleep, as a seam: the Win32 edge reads the
// performance counter and sleeps on a high-resolution timer; tests use a fake.
#pragma once

#include <cstdint>

namespace ulvo::bridge {

class WorkerClock {
  public:
    // Nanoseconds on a clock that never goes backwards.
    virtual int64_t SteadyNanoseconds() = 0;
    // Sleeps for about `nanoseconds` (more than 0).
    virtual void SleepNanoseconds(int64_t nanoseconds) = 0;

  protected:
    ~WorkerClock() = default;
};

inline constexpr int64_t kCycleWaitNanoseconds = 5'000'000;

// The wait that ends each cycle: 5 ms from now on the steady clock. Sleeps for
// the remaining time and reads the clock again for as long as it is below the
// target, so a short sleep is made up and a long one is not caught up.
void WaitCycle(WorkerClock& clock);

}  // namespace ulvo::bridge
