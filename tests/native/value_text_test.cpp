// How the monitor, the demo and the panel lab read the values of the offset block.
#include "offsets/value_text.h"

#include <gtest/gtest.h>

#include "common/little_endian.h"

namespace ulvo::tools {
namespace {

const bridge::FurtherRecord& FurtherAt(uint32_t offset) {
    for (const bridge::FurtherRecord& record : bridge::kFurtherRecords) {
        if (record.offset == offset) {
            return record;
        }
    }
    ADD_FAILURE() << "no further value at " << std::hex << offset;
    return bridge::kFurtherRecords[0];
}

TEST(OffsetValues, ReadAsTheReferenceDescribes) {
    struct Case {
        uint32_t offset;
        uint16_t raw;
        const char* text;
    };
    const Case cases[] = {
        {0x9400, 0xFFFF, "idle"},   {0x9400, 1298, "1298"},     {0x9400, 0x8000, "ignored -32768"},
        {0x9430, 0xFA24, "-1500"},  // signed display
        {0x9430, 0xFFFF, "blank"},  {0x9430, 0xFFFE, "88888"},  {0x943A, 0xFA24, "64036"},
        {0x943A, 4464, "4464"},     // unsigned display
        {0x9434, 0xFFFE, "65534"},  // three digits can never show 88888
        {0x9448, 0xFFE7, "-25"},    {0x9402, 0x81, "10000001"}, {0x9472, 0x2C, "44"},
        {0x9477, 250, "0.250"},                             // factor 1000
        {0x9477, 0xFFFF, "-0.001"}, {0x948A, 123, "12.3"},  // factor 10
        {0x9480, 0xFFFF, "-1"},     {0x94F8, 3, "3"},
    };
    for (const Case& c : cases) {
        BlockSnapshot snapshot;
        StoreU16(snapshot.bytes.data() + (c.offset - kBlockFirst), c.raw);
        bool found = false;
        for (const OffsetEntry& entry : BlockLayout()) {
            if (entry.offset == c.offset) {
                EXPECT_EQ(ValueText(entry, snapshot), c.text) << std::hex << c.offset;
                found = true;
            }
        }
        EXPECT_TRUE(found) << std::hex << c.offset;
    }
}

TEST(OffsetValues, FurtherDecimalsUndoTheFactor) {
    EXPECT_EQ(FurtherDecimals(FurtherAt(0x9477)), 3);
    EXPECT_EQ(FurtherDecimals(FurtherAt(0x948A)), 1);
    EXPECT_EQ(FurtherDecimals(FurtherAt(0x9480)), 0);
    EXPECT_EQ(FurtherText(FurtherAt(0x94D2), 0x8000), "-3276.8");
}

}  // namespace
}  // namespace ulvo::tools
