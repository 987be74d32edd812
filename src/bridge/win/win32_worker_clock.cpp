#include "bridge/win/win32_worker_clock.h"

#include <windows.h>

#include <algorithm>

namespace ulvo::bridge {

namespace {

// Some SDK headers predate the flag.
#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

constexpr int64_t kNanosecondsPerSecond = 1'000'000'000;
constexpr int64_t kNanosecondsPerMillisecond = 1'000'000;
// The worker never asks for more than one cycle's wait; anything longer is capped.
constexpr int64_t kLongestSleep = 1000 * kNanosecondsPerMillisecond;

int64_t CeilDiv(int64_t value, int64_t divisor) {
    return (value + divisor - 1) / divisor;
}

}  // namespace

Win32WorkerClock::Win32WorkerClock(Sleeper preferred) {
    LARGE_INTEGER ticksPerSecond;
    if (QueryPerformanceFrequency(&ticksPerSecond) && ticksPerSecond.QuadPart > 0) {
        frequency = ticksPerSecond.QuadPart;
    }
    if (preferred == Sleeper::HighResolutionTimer) {
        timer = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                       TIMER_ALL_ACCESS);
    }
}

Win32WorkerClock::~Win32WorkerClock() {
    if (timer != nullptr) {
        CloseHandle(timer);
    }
}

int64_t Win32WorkerClock::SteadyNanoseconds() {
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    // Whole seconds and the rest apart, so that the product never overflows.
    const int64_t seconds = counter.QuadPart / frequency;
    const int64_t rest = counter.QuadPart % frequency;
    return seconds * kNanosecondsPerSecond + rest * kNanosecondsPerSecond / frequency;
}

void Win32WorkerClock::SleepNanoseconds(int64_t nanoseconds) {
    nanoseconds = std::clamp<int64_t>(nanoseconds, 0, kLongestSleep);
    // Rounded up: a sleep that ends early only costs another round, one that
    // rounds down to nothing would spin.
    const DWORD milliseconds = DWORD(CeilDiv(nanoseconds, kNanosecondsPerMillisecond));
    if (timer != nullptr) {
        LARGE_INTEGER due;
        due.QuadPart = -CeilDiv(nanoseconds, 100);  // relative, in 100 ns units
        if (SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE)) {
            // Bounded, so that a timer that never fires cannot hold the worker.
            WaitForSingleObject(timer, milliseconds + 1);
            return;
        }
    }
    ::Sleep(milliseconds);
}

}  // namespace ulvo::bridge
