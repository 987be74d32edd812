// What the worker runs on in native tests and benchmarks, besides the in-memory
// FSUIPC: the aircraft's sections (either view can go away), and a clock.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "aircraft/aircraft_views.h"
#include "bridge/worker_clock.h"

namespace ulvo::testbed {

struct MemorySections final : aircraft::AircraftViews {
    std::vector<uint8_t> sdk = std::vector<uint8_t>(aircraft::kSdkViewSize);
    std::vector<uint8_t> sdk2 = std::vector<uint8_t>(aircraft::kSdk2ViewSize);
    bool sdkPresent = true;
    bool sdk2Present = true;
    std::function<void()> onSdkView;

    const uint8_t* SdkView() const override {
        if (onSdkView) {
            onSdkView();
        }
        return sdkPresent ? sdk.data() : nullptr;
    }
    const uint8_t* Sdk2View() const override { return sdk2Present ? sdk2.data() : nullptr; }
};

// Steady time that moves only when read (by readCost) or slept on (by the next
// scripted length, else by what was asked); onSleep acts between two cycles.
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
