// The soak's oracle: what FSUIPC should show for an aircraft once it was
// published. It must name every published offset once and agree with a worker
// cycle that published the same sections.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <set>
#include <vector>

#include "aircraft/sdk_blocks.h"
#include "bridge/cycle_steps.h"
#include "core/memory_bridge.h"
#include "core/published_offsets.h"

namespace ulvo::testbed {
namespace {

TEST(PublishedOffsets, NameEveryValueOnceInsideTheBlock) {
    const std::vector<PublishedOffset> offsets = PublishedOffsets();
    EXPECT_EQ(offsets.size(), 145u);
    std::set<uint32_t> bytes;
    for (const PublishedOffset& published : offsets) {
        for (uint32_t i = 0; i < published.size; ++i) {
            EXPECT_TRUE(bytes.insert(published.offset + i).second) << published.offset + i;
            EXPECT_GE(published.offset + i, 0x9400u);
            EXPECT_LE(published.offset + i, 0x94FBu);
        }
    }
}

TEST(PublishedSpace, ShowsWhatACycleOfTheWorkerPublishes) {
    std::mt19937 rng(3);
    for (int round = 0; round < 20; ++round) {
        std::vector<uint8_t> sdk(aircraft::kSdkBlockSize), sdk2(aircraft::kSdk2BlockSize);
        for (uint8_t& byte : sdk) {
            byte = uint8_t(rng() % 4 == 0 ? rng() : rng() % 12);
        }
        for (uint8_t& byte : sdk2) {
            byte = uint8_t(rng() % 3);
        }
        MemoryBridge bridge;
        bridge.OpenLink();
        std::memcpy(bridge.tables->sdkBlock.data(), sdk.data(), sdk.size());
        std::memcpy(bridge.tables->sdk2Block.data(), sdk2.data(), sdk2.size());
        for (const bridge::CycleStep& step : bridge::CycleSteps()) {
            step.run(bridge.cycle);
        }
        const FsuipcOffsetSpace wanted = PublishedSpace(sdk, sdk2);
        for (const PublishedOffset& published : PublishedOffsets()) {
            for (uint32_t i = 0; i < published.size; ++i) {
                EXPECT_EQ(bridge.fsuipc.space.U8(published.offset + i),
                          wanted.U8(published.offset + i))
                    << "round " << round << " offset 0x" << std::hex << published.offset + i;
            }
        }
    }
}

}  // namespace
}  // namespace ulvo::testbed
