// What the aircraft shows reaches FSUIPC's offsets through the library's own
// worker thread, FSUIPC link and aircraft link, against the testbed's aircraft
// sections and FSUIPC window (served by this thread, as the simulator's main
// thread serves it).
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <vector>

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
using Block = AircraftParty::Block;

constexpr std::chrono::milliseconds kPatience(10000);

struct SilentLog final : LogSink {
    void LogLine(std::string_view) override {}
};

// The library's worker thread on its process-wide links and tables, stopped (with
// this thread pumping, since the worker's exchanges need it) on every way out.
class LibraryWorker {
  public:
    LibraryWorker() {
        thread = CreateThread(nullptr, 0, plugin::WorkerThreadMain, &context, 0, nullptr);
    }
    ~LibraryWorker() { Stop(); }

    bool Started() const { return thread != nullptr; }
    bool Stop() {
        if (thread == nullptr) {
            return true;
        }
        running.store(0);
        const bool ended = testbed::PumpUntil(
            [&] { return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; }, kPatience);
        CloseHandle(thread);
        thread = nullptr;
        return ended;
    }

  private:
    std::atomic<int32_t> running{0};
    std::unique_ptr<WorkerFields> plugin = std::make_unique<WorkerFields>();
    WorkerContext context = plugin::LibraryWorkerContext(*plugin, running);
    HANDLE thread = nullptr;
};

TEST(PublishThroughWorker, AircraftChangesReachTheirOffsetsAndASteadyAircraftWritesNothing) {
    testbed::Testbed testbed;
    AircraftParty& aircraft = testbed.aircraft;
    testbed::FsuipcParty& fsuipc = *testbed.fsuipc;
    auto offsets = [&](auto read) { return fsuipc.WithSpace(read); };
    fsuipc.SetU16(0x9400, 0xFFFF);
    // Display02 shows 250, the annunciator at 0x060 is lit, 0xF88 holds 0.25.
    for (auto [offset, value] : {std::pair{0x1A8u, 2}, {0x1ACu, 5}, {0x1B0u, 0}, {0x060u, 1}}) {
        ASSERT_TRUE(aircraft.SetI32(Block::Sdk, offset, value));
    }
    ASSERT_TRUE(aircraft.SetF64(Block::Sdk, 0xF88, 0.25));

    SilentLog log;
    uint32_t result = 99;
    ASSERT_TRUE(plugin::Library().fsuipc.Open(result)) << result;
    ASSERT_TRUE(plugin::Library().aircraft.Attach(log));
    LibraryWorker worker;
    ASSERT_TRUE(worker.Started());

    EXPECT_TRUE(testbed::PumpUntil(
        [&] {
            return offsets([](testbed::FsuipcOffsetSpace& space) {
                return space.U16(0x9434) == 250 && space.U8(0x9402) == 0x80 &&
                       space.U16(0x9477) == 250;
            });
        },
        kPatience));

    // From here on every exchange is logged. Nothing is served between turning the
    // log on and the change: FSUIPC answers only while this thread pumps.
    ASSERT_TRUE(testbed::PumpUntil([&] { return fsuipc.ExchangeCount() >= 3; }, kPatience));
    fsuipc.LogExchanges(true);
    ASSERT_TRUE(aircraft.SetI32(Block::Sdk, 0x1B0, 7));  // Display02 now shows 257
    EXPECT_TRUE(testbed::PumpUntil([&] { return fsuipc.Exchanges().size() >= 8; }, kPatience));

    EXPECT_TRUE(worker.Stop());
    plugin::Library().aircraft.Detach(log);
    plugin::Library().fsuipc.Close();

    // The change travels in the next cycle's exchange, or in the one after when
    // the cycle under way had copied the block just before it; exactly once.
    const std::vector<testbed::FsuipcServedExchange> exchanges = fsuipc.Exchanges();
    ASSERT_GE(exchanges.size(), 8u);
    size_t carrying = exchanges.size();
    for (size_t i = 0; i < exchanges.size(); ++i) {
        const testbed::FsuipcExchangeLog& exchange = exchanges[i].log;
        EXPECT_EQ(exchange.reads, 23u) << "exchange " << i;
        if (exchange.writes.empty()) {
            EXPECT_EQ(exchange.records, 23u) << "exchange " << i;
            continue;
        }
        EXPECT_EQ(carrying, exchanges.size()) << "a second exchange with writes: " << i;
        carrying = i;
        ASSERT_EQ(exchange.writes.size(), 1u);
        EXPECT_EQ(exchange.writes[0].offset, 0x9434u);
        EXPECT_EQ(exchange.writes[0].bytes, (std::vector<uint8_t>{0x01, 0x01}));
    }
    EXPECT_LE(carrying, 1u);
    EXPECT_EQ(offsets([](testbed::FsuipcOffsetSpace& space) { return space.U16(0x9434); }), 257);
}

}  // namespace
}  // namespace ulvo::bridge
