#include "offsets/value_text.h"

#include <cstdio>
#include <vector>

#include "bridge/bit_word_table.h"

namespace ulvo::tools {

uint32_t BlockSnapshot::Raw(const OffsetEntry& entry) const {
    uint32_t value = 0;
    for (uint32_t i = 0; i < entry.size && i < 4; ++i) {
        value |= uint32_t(U8(entry.offset + i)) << (8 * i);
    }
    return value;
}

std::string TwoDigits(unsigned number) {
    char text[8];
    std::snprintf(text, sizeof text, "%02u", number);
    return text;
}

std::string DisplayName(uint8_t display) {
    return "Display" + TwoDigits(display);
}

std::string BitWordName(uint8_t word) {
    return "BitWord" + TwoDigits(word);
}

bool SignedDisplay(uint8_t display) {
    for (const bridge::MinusRule& rule : bridge::kMinusRules) {
        if (rule.display == display) {
            return true;
        }
    }
    return false;
}

std::string CommandWordText(uint16_t raw) {
    if (raw == kIdleCommandWord) {
        return "idle";
    }
    if (raw & 0x8000) {
        return "ignored " + std::to_string(int16_t(raw));
    }
    return std::to_string(raw);
}

std::string DisplayText(const bridge::DisplayRow& row, uint16_t raw) {
    // 0xFFFF and 0xFFFE are the markers even for a signed display, where they
    // could also be -1 and -2: the markers are what the windows show far more often.
    if (raw == kBlankSlot) {
        return "blank";
    }
    if (raw == kAllEightsSlot && row.FiveDigit()) {
        return "88888";
    }
    // A minus sign leaves a window at most four digits, so only 0xD8F1 (-9999) and
    // above are negative; below that the slot holds a positive value past 32767,
    // such as a cabin flight altitude of 35000 (0x88B8).
    if (SignedDisplay(row.index) && raw >= kMostNegativeSlot) {
        return std::to_string(int(raw) - 0x10000);
    }
    return std::to_string(raw);
}

std::string BitsText(uint8_t byte) {
    std::string bits(8, '0');
    for (int bit = 0; bit < 8; ++bit) {
        if (byte & (1u << bit)) {
            bits[7 - bit] = '1';
        }
    }
    return bits;
}

int FurtherDecimals(const bridge::FurtherRecord& record) {
    int decimals = 0;
    for (uint32_t factor = record.factor; factor >= 10; factor /= 10) {
        ++decimals;
    }
    return decimals;
}

std::string FurtherText(const bridge::FurtherRecord& record, uint32_t raw) {
    if (record.size == 1) {
        return std::to_string(raw & 0xFF);
    }
    const int value = int16_t(uint16_t(raw));
    const int decimals = FurtherDecimals(record);
    if (decimals == 0) {
        return std::to_string(value);
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, double(value) / record.factor);
    return text;
}

std::string ValueText(const OffsetEntry& entry, const BlockSnapshot& snapshot) {
    const uint32_t raw = snapshot.Raw(entry);
    switch (entry.role) {
        case OffsetRole::kCommandWord:
            return CommandWordText(uint16_t(raw));
        case OffsetRole::kBitWord:
            return BitsText(uint8_t(raw));
        case OffsetRole::kDisplay:
            return DisplayText(bridge::kDisplayRows[entry.row], uint16_t(raw));
        case OffsetRole::kFurther:
            return FurtherText(bridge::kFurtherRecords[entry.row], raw);
        case OffsetRole::kDirectControl:
        case OffsetRole::kStepControl:
        case OffsetRole::kSetValueControl:
            return std::to_string(raw & 0xFF);
        case OffsetRole::kUnused:
            break;
    }
    return "";
}

namespace {

int32_t PowerOfTen(size_t exponent) {
    int32_t value = 1;
    while (exponent-- > 0) {
        value *= 10;
    }
    return value;
}

std::string Decimal(double value, int decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

// "bit 3", "bits 0-3", "bits 0, 2, 4, 6".
std::string Positions(const std::vector<size_t>& positions) {
    if (positions.size() == 1) {
        return "bit " + std::to_string(positions[0]);
    }
    if (positions.back() - positions.front() + 1 == positions.size()) {
        return "bits " + std::to_string(positions.front()) + "-" + std::to_string(positions.back());
    }
    std::string text = "bits ";
    for (size_t i = 0; i < positions.size(); ++i) {
        text += (i ? ", " : "") + std::to_string(positions[i]);
    }
    return text;
}

std::string BitWordValues(const bridge::BitWordRow& row) {
    std::string text;
    std::vector<size_t> run;
    std::string runValues;
    auto flush = [&] {
        if (!run.empty()) {
            text += (text.empty() ? "" : "; ") + Positions(run) + " " + runValues;
        }
        run.clear();
    };
    for (size_t bit = 0; bit < row.bits.size(); ++bit) {
        const std::string values = BitCellValues(row.bits[bit]);
        if (values.empty()) {
            continue;
        }
        if (values != runValues) {
            flush();
            runValues = values;
        }
        run.push_back(bit);
    }
    flush();
    return text;
}

}  // namespace

int32_t DisplayLowest(const bridge::DisplayRow& row) {
    for (const bridge::MinusRule& rule : bridge::kMinusRules) {
        if (rule.display == row.index) {
            // A minus in the first digit position leaves one digit fewer.
            const bool signInDigits = rule.signField == row.digit[0].field;
            return 1 - PowerOfTen(row.digits - (signInDigits ? 1 : 0));
        }
    }
    return 0;
}

int32_t DisplayHighest(const bridge::DisplayRow& row) {
    return PowerOfTen(row.digits) - 1;
}

double FurtherLowest(const bridge::FurtherRecord& record) {
    return -32768.0 / record.factor;
}

double FurtherHighest(const bridge::FurtherRecord& record) {
    return 32767.0 / record.factor;
}

std::string BitCellValues(const bridge::BitCell& cell) {
    using bridge::BitSource;
    switch (cell.source) {
        case BitSource::kField:
            return cell.width == 1 ? "on or off" : "0 to " + std::to_string((1 << cell.width) - 1);
        case BitSource::kFieldEquals:
            return "on or off, one of bits 0-2 at a time";
        case BitSource::kUpperBits:
        case BitSource::kFieldNotEquals:
            return "on or off";
        case BitSource::kWholeValue:
            return "0 to 255";
        case BitSource::kZero:
        case BitSource::kCovered:
        case BitSource::kNeverSet:
            break;
    }
    return "";
}

std::string AllowedValues(const OffsetEntry& entry) {
    switch (entry.role) {
        case OffsetRole::kCommandWord:
            return "0 to 32767, or idle";
        case OffsetRole::kBitWord:
            return BitWordValues(bridge::kBitWordRows[entry.row]);
        case OffsetRole::kDisplay: {
            const bridge::DisplayRow& row = bridge::kDisplayRows[entry.row];
            const std::string range =
                std::to_string(DisplayLowest(row)) + " to " + std::to_string(DisplayHighest(row));
            return range + (row.FiveDigit() ? ", blank or 88888" : " or blank");
        }
        case OffsetRole::kFurther: {
            const bridge::FurtherRecord& record = bridge::kFurtherRecords[entry.row];
            if (record.type == bridge::FurtherSource::kWhole) {
                return "0 to 255";
            }
            const int decimals = FurtherDecimals(record);
            return Decimal(FurtherLowest(record), decimals) + " to " +
                   Decimal(FurtherHighest(record), decimals);
        }
        case OffsetRole::kDirectControl:
        case OffsetRole::kStepControl:
        case OffsetRole::kSetValueControl:
            return "0 to 255";
        case OffsetRole::kUnused:
            break;
    }
    return "";
}

}  // namespace ulvo::tools
