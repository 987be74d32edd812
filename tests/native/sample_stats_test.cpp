#include "core/sample_stats.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace ulvo::testbed {
namespace {

TEST(SampleStats, PercentilesAreTheNearestRankAtOrAbove) {
    std::vector<double> hundred(100);
    std::iota(hundred.rbegin(), hundred.rend(), 1.0);  // 100 down to 1: unsorted on purpose
    const struct {
        std::vector<double> samples;
        SampleStats expected;  // count, median, p99, max, mean
    } cases[] = {{{}, {0, 0, 0, 0, 0}},
                 {{7}, {1, 7, 7, 7, 7}},
                 {{9, 1}, {2, 1, 9, 9, 5}},
                 {hundred, {100, 50, 99, 100, 50.5}}};
    for (const auto& c : cases) {
        const SampleStats stats = Summarize(c.samples);
        EXPECT_EQ(stats.count, c.expected.count);
        EXPECT_EQ(stats.median, c.expected.median) << c.samples.size();
        EXPECT_EQ(stats.p99, c.expected.p99) << c.samples.size();
        EXPECT_EQ(stats.max, c.expected.max);
        EXPECT_DOUBLE_EQ(stats.mean, c.expected.mean);
    }
}

}  // namespace
}  // namespace ulvo::testbed
