// The worker's clock for native tests: steady time that moves only when read (by
// readCost) or slept on (by the next scripted length, else by exactly what was
// asked), and a hook that runs after every sleep, where the world between two
// cycles can change.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "bridge/worker_clock.h"

namespace ulvo::testbed {

struct ScriptedClock final : bridge::WorkerClock {
    int64_t now = 1000;
    int64_t readCost = 0;
    std::vector<int64_t> sleepLengths;  // how long each sleep really lasts, in order
    std::vector<int64_t> sleeps;        // what was asked for
    std::function<void()> onSleep;

    int64_t SteadyNanoseconds() override {
        const int64_t t = now;
        now += readCost;
        return t;
    }
    void SleepNanoseconds(int64_t nanoseconds) override {
        const size_t n = sleeps.size();
        sleeps.push_back(nanoseconds);
        now += n < sleepLengths.size() ? sleepLengths[n] : nanoseconds;
        if (onSleep) {
            onSleep();
        }
    }
};

}  // namespace ulvo::testbed
