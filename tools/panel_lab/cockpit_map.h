// The panel lab's way back from the offset reference to the aircraft: which
// fields of the aircraft's blocks to write, and with what, so that the plug-in
// publishes a given value at an offset. It walks the same tables the plug-in
// publishes with (the bridge's display, bit-word and further-value tables, through
// BlockLayout), so the lab can never disagree with the plug-in or the reference.
// Offsets that clients write (the command word and the control bytes) are written
// into FSUIPC instead, as a panel would.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "offsets/block_layout.h"
#include "offsets/value_text.h"

namespace ulvo::tools {

enum class AircraftBlock : uint8_t { kSdk, kSdk2 };

struct FieldWrite {
    AircraftBlock block = AircraftBlock::kSdk;
    uint32_t field = 0;  // byte offset in the block
    bool real = false;   // a double (8 bytes); otherwise a 32-bit integer
    double value = 0.0;

    bool operator==(const FieldWrite&) const = default;
};

// What one `set` does: aircraft fields to write, or bytes to write into FSUIPC.
struct CockpitWrite {
    std::vector<FieldWrite> fields;
    uint32_t fsuipcOffset = 0;
    std::vector<uint8_t> fsuipcBytes;
    std::string error;  // why it cannot be done; empty when it can
};

// `set TARGET VALUE`. TARGET is an offset in hexadecimal ("0x943A", "943A") or one
// bit position of a lamp and switch byte ("0x9402.3"). VALUE is what the offset
// should read: a number, "blank", "88888", "on" or "off", a byte as eight bits
// ("10000001"), "idle" for the command word, or "+N" / "-N" steps for a counter.
// `current` is what FSUIPC holds now: counters move from it.
CockpitWrite CockpitSet(std::string_view target, std::string_view value,
                        const BlockSnapshot& current);

// The writes that make the plug-in publish `raw` (the entry's bytes as a
// little-endian number) at `entry`; for a client's offset, those bytes.
CockpitWrite CockpitSetRaw(const OffsetEntry& entry, uint32_t raw);

// The aircraft of a fresh lab: every field 0, except the vertical-speed window's
// sign position, which shows no sign (10), so every published value reads 0.
std::vector<FieldWrite> InitialCockpit();

// The entry whose first byte is `offset`, or null.
const OffsetEntry* EntryAt(uint32_t offset);
// "0x943A (Display05)", "0x9477 (further value)": an entry in messages.
std::string EntryTitle(const OffsetEntry& entry);

// Decimal, or hexadecimal after "0x"; a leading '-' allowed.
bool ParseInteger(std::string_view text, int64_t& value);
// An offset, hexadecimal with or without "0x", and an optional ".BIT" (0-7).
bool ParseTarget(std::string_view text, uint32_t& offset, int& bit);

}  // namespace ulvo::tools
