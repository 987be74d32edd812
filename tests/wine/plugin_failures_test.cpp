// The plug-in in a testbed that falls short: a party missing, the aircraft not
// the one loaded, the host without a title. Each has its exact log, and nothing
// is left open or running.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "win/message_pump.h"
#include "wine/plugin_log_lines.h"
#include "wine/plugin_session.h"

namespace ulvo::testbed {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Command = AircraftParty::Command;

const std::string kStartReport = kLogOpened + kVehicleReport + kTestbedTitle + "\r\n";

TEST(PluginFailures, AConnectionThatDoesNotOpenClosesWhatStandsAndTheTicksDoNothing) {
    const struct {
        const char* name;
        std::function<void(TestbedOptions&)> configure;
        std::string start;  // after "Logfile opened"
    } cases[] = {
        {"SimConnect unavailable: nothing else is tried",
         [](TestbedOptions& o) { o.simConnect.reset(); },
         kVehicleReport + kTestbedTitle +
             "\r\nSimConnect did not start.\r\nClosing FSUIPC if it was open.\r\n"},
        {"FSUIPC unavailable", [](TestbedOptions& o) { o.fsuipc = false; },
         kVehicleReport + kTestbedTitle +
             "\r\nSimconnect started.\r\nFSUIPC SDK did not start.\r\n"
             "Closing FSUIPC if it was open.\r\nClosing Simconnect.\r\n"},
        {"first section missing", [](TestbedOptions& o) { o.aircraft.sdkSection = false; },
         kVehicleReport + kTestbedTitle +
             "\r\nSimconnect started.\r\nFSUIPC started.\r\n"
             "Ulvo 737 SDK filemap did not open.\r\n"
             "Closing FSUIPC if it was open.\r\nClosing Simconnect.\r\n"},
        {"second section missing: the first is closed again",
         [](TestbedOptions& o) { o.aircraft.sdk2Section = false; },
         kVehicleReport + kTestbedTitle +
             "\r\nSimconnect started.\r\nFSUIPC started.\r\n"
             "Ulvo 737 SDK filemap opened.\r\nUlvo 737 SDK buffer opened.\r\n"
             "Ulvo 737 SDK 2nd filemap did not open.\r\n"
             "Closing FSUIPC if it was open.\r\nClosing Simconnect.\r\n"
             "Closing ulvo SDK buffer.\r\nClosing ulvo SDK filemap.\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestbedOptions options;
        c.configure(options);
        PluginSession session(options);
        ASSERT_TRUE(session.Start());
        EXPECT_EQ(session.NewLog(), kLogOpened + c.start);
        // Only the handshake of an FSUIPC link that opened reached FSUIPC.
        const uint64_t exchanges =
            session.testbed.fsuipc ? session.testbed.fsuipc->ExchangeCount() : 0;
        session.Tick();
        session.Tick();
        EXPECT_EQ(session.NewLog(), "");
        EXPECT_THAT(session.PluginThreads(), IsEmpty());
        session.Shutdown();
        EXPECT_EQ(session.NewLog(), "Closing FSUIPC if it was open.\r\n" + kLogClosed);
        if (session.testbed.fsuipc) {
            EXPECT_EQ(session.testbed.fsuipc->ExchangeCount(), exchanges);
        }
    }
}

TEST(PluginFailures, AVehicleTitleTheHostCannotGiveLeavesTheReportToTheNextLine) {
    TestbedOptions options;
    options.host.userObjectFails = true;
    PluginSession session(options);
    ASSERT_TRUE(session.Start());
    session.Tick();
    EXPECT_EQ(session.Log(),
              kLogOpened + kVehicleReport + kConnectionsOpened + kStateOne + kWorkerStarted);
    EXPECT_EQ(session.testbed.host.vehicle.Outstanding(), 0);
}

TEST(PluginFailures, AnotherAircraftAtTheFirstTickClosesEverythingAndKeepsItsValueAsTheGate) {
    const struct {
        int32_t state;
        bool groundServicesRun;  // the gate holds the value read: any but 0 opens it
    } cases[] = {{2, true}, {0, false}};
    const std::string power = "Jetway Power status changed to value: ";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.state);
        PluginSession session;
        ASSERT_TRUE(session.testbed.aircraft.SetI32(AircraftParty::Block::Sdk2, 0x1A70, c.state));
        session.testbed.host.namedVariables.Set("FSDT_GSX_JETWAY_POWER", 5.0);
        ASSERT_TRUE(session.Start());
        session.NewLog();
        session.Tick();
        EXPECT_EQ(session.NewLog(),
                  kOtherPlane + kConnectionsClosed + (c.groundServicesRun ? power + "5\r\n" : ""));
        EXPECT_THAT(session.PluginThreads(), IsEmpty());
        EXPECT_TRUE(session.testbed.simConnect->server.WaitForEnd(0));
        // The command channel found while the aircraft was attached stays.
        if (c.groundServicesRun) {
            ASSERT_TRUE(session.PumpCommands(1));
            EXPECT_THAT(session.testbed.aircraft.Commands(), ElementsAre(Command{1215, 0}));
        }

        // The state is not checked again, whatever it becomes.
        ASSERT_TRUE(session.testbed.aircraft.SetI32(AircraftParty::Block::Sdk2, 0x1A70, 1));
        session.testbed.host.namedVariables.Set("FSDT_GSX_JETWAY_POWER", 0.0);
        session.Tick();
        EXPECT_EQ(session.NewLog(), c.groundServicesRun ? power + "0\r\n" : "");
        EXPECT_THAT(session.PluginThreads(), IsEmpty());
        PumpFor(std::chrono::milliseconds(20));
        EXPECT_EQ(session.testbed.aircraft.Commands().size(), c.groundServicesRun ? 2u : 0u);
    }
}

}  // namespace
}  // namespace ulvo::testbed
