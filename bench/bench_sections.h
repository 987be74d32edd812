// Aircraft sections for the benchmarks: both mapped sections filled so that two
// sections made with different values differ in every value the bridge publishes.
#pragma once

#include <cstdint>
#include <vector>

#include "aircraft/aircraft_views.h"
#include "aircraft/sdk_blocks.h"
#include "bridge/further_table.h"
#include "common/little_endian.h"

namespace ulvo::bench {

struct Sections final : aircraft::AircraftViews {
    std::vector<uint8_t> sdk = std::vector<uint8_t>(aircraft::kSdkViewSize);
    std::vector<uint8_t> sdk2 = std::vector<uint8_t>(aircraft::kSdk2ViewSize);

    // Every 32-bit field holds `whole` and every real source of a further value
    // holds `real`.
    Sections(int32_t whole, double real) {
        for (size_t offset = 0; offset + 4 <= aircraft::kSdkBlockSize; offset += 4) {
            StoreU32(&sdk[offset], uint32_t(whole));
        }
        for (size_t offset = 0; offset + 4 <= aircraft::kSdk2BlockSize; offset += 4) {
            StoreU32(&sdk2[offset], uint32_t(whole));
        }
        for (const bridge::FurtherRecord& record : bridge::kFurtherRecords) {
            if (record.type == bridge::FurtherSource::kReal) {
                StoreF64(&sdk[record.source], real);
            }
        }
    }

    const uint8_t* SdkView() const override { return sdk.data(); }
    const uint8_t* Sdk2View() const override { return sdk2.data(); }
};

// A steady aircraft, and the one whose every published value differs from it.
inline Sections SteadySections() {
    return Sections(1, 1.5);
}
inline Sections ChangedSections() {
    return Sections(0, 2.5);
}

// The number of values the bridge publishes (32 displays, 46 bit-word records
// and 67 further values) and the bytes of their write records.
inline constexpr uint32_t kPublishedValues = 145;
inline constexpr uint32_t kPublishedRecordBytes = 1931;

}  // namespace ulvo::bench
