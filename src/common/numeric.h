// Defined conversions from floating values to integers.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace ulvo {

// Truncation toward zero to a signed 32-bit integer. C++ leaves the conversion of
// out-of-range values undefined; here they saturate to the 32-bit range and NaN
// becomes 0.
inline int32_t TruncateToI32(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value <= double(std::numeric_limits<int32_t>::min())) {
        return std::numeric_limits<int32_t>::min();
    }
    if (value >= double(std::numeric_limits<int32_t>::max())) {
        return std::numeric_limits<int32_t>::max();
    }
    return int32_t(value);
}

}  // namespace ulvo
