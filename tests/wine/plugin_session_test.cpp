// The whole plug-in in the testbed: the start, the aircraft confirmed at the
// first tick, each way from a host callback or an FSUIPC client to the aircraft,
// the offsets and the SimConnect pipe (one case each: the rules behind them are
// tested natively), and the ways the session ends. Reloads are in
// plugin_faults_test.cpp.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/expected_log_lines.h"
#include "core/plugin_simconnect_messages.h"
#include "win/message_pump.h"
#include "win/plugin_session.h"
#include "win/plugin_threads.h"

namespace ulvo::testbed {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using Block = AircraftParty::Block;
using Command = AircraftParty::Command;

TEST(PluginStart, LogsEveryConnectionAndSendsTheSimConnectSetUpOnThePipe) {
    PluginSession session;
    ASSERT_TRUE(session.Start());
    EXPECT_EQ(session.Log(), kStartLog);
    SimConnectServer& server = session.testbed.simConnect->server;
    ASSERT_TRUE(server.WaitForMessages(0, 11));
    EXPECT_TRUE(server.IsPipe(0));
    EXPECT_THAT(server.Messages(0), ElementsAreArray(expected::SetUpMessages()));
    // Nothing runs on the plug-in's own threads before the aircraft is confirmed.
    EXPECT_THAT(session.PluginThreads(), IsEmpty());
}

// Started, confirmed at the first tick, the worker exchanging with FSUIPC.
class RunningSession : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(session.Start());
        ASSERT_EQ(session.NewLog(), kStartLog);
        session.Tick();
        ASSERT_EQ(session.NewLog(), kStateOne + kWorkerStarted);
        ASSERT_TRUE(session.PumpFirstCycles());
        const std::vector<DWORD> threads = session.PluginThreads();
        ASSERT_EQ(threads.size(), 1u);
        worker = threads[0];
    }

    PluginSession session;
    AircraftParty& aircraft = session.testbed.aircraft;
    DWORD worker = 0;
};

TEST_F(RunningSession, ACommandWrittenAtTheCommandWordReachesTheAircraftOnce) {
    session.Fsuipc().SetU16(0x9400, 1298);
    ASSERT_TRUE(session.PumpCommands(1));
    ASSERT_TRUE(session.PumpUntil([&] { return session.Fsuipc().U16(0x9400) == 0xFFFF; }));
    ASSERT_TRUE(session.PumpExchanges(10));  // more cycles, no second post
    EXPECT_THAT(aircraft.Commands(), ElementsAre(Command{1299, 2}));
    EXPECT_EQ(session.NewLog(), "");  // the worker writes nothing to the log
}

// A display, an annunciator and a further value, from the aircraft's fields to
// their offsets; then the annunciator goes out again.
TEST_F(RunningSession, WhatTheAircraftShowsReachesItsOffsets) {
    for (auto [field, digit] : {std::pair{0x1A8u, 2}, {0x1ACu, 5}, {0x1B0u, 7}}) {
        ASSERT_TRUE(aircraft.SetI32(Block::Sdk, field, digit));  // Display02 shows 257
    }
    ASSERT_TRUE(aircraft.SetI32(Block::Sdk, 0x060, 1));
    ASSERT_TRUE(aircraft.SetF64(Block::Sdk, 0xF88, 0.25));
    EXPECT_TRUE(session.PumpUntil([&] {
        return session.Fsuipc().U16(0x9434) == 257 && session.Fsuipc().U8(0x9402) == 0x80 &&
               session.Fsuipc().U16(0x9477) == 250;  // 0.25 x1000
    }));
    ASSERT_TRUE(aircraft.SetI32(Block::Sdk, 0x060, 0));
    EXPECT_TRUE(session.PumpUntil([&] { return session.Fsuipc().U8(0x9402) == 0x00; }));
    EXPECT_THAT(aircraft.Commands(), IsEmpty());
}

// A client turns a knob: the control bytes it writes become trains of step
// commands and a set value seeded from the aircraft's altitude window.
TEST_F(RunningSession, KnobTrainsWrittenByAClientBecomeAircraftCommands) {
    const int32_t altitudeDigits[] = {1, 2, 0, 0, 0};  // the window shows 12000
    for (uint32_t i = 0; i < 5; ++i) {
        ASSERT_TRUE(aircraft.SetI32(Block::Sdk, 0x1E0 + 4 * i, altitudeDigits[i]));
    }
    ASSERT_TRUE(session.PumpUntil([&] { return session.Fsuipc().U16(0x943A) == 12000; }));

    session.Fsuipc().SetU8(0x94F8, 3);  // three steps up
    ASSERT_TRUE(session.PumpCommands(3));
    EXPECT_THAT(aircraft.TakeCommands(),
                ElementsAre(Command{628, 0}, Command{628, 0}, Command{628, 0}));
    session.Fsuipc().SetU8(0x94F8, 1);  // two steps down
    ASSERT_TRUE(session.PumpCommands(2));
    EXPECT_THAT(aircraft.TakeCommands(), ElementsAre(Command{627, 0}, Command{627, 0}));

    session.Fsuipc().SetU8(0x94F0, 2);  // altitude knob, two clicks of 100 ft
    ASSERT_TRUE(session.PumpCommands(1));
    session.Fsuipc().SetU8(0x94F0, 3);  // one more within the hold-off
    ASSERT_TRUE(session.PumpCommands(2));
    ASSERT_TRUE(session.PumpExchanges(5));
    EXPECT_THAT(aircraft.TakeCommands(), ElementsAre(Command{1232, 12200}, Command{1232, 12300}));
}

// GSX at the ticks: a door request becomes its two events on the SimConnect pipe
// and rests five ticks; a jetway change becomes an aircraft command.
TEST_F(RunningSession, GsxDoorRequestsReachThePipeAndJetwayChangesTheAircraft) {
    SimConnectServer& server = session.testbed.simConnect->server;
    session.testbed.host.namedVariables.Set("FSDT_GSX_AIRCRAFT_EXIT_1_TOGGLE", 1.0);
    for (int tick = 0; tick <= 6; ++tick) {
        session.Tick();
        EXPECT_EQ(session.NewLog(), tick % 6 == 0 ? "Main exit toggle requested.\r\n" : "") << tick;
    }
    ASSERT_TRUE(server.WaitForMessages(0, 15));
    const std::vector<Bytes> messages = server.Messages(0);
    EXPECT_THAT(
        std::vector<Bytes>(messages.begin() + 11, messages.end()),
        ElementsAre(expected::TransmitClientEvent(12, 0), expected::TransmitClientEvent(13, 2),
                    expected::TransmitClientEvent(14, 0), expected::TransmitClientEvent(15, 2)));

    session.testbed.host.namedVariables.Set("FSDT_GSX_AIRCRAFT_EXIT_1_TOGGLE", 0.0);
    session.testbed.host.namedVariables.Set("FSDT_GSX_JETWAY_POWER", 5.0);
    session.Tick();
    EXPECT_EQ(session.NewLog(), "Jetway Power status changed to value: 5\r\n");
    ASSERT_TRUE(session.PumpCommands(1));
    EXPECT_THAT(aircraft.Commands(), ElementsAre(Command{1215, 0}));
}

TEST_F(RunningSession, TheShutdownStopsTheWorkerClosesEverythingThenTheLog) {
    session.Shutdown();
    EXPECT_EQ(session.NewLog(), kWorkerClosing + kConnectionsClosed + kLogClosed);
    EXPECT_FALSE(ThreadObjectExists(worker));  // ended, and its handle closed
    EXPECT_TRUE(session.testbed.simConnect->server.WaitForEnd(0));
    const uint64_t exchanges = session.Fsuipc().ExchangeCount();
    PumpFor(std::chrono::milliseconds(50));
    EXPECT_EQ(session.Fsuipc().ExchangeCount(), exchanges);
    session.testbed.plugin.StopAndUnload();
    for (const auto& [object, references] : session.testbed.host.OutstandingReferences()) {
        EXPECT_EQ(references, 0) << object;
    }
}

TEST_F(RunningSession, AStopWithoutShutdownStopsTheWorkerAndClosesBeforeTheObjectGoes) {
    session.testbed.plugin.StopAndUnload();  // DLLStop, then the library is unloaded
    EXPECT_FALSE(ThreadObjectExists(worker));
    EXPECT_EQ(session.NewLog(), kWorkerClosing + kConnectionsClosed);
    EXPECT_TRUE(session.testbed.simConnect->server.WaitForEnd(0));
    // The section and atom FSUIPC was reached through are gone with the link:
    // a new session in this process opens afresh.
    PluginSession next;
    ASSERT_TRUE(next.Start());
    EXPECT_EQ(next.Log(), kStartLog);
}

// The close runs on the thread that serves FSUIPC's window, while the worker may
// be waiting in a send to that window: the close must serve it, or the worker
// could not end before its send attempts ran out.
TEST_F(RunningSession, AShutdownServesTheExchangeTheWorkerIsWaitingIn) {
    // Stop pumping until the worker's next exchange waits for this thread.
    ASSERT_TRUE(session.PumpExchanges(1));
    const auto deadline = GetTickCount64() + kPatience.count();
    while (!(HIWORD(GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE)) {
        ASSERT_LT(GetTickCount64(), deadline);
        Sleep(1);
    }
    const uint64_t served = session.Fsuipc().ExchangeCount();
    session.Shutdown();
    EXPECT_EQ(session.Fsuipc().ExchangeCount(), served + 1);
    EXPECT_FALSE(ThreadObjectExists(worker));
    EXPECT_EQ(session.NewLog(), kWorkerClosing + kConnectionsClosed + kLogClosed);
}

}  // namespace
}  // namespace ulvo::testbed
