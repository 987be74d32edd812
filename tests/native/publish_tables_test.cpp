#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "aircraft/sdk_blocks.h"
#include "bridge/bit_word_table.h"
#include "bridge/further_table.h"

namespace ulvo::bridge {
namespace {

TEST(PublishTables, BitWordCellsAreWellFormedAndPack274Fields) {
    std::set<std::pair<BitWordBlock, uint16_t>> fields;
    size_t fieldCount = 0;
    for (size_t nn = 0; nn < kBitWordRows.size(); ++nn) {
        const BitWordRow& row = kBitWordRows[nn];
        SCOPED_TRACE(testing::Message() << "BitWord" << nn);
        EXPECT_EQ(row.index, nn);
        const size_t blockSize =
            row.block == BitWordBlock::kSdk2 ? aircraft::kSdk2BlockSize : aircraft::kSdkBlockSize;
        std::set<uint16_t> rowFields;
        size_t covered = 0;  // positions still covered by the field to the right
        for (size_t p = 0; p < 8; ++p) {
            const BitCell& cell = row.bits[p];
            if (covered > 0) {
                EXPECT_EQ(cell.source, BitSource::kCovered) << "bit " << p;
                --covered;
                continue;
            }
            EXPECT_NE(cell.source, BitSource::kCovered) << "bit " << p << " covered by nothing";
            if (cell.source != BitSource::kField && cell.source != BitSource::kZero) {
                EXPECT_NE(row.special, BitWordSpecial::kNone) << "bit " << p;
            }
            if (cell.source == BitSource::kZero || cell.source == BitSource::kNeverSet) {
                continue;
            }
            EXPECT_EQ(cell.field % 4, 0);
            EXPECT_LE(cell.field + 4u, blockSize);
            if (cell.source == BitSource::kField) {
                EXPECT_TRUE(cell.width == 1 || cell.width == 2 || cell.width == 4);
                EXPECT_LE(p + cell.width, 8u);
            }
            if (cell.source == BitSource::kWholeValue) {
                EXPECT_EQ(p, 0u);
                EXPECT_EQ(cell.width, 8);
            }
            if (cell.width > 1) {
                covered = cell.width - 1;
            }
            rowFields.insert(cell.field);
        }
        fieldCount += rowFields.size();
        for (uint16_t field : rowFields) {
            EXPECT_TRUE(fields.emplace(row.block, field).second)
                << std::hex << "field 0x" << field << " packed twice";
        }
    }
    EXPECT_EQ(fieldCount, 274u);
}

TEST(PublishTables, BitWordRecordsWriteEachWordOnceAtItsOffset) {
    std::set<int> words;
    for (size_t i = 0; i < kBitWordRecords.size(); ++i) {
        const BitWordRecord& record = kBitWordRecords[i];
        EXPECT_EQ(record.order, i + 1);
        ASSERT_LT(record.word, kBitWordRows.size());
        EXPECT_TRUE(words.insert(record.word).second);
        EXPECT_EQ(record.offset, kBitWordRows[record.word].publishedOffset)
            << "BitWord" << int(record.word);
    }
    EXPECT_EQ(words.size(), kBitWordCount);
}

TEST(PublishTables, FurtherRecordsHaveTheirSizeFactorAndAlignedSource) {
    size_t whole = 0;
    size_t real = 0;
    for (size_t i = 0; i < kFurtherRecords.size(); ++i) {
        const FurtherRecord& record = kFurtherRecords[i];
        SCOPED_TRACE(testing::Message() << "record " << i + 1);
        EXPECT_EQ(record.order, i + 1);
        if (record.type == FurtherSource::kWhole) {
            ++whole;
            EXPECT_EQ(record.size, 1);
            EXPECT_EQ(record.factor, 1);
            EXPECT_EQ(record.source % 4, 0);
            EXPECT_LE(record.source + 4u, aircraft::kSdkBlockSize);
        } else {
            ++real;
            EXPECT_EQ(record.size, 2);
            EXPECT_EQ(record.source % 8, 0);
            EXPECT_LE(record.source + 8u, aircraft::kSdkBlockSize);
            const uint16_t factor = record.offset == 0x9477 || record.offset == 0x9479   ? 1000
                                    : record.offset == 0x948A || record.offset == 0x94D2 ? 10
                                                                                         : 1;
            EXPECT_EQ(record.factor, factor);
        }
    }
    EXPECT_EQ(whole, 53u);
    EXPECT_EQ(real, 14u);
}

}  // namespace
}  // namespace ulvo::bridge
