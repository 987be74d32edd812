#include "groundservices/ground_services.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "core/expected_log_lines.h"
#include "core/memory_named_variables.h"
#include "core/recording_command_port.h"
#include "core/recording_log.h"
#include "core/recording_simconnect.h"
#include "simconnect/status_codes.h"

namespace ulvo::groundservices {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class GroundServicesTest : public ::testing::Test {
  protected:
    std::vector<std::string> Step() {
        EXPECT_TRUE(GroundServicesStep(context));
        return log.Take();
    }

    GroundServicesFields plugin;
    testbed::MemoryNamedVariables variables;
    testbed::RecordingSimConnect simconnect;
    testbed::RecordingCommandPort aircraft;
    testbed::RecordingLog log;
    GroundServicesContext context{plugin, &variables, simconnect, aircraft, log};
};

TEST_F(GroundServicesTest, AFailedOpenRegistersNothingElseSetUpOpensMapsDefinesAndRequests) {
    simconnect.openResult = simconnect::kFail;
    EXPECT_FALSE(SimConnectSetUp(context));
    EXPECT_THAT(log.Take(), ElementsAre(testbed::kOpenFailedLines[0]));
    EXPECT_THAT(simconnect.TakeCalls(), ElementsAre("Open Ulvo2GSX Simconnect proc 0"));
    EXPECT_EQ(plugin.simConnect, nullptr);
    EXPECT_EQ(plugin.lastSimConnectResult, simconnect::kFail);

    simconnect.openResult = 0;
    simconnect.requestResult = -5;
    EXPECT_TRUE(SimConnectSetUp(context));
    EXPECT_THAT(log.Take(), ElementsAre(testbed::kConnectionsOpenedLines[0]));
    EXPECT_THAT(
        simconnect.TakeCalls(),
        ElementsAre("Open Ulvo2GSX Simconnect proc 0", "Map 0 TOGGLE_AIRCRAFT_EXIT",
                    "Map 1 TOGGLE_PUSHBACK", "Map 2 SELECT_1", "Map 3 SELECT_2", "Map 4 SELECT_3",
                    "Define 0 EXIT OPEN:0 / percent over 100 4 0.000000 4294967295",
                    "Define 0 EXIT OPEN:1 / percent over 100 4 0.000000 4294967295",
                    "Define 0 EXIT OPEN:2 / percent over 100 4 0.000000 4294967295",
                    "Define 0 PLANE ALTITUDE / feet 4 0.000000 4294967295",
                    "Request 0 0 0 4 1 0 0 0"));
    EXPECT_NE(plugin.simConnect, nullptr);
    EXPECT_EQ(plugin.lastSimConnectResult, -5);  // the request's result is kept

    SimConnectTearDown(context);
    EXPECT_THAT(log.Take(), ElementsAre(testbed::kConnectionsClosedLines[1]));
    EXPECT_THAT(simconnect.TakeCalls(), ElementsAre("Close"));
    EXPECT_EQ(plugin.simConnect, nullptr);
    SimConnectTearDown(context);  // nothing open: nothing logged or called
    EXPECT_THAT(log.Take(), IsEmpty());
    EXPECT_THAT(simconnect.TakeCalls(), IsEmpty());
}

TEST_F(GroundServicesTest, ExactlyOneRequestsADoorSendingToggleThenSelectorThenFiveStepsCoolDown) {
    ASSERT_TRUE(SimConnectSetUp(context));
    log.Take();
    simconnect.TakeCalls();
    for (double value : {0.0, 0.999, 2.0, -1.0, 1.0000001}) {  // only exactly 1 requests a door
        variables.values["FSDT_GSX_AIRCRAFT_CARGO_1_TOGGLE"] = value;
        EXPECT_THAT(Step(), IsEmpty()) << value;
    }
    EXPECT_THAT(simconnect.TakeCalls(), IsEmpty());
    variables.values["FSDT_GSX_AIRCRAFT_EXIT_1_TOGGLE"] = 1.0;
    variables.values["FSDT_GSX_AIRCRAFT_SERVICE_1_TOGGLE"] = 1.0;
    variables.values["FSDT_GSX_AIRCRAFT_CARGO_1_TOGGLE"] = 1.0;
    EXPECT_THAT(Step(), ElementsAre("Main exit toggle requested.", "Servicedoors toggle requested.",
                                    "Cargodoors toggle requested."));
    EXPECT_THAT(simconnect.TakeCalls(),
                ElementsAre("Transmit 0 0 0 1 16", "Transmit 0 2 0 1 16", "Transmit 0 0 0 1 16",
                            "Transmit 0 4 0 1 16", "Transmit 0 0 0 1 16", "Transmit 0 3 0 1 16"));
    EXPECT_EQ(plugin.exitCooldown, 5);
    for (int i = 0; i < 5; ++i) {
        variables.lookups.clear();
        EXPECT_THAT(Step(), IsEmpty());
        EXPECT_THAT(variables.lookups,
                    ::testing::Not(::testing::Contains("FSDT_GSX_AIRCRAFT_EXIT_1_TOGGLE")));
    }
    EXPECT_THAT(simconnect.TakeCalls(), IsEmpty());
    EXPECT_EQ(Step().size(), 3u);  // the sixth step reads again
}

TEST_F(GroundServicesTest, FailedTransmissionKeepsTheSecondResultAndLaterRequestsFail) {
    simconnect.transmitResult = simconnect::kFail;
    variables.values["FSDT_GSX_AIRCRAFT_SERVICE_1_TOGGLE"] = 1.0;
    EXPECT_THAT(Step(), ElementsAre("Servicedoors toggle requested."));
    EXPECT_EQ(simconnect.TakeCalls().size(),
              2u);  // the selector is sent although the toggle failed
    EXPECT_EQ(plugin.lastSimConnectResult, simconnect::kFail);
    for (int i = 0; i < 5; ++i) {
        Step();
    }
    // From now on every request logs its failure text, sends nothing and does not cool down.
    EXPECT_THAT(Step(), ElementsAre("SimConnect has issues. Toggle servicedoors manually."));
    EXPECT_THAT(Step(), ElementsAre("SimConnect has issues. Toggle servicedoors manually."));
    EXPECT_EQ(plugin.serviceDoorCooldown, 0);
    EXPECT_THAT(simconnect.TakeCalls(), IsEmpty());
}

TEST_F(GroundServicesTest, JetwayChangesPostCommandsAndLogTheValue) {
    const char* const power = "FSDT_GSX_JETWAY_POWER";
    const char* const air = "FSDT_GSX_JETWAY_AIR";
    const struct {
        const char* variable;
        double value;
        std::vector<testbed::RecordingCommandPort::Command> commands;
        std::vector<std::string> lines;
    } cases[] = {
        {power, 0.0, {}, {}},  // equal to the initial 0.0
        {power, 5.0, {{1215, 0}}, {"Jetway Power status changed to value: 5"}},
        {power, 5.0, {}, {}},
        {power, 0.0, {{1216, 0}}, {"Jetway Power status changed to value: 0"}},
        {power, 1.0, {}, {"Jetway Power status changed to value: 1"}},
        {air, 2.5, {}, {"Jetway Air status changed to value: 2.5"}},
        {air, 5.0, {{1213, 0}}, {"Jetway Air status changed to value: 5"}},
        {air, 1234567.0, {{1214, 0}}, {"Jetway Air status changed to value: 1.23457e+06"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.variable) + " " + std::to_string(c.value));
        variables.values[c.variable] = c.value;
        EXPECT_EQ(Step(), c.lines);
        EXPECT_EQ(aircraft.Take(), c.commands);
    }
    EXPECT_THAT(simconnect.TakeCalls(), IsEmpty());  // jetways never touch SimConnect
}

// A variable the simulator does not know, or no named-variable service at all,
// reads as nothing, not as 0.
TEST_F(GroundServicesTest, UnknownVariablesAreSkippedSilentlyAndLookedUpEveryStep) {
    plugin.lastJetwayPower = plugin.lastJetwayAir = 5.0;
    EXPECT_THAT(Step(), IsEmpty());
    EXPECT_THAT(Step(), IsEmpty());
    EXPECT_EQ(variables.lookups.size(), 10u);  // five names, twice: never cached
    GroundServicesContext withoutService{plugin, nullptr, simconnect, aircraft, log};
    EXPECT_TRUE(GroundServicesStep(withoutService));
    EXPECT_THAT(log.Take(), IsEmpty());
}

TEST(FormatDefaultNumber, MatchesTheStreamDefault) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::pair<double, const char*> cases[] = {
        {5.0, "5"},
        {0.0, "0"},
        {2.5, "2.5"},
        {-1.0, "-1"},
        {0.1, "0.1"},
        {123456.0, "123456"},
        {1234567.0, "1.23457e+06"},
        {1e-5, "1e-05"},
        {0.333333333, "0.333333"},
        {kInf, "inf"},
        {-kInf, "-inf"},
        {nan, "nan"},
        {-nan, "-nan"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(FormatDefaultNumber(value), text);
    }
}

}  // namespace
}  // namespace ulvo::groundservices
