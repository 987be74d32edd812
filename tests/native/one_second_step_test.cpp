#include "plugin/one_second_step.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/little_endian.h"
#include "core/expected_log_lines.h"
#include "core/plugin_connections.h"

namespace ulvo::plugin {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Lines = std::vector<std::string>;

struct OneSecond : testbed::PluginConnections {
    void Open(int32_t state) {
        SetState(state);
        connectionsOpened = OpenConnections(connections) ? 1 : 0;
        EXPECT_EQ(connectionsOpened, 1);
        log.Take();
        simconnect.TakeCalls();
    }
    void SetState(int32_t state) {
        StoreU32(aircraftPlatform.sdk2Section.data() + aircraft::kAircraftStateOffset,
                 uint32_t(state));
    }
    Lines Tick() {
        variables.lookups.clear();
        OneSecondStep(context);
        return log.Take();
    }

    int32_t aircraftStateOk = 0;
    int32_t connectionsOpened = 0;
    aircraft::Sdk2Block sdk2Block{};
    OneSecondContext context{aircraftStateOk, connectionsOpened, sdk2Block, connections};
};

class OneSecondStepTest : public ::testing::Test, public OneSecond {};

TEST_F(OneSecondStepTest, StateOneStartsTheWorkerOnceAndOpensTheGroundServicesGate) {
    Open(1);
    EXPECT_THAT(Tick(), ElementsAre(testbed::kStateOneLine, testbed::kWorkerStartedLine));
    EXPECT_EQ(thread.starts, 1);
    EXPECT_EQ(connectionsOpened, 0);
    EXPECT_EQ(aircraftStateOk, 1);
    EXPECT_EQ(variables.lookups.size(), 5u);  // the ground-services step ran on this tick
    EXPECT_EQ(aircraft::FieldI32(sdk2Block, aircraft::kAircraftStateOffset), 1);

    // Later ticks leave the worker and the copy alone and run the step only.
    SetState(0);
    EXPECT_THAT(Tick(), IsEmpty());
    EXPECT_EQ(thread.starts, 1);
    EXPECT_EQ(aircraftStateOk, 1);
    EXPECT_EQ(variables.lookups.size(), 5u);
    EXPECT_EQ(aircraft::FieldI32(sdk2Block, aircraft::kAircraftStateOffset), 1);
    EXPECT_TRUE(AnyConnectionStands(connections));
}

TEST(OneSecondStep, AnyOtherStateClosesEverythingAndKeepsTheValueForTheGate) {
    const struct {
        int32_t state;
        bool groundServicesRun;  // the gate holds the value read, so it opens for non-zero
    } cases[] = {{0, false}, {2, true}, {-1, true}, {0x7FFFFFFF, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.state);
        OneSecond f;
        f.Open(c.state);
        f.variables.values["FSDT_GSX_JETWAY_POWER"] = 5.0;
        Lines expected =
            testbed::Then({testbed::kOtherPlaneLine}, testbed::kConnectionsClosedLines);
        if (c.groundServicesRun) {
            expected.push_back("Jetway Power status changed to value: 5");
        }
        EXPECT_THAT(f.Tick(), ::testing::ElementsAreArray(expected));
        EXPECT_EQ(f.thread.starts, 0);
        EXPECT_EQ(f.connectionsOpened, 0);
        EXPECT_EQ(f.aircraftStateOk, c.groundServicesRun ? 1 : 0);
        EXPECT_FALSE(AnyConnectionStands(f.connections));
    }
}

TEST_F(OneSecondStepTest, BeforeAnOpenOnlyTheGateIsLookedAtAndAFailedThreadIsNotStarted) {
    EXPECT_THAT(Tick(), IsEmpty());
    EXPECT_THAT(variables.lookups, IsEmpty());
    EXPECT_THAT(aircraftPlatform.calls, IsEmpty());
    EXPECT_EQ(aircraftStateOk, 0);
    Open(1);
    thread.startWorks = false;
    EXPECT_THAT(Tick(), ElementsAre(testbed::kStateOneLine));
    EXPECT_FALSE(thread.Exists());
    EXPECT_EQ(connectionsOpened, 0);
    EXPECT_TRUE(AnyConnectionStands(connections));  // until the next close
}

}  // namespace
}  // namespace ulvo::plugin
