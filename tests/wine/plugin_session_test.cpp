// The whole plug-in in the testbed with every party present: the start, the
// aircraft confirmed at the first tick, the worker's journeys, and the ways the
// session ends.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "win/message_pump.h"
#include "win/plugin_threads.h"
#include "wine/plugin_log_lines.h"
#include "wine/plugin_session.h"

namespace ulvo::testbed {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using Command = AircraftParty::Command;

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
    DWORD worker = 0;
};

TEST(PluginStart, LogsEveryConnectionAndSendsTheSimConnectSetUpOnThePipe) {
    PluginSession session;
    ASSERT_TRUE(session.Start());
    EXPECT_EQ(session.Log(), kStartLog);
    SimConnectServer& server = session.testbed.simConnect->server;
    ASSERT_TRUE(server.WaitForMessages(0, 11));
    EXPECT_EQ(server.ConnectionCount(), 1u);
    EXPECT_TRUE(server.IsPipe(0));
    EXPECT_THAT(server.Messages(0), ElementsAreArray(expected::SetUpMessages()));
    // Nothing runs on the plug-in's own threads before the aircraft is confirmed.
    EXPECT_THAT(session.PluginThreads(), IsEmpty());
}

TEST_F(RunningSession, ACommandWrittenAtTheCommandWordReachesTheAircraftOnce) {
    session.SetFsuipcU16(0x9400, 1298);
    ASSERT_TRUE(session.PumpCommands(1));
    ASSERT_TRUE(session.PumpUntil([&] { return session.FsuipcU16(0x9400) == 0xFFFF; }));
    // More cycles, no second post.
    ASSERT_TRUE(session.PumpExchanges(10));
    EXPECT_THAT(session.testbed.aircraft.Commands(), ElementsAre(Command{1299, 2}));
    EXPECT_EQ(session.NewLog(), "");  // the worker writes nothing to the log
}

TEST_F(RunningSession, AnAnnunciatorLitInTheSectionReachesItsFsuipcByte) {
    for (const auto& [lit, byte] : {std::pair{1, 0x80}, {0, 0x00}, {1, 0x80}}) {
        SCOPED_TRACE(lit);
        ASSERT_TRUE(session.testbed.aircraft.SetI32(AircraftParty::Block::Sdk, 0x060, lit));
        EXPECT_TRUE(session.PumpUntil([&] { return session.FsuipcU8(0x9402) == byte; }));
    }
    EXPECT_THAT(session.testbed.aircraft.Commands(), IsEmpty());
}

// A client turns a knob: the control bytes it writes become trains of step
// commands and a set value seeded from the aircraft's altitude window.
TEST_F(RunningSession, KnobTrainsWrittenByAClientBecomeAircraftCommands) {
    AircraftParty& aircraft = session.testbed.aircraft;
    const int32_t altitudeDigits[] = {1, 2, 0, 0, 0};  // the window shows 12000
    for (uint32_t i = 0; i < 5; ++i) {
        ASSERT_TRUE(aircraft.SetI32(AircraftParty::Block::Sdk, 0x1E0 + 4 * i, altitudeDigits[i]));
    }
    ASSERT_TRUE(session.PumpUntil([&] { return session.FsuipcU16(0x943A) == 12000; }));

    session.SetFsuipcU8(0x94F8, 3);  // three steps up
    ASSERT_TRUE(session.PumpCommands(3));
    EXPECT_THAT(aircraft.TakeCommands(),
                ElementsAre(Command{628, 0}, Command{628, 0}, Command{628, 0}));
    session.SetFsuipcU8(0x94F8, 1);  // two steps down
    ASSERT_TRUE(session.PumpCommands(2));
    EXPECT_THAT(aircraft.TakeCommands(), ElementsAre(Command{627, 0}, Command{627, 0}));

    session.SetFsuipcU8(0x94F0, 2);  // altitude knob, two clicks of 100 ft
    ASSERT_TRUE(session.PumpCommands(1));
    session.SetFsuipcU8(0x94F0, 3);  // one more within the hold-off
    ASSERT_TRUE(session.PumpCommands(2));
    ASSERT_TRUE(session.PumpExchanges(5));
    EXPECT_THAT(aircraft.TakeCommands(), ElementsAre(Command{1232, 12200}, Command{1232, 12300}));
}

TEST_F(RunningSession, TheShutdownStopsTheWorkerClosesEverythingThenTheLog) {
    session.Shutdown();
    EXPECT_EQ(session.NewLog(), kWorkerClosing + kConnectionsClosed + kLogClosed);
    EXPECT_FALSE(ThreadObjectExists(worker));  // ended, and its handle closed
    EXPECT_TRUE(session.testbed.simConnect->server.WaitForEnd(0));
    const uint64_t exchanges = session.testbed.fsuipc->ExchangeCount();
    PumpFor(std::chrono::milliseconds(50));
    EXPECT_EQ(session.testbed.fsuipc->ExchangeCount(), exchanges);
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
    const uint64_t served = session.testbed.fsuipc->ExchangeCount();
    session.Shutdown();
    EXPECT_EQ(session.testbed.fsuipc->ExchangeCount(), served + 1);
    EXPECT_FALSE(ThreadObjectExists(worker));
    EXPECT_EQ(session.NewLog(), kWorkerClosing + kConnectionsClosed + kLogClosed);
}

}  // namespace
}  // namespace ulvo::testbed
