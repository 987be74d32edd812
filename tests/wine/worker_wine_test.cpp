// The worker thread against the testbed's aircraft and FSUIPC, whose windows this
// test's thread serves as the simulator's main thread serves them.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <memory>

#include "aircraft/aircraft_link.h"
#include "aircraft/win/aircraft_platform_win.h"
#include "fsuipc/fsuipc_link.h"
#include "fsuipc/win/fsuipc_platform_win.h"
#include "plugin/win/library.h"
#include "plugin/win/win32_worker_thread.h"
#include "win/message_pump.h"
#include "win/testbed.h"

namespace ulvo::bridge {
namespace {

using testbed::AircraftParty;
using testbed::FsuipcParty;
using ::testing::ElementsAre;
using Command = AircraftParty::Command;

constexpr std::chrono::milliseconds kPatience(10000);

struct SilentLog final : LogSink {
    void LogLine(std::string_view) override {}
};

// The aircraft's views as the worker sees them, with either one switchable to
// null, as a close that went on without the worker would leave them.
struct SwitchableViews final : aircraft::AircraftViews {
    explicit SwitchableViews(const aircraft::AircraftViews& real_) : real(real_) {}
    const uint8_t* SdkView() const override { return sdkGone ? nullptr : real.SdkView(); }
    const uint8_t* Sdk2View() const override { return sdk2Gone ? nullptr : real.Sdk2View(); }

    const aircraft::AircraftViews& real;
    std::atomic<bool> sdkGone{false};
    std::atomic<bool> sdk2Gone{false};
};

class WorkerThreadTest : public ::testing::Test {
  protected:
    void SetUp() override {
        uint32_t result = 99;
        ASSERT_TRUE(fsuipcLink.Open(result)) << result;
        ASSERT_TRUE(aircraftLink.Attach(log));
    }

    void TearDown() override {
        StopWorker();
        aircraftLink.Detach(log);
        fsuipcLink.Close();
    }

    void StartWorker() {
        thread = CreateThread(nullptr, 0, plugin::WorkerThreadMain, &context, 0, nullptr);
        ASSERT_NE(thread, nullptr);
    }

    // Pumps (the worker's exchanges need this thread) until the thread has ended.
    bool WorkerEnded() {
        return testbed::PumpUntil([&] { return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; },
                                  kPatience);
    }

    void StopWorker() {
        if (thread == nullptr) {
            return;
        }
        running.store(0);
        EXPECT_TRUE(WorkerEnded());
        DWORD exitCode = 99;
        GetExitCodeThread(thread, &exitCode);
        EXPECT_EQ(exitCode, 0u);
        CloseHandle(thread);
        thread = nullptr;
    }

    // Pumps until FSUIPC has served `more` further exchanges.
    bool PumpExchanges(uint64_t more) {
        const uint64_t target = fsuipc.ExchangeCount() + more;
        return testbed::PumpUntil([&] { return fsuipc.ExchangeCount() >= target; }, kPatience);
    }

    uint16_t CommandWord() {
        return fsuipc.WithSpace(
            [](testbed::FsuipcOffsetSpace& space) { return space.U16(0x9400); });
    }

    testbed::Testbed testbed;
    AircraftParty& aircraft = testbed.aircraft;
    FsuipcParty& fsuipc = *testbed.fsuipc;
    fsuipc::Win32FsuipcPlatform fsuipcPlatform;
    fsuipc::FsuipcLink fsuipcLink{fsuipcPlatform};
    aircraft::Win32AircraftPlatform aircraftPlatform;
    aircraft::AircraftLink aircraftLink{aircraftPlatform};
    SilentLog log;
    SwitchableViews views{aircraftLink};

    std::atomic<int32_t> running{0};
    WorkerFields plugin;
    std::unique_ptr<BridgeTables> tables = std::make_unique<BridgeTables>();
    WorkerContext context{running, views, BridgeCycle{plugin, *tables, fsuipcLink, aircraftLink}};
    HANDLE thread = nullptr;
};

TEST_F(WorkerThreadTest, ACommandWrittenToFsuipcReachesTheAircraftOnce) {
    fsuipc.SetU16(0x9400, 0xFFFF);
    StartWorker();
    ASSERT_TRUE(PumpExchanges(3));
    EXPECT_EQ(running.load(), 1);

    fsuipc.SetU16(0x9400, 1298);
    ASSERT_TRUE(testbed::PumpUntil([&] { return !aircraft.Commands().empty(); }, kPatience));
    ASSERT_TRUE(PumpExchanges(5));
    EXPECT_THAT(aircraft.Commands(), ElementsAre(Command{1299, 2}));
    EXPECT_EQ(CommandWord(), 0xFFFF);
    EXPECT_EQ(plugin.stepLevel, 2);
}

TEST_F(WorkerThreadTest, ASteadyCycleMakesOneExchangeOfTheTwentyThreeReads) {
    fsuipc.SetU16(0x9400, 0xFFFF);
    StartWorker();
    ASSERT_TRUE(PumpExchanges(3));  // first cycles may publish what the aircraft shows
    fsuipc.LogExchanges(true);
    ASSERT_TRUE(PumpExchanges(10));
    StopWorker();
    const auto exchanges = fsuipc.Exchanges();
    ASSERT_GE(exchanges.size(), 10u);
    for (const testbed::FsuipcServedExchange& exchange : exchanges) {
        EXPECT_EQ(exchange.reply, 1u);
        EXPECT_EQ(exchange.log.reads, 23u);
        EXPECT_EQ(exchange.log.records, 23u);  // no write record: no second exchange either
    }
    EXPECT_TRUE(aircraft.Commands().empty());
}

TEST_F(WorkerThreadTest, ClearingTheFlagEndsTheWorkerAfterAtMostTheCycleUnderWay) {
    StartWorker();
    ASSERT_TRUE(PumpExchanges(3));
    running.store(0);
    const uint64_t atStop = fsuipc.ExchangeCount();
    ASSERT_TRUE(WorkerEnded());
    EXPECT_LE(fsuipc.ExchangeCount(), atStop + 1);
    EXPECT_EQ(running.load(), 0);
}

TEST_F(WorkerThreadTest, AMissingViewEndsTheWorkerByItself) {
    for (std::atomic<bool>* view : {&views.sdk2Gone, &views.sdkGone}) {
        SCOPED_TRACE(view == &views.sdkGone ? "first view" : "second view");
        views.sdkGone = false;
        views.sdk2Gone = false;
        StartWorker();
        ASSERT_TRUE(PumpExchanges(3));
        view->store(true);
        const uint64_t atLoss = fsuipc.ExchangeCount();
        ASSERT_TRUE(WorkerEnded());
        EXPECT_LE(fsuipc.ExchangeCount(), atLoss + 1);
        EXPECT_EQ(running.load(), 0);
        StopWorker();
    }
}

// The plug-in's wiring: the library's own links and tables.
TEST(ProcessWorker, RunsOnTheLibrarysLinksAndTables) {
    testbed::Testbed testbed;
    AircraftParty& aircraft = testbed.aircraft;
    FsuipcParty& fsuipc = *testbed.fsuipc;
    fsuipc.SetU16(0x9400, 637);
    ASSERT_TRUE(aircraft.SetI32(AircraftParty::Block::Sdk, 0x7BC, 1));
    SilentLog log;
    uint32_t result = 99;
    ASSERT_TRUE(plugin::Library().fsuipc.Open(result));
    ASSERT_TRUE(plugin::Library().aircraft.Attach(log));

    std::atomic<int32_t> running{0};
    auto plugin = std::make_unique<WorkerFields>();
    WorkerContext context = plugin::LibraryWorkerContext(*plugin, running);
    HANDLE thread = CreateThread(nullptr, 0, plugin::WorkerThreadMain, &context, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    EXPECT_TRUE(testbed::PumpUntil([&] { return !aircraft.Commands().empty(); }, kPatience));
    running.store(0);
    EXPECT_TRUE(testbed::PumpUntil([&] { return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; },
                                   kPatience));
    CloseHandle(thread);

    EXPECT_THAT(aircraft.Commands(), ElementsAre(Command{640, 0}));
    EXPECT_EQ(aircraft::FieldI32(plugin::Library().bridgeTables.sdkBlock, 0x7BC), 1);
    plugin::Library().aircraft.Detach(log);
    plugin::Library().fsuipc.Close();
}

}  // namespace
}  // namespace ulvo::bridge
