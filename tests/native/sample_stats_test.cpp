// The order statistics the measuring modes report: nearest-rank percentiles.
#include <gtest/gtest.h>

#include <vector>

#include "core/sample_stats.h"

namespace ulvo::testbed {
namespace {

TEST(SampleStats, PercentilesAreTheNearestRankAtOrAbove) {
    std::vector<double> hundred;
    for (int i = 100; i >= 1; --i) {
        hundred.push_back(i);  // unsorted on purpose
    }
    const struct {
        const char* name;
        std::vector<double> samples;
        SampleStats expected;
    } cases[] = {
        {"none", {}, {0, 0, 0, 0, 0}},
        {"one", {7}, {1, 7, 7, 7, 7}},
        {"two: the median is the lower", {9, 1}, {2, 1, 9, 9, 5}},
        {"1 to 100", hundred, {100, 50, 99, 100, 50.5}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SampleStats stats = Summarize(c.samples);
        EXPECT_EQ(stats.count, c.expected.count);
        EXPECT_EQ(stats.median, c.expected.median);
        EXPECT_EQ(stats.p99, c.expected.p99);
        EXPECT_EQ(stats.max, c.expected.max);
        EXPECT_DOUBLE_EQ(stats.mean, c.expected.mean);
    }
}

}  // namespace
}  // namespace ulvo::testbed
