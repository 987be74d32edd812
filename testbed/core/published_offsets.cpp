#include "core/published_offsets.h"

#include <cstring>

#include "bridge/bit_word_table.h"
#include "bridge/display_table.h"
#include "bridge/further_table.h"
#include "core/memory_bridge.h"

namespace ulvo::testbed {

std::vector<PublishedOffset> PublishedOffsets() {
    std::vector<PublishedOffset> offsets;
    for (const bridge::DisplayRow& row : bridge::kDisplayRows) {
        offsets.push_back({row.publishedOffset, 2});
    }
    for (const bridge::BitWordRecord& record : bridge::kBitWordRecords) {
        offsets.push_back({record.offset, 1});
    }
    for (const bridge::FurtherRecord& record : bridge::kFurtherRecords) {
        offsets.push_back({record.offset, record.size});
    }
    return offsets;
}

FsuipcOffsetSpace PublishedSpace(const std::vector<uint8_t>& sdk,
                                 const std::vector<uint8_t>& sdk2) {
    MemoryBridge bridge;
    bridge.OpenLink();
    bridge.fsuipc.space.Fill(0);
    std::memcpy(bridge.tables->sdkBlock.data(), sdk.data(), aircraft::kSdkBlockSize);
    std::memcpy(bridge.tables->sdk2Block.data(), sdk2.data(), aircraft::kSdk2BlockSize);
    bridge.PublishSteps();
    uint32_t code = 0;
    bridge.link.Process(code);
    return bridge.fsuipc.space;
}

}  // namespace ulvo::testbed
