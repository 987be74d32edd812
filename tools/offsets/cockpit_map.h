// The way back from the offset reference to the aircraft: which fields of the
// aircraft's blocks to write, and with what, so that the plug-in publishes a
// given value at an offset. It walks the same tables the plug-in publishes with
// (the bridge's display, bit-word and further-value tables, through
// BlockLayout), so it can never disagree with the plug-in or the reference.
// Offsets that clients write (the command word and the control bytes) are
// written into FSUIPC instead, as a panel would.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "offsets/block_layout.h"
#include "offsets/offset_value.h"
#include "offsets/value_text.h"

namespace ulvo::tools {

enum class AircraftBlock : uint8_t { kSdk, kSdk2 };

struct FieldWrite {
    AircraftBlock block = AircraftBlock::kSdk;
    uint32_t field = 0;  // byte offset in the block
    bool real = false;   // a double (8 bytes); otherwise a 32-bit integer
    double value = 0.0;
    // Written only while the field holds this value: switching off one position
    // of a three-position switch leaves the field alone when another is selected.
    std::optional<int32_t> onlyWhen;

    bool operator==(const FieldWrite&) const = default;
};

// What one `set` does: aircraft fields to write, or bytes to write into FSUIPC.
struct CockpitWrite {
    std::vector<FieldWrite> fields;
    uint32_t fsuipcOffset = 0;
    std::vector<uint8_t> fsuipcBytes;
    std::string error;   // why it cannot be done; empty when it can
    std::string notice;  // what the offset will read, when that is not the value given
    // What the write is about, and what it reads there once the plug-in has
    // published the fields (ReadingAt's terms).
    OffsetTarget target;
    uint32_t reads = 0;
};

// `set TARGET VALUE` (the forms of offset_value.h). `current` is what FSUIPC
// holds now: counters move from it.
CockpitWrite CockpitSet(std::string_view target, std::string_view value,
                        const BlockSnapshot& current);

// The writes that make the plug-in publish `raw` (the entry's bytes as a
// little-endian number) at `entry`; for a client's offset, those bytes.
CockpitWrite CockpitSetRaw(const OffsetEntry& entry, uint32_t raw);

// The aircraft of a fresh lab: every field 0, except the vertical-speed window's
// sign position, which shows no sign (10), so every published value reads 0.
std::vector<FieldWrite> InitialCockpit();

}  // namespace ulvo::tools
