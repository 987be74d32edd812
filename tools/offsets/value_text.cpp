#include "offsets/value_text.h"

#include <cstdio>

#include "bridge/bit_word_table.h"

namespace ulvo::tools {

uint32_t BlockSnapshot::Raw(const OffsetEntry& entry) const {
    uint32_t value = 0;
    for (uint32_t i = 0; i < entry.size && i < 4; ++i) {
        value |= uint32_t(U8(entry.offset + i)) << (8 * i);
    }
    return value;
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
    // such as a cabin altitude of 35000 (0x88B8).
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

}  // namespace ulvo::tools
