#include "panel_lab/replay_plan.h"

#include <gtest/gtest.h>

namespace ulvo::tools {
namespace {

using Kind = ReplayStep::Kind;

// What the aircraft showed is replayed at its times; what programs wrote starts
// from where the recording found it, so no burst of steps or stray command is
// sent that the recording does not hold.
TEST(ReplayPlan, ReplaysTheAircraftExactlyAndProgramsOnlyByWhatChanged) {
    const Recording recording = ParseRecording(
        "0.000 0x943A 0x1388 5000\n"
        "0.000 0x9400 0xFFFF idle\n"
        "0.000 0x94F0 0x25 37\n"
        "0.000 0x942E 0x07 7\n"
        "1.500 0x94F0 0x27 39\n"
        "1.600 0x9400 0x0512 1298\n"
        "1.620 0x9400 0xFFFF idle\n"
        "1.700 0x94F0 0x02 2\n"
        "2.000 0x942E 0x09 9\n"
        "2.500 0x943A 0x2EE0 12000\n");
    const std::vector<ReplayStep> plan = ReplayPlan(recording);
    ASSERT_EQ(plan.size(), 6u);
    EXPECT_EQ(plan[0].kind, Kind::kAircraft);
    EXPECT_EQ(plan[0].write.reads, 5000u);
    EXPECT_EQ(plan[1].steps, 2);
    EXPECT_EQ(plan[1].seconds, 1.5);
    EXPECT_EQ(plan[2].write.fsuipcBytes, (std::vector<uint8_t>{0x12, 0x05}));
    EXPECT_EQ(plan[3].steps, -37);  // 39 to 2: the short way down
    EXPECT_EQ(plan[4].write.fsuipcBytes, std::vector<uint8_t>{9});
    EXPECT_EQ(plan[5].write.reads, 12000u);
    for (const ReplayStep& step : plan) {
        EXPECT_EQ(step.error, "");
    }
    EXPECT_EQ(ReplayPlan(ParseRecording("0.0 0x9415 0x03\n"))[0].error,
              "0x9415 (BitWord19) shows one of bits 0-2 at a time, not 00000011");
}

}  // namespace
}  // namespace ulvo::tools
