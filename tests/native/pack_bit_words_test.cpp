#include "bridge/pack_bit_words.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "bridge/bit_word_table.h"
#include "core/memory_bridge.h"

namespace ulvo::bridge {
namespace {

using testbed::MemoryBridge;

// Display06's sign position: BitWord43 sets bit 1 while it is not 10.
constexpr uint32_t kSignField = 0x1F4;

TEST(PackBitWords, WordsFromTheirFields) {
    const struct {
        const char* name;
        std::vector<std::pair<uint32_t, int32_t>> sdkFields;  // SdkBlock offset, value
        int word;
        uint32_t expected;
    } cases[] = {
        {"a 1-bit field holding 2 carries into the next bit", {{0x018, 2}}, 0, 0x02},
        {"a top field spills above bit 7", {{0x060, 3}}, 0, 0x180},
        {"negative fields wrap", {{0x060, -1}}, 0, 0xFFFFFF80},
        {"two-bit fields", {{0x178, 3}, {0x190, 2}}, 5, 0x83},
        {"single bits between the two-bit fields", {{0x17C, 1}, {0x18C, 1}}, 6, 0x05},
        {"three-position 2 and plain bit 3", {{0x6F8, 2}, {0x6FC, 1}}, 19, 0x0A},
        {"three-position 1", {{0x6F8, 1}}, 19, 0x01},
        {"three-position 3", {{0x6F8, 3}}, 19, 0x04},
        {"three-position 4 sets nothing", {{0x6F8, 4}}, 19, 0x00},
        {"three-position -1 sets nothing", {{0x6F8, -1}}, 19, 0x00},
        {"field between the two three-position words is ignored", {{0x700, 1}}, 19, 0x00},
        {"crossed order in BitWord20", {{0x708, 3}, {0x704, 1}}, 20, 0x0C},
        {"upper bits of two fields", {{0x5CC, 2}, {0x5D0, 3}}, 13, 0xC0},
        {"bit 0 of the field is dropped", {{0x5CC, 1}}, 13, 0x00},
        {"larger values overlap", {{0x5CC, 6}, {0x5D0, 2}}, 13, 0x40 * 3 + 0x80},
        {"negative upper-bits field is masked to 7 bits", {{0x5CC, -1}}, 13, 0x7F << 6},
        {"two nibbles", {{0x9B4, 5}, {0x9F0, 9}}, 44, 0x95},
        {"whole value", {{0xC10, 300}}, 30, 300},
        {"whole negative value", {{0xC10, -2}}, 30, 0xFFFFFFFE},
        {"sign position blank", {{kSignField, 10}}, 43, 0},
        {"sign position blank, fields above", {{kSignField, 10}, {0x2B4, 1}, {0xEEC, 1}}, 43, 0x84},
        {"sign position shows a sign", {{kSignField, 12}}, 43, 2},
        {"sign position not blank adds 2 on top of the fields",
         {{kSignField, 0}, {0x2B4, 1}, {0x2F4, 1}, {0x1B8, 1}, {0xEE4, 1}, {0xEE8, 1}, {0xEEC, 1}},
         43,
         0xFE},
        {"a two-bit field inside single bits", {{0xB34, 3}, {0xB38, 1}}, 26, 0x0E},
    };
    MemoryBridge rig;  // one for all cases: each cycle must rebuild the words from zero
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        rig.tables->sdkBlock.fill(0);
        rig.SetI32(kSignField, 10);
        for (const auto& [offset, value] : c.sdkFields) {
            rig.SetI32(offset, value);
        }
        PackBitWords(rig.cycle);
        EXPECT_EQ(rig.tables->bitWords[c.word], c.expected);
    }
}

// A 1 in any single-bit field lands at exactly its position in exactly its word.
TEST(PackBitWords, EverySingleBitFieldLandsAtItsPosition) {
    for (const BitWordRow& row : kBitWordRows) {
        for (size_t p = 0; p < 8; ++p) {
            const BitCell& cell = row.bits[p];
            if (cell.source != BitSource::kField) {
                continue;
            }
            SCOPED_TRACE(testing::Message() << "BitWord" << int(row.index) << " bit " << p);
            MemoryBridge rig;
            rig.SetI32(kSignField, 10);
            if (row.block == BitWordBlock::kSdk2) {
                StoreU32(&rig.tables->sdk2Block[cell.field], 1);
            } else {
                rig.SetI32(cell.field, 1);
            }
            PackBitWords(rig.cycle);
            for (size_t nn = 0; nn < kBitWordCount; ++nn) {
                EXPECT_EQ(rig.tables->bitWords[nn], nn == row.index ? 1u << p : 0u)
                    << "BitWord" << nn;
            }
        }
    }
}

}  // namespace
}  // namespace ulvo::bridge
