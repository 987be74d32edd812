#include "panel_lab/expectation.h"

#include <gtest/gtest.h>

namespace ulvo::tools {
namespace {

using State = Verdict::State;

LabEvent Command(uint32_t code, int64_t value = 0) {
    LabEvent event;
    event.kind = LabEvent::Kind::kCommand;
    event.code = code;
    event.value = value;
    return event;
}

// The line judged at `now` (it began at 0); the verdict's state.
State Judge(SeenEvents& seen, const char* text, double now, const BlockSnapshot& block = {}) {
    double countSince = -1.0;
    return seen.Judge(ParseScenarioLine(text, 1), now, 0.0, countSince, block).state;
}

// The block's values compare as values in every form `set` takes, not as texts.
TEST(Expectation, AValueHoldsInEveryFormOfItsBytes) {
    BlockSnapshot block;
    block.bytes[0x9402 - kBlockFirst] = 0x81;
    block.bytes[0x943A - kBlockFirst] = 0xE0;  // 12000
    block.bytes[0x943B - kBlockFirst] = 0x2E;
    SeenEvents seen;
    for (const char* holds :
         {"expect 0x9402 10000001", "expect 0x9402 129", "expect 0x9402 0x81", "expect 0x9402.7 on",
          "expect 0x9402.0 1", "expect 0x943A 12000", "expect raw 0x943A 0x2EE0"}) {
        EXPECT_EQ(Judge(seen, holds, 0.0, block), State::kHolds) << holds;
    }
    EXPECT_EQ(Judge(seen, "expect 0x9402 11", 1.0, block), State::kWaits);
    double countSince = -1.0;
    const Verdict late =
        seen.Judge(ParseScenarioLine("expect 0x9402 11", 1), 2.0, 0.0, countSince, block);
    EXPECT_EQ(late.state, State::kFails);
    EXPECT_EQ(late.why, "not within 2.0 s: 0x9402 reads 10000001");
}

TEST(Expectation, CommandsAreCountedAndUsedUp) {
    SeenEvents seen;
    EXPECT_EQ(Judge(seen, "expect no command within 1", 0.5), State::kWaits);
    EXPECT_EQ(Judge(seen, "expect no command within 1", 1.0), State::kHolds);
    seen.Add(Command(1299, 2));
    EXPECT_EQ(Judge(seen, "expect no command", 0.0), State::kFails);
    for (int i = 0; i < 3; ++i) {
        seen.Add(Command(628));
    }
    // Exactly three: held once no fourth has come for a moment.
    double countSince = -1.0;
    const ScenarioLine three = ParseScenarioLine("expect command 628 x3", 1);
    EXPECT_EQ(seen.Judge(three, 0.1, 0.0, countSince, {}).state, State::kWaits);
    EXPECT_EQ(seen.Judge(three, 0.1 + kCountSettles, 0.0, countSince, {}).state, State::kHolds);
    // Used up, with the command before them.
    EXPECT_EQ(Judge(seen, "expect command 628", 2.0), State::kFails);
    EXPECT_EQ(Judge(seen, "expect no command", 0.0), State::kWaits);
    for (int i = 0; i < 4; ++i) {
        seen.Add(Command(628));
    }
    EXPECT_EQ(Judge(seen, "expect command 628 x3", 0.0), State::kFails);
    EXPECT_EQ(Judge(seen, "expect command 628 0 x4", 2.0), State::kHolds);
}

}  // namespace
}  // namespace ulvo::tools
