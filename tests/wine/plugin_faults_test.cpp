// Faults while the whole plug-in runs in the testbed: FSUIPC gone and back,
// FSUIPC slower than its client's time-out, the SimConnect pipe broken, vehicle
// reloads in a row and DLLStop at any moment. Nothing may crash, hang, leak or
// perform a command twice; each fault ends as the log and the offsets say. Random
// sections in every cycle are the soak's part (testbed.exe soak).
//
// ULVO_FAULT_ROUNDS (default 10) sets how many reloads and stops one run makes;
// `make soak` runs them 100 times.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "core/expected_log_lines.h"
#include "core/plugin_simconnect_messages.h"
#include "win/message_pump.h"
#include "win/plugin_session.h"
#include "win/plugin_threads.h"
#include "win/process_use.h"

namespace ulvo::testbed {
namespace {

using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using Command = AircraftParty::Command;

constexpr uint32_t kCommandWord = 0x9400;
constexpr uint32_t kAnnunciatorField = 0x060;  // SdkBlock; bit 7 of the byte at 0x9402
constexpr uint32_t kAnnunciatorByte = 0x9402;

int Rounds() {
    const char* text = std::getenv("ULVO_FAULT_ROUNDS");
    const int rounds = text != nullptr ? std::atoi(text) : 0;
    return rounds > 0 ? rounds : 10;
}

// Started, confirmed, the worker past its first command.
class RunningPlugin : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(session.Start());
        session.Tick();
        ASSERT_TRUE(session.PumpFirstCycles());
        session.NewLog();
    }

    // A client writes `code` at 0x9400: the aircraft receives it exactly once and
    // the word reads idle again.
    void ExpectPerformedOnce(uint16_t code) {
        session.Fsuipc().SetU16(kCommandWord, code);
        ASSERT_TRUE(session.PumpCommands(1)) << "command " << code;
        ASSERT_TRUE(
            session.PumpUntil([&] { return session.Fsuipc().U16(kCommandWord) == 0xFFFF; }));
        ASSERT_TRUE(session.PumpExchanges(5));
        EXPECT_EQ(session.testbed.aircraft.TakeCommands(), (std::vector<Command>{{code, 0}}));
    }

    // The reload's lines (the old worker gone, everything closed and opened again, a
    // fresh SimConnect client making the whole set-up), then the tick that restarts
    // the worker.
    void ReloadAndRestart() {
        const std::vector<DWORD> workers = session.PluginThreads();
        SimConnectServer& server = session.testbed.simConnect->server;
        const size_t connection = server.ConnectionCount();
        session.VehicleLoaded();
        EXPECT_EQ(session.NewLog(), kWorkerClosing + kConnectionsClosed + kVehicleReport +
                                        kTestbedTitle + "\r\n" + kConnectionsOpened);
        for (DWORD worker : workers) {
            EXPECT_FALSE(ThreadObjectExists(worker));
        }
        EXPECT_TRUE(server.WaitForMessages(connection, 11));
        EXPECT_THAT(server.Messages(connection), ElementsAreArray(expected::SetUpMessages()));
        session.Tick();
        EXPECT_EQ(session.NewLog(), kStateOne + kWorkerStarted);
        // The line comes once the worker is created, maybe before Wine shows the
        // thread's start address.
        EXPECT_TRUE(session.PumpUntil([&] { return session.PluginThreads().size() == 1; }));
    }

    PluginSession session;
};

// Without its window FSUIPC cannot be reached: every exchange fails after its nine
// attempts and the worker goes on. The link keeps the window it found when it
// opened, so an FSUIPC that comes back is reached after the next reload, which
// opens the link again; its fresh offsets then get the values that change.
TEST_F(RunningPlugin, FsuipcGoneAndBackIsReachedAgainAfterTheNextReload) {
    session.testbed.fsuipc.reset();
    PumpFor(std::chrono::milliseconds(1200));  // at least one whole failed exchange
    EXPECT_EQ(session.PluginThreads().size(), 1u);

    session.testbed.fsuipc.emplace(FsuipcParty::Options{});
    PumpFor(std::chrono::milliseconds(300));
    EXPECT_EQ(session.Fsuipc().ExchangeCount(), 0u);
    EXPECT_THAT(session.testbed.aircraft.Commands(), IsEmpty());

    ReloadAndRestart();
    ASSERT_TRUE(session.PumpFirstCycles());  // the fresh 0x9400 holds command 0
    ExpectPerformedOnce(0x0123);
    session.testbed.aircraft.SetI32(AircraftParty::Block::Sdk, kAnnunciatorField, 1);
    EXPECT_TRUE(session.PumpUntil([&] { return session.Fsuipc().U8(kAnnunciatorByte) == 0x80; }));
}

// FSUIPC busy for longer than the 2000 ms time-out: the send is made again and the
// command in that exchange is still performed once. The late answer executes the
// same records a second time, but only the answered exchange hands its reads over.
TEST_F(RunningPlugin, FsuipcSlowerThanItsTimeOutPerformsTheCommandOnce) {
    session.Fsuipc().AnswerSlowly(1, 2300);
    ExpectPerformedOnce(0x0124);
    ExpectPerformedOnce(0x0125);
}

// The simulator ends the SimConnect pipe: the worker goes on, a door request is
// only logged once a send has failed, and the next reload connects a fresh
// client that makes the whole set-up again.
TEST_F(RunningPlugin, ABrokenSimConnectPipeLeavesTheWorkerAndTheReloadConnectsAgain) {
    SimConnectServer& server = session.testbed.simConnect->server;
    server.Close(0);
    ASSERT_TRUE(server.WaitForEnd(0));
    ExpectPerformedOnce(0x0126);
    // The first request still goes out (and rests five ticks); its failed send
    // makes every later one log the failure instead.
    session.testbed.host.namedVariables.Set("FSDT_GSX_AIRCRAFT_CARGO_1_TOGGLE", 1.0);
    std::string log;
    for (int tick = 0; tick < 7; ++tick) {
        session.Tick();
        log += session.NewLog();
    }
    EXPECT_EQ(log,
              "Cargodoors toggle requested.\r\n"
              "SimConnect has issues. Toggle cargodoors manually.\r\n");
    session.testbed.host.namedVariables.Set("FSDT_GSX_AIRCRAFT_CARGO_1_TOGGLE", 0.0);
    ReloadAndRestart();
    ExpectPerformedOnce(0x0127);
}

// Reloads in a row while the worker runs: each closes and opens everything and
// restarts the worker, and commands are performed once. Nothing the plug-in
// holds may grow: the testbed's SimConnect server lets go of the connections the
// plug-in closed before each measurement, so handles must stay flat. Memory grows
// by about 8 KiB per reload under Wine, nearly all outside the heaps; the few heap
// blocks that stay are the testbed host channel's records of what each client
// registered. A client lost at each close would hold its 41,088-byte buffers.
TEST_F(RunningPlugin, VehicleReloadsInARowLeakNothing) {
    // Thread-pool threads coming and going: up to 8 on a busy machine, still
    // fewer than one handle lost per reload leaves over `make test`'s 10 reloads.
    constexpr DWORD kHandleNoise = 8;
    constexpr size_t kBytesPerReload = 16 << 10;
    constexpr size_t kMemoryNoise = 2 << 20;
    SimConnectServer& server = session.testbed.simConnect->server;
    // Every connection but the newest has been closed by the plug-in.
    auto releaseClosedConnections = [&] {
        for (size_t connection = 0; connection + 1 < server.ConnectionCount(); ++connection) {
            ASSERT_TRUE(server.WaitForEnd(connection));
        }
        server.ReleaseEnded();
    };
    ReloadAndRestart();
    ExpectPerformedOnce(0x0100);
    releaseClosedConnections();
    const ProcessUse base = MeasureProcess();
    const int rounds = Rounds();
    for (int round = 1; round <= rounds; ++round) {
        SCOPED_TRACE(testing::Message() << "reload " << round);
        ReloadAndRestart();
        ExpectPerformedOnce(uint16_t(0x0100 + round % 0x100));
        ASSERT_FALSE(HasFailure());
    }
    releaseClosedConnections();
    const ProcessUse now = MeasureProcess();
    const std::string grown = HandleGrowth(base, now);
    std::printf("%d reloads: handles %lu -> %lu (%s), private bytes %.2f -> %.2f MiB\n", rounds,
                base.handles, now.handles, grown.c_str(), double(base.privateBytes) / 1048576,
                double(now.privateBytes) / 1048576);
    EXPECT_LE(now.handles, base.handles + kHandleNoise) << "grown: " << grown;
    EXPECT_LE(now.privateBytes,
              base.privateBytes + kMemoryNoise + size_t(rounds) * kBytesPerReload);
}

// DLLStop at any moment of a session, without the shutdown message: whatever
// stands is closed, the worker has ended, and the folder's log holds whole lines.
TEST(PluginStops, DllStopAtAnyMomentEndsTheWorkerAndClosesEverything) {
    std::mt19937 rng(5);
    for (int round = 0; round < Rounds(); ++round) {
        SCOPED_TRACE(testing::Message() << "stop " << round);
        PluginSession session;
        ASSERT_TRUE(session.testbed.plugin.LoadAndStart());
        const int moment = round % 5;
        if (moment >= 1) {
            session.testbed.host.DeliverMessage(P3D::kMessageLoadingComplete);
        }
        if (moment >= 2) {
            session.Tick();
            PumpFor(std::chrono::milliseconds(rng() % 20));
        }
        if (moment == 3) {
            session.Fsuipc().AnswerSlowly(1, 300);  // the worker waits in a send
            session.Fsuipc().SetU16(kCommandWord, 0x0130);
            PumpFor(std::chrono::milliseconds(rng() % 10));
        }
        if (moment == 4) {
            session.VehicleLoaded();
        }
        const std::vector<DWORD> workers = session.PluginThreads();
        session.testbed.plugin.StopAndUnload();
        for (DWORD worker : workers) {
            EXPECT_FALSE(ThreadObjectExists(worker));
        }
        const std::string log = session.Log();
        EXPECT_TRUE(log.empty() || log.ends_with("\r\n")) << log;
        if (moment >= 1) {
            EXPECT_TRUE(log.ends_with(kConnectionsClosed)) << log;
        }
        // A command is performed at most once, even when the stop came in its cycle.
        std::vector<Command> commands = session.testbed.aircraft.TakeCommands();
        EXPECT_LE(std::count(commands.begin(), commands.end(), Command{0x0130, 0}), 1);
        ASSERT_FALSE(HasFailure());
    }
}

}  // namespace
}  // namespace ulvo::testbed
