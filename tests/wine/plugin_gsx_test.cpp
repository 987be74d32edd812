// GSX through the whole plug-in: door requests become SimConnect events on the
// pipe, jetway changes become aircraft commands, each with its log line.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "win/message_pump.h"
#include "wine/plugin_log_lines.h"
#include "wine/plugin_session.h"

namespace ulvo::testbed {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Command = AircraftParty::Command;

// Started and confirmed; the GSX step runs at every tick from now on.
class GsxSession : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(session.Start());
        session.Tick();
        session.NewLog();
        ASSERT_TRUE(session.PumpFirstCycles());
        ASSERT_TRUE(Server().WaitForMessages(0, 11));
    }

    SimConnectServer& Server() { return session.testbed.simConnect->server; }
    void Set(const char* name, double value) {
        session.testbed.host.namedVariables.Set(name, value);
    }
    // The last two SimConnect messages, once `total` have arrived.
    std::vector<Bytes> LastTwo(size_t total) {
        EXPECT_TRUE(Server().WaitForMessages(0, total));
        std::vector<Bytes> messages = Server().Messages(0);
        return std::vector<Bytes>(messages.end() - 2, messages.end());
    }

    PluginSession session;
};

TEST_F(GsxSession, ADoorRequestSendsItsTwoEventsThenRestsFiveTicks) {
    const struct {
        const char* variable;
        uint32_t selector;
        const char* line;
    } doors[] = {
        {"FSDT_GSX_AIRCRAFT_EXIT_1_TOGGLE", 2, "Main exit toggle requested.\r\n"},
        {"FSDT_GSX_AIRCRAFT_SERVICE_1_TOGGLE", 4, "Servicedoors toggle requested.\r\n"},
        {"FSDT_GSX_AIRCRAFT_CARGO_1_TOGGLE", 3, "Cargodoors toggle requested.\r\n"},
    };
    uint32_t sendId = 12;  // after the eleven messages of the set-up
    for (const auto& door : doors) {
        SCOPED_TRACE(door.variable);
        Set(door.variable, 1.0);
        for (int request = 0; request < 2; ++request) {
            if (request == 1) {
                for (int tick = 0; tick < 5; ++tick) {
                    session.Tick();
                }
                EXPECT_EQ(session.NewLog(), "");
            }
            // The first request, then the sixth tick reads the variable again.
            session.Tick();
            EXPECT_EQ(session.NewLog(), door.line);
            EXPECT_THAT(LastTwo(sendId + 1),
                        ElementsAre(expected::TransmitClientEvent(sendId, 0),
                                    expected::TransmitClientEvent(sendId + 1, door.selector)));
            sendId += 2;
        }
        Set(door.variable, 0.0);
    }
    EXPECT_EQ(Server().Messages(0).size(), 11u + 12u);
}

TEST_F(GsxSession, AfterSimConnectFailedADoorRequestIsOnlyLogged) {
    Server().Close(0);
    ASSERT_TRUE(Server().WaitForEnd(0));
    Set("FSDT_GSX_AIRCRAFT_CARGO_1_TOGGLE", 1.0);
    // Until the client has seen its connection fail, requests still go out (and
    // rest five ticks); once a send failed, every tick logs the failure instead.
    const std::string failure = "SimConnect has issues. Toggle cargodoors manually.\r\n";
    std::string log;
    for (int tick = 0; tick < 40 && log.find(failure) == std::string::npos; ++tick) {
        session.Tick();
        log += session.NewLog();
        PumpFor(std::chrono::milliseconds(20));
    }
    ASSERT_NE(log.find(failure), std::string::npos) << log;
    for (int tick = 0; tick < 3; ++tick) {
        session.Tick();
        EXPECT_EQ(session.NewLog(), failure);
    }
    // The jetway does not depend on SimConnect.
    Set("FSDT_GSX_JETWAY_AIR", 5.0);
    session.Tick();
    EXPECT_EQ(session.NewLog(), failure + "Jetway Air status changed to value: 5\r\n");
}

TEST_F(GsxSession, JetwayChangesBecomeAircraftCommandsWithTheirLines) {
    const struct {
        const char* variable;
        const char* line;
        uint32_t becomes5;
        uint32_t leaves5;
    } statuses[] = {
        {"FSDT_GSX_JETWAY_POWER", "Jetway Power status changed to value: ", 1215, 1216},
        {"FSDT_GSX_JETWAY_AIR", "Jetway Air status changed to value: ", 1213, 1214},
    };
    for (const auto& status : statuses) {
        SCOPED_TRACE(status.variable);
        const struct {
            double value;
            const char* shown;
            uint32_t command;  // 0: none
        } steps[] = {{5, "5", status.becomes5}, {5, nullptr, 0},
                     {0, "0", status.leaves5},  {1, "1", 0},
                     {2.5, "2.5", 0},           {5, "5", status.becomes5}};
        for (const auto& step : steps) {
            Set(status.variable, step.value);
            session.Tick();
            EXPECT_EQ(session.NewLog(),
                      step.shown ? std::string(status.line) + step.shown + "\r\n" : "");
            if (step.command != 0) {
                ASSERT_TRUE(session.PumpCommands(1));
                EXPECT_THAT(session.testbed.aircraft.TakeCommands(),
                            ElementsAre(Command{step.command, 0}));
            }
        }
        PumpFor(std::chrono::milliseconds(20));
        EXPECT_THAT(session.testbed.aircraft.Commands(), IsEmpty());
    }
}

}  // namespace
}  // namespace ulvo::testbed
