// The value forms of the offset reference, read one way for whatever takes
// them (the panel lab's `set` and `expect`): what a value written as text means
// at an offset of the block, as the bytes an FSUIPC client reads there.
//
//   0x943A 12000, blank, 88888    a display window
//   0x9402 10000001, 129, 0x81    a lamp and switch byte: eight bits (bit 7
//                                 first) or a number
//   0x9402.3 on, off, 1, 0        one bit position; 0 to 3 or 0 to 15 for a
//                                 2-bit or 4-bit number
//   0x9477 0.25                   a further value, in its unit
//   0x9400 1298, idle             the command word
//   0x94F0 3, +1, -2              a control byte; steps for a counter
//
// A value the plug-in publishes as something else (65534 in a five-digit
// window, -1 in a signed one, 70000) is taken, with a notice of what the offset
// will read; a value no field of the aircraft can give is refused.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "offsets/block_layout.h"
#include "offsets/value_text.h"

namespace ulvo::tools {

// A used offset of the block, or one bit position of a lamp and switch byte.
struct OffsetTarget {
    const OffsetEntry* entry = nullptr;
    int bit = -1;  // -1: the whole entry
};

// "0x943A", "943A", "0x9402.3". Empty when the text names a used offset (or a bit
// of a byte that has bits), else why not.
std::string ReadTarget(std::string_view text, OffsetTarget& target);

struct OffsetValue {
    // What the offset reads: the entry's bytes as a little-endian number, or for
    // a bit position the number its bits hold (1 for on).
    uint32_t raw = 0;
    // The same value in the aircraft's terms, for the way back to its fields.
    bool blank = false;  // a blank display window
    int64_t number = 0;  // a display, a whole value, a code, a byte, or steps
    double real = 0.0;   // a real further value, in its unit
    bool steps = false;  // "+N" or "-N" on a counter: `number` steps
    std::string notice;  // "0x943A will read 4464: ..." when it reads otherwise
    std::string error;   // the text is no value this offset takes
};

OffsetValue ReadValue(const OffsetTarget& target, std::string_view text);

// What a client reads at `target` in `block`, in the terms of OffsetValue::raw.
uint32_t ReadingAt(const OffsetTarget& target, const BlockSnapshot& block);
// The same, as the offset reference writes it: "12000", "blank", "on", "2".
std::string ReadingText(const OffsetTarget& target, const BlockSnapshot& block);

// The entry whose first byte is `offset`, or null.
const OffsetEntry* EntryAt(uint32_t offset);
// "0x943A (Display05)", "0x9477 (further value)": an entry in messages.
std::string EntryTitle(const OffsetEntry& entry);

// Decimal, or hexadecimal after "0x"; a leading '-' allowed.
bool ParseInteger(std::string_view text, int64_t& value);
// An offset, hexadecimal with or without "0x", and an optional ".BIT" (0-7).
bool ParseTarget(std::string_view text, uint32_t& offset, int& bit);

}  // namespace ulvo::tools
