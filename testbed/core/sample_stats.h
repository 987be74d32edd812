// Order statistics of a set of measured samples, for the testbed's measuring
// modes: the median, a percentile (the nearest rank at or above it) and the
// largest.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numeric>
#include <vector>

namespace ulvo::testbed {

// Of a sorted set that is not empty.
inline double Percentile(const std::vector<double>& sorted, double percent) {
    const size_t rank = size_t(std::ceil(percent / 100.0 * double(sorted.size())));
    return sorted[std::clamp<size_t>(rank, 1, sorted.size()) - 1];
}

struct SampleStats {
    size_t count = 0;
    double median = 0;
    double p99 = 0;
    double max = 0;
    double mean = 0;
};

inline SampleStats Summarize(std::vector<double> samples) {
    SampleStats stats;
    stats.count = samples.size();
    if (samples.empty()) {
        return stats;
    }
    std::sort(samples.begin(), samples.end());
    stats.median = Percentile(samples, 50);
    stats.p99 = Percentile(samples, 99);
    stats.max = samples.back();
    stats.mean = std::accumulate(samples.begin(), samples.end(), 0.0) / double(samples.size());
    return stats;
}

}  // namespace ulvo::testbed
