// How the values in the offset block read, one offset at a time. The offset
// reference describes the same rules in words; the monitor and the demo show
// values with these functions.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "bridge/bit_word_table.h"
#include "bridge/display_table.h"
#include "bridge/further_table.h"
#include "offsets/block_layout.h"

namespace ulvo::tools {

// The 252 bytes of the block as read from FSUIPC in one piece.
struct BlockSnapshot {
    std::array<uint8_t, kBlockSize> bytes{};

    uint8_t U8(uint32_t offset) const { return bytes[offset - kBlockFirst]; }
    uint16_t U16(uint32_t offset) const { return uint16_t(U8(offset) | (U8(offset + 1) << 8)); }
    // The bytes of one entry, little-endian, as an unsigned number.
    uint32_t Raw(const OffsetEntry& entry) const;
};

// Published markers of a display slot.
constexpr uint16_t kBlankSlot = 0xFFFF;      // the window shows no digits
constexpr uint16_t kAllEightsSlot = 0xFFFE;  // a five-digit window shows 88888
constexpr uint16_t kIdleCommandWord = 0xFFFF;
// The lowest slot value of a signed display that reads as negative: -9999.
constexpr uint16_t kMostNegativeSlot = 0x10000 - 9999;

// The names of the bridge's table rows: "05", "Display05", "BitWord05".
std::string TwoDigits(unsigned number);
std::string DisplayName(uint8_t display);
std::string BitWordName(uint8_t word);

// True for the displays that carry a minus sign (two's complement in their slot,
// from kMostNegativeSlot up).
bool SignedDisplay(uint8_t display);

// "idle", "1298" (waiting to be performed), "ignored -5" (negative: left alone).
std::string CommandWordText(uint16_t raw);
// "blank", "88888", "-1500", "250".
std::string DisplayText(const bridge::DisplayRow& row, uint16_t raw);
// Bit 7 first: "10000001".
std::string BitsText(uint8_t byte);
// A further value as its source reads: "12", "0.250" (factor 1000), "12.3" (factor 10).
std::string FurtherText(const bridge::FurtherRecord& record, uint32_t raw);
// Digits after the decimal point that undo a further value's factor.
int FurtherDecimals(const bridge::FurtherRecord& record);

// Any entry of the layout, as the monitor shows it.
std::string ValueText(const OffsetEntry& entry, const BlockSnapshot& snapshot);

// What an entry can hold, as the offset reference says it: "0 to 99999, blank or
// 88888", "-32.768 to 32.767", "bits 0-3 on or off".
std::string AllowedValues(const OffsetEntry& entry);
// What one bit position of a bit-word takes: "on or off", "0 to 3"; empty for a
// position that no field sets (a 0, a covered position, a bit never set).
std::string BitCellValues(const bridge::BitCell& cell);
// The lowest and highest value a display window can show (its sign included).
int32_t DisplayLowest(const bridge::DisplayRow& row);
int32_t DisplayHighest(const bridge::DisplayRow& row);
// The lowest and highest value a real further value can publish, in its unit.
double FurtherLowest(const bridge::FurtherRecord& record);
double FurtherHighest(const bridge::FurtherRecord& record);

}  // namespace ulvo::tools
