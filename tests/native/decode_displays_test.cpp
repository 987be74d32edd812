#include "bridge/decode_displays.h"

#include <gtest/gtest.h>

#include <vector>

#include "bridge/display_table.h"
#include "core/memory_bridge.h"

namespace ulvo::bridge {
namespace {

using testbed::MemoryBridge;

TEST(DecodeDisplays, RunningSumRule) {
    const struct {
        const char* name;
        int display;
        std::vector<int32_t> fields;  // in SdkBlock order from the display's first field
        double expected;
    } cases[] = {
        {"plain digits", 2, {2, 5, 0}, 250},
        {"leading blank costs nothing", 2, {10, 5, 0}, 50},
        {"blank last position", 2, {2, 5, 10}, 65535},
        {"negative field is a digit", 2, {1, -1, 0}, 90},
        {"very negative field is a digit", 2, {0, 0, -7}, -7},
        {"leading blank before a Mach number", 3, {10, 7, 8}, 78},
        {"two leading blanks", 5, {10, 10, 5, 0, 0}, 500},
        {"blank in the middle discards the digits before it", 5, {1, 2, 10, 0, 0}, 0},
        {"minus code is a non-digit here", 0, {11, 1, 5, 0, 0}, 1500},
        {"all eights stay for the writer", 8, {8, 8, 8, 8, 8}, 88888},
        {"units first, top position blank", 21, {5, 0, 0, 0, 10}, 65535},
        {"units first", 21, {5, 0, 0, 0, 0}, 5},
        {"units first, blank at the units discards nothing above", 24, {10, 2, 0, 0, 0}, 20},
        {"units first, blank above the units discards the units", 22, {7, 10, 3, 0, 0}, 300},
        {"two digits", 12, {2, 5}, 25},
        // A field far outside 0-9 still gives an exact whole number, with no wrap.
        {"huge negative digit", 0, {-2147483647 - 1, 0, 0, 0, 0}, -21474836480000.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryBridge rig;
        rig.SetFields(kDisplayRows[c.display].digit[0].field, c.fields);
        DecodeDisplays(rig.cycle);
        EXPECT_EQ(rig.tables->displayValues[c.display], c.expected);
    }
}

// On a block of blanks, a display showing 1, 2, 3 ... decodes to that number.
TEST(DecodeDisplays, EachDisplayReadsItsOwnPositionsInReadingOrder) {
    for (const DisplayRow& row : kDisplayRows) {
        SCOPED_TRACE(testing::Message() << "Display" << int(row.index));
        MemoryBridge rig;
        for (size_t offset = 0; offset + 4 <= aircraft::kSdkBlockSize; offset += 4) {
            rig.SetI32(uint32_t(offset), 10);
        }
        // Reading order is most significant first; Display21-24 keep the units at
        // the lowest offset.
        const bool unitsFirst = row.index >= 21 && row.index <= 24;
        double shown = 0;
        for (int p = 0; p < row.digits; ++p) {
            const int32_t digit = p + 1;
            shown = shown * 10 + digit;
            const int position = unitsFirst ? row.digits - 1 - p : p;
            rig.SetI32(row.digit[0].field + 4 * position, digit);
        }
        DecodeDisplays(rig.cycle);
        for (size_t nn = 0; nn < kDisplayCount; ++nn) {
            EXPECT_EQ(rig.tables->displayValues[nn], nn == row.index ? shown : kBlankDisplay)
                << "Display" << nn;
        }
    }
}

}  // namespace
}  // namespace ulvo::bridge
