#include "bridge/write_display_offsets.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "bridge/decode_displays.h"
#include "bridge/display_table.h"
#include "core/memory_bridge.h"

namespace ulvo::bridge {
namespace {

using testbed::MemoryBridge;
using Writes = MemoryBridge::Writes;

TEST(WriteDisplayOffsets, PublishesFinishedValuesAsLow16Bits) {
    const struct {
        const char* name;
        int display;
        std::vector<int32_t> digits;                           // the display's fields in order
        std::vector<std::pair<uint32_t, int32_t>> signFields;  // other SdkBlock fields
        double finished;                                       // DisplayValues afterwards
        std::vector<uint8_t> slot;                             // bytes published
    } cases[] = {
        {"all eights in a five-digit window", 5, {8, 8, 8, 8, 8}, {}, 65534, {0xFE, 0xFF}},
        {"all eights, units first", 21, {8, 8, 8, 8, 8}, {}, 65534, {0xFE, 0xFF}},
        {"eights in a four-digit window stay", 17, {8, 8, 8, 8}, {}, 8888, {0xB8, 0x22}},
        {"minus on Display00", 0, {11, 1, 5, 0, 0}, {}, -1500, {0x24, 0xFA}},
        {"minus on Display01", 1, {11, 0, 0, 5, 0}, {}, -50, {0xCE, 0xFF}},
        {"minus before Display12", 12, {2, 5}, {{0x4D8, 11}}, -25, {0xE7, 0xFF}},
        {"other code before Display12", 12, {2, 5}, {{0x4D8, 12}}, 25, {0x19, 0x00}},
        {"blank Display00 with its minus", 0, {11, 0, 0, 0, 10}, {}, -65535, {0x01, 0x00}},
        {"above 65535 keeps the low 16 bits", 5, {7, 0, 0, 0, 0}, {}, 70000, {0x70, 0x11}},
        {"Display06 stays unsigned", 6, {1, 2, 0, 0}, {{0x1F4, 11}}, 1200, {0xB0, 0x04}},
        // A wild negative digit field pushes the value below the 32-bit range: it
        // saturates. (Fields of 10 and more are non-digits, so no display exceeds 99999.)
        {"below the 32-bit range", 5, {-INT32_MAX, 0, 0, 0, 0}, {}, -INT32_MAX * 1e4, {0x00, 0x00}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryBridge rig;
        rig.Open();
        const uint32_t slot = kDisplayRows[c.display].publishedOffset;
        rig.fsuipc.space.SetU16(slot, 0x5A5A);
        rig.SetFields(kDisplayRows[c.display].digit[0].field, c.digits);
        for (const auto& [offset, value] : c.signFields) {
            rig.SetI32(offset, value);
        }
        rig.plugin.fsuipcResult = 99;
        EXPECT_EQ(rig.Run(DecodeDisplays, WriteDisplayOffsets), (Writes{{slot, c.slot}}));
        EXPECT_EQ(rig.queuedBytes, 14u);
        EXPECT_EQ(rig.fsuipc.space.U16(slot), c.slot[0] | c.slot[1] << 8);
        EXPECT_EQ(rig.tables->displayValues[c.display], c.finished);
        EXPECT_EQ(rig.tables->displayLastSent[c.display], c.finished);
        EXPECT_EQ(rig.plugin.fsuipcResult, 1u);
    }
}

TEST(WriteDisplayOffsets, SendsOnlyChangesOfTheFinishedValues) {
    MemoryBridge rig;
    rig.Open();
    const uint32_t digits = kDisplayRows[2].digit[0].field;
    rig.plugin.fsuipcResult = 99;
    // Zeros from the start equal the zero last-sent copies: nothing is written.
    EXPECT_EQ(rig.Run(DecodeDisplays, WriteDisplayOffsets), Writes{});
    EXPECT_EQ(rig.plugin.fsuipcResult, 99u);

    rig.SetFields(digits, {0, 0, 5});
    EXPECT_EQ(rig.Run(DecodeDisplays, WriteDisplayOffsets), (Writes{{0x9434, {0x05, 0x00}}}));
    EXPECT_EQ(rig.Run(DecodeDisplays, WriteDisplayOffsets), Writes{});
    rig.SetFields(digits, {0, 0, 0});
    EXPECT_EQ(rig.Run(DecodeDisplays, WriteDisplayOffsets), (Writes{{0x9434, {0x00, 0x00}}}));

    // Two displays changing: their records in display order.
    rig.SetFields(kDisplayRows[31].digit[0].field, {0, 0, 0, 0, 1});
    rig.SetFields(digits, {0, 0, 1});
    EXPECT_EQ(rig.Run(DecodeDisplays, WriteDisplayOffsets),
              (Writes{{0x9434, {0x01, 0x00}}, {0x946E, {0x01, 0x00}}}));

    // A minus sign toggling on a steady magnitude is a change; 88888 held steady is
    // not sent again although DisplayValues is rewritten from 88888 every cycle.
    rig.SetFields(kDisplayRows[12].digit[0].field, {2, 5});
    EXPECT_EQ(rig.Run(DecodeDisplays, WriteDisplayOffsets), (Writes{{0x9448, {0x19, 0x00}}}));
    rig.SetI32(0x4D8, 11);
    EXPECT_EQ(rig.Run(DecodeDisplays, WriteDisplayOffsets), (Writes{{0x9448, {0xE7, 0xFF}}}));
    EXPECT_EQ(rig.Run(DecodeDisplays, WriteDisplayOffsets), Writes{});

    rig.SetFields(kDisplayRows[8].digit[0].field, {8, 8, 8, 8, 8});
    EXPECT_EQ(rig.Run(DecodeDisplays, WriteDisplayOffsets), (Writes{{0x9440, {0xFE, 0xFF}}}));
    EXPECT_EQ(rig.Run(DecodeDisplays, WriteDisplayOffsets), Writes{});
    EXPECT_EQ(rig.tables->displayValues[8], 65534.0);
}

}  // namespace
}  // namespace ulvo::bridge
