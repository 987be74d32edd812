#include "panel_lab/test_patterns.h"

#include <gtest/gtest.h>

#include <bit>

namespace ulvo::tools {
namespace {

// Every step can be set; the walk lights one bit at a time, in offset order; the
// last step puts back the block as it was.
TEST(TestPatterns, StepsCanBeSetAndTheLastPutsBackTheBlock) {
    BlockSnapshot before;
    before.bytes[0x9402 - kBlockFirst] = 0x81;
    before.bytes[0x943A - kBlockFirst] = 0x88;  // 5000
    before.bytes[0x943B - kBlockFirst] = 0x13;
    for (const char* name : {"lamps", "walk", "eights", "sweep"}) {
        SCOPED_TRACE(name);
        Pattern pattern;
        double seconds = 0.0;
        ASSERT_TRUE(ParsePattern(name, pattern, seconds));
        const std::vector<PatternStep> steps = PatternSteps(pattern, seconds, before);
        ASSERT_GE(steps.size(), 2u);
        ASSERT_FALSE(steps.front().writes.empty() || steps.back().writes.empty());
        EXPECT_EQ(steps.back().at, seconds * double(steps.size() - 1));
        for (const CockpitWrite& write : steps.back().writes) {
            EXPECT_EQ(write.reads, ReadingAt(write.target, before));
        }
        if (pattern != Pattern::kWalk) {
            continue;
        }
        for (size_t i = 1; i + 1 < steps.size(); ++i) {
            const CockpitWrite& lit = steps[i].writes.back();
            EXPECT_EQ(std::popcount(lit.reads), 1) << RangeText(*lit.target.entry);
        }
    }
}

}  // namespace
}  // namespace ulvo::tools
