#include "bridge/write_bit_word_offsets.h"

#include <gtest/gtest.h>

#include <vector>

#include "bridge/bit_word_table.h"
#include "bridge/pack_bit_words.h"
#include "core/memory_bridge.h"

namespace ulvo::bridge {
namespace {

using testbed::MemoryBridge;
using Writes = MemoryBridge::Writes;

TEST(WriteBitWordOffsets, SendsEachChangeOfAll32Bits) {
    MemoryBridge rig;
    rig.Open();
    // A zero block: only Display06's sign position (0, not blank) sets a bit.
    EXPECT_EQ(rig.Run(PackBitWords, WriteBitWordOffsets), (Writes{{0x948E, {0x02}}}));
    EXPECT_EQ(rig.queuedBytes, 13u);
    EXPECT_EQ(rig.plugin.fsuipcResult, 1u);
    EXPECT_EQ(rig.Run(PackBitWords, WriteBitWordOffsets), Writes{});
    rig.SetI32(0x1F4, 10);
    rig.SetI32(0x018, 1);
    EXPECT_EQ(rig.Run(PackBitWords, WriteBitWordOffsets),
              (Writes{{0x9402, {0x01}}, {0x948E, {0x00}}}));
    EXPECT_EQ(rig.Run(PackBitWords, WriteBitWordOffsets), Writes{});
    rig.SetI32(0x018, 0);
    EXPECT_EQ(rig.Run(PackBitWords, WriteBitWordOffsets), (Writes{{0x9402, {0x00}}}));

    // 300 and 44 share their low byte; the word changed, so the byte goes again.
    rig.SetI32(0xC10, 300);
    EXPECT_EQ(rig.Run(PackBitWords, WriteBitWordOffsets), (Writes{{0x941F, {0x2C}}}));
    EXPECT_EQ(rig.tables->bitWordLastSent[30], 300u);
    rig.SetI32(0xC10, 44);
    EXPECT_EQ(rig.Run(PackBitWords, WriteBitWordOffsets), (Writes{{0x941F, {0x2C}}}));
    EXPECT_EQ(rig.Run(PackBitWords, WriteBitWordOffsets), Writes{});
}

TEST(WriteBitWordOffsets, WritesInTheirOrderWhenEveryWordChanges) {
    MemoryBridge rig;
    rig.Open();
    rig.fsuipc.space.SetU8(0x9428, 0x5A);  // the control byte between the slots
    for (uint32_t offset = 0; offset + 4 <= aircraft::kSdkBlockSize; offset += 4) {
        rig.SetI32(offset, 1);
    }
    for (uint32_t offset = 0x1A48; offset <= 0x1A64; offset += 4) {
        StoreU32(&rig.tables->sdk2Block[offset], 1);
    }
    std::vector<uint32_t> expected;
    for (uint32_t offset = 0x9402; offset <= 0x9427; ++offset) {
        expected.push_back(offset);
    }
    for (uint32_t offset : {0x9429, 0x942A, 0x947D, 0x947E, 0x947F, 0x948E, 0x948F, 0x94BE}) {
        expected.push_back(offset);
    }
    std::vector<uint32_t> offsets;
    for (const testbed::FsuipcWriteLog& written : rig.Run(PackBitWords, WriteBitWordOffsets)) {
        offsets.push_back(written.offset);
        EXPECT_EQ(written.bytes.size(), 1u);
    }
    EXPECT_EQ(offsets, expected);
    EXPECT_EQ(rig.queuedBytes, 46u * 13);
    EXPECT_EQ(rig.fsuipc.space.U8(0x9428), 0x5A);
}

}  // namespace
}  // namespace ulvo::bridge
