#include "bridge/write_display_offsets.h"

#include <cstring>

#include "bridge/display_table.h"
#include "bridge/offset_write.h"
#include "common/little_endian.h"
#include "common/numeric.h"

namespace ulvo::bridge {

namespace {

// The displays the all-eights rule applies to, taken from the table once.
constexpr size_t kFiveDigitCount = [] {
    size_t count = 0;
    for (const DisplayRow& row : kDisplayRows) {
        count += row.FiveDigit() ? 1 : 0;
    }
    return count;
}();
constexpr std::array<uint8_t, kFiveDigitCount> kFiveDigitDisplays = [] {
    std::array<uint8_t, kFiveDigitCount> displays{};
    size_t next = 0;
    for (const DisplayRow& row : kDisplayRows) {
        if (row.FiveDigit()) {
            displays[next++] = row.index;
        }
    }
    return displays;
}();

// A five-digit window showing 88888 (the lamp test) becomes 65534, and a display
// whose sign field shows a minus is negated, in DisplayValues itself: the control
// forwarding later in the cycle reads the finished values.
void FinishDisplayValues(BridgeCycle& cycle) {
    auto& values = cycle.tables.displayValues;
    for (uint8_t display : kFiveDigitDisplays) {
        if (values[display] == kAllEights) {
            values[display] = kAllEightsMarker;
        }
    }
    for (const MinusRule& rule : kMinusRules) {
        if (aircraft::FieldI32(cycle.tables.sdkBlock, rule.signField) == kMinusCode) {
            values[rule.display] *= -1.0;
        }
    }
}

}  // namespace

void WriteDisplayOffsets(BridgeCycle& cycle) {
    // The values were finished and sent when these blocks were first seen;
    // finishing them again would negate a minus display twice.
    if (cycle.tables.blocksAlreadyPublished) {
        return;
    }
    FinishDisplayValues(cycle);
    const auto& values = cycle.tables.displayValues;
    auto& lastSent = cycle.tables.displayLastSent;
    // A steady cockpit: all values equal their copies bit for bit. (Decoded values
    // are never NaN, so bitwise equal means equal; -0.0 against 0.0 merely takes
    // the loop, which compares as doubles.)
    if (std::memcmp(values.data(), lastSent.data(), sizeof values) == 0) {
        return;
    }
    for (const DisplayRow& row : kDisplayRows) {
        const double value = values[row.index];
        if (value == lastSent[row.index]) {
            continue;
        }
        // Decoded values are whole numbers, so truncation is exact. One that a wild
        // negative digit field pushed below the 32-bit range saturates (its low 16
        // bits are then 0x0000) instead of converting with undefined behaviour.
        uint8_t data[2];
        StoreU16(data, uint16_t(TruncateToI32(value)));
        QueueOffsetWrite(cycle, row.publishedOffset, 2, data);
        lastSent[row.index] = value;
    }
}

}  // namespace ulvo::bridge
