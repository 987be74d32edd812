#include "web/offset_space.h"

#include <algorithm>

namespace ulvo::tools::web {

void ApplyWrite(const WriteRequest& write, uint8_t* current) {
    if (write.steps != 0) {
        current[0] = uint8_t(current[0] + write.steps);
        return;
    }
    for (size_t i = 0; i < write.bytes.size(); ++i) {
        const uint8_t mask = i < write.mask.size() ? write.mask[i] : 0xFF;
        current[i] = uint8_t((current[i] & ~mask) | (write.bytes[i] & mask));
    }
}

std::vector<OffsetRange> JoinRanges(std::vector<OffsetRange> ranges) {
    std::sort(ranges.begin(), ranges.end(),
              [](const OffsetRange& a, const OffsetRange& b) { return a.offset < b.offset; });
    std::vector<OffsetRange> joined;
    for (const OffsetRange& range : ranges) {
        if (range.size == 0) {
            continue;
        }
        if (!joined.empty() && range.offset <= joined.back().offset + joined.back().size) {
            const uint32_t end =
                std::max(joined.back().offset + joined.back().size, range.offset + range.size);
            joined.back().size = end - joined.back().offset;
        } else {
            joined.push_back(range);
        }
    }
    return joined;
}

bool SpaceImage::Known(uint32_t offset, uint32_t size) const {
    if (offset >= kSpaceSize || size > kSpaceSize - offset) {
        return false;
    }
    for (uint32_t i = 0; i < size; ++i) {
        if (!known[offset + i]) {
            return false;
        }
    }
    return true;
}

void SpaceImage::Store(uint32_t offset, const uint8_t* data, uint32_t size) {
    for (uint32_t i = 0; i < size && offset + i < kSpaceSize; ++i) {
        bytes[offset + i] = data[i];
        known[offset + i] = true;
    }
}

}  // namespace ulvo::tools::web
