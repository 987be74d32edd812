#include "aircraft/aircraft_command.h"

#include <gtest/gtest.h>

#include "core/recording_command_port.h"

namespace ulvo::aircraft {
namespace {

TEST(AircraftCommand, ScalesFractionsAndTruncatesTowardZeroOnceThePortIsReady) {
    const struct {
        double value;
        int32_t posted;
    } cases[] = {
        {0.5, 50}, {0.999, 99}, {1.0, 1}, {0.0, 0}, {-0.5, 0}, {2.7, 2}, {0.004, 0},
    };
    testbed::RecordingCommandPort port;
    for (const auto& c : cases) {
        PostAircraftCommand(port, 1215, c.value);
        EXPECT_EQ(port.Take(),
                  (std::vector<testbed::RecordingCommandPort::Command>{{1215, c.posted}}))
            << c.value;
    }
    port.ready = false;
    PostAircraftCommand(port, 1215, 1.0);
    EXPECT_TRUE(port.posts.empty());
}

}  // namespace
}  // namespace ulvo::aircraft
