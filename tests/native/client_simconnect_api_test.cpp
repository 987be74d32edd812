#include "plugin/client_simconnect_api.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/expected_log_lines.h"
#include "core/plugin_connections.h"
#include "core/plugin_simconnect_messages.h"
#include "core/simconnect_client_rig.h"
#include "simconnect/status_codes.h"

namespace ulvo::plugin {
namespace {

using testbed::expected::TransmitClientEvent;

// The ground services' calls, made through the library's own client, reach the
// wire as the messages they stand for. A first read that fails at its start
// drops only its own reference: the open succeeds, and the bridge opens and runs.
TEST(ClientSimConnectApi, TheGroundServicesReachTheWireAlsoWhenTheFirstReadFailsAtItsStart) {
    for (const bool firstReadFails : {false, true}) {
        SCOPED_TRACE(firstReadFails ? "the first read fails at its start" : "reads start");
        testbed::ClientRig rig;
        rig.platform.failFirstRead = firstReadFails ? simconnect::kStatusPipeBroken : 0;
        ClientSimConnectApi api(rig.process);
        testbed::PluginConnections parts(api);
        ASSERT_TRUE(OpenConnections(parts.connections));
        EXPECT_THAT(parts.log.Take(),
                    ::testing::ElementsAreArray(testbed::kConnectionsOpenedLines));
        parts.variables.values["FSDT_GSX_AIRCRAFT_EXIT_1_TOGGLE"] = 1.0;
        groundservices::GroundServicesStep(parts.connections.groundServices);
        rig.platform.RunCompletions();
        std::vector<testbed::Bytes> expected = testbed::expected::SetUpMessages();
        expected.push_back(TransmitClientEvent(12, 0));
        expected.push_back(TransmitClientEvent(13, 2));
        EXPECT_EQ(rig.Server().writes, expected);
        CloseConnections(parts.connections);  // the rig checks that the client went
    }
}

}  // namespace
}  // namespace ulvo::plugin
