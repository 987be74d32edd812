// Invariants of the publishing tables: where each value goes in the FSUIPC block,
// and where each source field lies in the aircraft blocks.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <utility>

#include "aircraft/sdk_blocks.h"
#include "bridge/bit_word_table.h"
#include "bridge/display_table.h"
#include "bridge/further_table.h"

namespace ulvo::bridge {
namespace {

enum class Owner { kDisplays, kBitWords, kFurther };

const char* Name(Owner owner) {
    switch (owner) {
        case Owner::kDisplays:
            return "displays";
        case Owner::kBitWords:
            return "bit-words";
        case Owner::kFurther:
            return "further values";
    }
    return "?";
}

// The offsets of 0x9400-0x94FB that the three writers own. Everything else in the
// block (the command word, the control bytes, the gaps) is never written by them.
struct OwnedRange {
    uint32_t first;
    uint32_t last;
    Owner owner;
};
constexpr OwnedRange kOwnedRanges[] = {
    {0x9402, 0x9427, Owner::kBitWords}, {0x9429, 0x942A, Owner::kBitWords},
    {0x942B, 0x942B, Owner::kFurther},  {0x9430, 0x946F, Owner::kDisplays},
    {0x9472, 0x947C, Owner::kFurther},  {0x947D, 0x947F, Owner::kBitWords},
    {0x9480, 0x948D, Owner::kFurther},  {0x948E, 0x948F, Owner::kBitWords},
    {0x9490, 0x9490, Owner::kFurther},  {0x9497, 0x94A8, Owner::kFurther},
    {0x94B1, 0x94BD, Owner::kFurther},  {0x94BE, 0x94BE, Owner::kBitWords},
    {0x94D2, 0x94D4, Owner::kFurther},  {0x94D6, 0x94E5, Owner::kFurther},
    {0x94EA, 0x94EA, Owner::kFurther},  {0x94EC, 0x94EE, Owner::kFurther},
};

// Every FSUIPC byte the three writers can write, with its writer.
std::map<uint32_t, Owner> WrittenBytes() {
    std::map<uint32_t, Owner> bytes;
    auto add = [&](uint32_t offset, uint32_t size, Owner owner) {
        for (uint32_t i = 0; i < size; ++i) {
            EXPECT_TRUE(bytes.emplace(offset + i, owner).second)
                << std::hex << "0x" << offset + i << " written twice";
        }
    };
    for (const DisplayRow& row : kDisplayRows) {
        add(row.publishedOffset, 2, Owner::kDisplays);
    }
    for (const BitWordRecord& record : kBitWordRecords) {
        add(record.offset, 1, Owner::kBitWords);
    }
    for (const FurtherRecord& record : kFurtherRecords) {
        add(record.offset, record.size, Owner::kFurther);
    }
    return bytes;
}

TEST(PublishTables, WritersFillExactlyTheirOwnSlotsOfTheBlockMap) {
    const std::map<uint32_t, Owner> written = WrittenBytes();
    std::map<uint32_t, Owner> owned;
    for (const OwnedRange& range : kOwnedRanges) {
        for (uint32_t offset = range.first; offset <= range.last; ++offset) {
            owned.emplace(offset, range.owner);
        }
    }
    EXPECT_EQ(written.size(), 32u * 2 + 46 + 53 + 14 * 2);
    for (const auto& [offset, owner] : written) {
        auto slot = owned.find(offset);
        ASSERT_NE(slot, owned.end()) << std::hex << "0x" << offset << " is not a published slot";
        EXPECT_EQ(Name(slot->second), Name(owner)) << std::hex << "at 0x" << offset;
    }
    for (const auto& [offset, owner] : owned) {
        EXPECT_TRUE(written.count(offset))
            << std::hex << "slot 0x" << offset << " of " << Name(owner) << " is never written";
    }
    // The command word, the control bytes and the gaps stay untouched.
    for (uint32_t offset : {0x9400u, 0x9401u, 0x9428u, 0x942Cu, 0x942Du, 0x942Eu, 0x942Fu, 0x9470u,
                            0x9471u, 0x9491u, 0x9496u, 0x94A9u, 0x94B0u, 0x94BFu, 0x94D1u, 0x94D5u,
                            0x94E6u, 0x94E9u, 0x94EBu, 0x94EFu, 0x94F0u, 0x94FBu}) {
        EXPECT_FALSE(written.count(offset)) << std::hex << "0x" << offset;
    }
}

TEST(PublishTables, DisplayRowsAreNumberedSlottedAndWeightedByTheirDigits) {
    for (size_t nn = 0; nn < kDisplayRows.size(); ++nn) {
        const DisplayRow& row = kDisplayRows[nn];
        SCOPED_TRACE(testing::Message() << "Display" << nn);
        EXPECT_EQ(row.index, nn);
        EXPECT_EQ(row.publishedOffset, 0x9430 + 2 * nn);
        ASSERT_GE(row.digits, 2);
        ASSERT_LE(row.digits, kMaxDisplayDigits);
        // Units first for Display21 to Display24 only; the rest most significant first.
        const bool unitsFirst = nn >= 21 && nn <= 24;
        for (size_t p = 0; p < row.digits; ++p) {
            const size_t power = unitsFirst ? p : row.digits - 1 - p;
            uint32_t weight = 1;
            for (size_t i = 0; i < power; ++i) {
                weight *= 10;
            }
            EXPECT_EQ(row.digit[p].weight, weight) << "position " << p;
            // The digit fields of one display are consecutive 32-bit fields.
            EXPECT_EQ(row.digit[p].field, row.digit[0].field + 4 * p);
            EXPECT_EQ(row.digit[p].field % 4, 0);
            EXPECT_LE(row.digit[p].field + 4u, aircraft::kSdkBlockSize);
        }
        for (size_t p = row.digits; p < kMaxDisplayDigits; ++p) {
            EXPECT_EQ(row.digit[p].field, 0) << "unused position " << p;
        }
    }
}

TEST(PublishTables, SeventeenFiveDigitWindowsGetTheAllEightsRule) {
    std::set<int> fiveDigit;
    for (const DisplayRow& row : kDisplayRows) {
        if (row.FiveDigit()) {
            fiveDigit.insert(row.index);
        }
    }
    EXPECT_EQ(fiveDigit,
              (std::set<int>{0, 1, 5, 8, 9, 10, 11, 21, 22, 23, 24, 25, 26, 27, 28, 30, 31}));
}

TEST(PublishTables, MinusSignsSitAtTheFirstPositionOrJustBeforeTheDigits) {
    ASSERT_EQ(kMinusRules.size(), 3u);
    EXPECT_EQ(kMinusRules[0].display, 12);
    EXPECT_EQ(kMinusRules[0].signField + 4, kDisplayRows[12].digit[0].field);
    EXPECT_EQ(kMinusRules[1].display, 1);
    EXPECT_EQ(kMinusRules[1].signField, kDisplayRows[1].digit[0].field);
    EXPECT_EQ(kMinusRules[2].display, 0);
    EXPECT_EQ(kMinusRules[2].signField, kDisplayRows[0].digit[0].field);
}

TEST(PublishTables, BitWordCellsAreWellFormedAndPack274Fields) {
    const std::set<int> specialRows = {13, 19, 20, 30, 43, 44};
    std::set<std::pair<BitWordBlock, uint16_t>> fields;
    size_t fieldCount = 0;
    for (size_t nn = 0; nn < kBitWordRows.size(); ++nn) {
        const BitWordRow& row = kBitWordRows[nn];
        SCOPED_TRACE(testing::Message() << "BitWord" << nn);
        EXPECT_EQ(row.index, nn);
        EXPECT_EQ(row.special != BitWordSpecial::kNone, specialRows.count(int(nn)) == 1);
        EXPECT_EQ(row.block == BitWordBlock::kSdk2, nn == 38);
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
            const bool plain = cell.source == BitSource::kField ||
                               cell.source == BitSource::kZero ||
                               cell.source == BitSource::kCovered;
            if (!plain) {
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
    // All 67 records at once stay far below the 32512-byte request limit.
    EXPECT_EQ(whole * 13 + real * 14, 885u);
}

}  // namespace
}  // namespace ulvo::bridge
