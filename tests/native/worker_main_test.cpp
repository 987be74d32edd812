#include "bridge/worker_main.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "aircraft/aircraft_link.h"
#include "bridge/handle_command_word.h"
#include "common/little_endian.h"
#include "core/memory_aircraft.h"
#include "core/memory_fsuipc.h"
#include "core/recording_command_port.h"

namespace ulvo::bridge {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// A steady clock that moves only when read (by readCost) or slept on (by what the
// next scripted sleep says, else by exactly what was asked).
struct FakeClock final : WorkerClock {
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

struct FakeViews final : aircraft::AircraftViews {
    std::vector<uint8_t> sdk = std::vector<uint8_t>(aircraft::kSdkViewSize, 0x11);
    std::vector<uint8_t> sdk2 = std::vector<uint8_t>(aircraft::kSdk2ViewSize, 0x22);
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

// What the recording steps saw, in order.
std::vector<std::string> trace;

void RecordBlocks(BridgeCycle& cycle, const char* name) {
    trace.push_back(std::string(name) + " " + std::to_string(cycle.tables.sdkBlock.back()) + "/" +
                    std::to_string(cycle.tables.sdk2Block.back()));
}
void FirstStep(BridgeCycle& cycle) {
    RecordBlocks(cycle, "first");
}
void SecondStep(BridgeCycle& cycle) {
    RecordBlocks(cycle, "second");
}
constexpr CycleStep kRecordingSteps[] = {{"first", FirstStep}, {"second", SecondStep}};

class WorkerMainTest : public ::testing::Test {
  protected:
    void SetUp() override { trace.clear(); }

    uint32_t Run(std::span<const CycleStep> steps = kRecordingSteps) {
        return WorkerMain(context, clock, steps);
    }

    // Clears the flag from the clock after `waits` waits, as the host would.
    void StopAfterWaits(size_t waits) {
        clock.onSleep = [this, waits] {
            if (clock.sleeps.size() == waits) {
                running.store(0);
            }
        };
    }

    std::atomic<int32_t> running{0};
    FakeViews views;
    FakeClock clock;
    testbed::MemoryFsuipc memoryFsuipc;
    fsuipc::FsuipcLink fsuipc{memoryFsuipc};
    testbed::RecordingCommandPort port;
    WorkerFields plugin;
    BridgeTables tables;
    WorkerContext context{running, views, BridgeCycle{plugin, tables, fsuipc, port}};
};

TEST_F(WorkerMainTest, EachCycleCopiesBothBlocksThenRunsTheStepsInOrderThenWaits) {
    // The aircraft changes its last copied bytes between cycles; the extra mapped
    // byte beyond each block is never copied.
    views.sdk[aircraft::kSdkBlockSize] = 0xEE;
    views.sdk2[aircraft::kSdk2BlockSize] = 0xEE;
    clock.onSleep = [this] {
        ++views.sdk[aircraft::kSdkBlockSize - 1];
        views.sdk2[aircraft::kSdk2BlockSize - 1] += 2;
        if (clock.sleeps.size() == 3) {
            running.store(0);
        }
    };
    EXPECT_EQ(Run(), 0u);
    EXPECT_THAT(trace, ElementsAre("first 17/34", "second 17/34", "first 18/36", "second 18/36",
                                   "first 19/38", "second 19/38"));
    EXPECT_THAT(clock.sleeps, ElementsAre(5'000'000, 5'000'000, 5'000'000));
    EXPECT_EQ(running.load(), 0);
}

TEST_F(WorkerMainTest, AMissingViewStopsTheWorkerAfterOneWaitWithoutSteps) {
    const struct {
        const char* name;
        bool sdkPresent;
        bool sdk2Present;
        uint8_t sdkBlockAfter;
        uint8_t sdk2BlockAfter;
    } cases[] = {
        {"second view missing", true, false, 0x00, 0x00},
        {"first view missing: the second block is still copied", false, true, 0x00, 0x22},
        {"both missing", false, false, 0x00, 0x00},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        trace.clear();
        clock.sleeps.clear();
        tables.sdkBlock.fill(0);
        tables.sdk2Block.fill(0);
        views.sdkPresent = c.sdkPresent;
        views.sdk2Present = c.sdk2Present;
        EXPECT_EQ(Run(), 0u);
        EXPECT_THAT(trace, IsEmpty());
        EXPECT_EQ(clock.sleeps.size(), 1u);
        EXPECT_EQ(running.load(), 0);
        EXPECT_TRUE(std::all_of(tables.sdkBlock.begin(), tables.sdkBlock.end(),
                                [&](uint8_t b) { return b == c.sdkBlockAfter; }));
        EXPECT_TRUE(std::all_of(tables.sdk2Block.begin(), tables.sdk2Block.end(),
                                [&](uint8_t b) { return b == c.sdk2BlockAfter; }));
    }
}

TEST_F(WorkerMainTest, AStopAskedForDuringTheCopiesSkipsTheStepsButStillWaits) {
    views.onSdkView = [this] { running.store(0); };
    Run();
    EXPECT_THAT(trace, IsEmpty());
    EXPECT_EQ(tables.sdkBlock[0], 0x11);  // both copies were made
    EXPECT_EQ(clock.sleeps.size(), 1u);
}

TEST_F(WorkerMainTest, AStopAskedForDuringTheStepsEndsTheLoopAfterThatCycle) {
    static std::atomic<int32_t>* flag;
    flag = &running;
    constexpr CycleStep steps[] = {
        {"first", FirstStep},
        {"stop", [](BridgeCycle&) { flag->store(0); }},
        {"second", SecondStep},
    };
    Run(steps);
    EXPECT_THAT(trace, ElementsAre("first 17/34", "second 17/34"));
    EXPECT_EQ(clock.sleeps.size(), 1u);
}

TEST_F(WorkerMainTest, ASlowCycleIsNotCaughtUp) {
    static FakeClock* slowClock;
    slowClock = &clock;
    constexpr CycleStep steps[] = {{"slow", [](BridgeCycle&) { slowClock->now += 40'000'000; }}};
    StopAfterWaits(3);
    Run(steps);
    EXPECT_THAT(clock.sleeps, ElementsAre(5'000'000, 5'000'000, 5'000'000));
    EXPECT_EQ(clock.now, 1000 + 3 * 45'000'000);
}

TEST(WaitCycle, SleepsOffWhatRemainsOfFiveMillisecondsOnTheSteadyClock) {
    const struct {
        const char* name;
        int64_t readCost;
        std::vector<int64_t> sleepLengths;
        std::vector<int64_t> sleeps;
        int64_t endsAt;
    } cases[] = {
        {"exact sleeps", 0, {}, {5'000'000}, 5'001'000},
        {"reading costs time", 100, {}, {4'999'900}, 5'001'100},
        {"reading costs time, sleeps end early", 100, {4'000'000}, {4'999'900, 999'800}, 5'001'100},
        {"sleeps end early",
         0,
         {3'000'000, 1'500'000, 500'000},
         {5'000'000, 2'000'000, 500'000},
         5'001'000},
        {"a sleep lasts a whole timer tick", 0, {15'600'000}, {5'000'000}, 15'601'000},
        {"a sleep ends just short", 0, {4'999'999}, {5'000'000, 1}, 5'001'000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeClock clock;
        clock.readCost = c.readCost;
        clock.sleepLengths = c.sleepLengths;
        WaitCycle(clock);
        EXPECT_EQ(clock.sleeps, c.sleeps);
        EXPECT_EQ(clock.now - c.readCost, c.endsAt);  // the last read
    }
}

TEST(CycleSteps, KeepTheCycleOrder) {
    const std::vector<std::string> order = {
        "DecodeDisplays",      "PackBitWords",      "WriteDisplayOffsets",  "WriteBitWordOffsets",
        "WriteFurtherOffsets", "HandleCommandWord", "ForwardControlChanges"};
    std::vector<std::string> names;
    for (const CycleStep& step : CycleSteps()) {
        ASSERT_NE(step.run, nullptr);
        names.emplace_back(step.name);
    }
    EXPECT_THAT(names, ::testing::Contains("HandleCommandWord"));
    // Each step at most once, in the cycle's order.
    auto position = order.begin();
    for (const std::string& name : names) {
        position = std::find(position, order.end(), name);
        ASSERT_NE(position, order.end()) << name << " is out of order or unknown";
        ++position;
    }
}

// The whole loop with its real steps over an in-memory aircraft and FSUIPC.
TEST(WorkerCycle, PerformsACommandOnceAndThenIdlesOnOneExchangePerCycle) {
    testbed::MemoryAircraft aircraftPlatform;
    aircraft::AircraftLink aircraft(aircraftPlatform);
    struct : LogSink {
        void LogLine(std::string_view) override {}
    } log;
    ASSERT_TRUE(aircraft.Attach(log));
    StoreU32(aircraftPlatform.sdkSection.data() + kSelectorPositionOffset, 1);

    testbed::MemoryFsuipc memoryFsuipc;
    fsuipc::FsuipcLink fsuipc(memoryFsuipc);
    uint32_t result = 0;
    ASSERT_TRUE(fsuipc.Open(result));
    memoryFsuipc.exchangeCount = 0;
    memoryFsuipc.space.SetU16(0x9400, 636);

    std::atomic<int32_t> running{0};
    WorkerFields plugin;
    BridgeTables tables;
    WorkerContext context{running, aircraft, BridgeCycle{plugin, tables, fsuipc, aircraft}};
    FakeClock clock;
    clock.onSleep = [&] {
        if (clock.sleeps.size() == 3) {
            running.store(0);
        }
    };
    EXPECT_EQ(WorkerMain(context, clock), 0u);

    ASSERT_EQ(aircraftPlatform.posts.size(), 1u);
    EXPECT_EQ(aircraftPlatform.posts[0].code, 638u);  // the selector was read from the section
    EXPECT_EQ(aircraftPlatform.posts[0].value, 0);
    EXPECT_EQ(memoryFsuipc.space.U16(0x9400), 0xFFFF);
    EXPECT_EQ(memoryFsuipc.exchangeCount, 2u + 1u + 1u);
}

}  // namespace
}  // namespace ulvo::bridge
