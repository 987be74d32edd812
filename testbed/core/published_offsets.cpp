#include "core/published_offsets.h"

#include <cstring>

#include "core/memory_bridge.h"
#include "offsets/block_layout.h"

namespace ulvo::testbed {

std::vector<PublishedOffset> PublishedOffsets() {
    std::vector<PublishedOffset> offsets;
    for (const tools::OffsetEntry& entry : tools::BlockLayout()) {
        if (entry.role == tools::OffsetRole::kDisplay ||
            entry.role == tools::OffsetRole::kBitWord ||
            entry.role == tools::OffsetRole::kFurther) {
            offsets.push_back({entry.offset, entry.size});
        }
    }
    return offsets;
}

FsuipcOffsetSpace PublishedSpace(const std::vector<uint8_t>& sdk,
                                 const std::vector<uint8_t>& sdk2) {
    MemoryBridge bridge;
    bridge.OpenLink();
    std::memcpy(bridge.tables->sdkBlock.data(), sdk.data(), aircraft::kSdkBlockSize);
    std::memcpy(bridge.tables->sdk2Block.data(), sdk2.data(), aircraft::kSdk2BlockSize);
    bridge.PublishSteps();
    uint32_t code = 0;
    bridge.link.Process(code);
    return bridge.fsuipc.space;
}

}  // namespace ulvo::testbed
