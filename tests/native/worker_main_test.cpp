#include "bridge/worker_main.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bridge/handle_command_word.h"
#include "common/little_endian.h"
#include "core/memory_bridge.h"
#include "core/memory_worker.h"

namespace ulvo::bridge {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// What the recording steps saw, in order: the last byte of each block.
std::vector<std::string> trace;

void RecordBlocks(BridgeCycle& cycle, const char* name) {
    trace.push_back(std::string(name) + " " + std::to_string(cycle.tables.sdkBlock.back()) + "/" +
                    std::to_string(cycle.tables.sdk2Block.back()));
}
constexpr CycleStep kRecordingSteps[] = {
    {"first", [](BridgeCycle& cycle) { RecordBlocks(cycle, "first"); }},
    {"second", [](BridgeCycle& cycle) { RecordBlocks(cycle, "second"); }},
};

class WorkerMainTest : public ::testing::Test {
  protected:
    void SetUp() override {
        trace.clear();
        std::fill(views.sdk.begin(), views.sdk.end(), 0x11);
        std::fill(views.sdk2.begin(), views.sdk2.end(), 0x22);
    }

    uint32_t Run(std::span<const CycleStep> steps = kRecordingSteps) {
        return WorkerMain(context, clock, steps);
    }

    std::atomic<int32_t> running{0};
    testbed::MemorySections views;
    testbed::ScriptedClock clock;
    testbed::MemoryBridge bridge;
    BridgeTables& tables = *bridge.tables;
    WorkerContext context{running, views, bridge.cycle};
};

TEST_F(WorkerMainTest, EachCycleCopiesBothBlocksThenRunsTheStepsInOrderThenWaits) {
    // The aircraft changes its last copied bytes between cycles.
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
        uint8_t sdk2BlockAfter;
    } cases[] = {
        {"second view missing", true, false, 0x00},
        {"first view missing: the second block is still copied", false, true, 0x22},
        {"both missing", false, false, 0x00},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        clock.sleeps.clear();
        tables.sdkBlock.fill(0);
        tables.sdk2Block.fill(0);
        views.sdkPresent = c.sdkPresent;
        views.sdk2Present = c.sdk2Present;
        EXPECT_EQ(Run(), 0u);
        EXPECT_THAT(trace, IsEmpty());
        EXPECT_EQ(clock.sleeps.size(), 1u);
        EXPECT_EQ(running.load(), 0);
        EXPECT_TRUE(tables.sdkBlock == aircraft::SdkBlock{});
        EXPECT_TRUE(std::all_of(tables.sdk2Block.begin(), tables.sdk2Block.end(),
                                [&](uint8_t b) { return b == c.sdk2BlockAfter; }));
    }
}

TEST_F(WorkerMainTest, AStopEndsTheLoopAfterThatCycleAndOneDuringTheCopiesSkipsItsSteps) {
    static std::atomic<int32_t>* flag;
    flag = &running;
    constexpr CycleStep steps[] = {
        kRecordingSteps[0],
        {"stop", [](BridgeCycle&) { flag->store(0); }},
        kRecordingSteps[1],
    };
    Run(steps);
    EXPECT_THAT(trace, ElementsAre("first 17/34", "second 17/34"));
    EXPECT_EQ(clock.sleeps.size(), 1u);

    // Asked for during the copies: both are made, no step runs, the wait still comes.
    trace.clear();
    tables.sdkBlock.fill(0);
    views.onSdkView = [this] { running.store(0); };
    Run();
    EXPECT_THAT(trace, IsEmpty());
    EXPECT_EQ(tables.sdkBlock[0], 0x11);
    EXPECT_EQ(clock.sleeps.size(), 2u);
}

TEST_F(WorkerMainTest, WithItsRealStepsPublishesAndPerformsWithinOneCycleThenIdles) {
    views.sdk.assign(views.sdk.size(), 0);
    views.sdk2.assign(views.sdk2.size(), 0);
    StoreU32(&views.sdk[kSelectorPositionOffset], 1);
    StoreU32(&views.sdk[0x1E0], 1);  // Display05 shows 12000
    StoreU32(&views.sdk[0x1E4], 2);
    StoreU32(&views.sdk[0x018], 1);  // BitWord00 bit 0
    StoreU32(&views.sdk[0xFAC], 5);  // the first further value
    bridge.fsuipc.space.SetU16(0x9400, 636);
    bridge.fsuipc.space.SetU8(0x94F8, 1);  // one step of 628
    ASSERT_TRUE(bridge.OpenLink());
    bridge.fsuipc.exchangeCount = 0;
    std::vector<uint32_t> afterFirstCycle;
    clock.onSleep = [&] {
        if (clock.sleeps.size() == 1) {
            const testbed::FsuipcOffsetSpace& space = bridge.fsuipc.space;
            afterFirstCycle = {space.U16(0x943A), space.U8(0x9402), space.U8(0x9472)};
            for (const auto& [code, value] : bridge.aircraft.posts) {
                afterFirstCycle.push_back(code);
            }
        }
        if (clock.sleeps.size() == 3) {
            running.store(0);
        }
    };
    EXPECT_EQ(WorkerMain(context, clock), 0u);
    // The first cycle's one exchange carried the values it published; the command
    // (638: the selector was read from the section) and the control byte it read
    // were performed in the same cycle. Then one exchange per idle cycle.
    EXPECT_THAT(afterFirstCycle, ElementsAre(12000, 1, 5, 638, 628));
    EXPECT_EQ(bridge.aircraft.posts.size(), 2u);
    EXPECT_EQ(bridge.fsuipc.space.U16(0x9400), 0xFFFF);
    EXPECT_EQ(bridge.fsuipc.exchangeCount, 2u + 1u + 1u);
}

}  // namespace
}  // namespace ulvo::bridge
