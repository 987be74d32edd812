#include "offsets/offset_value.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "common/numeric.h"
#include "offsets/control_rows.h"

namespace ulvo::tools {

namespace {

OffsetValue Refused(const OffsetTarget& target, std::string_view text) {
    OffsetValue value;
    value.error = EntryTitle(*target.entry) + " takes " + AllowedValues(*target.entry) + ", not " +
                  std::string(text);
    return value;
}

uint32_t CellMask(const bridge::BitCell& cell) {
    return cell.width > 1 ? (1u << std::min<int>(cell.width, 8)) - 1 : 1;
}

std::string Will(const OffsetTarget& target, const std::string& reads, const std::string& why) {
    return EntryTitle(*target.entry) + " will read " + reads + ": " + why;
}

// --- displays ---------------------------------------------------------------------

// Why a display reads `reads` for `number`, in the offset reference's words.
std::string DisplayWhy(int64_t number) {
    switch (number) {
        case 65535:
            return "65535 (0xFFFF) is the marker of a blank window";
        case 65534:
            return "65534 (0xFFFE) is the marker of 88888";
        case -1:
            return "-1 is published as 0xFFFF, the same as blank";
        case -2:
            return "-2 is published as 0xFFFE, the same as 88888";
        default:
            return number > 65535 ? "a five-digit value above 65535 keeps only its low 16 bits"
                                  : "this signed window reads 0xD8F1 and above as negative";
    }
}

OffsetValue DisplayValue(const OffsetTarget& target, std::string_view text) {
    const bridge::DisplayRow& row = bridge::kDisplayRows[target.entry->row];
    OffsetValue value;
    if (text == "blank") {
        value.blank = true;
        value.raw = kBlankSlot;
        return value;
    }
    if (!ParseInteger(text, value.number) || value.number < DisplayLowest(row) ||
        value.number > DisplayHighest(row)) {
        return Refused(target, text);
    }
    value.raw = value.number == 88888 ? kAllEightsSlot : uint16_t(value.number);
    const std::string reads = DisplayText(row, uint16_t(value.raw));
    if (reads != std::to_string(value.number)) {
        value.notice = Will(target, reads, DisplayWhy(value.number));
    }
    return value;
}

// --- lamps and switches -------------------------------------------------------------

OffsetValue BitValue(const OffsetTarget& target, std::string_view text) {
    const bridge::BitCell& cell = bridge::kBitWordRows[target.entry->row].bits[size_t(target.bit)];
    const uint32_t mask = CellMask(cell);
    OffsetValue value;
    if (mask == 1 && (text == "on" || text == "off")) {
        value.number = text == "on" ? 1 : 0;
    } else if (!ParseInteger(text, value.number) || value.number < 0 || value.number > mask) {
        value.error = "bit " + std::to_string(target.bit) + " of " + EntryTitle(*target.entry) +
                      " takes " + BitCellValues(cell) + ", not " + std::string(text);
        return value;
    }
    value.raw = uint32_t(value.number);
    return value;
}

OffsetValue ByteValue(const OffsetTarget& target, std::string_view text) {
    OffsetValue value;
    if (text.size() == 8 && text.find_first_not_of("01") == std::string_view::npos) {
        for (char c : text) {
            value.number = value.number * 2 + (c - '0');
        }
    } else if (!ParseInteger(text, value.number) || value.number < 0 || value.number > 255) {
        return Refused(target, text);
    }
    value.raw = uint32_t(value.number);
    return value;
}

// --- further values -------------------------------------------------------------------

OffsetValue FurtherValue(const OffsetTarget& target, std::string_view text) {
    const bridge::FurtherRecord& record = bridge::kFurtherRecords[target.entry->row];
    OffsetValue value;
    if (record.type == bridge::FurtherSource::kWhole) {
        if (!ParseInteger(text, value.number) || value.number < INT32_MIN ||
            value.number > INT32_MAX) {
            return Refused(target, text);
        }
        value.raw = uint8_t(value.number);
        if (value.number != int64_t(value.raw)) {
            value.notice = Will(target, FurtherText(record, value.raw),
                                "a whole value is published as its low 8 bits");
        }
        return value;
    }
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value.real);
    const double scaled = value.real * record.factor;
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        !(std::fabs(scaled) < 2147483647.0)) {
        return Refused(target, text);
    }
    // A value typed with its full decimals (0.001 at x1000) counts as the whole
    // number it spells, never one below it.
    const double nearest = std::round(scaled);
    value.number = TruncateToI32(std::fabs(scaled - nearest) < 1e-6 ? nearest : scaled);
    value.raw = uint16_t(value.number);
    const std::string reads = FurtherText(record, value.raw);
    const std::string factor = record.factor == 1 ? "" : " x" + std::to_string(record.factor);
    if (value.number != int16_t(value.raw)) {
        value.notice = Will(target, reads,
                            "a real value is published as the low 16 bits of its value" + factor +
                                ", fraction cut off");
    } else if (double(value.number) != scaled && std::fabs(scaled - nearest) >= 1e-6) {
        value.notice =
            Will(target, reads, "the plug-in cuts off the fraction of its value" + factor);
    }
    return value;
}

// --- what clients write ---------------------------------------------------------------

OffsetValue ClientValue(const OffsetTarget& target, std::string_view text) {
    const OffsetEntry& entry = *target.entry;
    OffsetValue value;
    if (entry.role == OffsetRole::kCommandWord) {
        if (text == "idle") {
            value.number = -1;
        } else if (!ParseInteger(text, value.number) || value.number < INT16_MIN ||
                   value.number > 32767) {
            return Refused(target, text);
        }
        value.raw = uint16_t(value.number);
        if (value.number < 0 && text != "idle") {
            value.notice = Will(target, CommandWordText(uint16_t(value.raw)),
                                "the plug-in leaves a negative command word alone");
        }
        return value;
    }
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        if (entry.role == OffsetRole::kDirectControl) {
            value.error = EntryTitle(entry) + " is not a counter: it takes 0 to 255";
        } else if (!ParseInteger(text.substr(1), value.number) || value.number < 1 ||
                   value.number > kMaxSteps) {
            value.error = EntryTitle(entry) + " moves by 1 to " + std::to_string(kMaxSteps) +
                          " steps at a time, not " + std::string(text);
        }
        value.steps = true;
        value.number = text[0] == '-' ? -value.number : value.number;
        return value;
    }
    if (!ParseInteger(text, value.number) || value.number < 0 || value.number > 255) {
        return Refused(target, text);
    }
    value.raw = uint32_t(value.number);
    return value;
}

}  // namespace

std::string ReadTarget(std::string_view text, OffsetTarget& target) {
    uint32_t offset = 0;
    int bit = -1;
    if (!ParseTarget(text, offset, bit)) {
        return std::string(text) + " is not an offset (0x9400-0x94FB, or 0x9402.3 for one bit)";
    }
    if (offset < kBlockFirst || offset > kBlockLast) {
        return OffsetText(offset) + " is not in the plug-in's block " + OffsetText(kBlockFirst) +
               "-" + OffsetText(kBlockLast);
    }
    const OffsetEntry* entry = EntryAt(offset);
    if (entry == nullptr) {
        return OffsetText(offset) + " is the second byte of " + OffsetText(offset - 1) + ": use " +
               OffsetText(offset - 1);
    }
    if (entry->role == OffsetRole::kUnused) {
        return RangeText(*entry) + " is not used by the plug-in";
    }
    target = {entry, bit};
    if (bit < 0) {
        return "";
    }
    if (entry->role != OffsetRole::kBitWord) {
        return EntryTitle(*entry) + " has no bits of its own: it takes " + AllowedValues(*entry);
    }
    const bridge::BitWordRow& row = bridge::kBitWordRows[entry->row];
    const std::string where = "bit " + std::to_string(bit) + " of " + EntryTitle(*entry);
    if (row.bits[size_t(bit)].source == bridge::BitSource::kCovered) {
        int owner = bit;
        while (owner > 0 && row.bits[size_t(owner)].source == bridge::BitSource::kCovered) {
            --owner;
        }
        return where + " belongs to the number at bit " + std::to_string(owner) + ": use " +
               OffsetText(offset) + "." + std::to_string(owner) + " (" +
               BitCellValues(row.bits[size_t(owner)]) + ")";
    }
    if (BitCellValues(row.bits[size_t(bit)]).empty()) {
        return where + " is never set: the byte takes " + AllowedValues(*entry);
    }
    return "";
}

OffsetValue ReadValue(const OffsetTarget& target, std::string_view text) {
    switch (target.entry->role) {
        case OffsetRole::kDisplay:
            return DisplayValue(target, text);
        case OffsetRole::kBitWord:
            return target.bit >= 0 ? BitValue(target, text) : ByteValue(target, text);
        case OffsetRole::kFurther:
            return FurtherValue(target, text);
        default:
            return ClientValue(target, text);
    }
}

uint32_t ReadingAt(const OffsetTarget& target, const BlockSnapshot& block) {
    if (target.bit < 0) {
        return block.Raw(*target.entry);
    }
    const bridge::BitCell& cell = bridge::kBitWordRows[target.entry->row].bits[size_t(target.bit)];
    return (block.U8(target.entry->offset) >> target.bit) & CellMask(cell);
}

std::string ReadingText(const OffsetTarget& target, const BlockSnapshot& block) {
    if (target.bit < 0) {
        return ValueText(*target.entry, block);
    }
    const bridge::BitCell& cell = bridge::kBitWordRows[target.entry->row].bits[size_t(target.bit)];
    const uint32_t reading = ReadingAt(target, block);
    return CellMask(cell) == 1 ? (reading ? "on" : "off") : std::to_string(reading);
}

bool ParseInteger(std::string_view text, int64_t& value) {
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) {
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    uint32_t magnitude = 0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return false;
    }
    value = negative ? -int64_t(magnitude) : int64_t(magnitude);
    return true;
}

bool ParseTarget(std::string_view text, uint32_t& offset, int& bit) {
    bit = -1;
    const size_t dot = text.find('.');
    if (dot != std::string_view::npos) {
        const std::string_view position = text.substr(dot + 1);
        if (position.size() != 1 || position[0] < '0' || position[0] > '7') {
            return false;
        }
        bit = position[0] - '0';
        text = text.substr(0, dot);
    }
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
    }
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), offset, 16);
    return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

const OffsetEntry* EntryAt(uint32_t offset) {
    static const std::vector<OffsetEntry> layout = BlockLayout();
    for (const OffsetEntry& entry : layout) {
        if (entry.offset == offset) {
            return &entry;
        }
    }
    return nullptr;
}

std::string EntryTitle(const OffsetEntry& entry) {
    std::string what;
    switch (entry.role) {
        case OffsetRole::kCommandWord:
            what = "command word";
            break;
        case OffsetRole::kBitWord:
            what = BitWordName(entry.row);
            break;
        case OffsetRole::kDisplay:
            what = DisplayName(entry.row);
            break;
        case OffsetRole::kFurther:
            what = "further value";
            break;
        case OffsetRole::kDirectControl:
        case OffsetRole::kStepControl:
        case OffsetRole::kSetValueControl:
            what = "control byte";
            break;
        case OffsetRole::kUnused:
            what = "not used";
            break;
    }
    return OffsetText(entry.offset) + " (" + what + ")";
}

}  // namespace ulvo::tools
