// Random aircraft contents for native tests: field values that hit the decoding
// and packing rules (digits, all eights, blanks and signs, booleans, small
// negatives, anything at all) and real sources of every kind (not a number,
// infinities, -0.0, fractions, any bit pattern).
#pragma once

#include <cstdint>
#include <cstring>
#include <limits>
#include <random>

#include "aircraft/sdk_blocks.h"
#include "bridge/further_table.h"
#include "common/little_endian.h"

namespace ulvo::testbed {

inline int32_t RandomField(std::mt19937& rng) {
    switch (rng() % 6) {
        case 0:
            return int32_t(rng() % 10);
        case 1:
            return 8;
        case 2:
            return 10 + int32_t(rng() % 3);
        case 3:
            return int32_t(rng() % 2);
        case 4:
            return -int32_t(rng() % 20);
        default:
            return int32_t(rng());
    }
}

inline double RandomReal(std::mt19937& rng) {
    switch (rng() % 6) {
        case 0:
            return std::numeric_limits<double>::quiet_NaN();
        case 1:
            return -0.0;
        case 2:
            return (rng() % 2 ? 1 : -1) * std::numeric_limits<double>::infinity();
        case 3:
            return double(int32_t(rng())) / 1000.0;
        case 4:
            return double(rng() % 3);
        default: {
            const uint64_t bits = (uint64_t(rng()) << 32) | rng();
            double value;
            std::memcpy(&value, &bits, sizeof value);
            return value;
        }
    }
}

// Every 32-bit field of both blocks, then every real source of a further value.
inline void FillRandomly(uint8_t* sdk, uint8_t* sdk2, std::mt19937& rng) {
    for (size_t at = 0; at + 4 <= aircraft::kSdkBlockSize; at += 4) {
        StoreU32(sdk + at, uint32_t(RandomField(rng)));
    }
    for (size_t at = 0; at + 4 <= aircraft::kSdk2BlockSize; at += 4) {
        StoreU32(sdk2 + at, uint32_t(RandomField(rng)));
    }
    for (const bridge::FurtherRecord& record : bridge::kFurtherRecords) {
        if (record.type == bridge::FurtherSource::kReal) {
            StoreF64(sdk + record.source, RandomReal(rng));
        }
    }
}

}  // namespace ulvo::testbed
