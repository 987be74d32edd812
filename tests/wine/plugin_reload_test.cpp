// The vehicle-load message (578): everything closes, the new vehicle is reported
// and everything opens again; the worker waits for the next tick's check.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "win/plugin_threads.h"
#include "wine/plugin_log_lines.h"
#include "wine/plugin_session.h"

namespace ulvo::testbed {
namespace {

using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

TEST(PluginReload, AVehicleLoadWhileTheWorkerRunsClosesReopensAndRestartsAtTheNextTick) {
    PluginSession session;
    ASSERT_TRUE(session.Start());
    session.Tick();
    ASSERT_TRUE(session.PumpExchanges(3));
    ASSERT_EQ(session.PluginThreads().size(), 1u);
    const DWORD firstWorker = session.PluginThreads()[0];
    session.NewLog();

    session.testbed.host.vehicle.title = L"Ulvo 737-900 Testbed";
    session.VehicleLoaded();
    EXPECT_EQ(session.NewLog(), kWorkerClosing + kConnectionsClosed + kVehicleReport +
                                    "Ulvo 737-900 Testbed\r\n" + kConnectionsOpened);
    EXPECT_FALSE(ThreadObjectExists(firstWorker));
    EXPECT_THAT(session.PluginThreads(), IsEmpty());
    // A fresh SimConnect client made the whole set-up again.
    SimConnectServer& server = session.testbed.simConnect->server;
    EXPECT_TRUE(server.WaitForEnd(0));
    ASSERT_TRUE(server.WaitForMessages(1, 11));
    EXPECT_THAT(server.Messages(1), ElementsAreArray(expected::SetUpMessages()));

    session.Tick();
    EXPECT_EQ(session.NewLog(), kStateOne + kWorkerStarted);
    ASSERT_EQ(session.PluginThreads().size(), 1u);
    EXPECT_TRUE(session.PumpExchanges(3));
    session.Shutdown();
    EXPECT_EQ(session.NewLog(), kWorkerClosing + kConnectionsClosed + kLogClosed);
    EXPECT_THAT(session.PluginThreads(), IsEmpty());
}

TEST(PluginReload, AVehicleLoadBeforeTheStartIsIgnored) {
    PluginSession session;
    ASSERT_TRUE(session.testbed.plugin.LoadAndStart());
    session.VehicleLoaded();
    EXPECT_EQ(GetFileAttributesW(session.testbed.plugin.LogPath().c_str()),
              INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(session.testbed.host.vehicles.LastCall(), "");
    EXPECT_EQ(session.testbed.simConnect->server.ConnectionCount(), 0u);
    EXPECT_EQ(session.testbed.fsuipc->ExchangeCount(), 0u);

    session.testbed.host.DeliverMessage(P3D::kMessageLoadingComplete);
    EXPECT_EQ(session.Log(), kStartLog);
}

TEST(PluginReload, AVehicleLoadBeforeTheFirstTickReopensAndTheTickStillStartsTheWorker) {
    PluginSession session;
    ASSERT_TRUE(session.Start());
    session.NewLog();
    session.VehicleLoaded();
    EXPECT_EQ(session.NewLog(),
              kConnectionsClosed + kVehicleReport + kTestbedTitle + "\r\n" + kConnectionsOpened);
    session.Tick();
    EXPECT_EQ(session.NewLog(), kStateOne + kWorkerStarted);
    EXPECT_EQ(session.PluginThreads().size(), 1u);
}

}  // namespace
}  // namespace ulvo::testbed
