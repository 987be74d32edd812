#include "bridge/worker_clock.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/memory_worker.h"

namespace ulvo::bridge {
namespace {

TEST(WaitCycle, SleepsOffWhatRemainsOfFiveMillisecondsOnTheSteadyClock) {
    using Times = std::vector<int64_t>;  // nanoseconds
    const struct {
        const char* name;
        int64_t readCost;
        Times sleepLengths;
        Times sleeps;
        int64_t endsAt;
    } cases[] = {
        {"exact sleeps", 0, Times{}, Times{5'000'000}, 5'001'000},
        {"reading costs time", 100, Times{}, Times{4'999'900}, 5'001'100},
        {"reading costs time, sleeps end early", 100, Times{4'000'000}, Times{4'999'900, 999'800},
         5'001'100},
        {"sleeps end early", 0, Times{3'000'000, 1'500'000, 500'000},
         Times{5'000'000, 2'000'000, 500'000}, 5'001'000},
        {"a sleep lasts a whole timer tick", 0, Times{15'600'000}, Times{5'000'000}, 15'601'000},
        {"a sleep ends just short", 0, Times{4'999'999}, Times{5'000'000, 1}, 5'001'000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testbed::ScriptedClock clock;
        clock.readCost = c.readCost;
        clock.sleepLengths = c.sleepLengths;
        WaitCycle(clock);
        EXPECT_EQ(clock.sleeps, c.sleeps);
        EXPECT_EQ(clock.now - c.readCost, c.endsAt);  // the last read
    }
}

}  // namespace
}  // namespace ulvo::bridge
