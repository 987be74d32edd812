#include "panel_lab/cockpit_map.h"

#include <charconv>
#include <cmath>
#include <map>

#include "bridge/bit_word_table.h"
#include "bridge/control_table.h"
#include "bridge/display_table.h"
#include "bridge/further_table.h"
#include "common/numeric.h"
#include "monitor/monitor_options.h"
#include "offsets_doc/offset_descriptions.h"

namespace ulvo::tools {

namespace {

constexpr int32_t kBlankDigit = 10;  // a position that shows nothing

CockpitWrite Failure(const std::string& error) {
    CockpitWrite write;
    write.error = error;
    return write;
}

CockpitWrite OutOfRange(const OffsetEntry& entry, std::string_view value) {
    return Failure(EntryTitle(entry) + " takes " + AllowedValues(entry) + ", not " +
                   std::string(value));
}

AircraftBlock BlockOf(const bridge::BitWordRow& row) {
    return row.block == bridge::BitWordBlock::kSdk2 ? AircraftBlock::kSdk2 : AircraftBlock::kSdk;
}

FieldWrite Whole(AircraftBlock block, uint32_t field, int32_t value) {
    return {block, field, false, double(value)};
}

// --- displays ---------------------------------------------------------------

const bridge::MinusRule* MinusRuleOf(const bridge::DisplayRow& row) {
    for (const bridge::MinusRule& rule : bridge::kMinusRules) {
        if (rule.display == row.index) {
            return &rule;
        }
    }
    return nullptr;
}

// The digit fields of a display showing `value` (blank: no value), right-aligned.
// Windows decoded units last show leading blanks; the four decoded units first
// need leading zeros, since a blank decoded last would blank the whole window.
CockpitWrite DisplayWrites(const bridge::DisplayRow& row, bool blank, int64_t value) {
    CockpitWrite write;
    const bridge::MinusRule* minus = MinusRuleOf(row);
    const bool negative = !blank && value < 0;
    const int64_t magnitude = negative ? -value : value;
    const bool unitsLast = row.digit[row.digits - 1].weight == 1;
    for (size_t i = 0; i < row.digits; ++i) {
        const bridge::DisplayDigit& digit = row.digit[i];
        int32_t shown = int32_t(magnitude / digit.weight % 10);
        if (blank || (unitsLast && digit.weight != 1 && magnitude < digit.weight)) {
            shown = kBlankDigit;
        }
        if (minus != nullptr && minus->signField == digit.field && negative) {
            shown = bridge::kMinusCode;
        }
        write.fields.push_back(Whole(AircraftBlock::kSdk, digit.field, shown));
    }
    // A sign position of its own shows the minus or nothing.
    if (minus != nullptr && minus->signField != row.digit[0].field) {
        write.fields.push_back(Whole(AircraftBlock::kSdk, minus->signField,
                                     negative ? bridge::kMinusCode : kBlankDigit));
    }
    return write;
}

CockpitWrite SetDisplay(const OffsetEntry& entry, std::string_view value) {
    const bridge::DisplayRow& row = bridge::kDisplayRows[entry.row];
    if (value == "blank") {
        return DisplayWrites(row, true, 0);
    }
    int64_t number = 0;
    if (!ParseInteger(value, number) || number < DisplayLowest(row) ||
        number > DisplayHighest(row)) {
        return OutOfRange(entry, value);
    }
    return DisplayWrites(row, false, number);
}

// --- lamps and switches -------------------------------------------------------

// Whether `text` means a bit set, for on/off, 1/0.
bool ParseOnOff(std::string_view text, bool& on) {
    if (text == "on" || text == "1") {
        on = true;
        return true;
    }
    if (text == "off" || text == "0") {
        on = false;
        return true;
    }
    return false;
}

// A byte as eight bits "10000001" or as a number 0-255.
bool ParseByte(std::string_view text, uint32_t& byte) {
    if (text.size() == 8 && text.find_first_not_of("01") == std::string_view::npos) {
        byte = 0;
        for (char c : text) {
            byte = byte * 2 + uint32_t(c - '0');
        }
        return true;
    }
    int64_t number = 0;
    if (!ParseInteger(text, number) || number < 0 || number > 255) {
        return false;
    }
    byte = uint32_t(number);
    return true;
}

// The field value that shows `value` (0/1, or 0-3 and 0-15 for a wider field, or
// 0-255 for a whole byte) at a bit position.
int32_t CellField(const bridge::BitCell& cell, uint32_t value) {
    using bridge::BitSource;
    switch (cell.source) {
        case BitSource::kFieldEquals:
            return value ? cell.value : 0;
        case BitSource::kUpperBits:
            return value ? 2 : 0;  // the bit shows bit 1 of its field
        case BitSource::kFieldNotEquals:
            // Set while the field differs from the value it names: the minus sign.
            return value ? bridge::kMinusSignCode : cell.value;
        default:
            return int32_t(value);
    }
}

CockpitWrite SetBit(const OffsetEntry& entry, int bit, std::string_view value) {
    const bridge::BitWordRow& row = bridge::kBitWordRows[entry.row];
    const bridge::BitCell& cell = row.bits[size_t(bit)];
    const std::string where = "bit " + std::to_string(bit) + " of " + EntryTitle(entry);
    if (cell.source == bridge::BitSource::kCovered) {
        int owner = bit;
        while (owner > 0 && row.bits[size_t(owner)].source == bridge::BitSource::kCovered) {
            --owner;
        }
        return Failure(where + " belongs to the number at bit " + std::to_string(owner) + ": set " +
                       OffsetText(entry.offset) + "." + std::to_string(owner) + " (" +
                       BitCellValues(row.bits[size_t(owner)]) + ")");
    }
    const std::string values = BitCellValues(cell);
    if (values.empty()) {
        return Failure(where + " is never set: the byte takes " + AllowedValues(entry));
    }
    uint32_t number = 0;
    bool on = false;
    if (cell.width == 1 && ParseOnOff(value, on)) {
        number = on ? 1 : 0;
    } else if (int64_t parsed = 0; cell.width > 1 && ParseInteger(value, parsed) && parsed >= 0 &&
                                   parsed < (int64_t(1) << std::min<int>(cell.width, 8))) {
        number = uint32_t(parsed);
    } else {
        return Failure(where + " takes " + values + ", not " + std::string(value));
    }
    CockpitWrite write;
    write.fields.push_back(Whole(BlockOf(row), cell.field, CellField(cell, number)));
    return write;
}

CockpitWrite SetByte(const OffsetEntry& entry, uint32_t byte, std::string_view value) {
    const bridge::BitWordRow& row = bridge::kBitWordRows[entry.row];
    CockpitWrite write;
    // The three-position fields: one field for three bits, 0 unless one is set.
    std::map<uint32_t, int32_t> selectors;
    for (size_t bit = 0; bit < row.bits.size(); ++bit) {
        const bridge::BitCell& cell = row.bits[bit];
        const uint32_t mask = (1u << std::min<int>(cell.width, 8)) - 1;
        const uint32_t shown = (byte >> bit) & (cell.width ? mask : 1);
        switch (cell.source) {
            case bridge::BitSource::kCovered:
                break;
            case bridge::BitSource::kZero:
            case bridge::BitSource::kNeverSet:
                if (shown != 0) {
                    return OutOfRange(entry, value);
                }
                break;
            case bridge::BitSource::kFieldEquals:
                if (shown != 0 && selectors[cell.field] != 0) {
                    return OutOfRange(entry, value);  // two positions of one switch
                }
                selectors.try_emplace(cell.field, 0);
                if (shown != 0) {
                    selectors[cell.field] = cell.value;
                }
                break;
            default:
                write.fields.push_back(Whole(BlockOf(row), cell.field, CellField(cell, shown)));
                break;
        }
    }
    for (const auto& [field, position] : selectors) {
        write.fields.push_back(Whole(BlockOf(row), field, position));
    }
    return write;
}

// --- further values -----------------------------------------------------------

// The source value that the plug-in publishes as `published` after multiplying by
// `factor` and cutting off the fraction: the plain quotient when that survives the
// round trip, else one half-step further from zero.
double RealSource(int32_t published, uint32_t factor) {
    const double plain = double(published) / factor;
    if (TruncateToI32(plain * factor) == published) {
        return plain;
    }
    return (published + (published < 0 ? -0.5 : 0.5)) / factor;
}

CockpitWrite SetFurther(const OffsetEntry& entry, std::string_view value) {
    const bridge::FurtherRecord& record = bridge::kFurtherRecords[entry.row];
    CockpitWrite write;
    if (record.type == bridge::FurtherSource::kWhole) {
        int64_t number = 0;
        if (!ParseInteger(value, number) || number < 0 || number > 255) {
            return OutOfRange(entry, value);
        }
        write.fields.push_back(Whole(AircraftBlock::kSdk, record.source, int32_t(number)));
        return write;
    }
    double number = 0.0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (value.empty() || error != std::errc() || end != value.data() + value.size() ||
        number < FurtherLowest(record) || number > FurtherHighest(record)) {
        return OutOfRange(entry, value);
    }
    // What the plug-in will publish; a value typed with its full decimals (0.001 at
    // factor 1000) counts as the whole number it spells, never one below it.
    const double scaled = number * record.factor;
    const double nearest = std::round(scaled);
    const int32_t published = TruncateToI32(std::fabs(scaled - nearest) < 1e-6 ? nearest : scaled);
    const double source =
        TruncateToI32(scaled) == published ? number : RealSource(published, record.factor);
    write.fields.push_back({AircraftBlock::kSdk, record.source, true, source});
    return write;
}

// --- what clients write ---------------------------------------------------------

CockpitWrite SetClientBytes(const OffsetEntry& entry, std::string_view value,
                            const BlockSnapshot& current) {
    CockpitWrite write;
    write.fsuipcOffset = entry.offset;
    int64_t number = 0;
    if (entry.role == OffsetRole::kCommandWord) {
        if (value == "idle") {
            number = kIdleCommandWord;
        } else if (!ParseInteger(value, number) || number < 0 || number > 32767) {
            return OutOfRange(entry, value);
        }
        write.fsuipcBytes = {uint8_t(number), uint8_t(number >> 8)};
        return write;
    }
    const bool steps = !value.empty() && (value[0] == '+' || value[0] == '-');
    if (steps && entry.role != OffsetRole::kDirectControl) {
        int64_t count = 0;
        if (!ParseInteger(value.substr(1), count) || count < 1 || count > kMaxSteps) {
            return Failure(EntryTitle(entry) + " moves by 1 to " + std::to_string(kMaxSteps) +
                           " steps at a time, not " + std::string(value));
        }
        ControlWrite move{entry.offset,
                          value[0] == '+' ? ControlWrite::kStepUp : ControlWrite::kStepDown,
                          uint8_t(count)};
        write.fsuipcBytes = {ControlByteAfter(move, current.U8(entry.offset))};
        return write;
    }
    if (!ParseInteger(value, number) || number < 0 || number > 255) {
        return OutOfRange(entry, value);
    }
    write.fsuipcBytes = {uint8_t(number)};
    return write;
}

}  // namespace

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

CockpitWrite CockpitSet(std::string_view target, std::string_view value,
                        const BlockSnapshot& current) {
    uint32_t offset = 0;
    int bit = -1;
    if (!ParseTarget(target, offset, bit)) {
        return Failure(std::string(target) + " is not an offset (0x9400-0x94FB, or 0x9402.3 " +
                       "for one bit)");
    }
    if (offset < kBlockFirst || offset > kBlockLast) {
        return Failure(OffsetText(offset) + " is not in the plug-in's block " +
                       OffsetText(kBlockFirst) + "-" + OffsetText(kBlockLast));
    }
    const OffsetEntry* entry = EntryAt(offset);
    if (entry == nullptr) {
        return Failure(OffsetText(offset) + " is the second byte of " + OffsetText(offset - 1) +
                       ": set " + OffsetText(offset - 1));
    }
    if (entry->role == OffsetRole::kUnused) {
        return Failure(RangeText(*entry) + " is not used by the plug-in");
    }
    if (bit >= 0 && entry->role != OffsetRole::kBitWord) {
        return Failure(EntryTitle(*entry) + " has no bits of its own: it takes " +
                       AllowedValues(*entry));
    }
    switch (entry->role) {
        case OffsetRole::kDisplay:
            return SetDisplay(*entry, value);
        case OffsetRole::kBitWord:
            if (bit >= 0) {
                return SetBit(*entry, bit, value);
            }
            if (uint32_t byte = 0; ParseByte(value, byte)) {
                return SetByte(*entry, byte, value);
            }
            return OutOfRange(*entry, value);
        case OffsetRole::kFurther:
            return SetFurther(*entry, value);
        default:
            return SetClientBytes(*entry, value, current);
    }
}

CockpitWrite CockpitSetRaw(const OffsetEntry& entry, uint32_t raw) {
    BlockSnapshot snapshot;
    for (uint32_t i = 0; i < entry.size && i < 4; ++i) {
        snapshot.bytes[entry.offset - kBlockFirst + i] = uint8_t(raw >> (8 * i));
    }
    switch (entry.role) {
        case OffsetRole::kDisplay:
            return SetDisplay(entry, ValueText(entry, snapshot));
        case OffsetRole::kBitWord:
            return SetByte(entry, raw & 0xFF, BitsText(uint8_t(raw)));
        case OffsetRole::kFurther: {
            const bridge::FurtherRecord& record = bridge::kFurtherRecords[entry.row];
            if (record.type == bridge::FurtherSource::kWhole) {
                return SetFurther(entry, std::to_string(raw & 0xFF));
            }
            CockpitWrite write;
            write.fields.push_back({AircraftBlock::kSdk, record.source, true,
                                    RealSource(int16_t(uint16_t(raw)), record.factor)});
            return write;
        }
        case OffsetRole::kUnused:
            return Failure(RangeText(entry) + " is not used by the plug-in");
        default: {
            CockpitWrite write;
            write.fsuipcOffset = entry.offset;
            for (uint32_t i = 0; i < entry.size; ++i) {
                write.fsuipcBytes.push_back(uint8_t(raw >> (8 * i)));
            }
            return write;
        }
    }
}

std::vector<FieldWrite> InitialCockpit() {
    return {Whole(AircraftBlock::kSdk, bridge::kSignFieldOfDisplay06, kBlankDigit)};
}

}  // namespace ulvo::tools
