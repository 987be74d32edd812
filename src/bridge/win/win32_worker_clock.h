// The worker's clock on Windows: the performance counter, and sleeps on a
// high-resolution waitable timer where the system offers one. A plain Sleep can
// last a whole 15.6 ms timer tick on a stock system, which would stretch every
// 5 ms cycle to about 16 ms; Sleep remains the fallback.
#pragma once

#include <cstdint>

#include "bridge/worker_clock.h"

namespace ulvo::bridge {

class Win32WorkerClock final : public WorkerClock {
  public:
    enum class Sleeper { HighResolutionTimer, PlainSleep };

    // Uses the preferred sleeper if the system has it, otherwise Sleep.
    explicit Win32WorkerClock(Sleeper preferred = Sleeper::HighResolutionTimer);
    ~Win32WorkerClock();
    Win32WorkerClock(const Win32WorkerClock&) = delete;
    Win32WorkerClock& operator=(const Win32WorkerClock&) = delete;

    Sleeper InUse() const {
        return timer != nullptr ? Sleeper::HighResolutionTimer : Sleeper::PlainSleep;
    }

    int64_t SteadyNanoseconds() override;
    void SleepNanoseconds(int64_t nanoseconds) override;

  private:
    void* timer = nullptr;  // the waitable timer's handle, or null
    int64_t frequency = 1;  // performance-counter ticks per second
};

}  // namespace ulvo::bridge
