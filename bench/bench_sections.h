// Aircraft sections for the benchmarks: both mapped sections filled so that two
// sections made with different values differ in every value the bridge publishes.
#pragma once

#include <cstdint>

#include "aircraft/sdk_blocks.h"
#include "bridge/further_table.h"
#include "common/little_endian.h"
#include "core/memory_worker.h"

namespace ulvo::bench {

using Sections = testbed::MemorySections;

// Every 32-bit field holds `whole` and every real source of a further value holds
// `real`.
inline Sections FilledSections(int32_t whole, double real) {
    Sections sections;
    for (size_t offset = 0; offset + 4 <= aircraft::kSdkBlockSize; offset += 4) {
        StoreU32(&sections.sdk[offset], uint32_t(whole));
    }
    for (size_t offset = 0; offset + 4 <= aircraft::kSdk2BlockSize; offset += 4) {
        StoreU32(&sections.sdk2[offset], uint32_t(whole));
    }
    for (const bridge::FurtherRecord& record : bridge::kFurtherRecords) {
        if (record.type == bridge::FurtherSource::kReal) {
            StoreF64(&sections.sdk[record.source], real);
        }
    }
    return sections;
}

// A steady aircraft, and the one whose every published value differs from it.
inline Sections SteadySections() {
    return FilledSections(1, 1.5);
}
inline Sections ChangedSections() {
    return FilledSections(0, 2.5);
}

// The number of values the bridge publishes (32 displays, 46 bit-word records
// and 67 further values) and the bytes of their write records.
inline constexpr uint32_t kPublishedValues = 145;
inline constexpr uint32_t kPublishedRecordBytes = 1931;

}  // namespace ulvo::bench
