#include "offsets/cockpit_map.h"

#include <map>

#include "bridge/bit_word_table.h"
#include "bridge/display_table.h"
#include "bridge/further_table.h"
#include "common/numeric.h"
#include "offsets/control_rows.h"

namespace ulvo::tools {

namespace {

constexpr int32_t kBlankDigit = 10;  // a position that shows nothing

CockpitWrite Failure(const std::string& error) {
    CockpitWrite write;
    write.error = error;
    return write;
}

AircraftBlock BlockOf(const bridge::BitWordRow& row) {
    return row.block == bridge::BitWordBlock::kSdk2 ? AircraftBlock::kSdk2 : AircraftBlock::kSdk;
}

FieldWrite Whole(AircraftBlock block, uint32_t field, int32_t value) {
    return {block, field, false, double(value), std::nullopt};
}

// --- displays ---------------------------------------------------------------------

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
void DisplayWrites(const bridge::DisplayRow& row, const OffsetValue& value, CockpitWrite& write) {
    const bridge::MinusRule* minus = MinusRuleOf(row);
    const bool negative = !value.blank && value.number < 0;
    const int64_t magnitude = negative ? -value.number : value.number;
    const bool unitsLast = row.digit[row.digits - 1].weight == 1;
    for (size_t i = 0; i < row.digits; ++i) {
        const bridge::DisplayDigit& digit = row.digit[i];
        int32_t shown = int32_t(magnitude / digit.weight % 10);
        if (value.blank || (unitsLast && digit.weight != 1 && magnitude < digit.weight)) {
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
}

// --- lamps and switches -------------------------------------------------------------

// The field value that shows `shown` at a bit position (0/1, or the number of a
// wider field, or a whole byte).
int32_t CellField(const bridge::BitCell& cell, uint32_t shown) {
    using bridge::BitSource;
    switch (cell.source) {
        case BitSource::kFieldEquals:
            return shown ? cell.value : 0;
        case BitSource::kUpperBits:
            return shown ? 2 : 0;  // the bit shows bit 1 of its field
        case BitSource::kFieldNotEquals:
            // Set while the field differs from the value it names: the minus sign.
            return shown ? bridge::kMinusSignCode : cell.value;
        default:
            return int32_t(shown);
    }
}

void BitWrites(const OffsetTarget& target, const OffsetValue& value, CockpitWrite& write) {
    const bridge::BitWordRow& row = bridge::kBitWordRows[target.entry->row];
    const bridge::BitCell& cell = row.bits[size_t(target.bit)];
    FieldWrite field = Whole(BlockOf(row), cell.field, CellField(cell, value.raw));
    if (cell.source == bridge::BitSource::kFieldEquals && value.raw == 0) {
        field.onlyWhen = cell.value;  // off only where this position is the one selected
    }
    write.fields.push_back(field);
}

void ByteWrites(const OffsetTarget& target, std::string_view text, const OffsetValue& value,
                CockpitWrite& write) {
    const bridge::BitWordRow& row = bridge::kBitWordRows[target.entry->row];
    // The three-position fields: one field for three bits, 0 unless one is set.
    std::map<uint32_t, int32_t> selectors;
    for (size_t bit = 0; bit < row.bits.size(); ++bit) {
        const bridge::BitCell& cell = row.bits[bit];
        const uint32_t mask = (1u << std::min<int>(cell.width, 8)) - 1;
        const uint32_t shown = (value.raw >> bit) & (cell.width ? mask : 1);
        switch (cell.source) {
            case bridge::BitSource::kCovered:
                break;
            case bridge::BitSource::kZero:
            case bridge::BitSource::kNeverSet:
                if (shown != 0) {
                    write.error = "a field can never set bit " + std::to_string(bit) + " of " +
                                  EntryTitle(*target.entry) + ": it takes " +
                                  AllowedValues(*target.entry) + ", not " + std::string(text);
                }
                break;
            case bridge::BitSource::kFieldEquals:
                if (shown != 0 && selectors[cell.field] != 0) {
                    write.error = EntryTitle(*target.entry) + " shows one of bits 0-2 at a time, " +
                                  "not " + std::string(text);
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
    if (!write.error.empty()) {
        write.fields.clear();
    }
}

// --- further values -------------------------------------------------------------------

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

void FurtherWrites(const OffsetTarget& target, const OffsetValue& value, CockpitWrite& write) {
    const bridge::FurtherRecord& record = bridge::kFurtherRecords[target.entry->row];
    if (record.type == bridge::FurtherSource::kWhole) {
        write.fields.push_back(Whole(AircraftBlock::kSdk, record.source, int32_t(value.number)));
        return;
    }
    const double scaled = value.real * record.factor;
    const double source = TruncateToI32(scaled) == value.number
                              ? value.real
                              : RealSource(int32_t(value.number), record.factor);
    write.fields.push_back({AircraftBlock::kSdk, record.source, true, source, std::nullopt});
}

// --- what clients write -----------------------------------------------------------------

void ClientWrites(const OffsetTarget& target, const OffsetValue& value,
                  const BlockSnapshot& current, CockpitWrite& write) {
    const OffsetEntry& entry = *target.entry;
    write.fsuipcOffset = entry.offset;
    uint32_t raw = value.raw;
    if (value.steps) {
        const ControlWrite move{entry.offset,
                                value.number > 0 ? ControlWrite::kStepUp : ControlWrite::kStepDown,
                                uint8_t(value.number > 0 ? value.number : -value.number)};
        raw = ControlByteAfter(move, current.U8(entry.offset));
    }
    for (uint32_t i = 0; i < entry.size; ++i) {
        write.fsuipcBytes.push_back(uint8_t(raw >> (8 * i)));
    }
    write.reads = raw;
}

CockpitWrite Build(const OffsetTarget& target, std::string_view text, const OffsetValue& value,
                   const BlockSnapshot& current) {
    CockpitWrite write;
    write.target = target;
    write.reads = value.raw;
    write.notice = value.notice;
    switch (target.entry->role) {
        case OffsetRole::kDisplay:
            DisplayWrites(bridge::kDisplayRows[target.entry->row], value, write);
            break;
        case OffsetRole::kBitWord:
            if (target.bit >= 0) {
                BitWrites(target, value, write);
            } else {
                ByteWrites(target, text, value, write);
            }
            break;
        case OffsetRole::kFurther:
            FurtherWrites(target, value, write);
            break;
        default:
            ClientWrites(target, value, current, write);
            break;
    }
    return write;
}

}  // namespace

CockpitWrite CockpitSet(std::string_view targetText, std::string_view text,
                        const BlockSnapshot& current) {
    OffsetTarget target;
    if (std::string error = ReadTarget(targetText, target); !error.empty()) {
        return Failure(error);
    }
    const OffsetValue value = ReadValue(target, text);
    if (!value.error.empty()) {
        return Failure(value.error);
    }
    return Build(target, text, value, current);
}

CockpitWrite CockpitSetRaw(const OffsetEntry& entry, uint32_t raw) {
    if (entry.role == OffsetRole::kUnused) {
        return Failure(RangeText(entry) + " is not used by the plug-in");
    }
    const OffsetTarget target{&entry, -1};
    OffsetValue value;
    value.raw = raw;
    if (entry.role == OffsetRole::kFurther &&
        bridge::kFurtherRecords[entry.row].type == bridge::FurtherSource::kReal) {
        value.number = int16_t(uint16_t(raw));  // the source that publishes exactly these bytes
        value.real = RealSource(int32_t(value.number), bridge::kFurtherRecords[entry.row].factor);
        return Build(target, "", value, {});
    }
    if (entry.role != OffsetRole::kDisplay && entry.role != OffsetRole::kBitWord) {
        value.number = raw;
        return Build(target, "", value, {});
    }
    // A display or a byte: read back from the text the monitor shows for them.
    BlockSnapshot snapshot;
    for (uint32_t i = 0; i < entry.size; ++i) {
        snapshot.bytes[entry.offset - kBlockFirst + i] = uint8_t(raw >> (8 * i));
    }
    const std::string text = ValueText(entry, snapshot);
    value = ReadValue(target, text);
    if (!value.error.empty()) {
        return Failure(value.error);
    }
    CockpitWrite write = Build(target, text, value, {});
    if (write.error.empty()) {
        write.notice.clear();  // a recorded value is shown as it was read
    }
    return write;
}

std::vector<FieldWrite> InitialCockpit() {
    return {Whole(AircraftBlock::kSdk, bridge::kSignFieldOfDisplay06, kBlankDigit)};
}

}  // namespace ulvo::tools
