// Random aircraft contents for native tests: fields that hit the decoding and
// packing rules or hold anything at all, and real sources of every kind.
#pragma once

#include <bit>
#include <cstdint>
#include <limits>
#include <random>

#include "aircraft/sdk_blocks.h"
#include "bridge/further_table.h"
#include "common/little_endian.h"

namespace ulvo::testbed {

inline int32_t RandomField(std::mt19937& rng) {
    const int32_t kinds[] = {int32_t(rng() % 10),     8,
                             10 + int32_t(rng() % 3), int32_t(rng() % 2),
                             -int32_t(rng() % 20),    int32_t(rng())};
    return kinds[rng() % 6];
}

inline double RandomReal(std::mt19937& rng) {
    const uint64_t bits = uint64_t(rng()) << 32 | rng();
    const double kinds[] = {std::numeric_limits<double>::quiet_NaN(),
                            -0.0,
                            (rng() % 2 ? 1 : -1) * std::numeric_limits<double>::infinity(),
                            double(int32_t(rng())) / 1000.0,
                            double(rng() % 3),
                            std::bit_cast<double>(bits)};
    return kinds[rng() % 6];
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
