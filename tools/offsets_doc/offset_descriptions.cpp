#include "offsets_doc/offset_descriptions.h"

#include <algorithm>
#include <cstdio>

#include "offsets/control_rows.h"
#include "offsets/value_text.h"

namespace ulvo::tools {

namespace {

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

uint16_t MinusField(uint8_t display) {
    for (const bridge::MinusRule& rule : bridge::kMinusRules) {
        if (rule.display == display) {
            return rule.signField;
        }
    }
    return 0;
}

}  // namespace

std::string HexField(uint32_t field) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%03X", unsigned(field));
    return text;
}

std::string DisplaySource(const bridge::DisplayRow& row) {
    std::string text = "SdkBlock ";
    for (size_t i = 0; i < row.digits; ++i) {
        text += (i ? ", " : "") + HexField(row.digit[i].field) + " ×" +
                std::to_string(row.digit[i].weight);
    }
    return text;
}

std::string DisplayEncoding(const bridge::DisplayRow& row) {
    std::string text;
    if (MinusField(row.index)) {
        // Two's complement meets the markers: -1 and -2 are 0xFFFF and 0xFFFE, and a
        // window showing only its minus (blank, 65535, negated) keeps 0x0001.
        text = "16-bit, " + std::to_string(DisplayLowest(row)) + " to -1 as " +
               OffsetText(uint32_t(0x10000 + DisplayLowest(row))) +
               " to 0xFFFF (two's complement); 0xFFFF blank or -1; ";
        text += row.FiveDigit() ? "0xFFFE 88888 or -2" : "0xFFFE -2";
        return text + "; 0x0001 also a blank window showing only a minus";
    }
    text = "unsigned 16-bit; 0xFFFF blank";
    if (row.FiveDigit()) {
        text += "; 0xFFFE 88888";
    }
    return text;
}

std::string BitCellText(const bridge::BitCell& cell) {
    using bridge::BitSource;
    switch (cell.source) {
        case BitSource::kZero:
            return "0";
        case BitSource::kField:
            return cell.width == 1
                       ? HexField(cell.field)
                       : HexField(cell.field) + " (" + std::to_string(cell.width) + " bits)";
        case BitSource::kCovered:
            return "·";
        case BitSource::kFieldEquals:
            return HexField(cell.field) + " = " + std::to_string(cell.value);
        case BitSource::kUpperBits:
            return "bits 1-7 of " + HexField(cell.field);
        case BitSource::kWholeValue:
            return HexField(cell.field) + " (whole value)";
        case BitSource::kFieldNotEquals:
            return HexField(cell.field) + " not " + std::to_string(cell.value);
        case BitSource::kNeverSet:
            return "0 (never set)";
    }
    return "?";
}

std::string BitWordBlockName(const bridge::BitWordRow& row) {
    return row.block == bridge::BitWordBlock::kSdk2 ? "Sdk2Block" : "SdkBlock";
}

std::string BitWordRule(bridge::BitWordSpecial special) {
    using bridge::BitWordSpecial;
    switch (special) {
        case BitWordSpecial::kNone:
            return "";
        case BitWordSpecial::kUpperBitsPair:
            return "bit 6 is bit 1 of the field at 0x5CC and bit 7 is bit 1 of the field at "
                   "0x5D0 (for field values 0 to 3; bit 0 of both fields is dropped)";
        case BitWordSpecial::kThreePosition:
            return "bits 0-2 show a three-position field: 1 sets bit 0, 2 sets bit 1, 3 sets "
                   "bit 2, any other value none";
        case BitWordSpecial::kWholeValue:
            return "the byte is the field's value itself (its low 8 bits), not single bits";
        case BitWordSpecial::kSignNotBlank:
            return "bit 0 is never set; bit 1 is set whenever SdkBlock " +
                   HexField(bridge::kSignFieldOfDisplay06) +
                   " (the sign position of the vertical-speed window, Display06) is not 10: a "
                   "sign, any other code, or a digit";
        case BitWordSpecial::kTwoNibbles:
            return "two numbers 0-15: the low 4 bits and the high 4 bits";
    }
    return "";
}

std::string FurtherSource(const bridge::FurtherRecord& record) {
    return "SdkBlock " + HexField(record.source) +
           (record.type == bridge::FurtherSource::kReal ? ", real (8 bytes)" : ", 32-bit integer");
}

std::string FurtherEncoding(const bridge::FurtherRecord& record) {
    if (record.type == bridge::FurtherSource::kWhole) {
        return record.size == 1 ? "low byte, 0-255" : "low 16 bits";
    }
    std::string text =
        record.factor == 1 ? std::string("value") : "value × " + std::to_string(record.factor);
    return text + ", fraction cut off, low 16 bits, signed (wraps outside -32768 to 32767)";
}

std::string FurtherReading(const bridge::FurtherRecord& record) {
    if (record.type == bridge::FurtherSource::kWhole || record.factor == 1) {
        return "as is";
    }
    constexpr uint32_t kExample = 1234;
    return "divide by " + std::to_string(record.factor) + " (" + std::to_string(kExample) +
           " reads " + FurtherText(record, kExample) + ")";
}

std::string SetValueSeed(const bridge::SetValueControl& control) {
    std::string text = DisplayName(control.seedDisplay) + " (" +
                       OffsetText(bridge::kDisplayRows[control.seedDisplay].publishedOffset) + ")";
    if (control.rule == bridge::SetValueRule::kNegatedWhenSignIs12) {
        text += ", negative when SdkBlock " + HexField(bridge::kSignFieldOfDisplay06) + " shows " +
                std::to_string(bridge::kMinusSignCode);
    }
    return text;
}

std::string SetValueAmount(const bridge::SetValueControl& control) {
    std::string text = Number(control.amountPerStep);
    if (control.rule == bridge::SetValueRule::kHundredthsWhenBlank1C0) {
        // PostAircraftCommand multiplies only a value between 0 and 1 by 100.
        text += "; 0.01 while the window shows a Mach number (SdkBlock " +
                HexField(bridge::kHundredsFieldOfDisplay03) +
                " blank): a set value between 0 and 1 is sent in hundredths (0.79 as 79), 1 "
                "and above whole (0.99 + 0.01 sends 1)";
    }
    return text;
}

std::string SetValueLimits(const bridge::SetValueControl& control) {
    if (!control.limited) {
        return "no limits";
    }
    return Number(control.lowerLimit) + " to " + Number(control.upperLimit);
}

std::string SetValueBlank(const bridge::SetValueControl& control) {
    if (control.blankBase == bridge::BlankBase::kKept) {
        // The blank value itself stays the set value and is still sent, held
        // within the limits.
        double sent = bridge::kBlankDisplay;
        if (control.limited) {
            sent = std::clamp(sent, control.lowerLimit, control.upperLimit);
        }
        return "value not moved, but a step still sends " + Number(sent) +
               (control.limited ? " (the blank value held within the limits)" : "");
    }
    switch (control.rule) {
        case bridge::SetValueRule::kHundredthsWhenBlank1C0:
            // The blank value is scaled to hundredths before the test for blank.
            return "counts from 0; but while SdkBlock " +
                   HexField(bridge::kHundredsFieldOfDisplay03) +
                   " is blank too (as in a window that shows nothing) the blank value is taken "
                   "as 65535 hundredths, so a step either way sends 655 (655.36 or 655.34, sent "
                   "whole)";
        case bridge::SetValueRule::kNegatedWhenSignIs12:
            // The blank value is negated before the test for blank.
            return "counts from 0; with " + std::to_string(bridge::kMinusSignCode) +
                   " in SdkBlock " + HexField(bridge::kSignFieldOfDisplay06) +
                   " it is taken as -65535 and held at " + Number(control.lowerLimit);
        case bridge::SetValueRule::kPlain:
            break;
    }
    return "counts from 0";
}

std::string EntryContents(const OffsetEntry& entry) {
    switch (entry.role) {
        case OffsetRole::kCommandWord:
            return "command word: write a command code, see [Sending a command](#sending-a-"
                   "command)";
        case OffsetRole::kBitWord: {
            const bridge::BitWordRow& row = bridge::kBitWordRows[entry.row];
            std::string text =
                BitWordName(row.index) + ", bits 0 to 7 from " + BitWordBlockName(row) + ":";
            for (size_t bit = 0; bit < row.bits.size(); ++bit) {
                text += (bit ? ", " : " ") + BitCellText(row.bits[bit]);
            }
            if (row.special != bridge::BitWordSpecial::kNone) {
                text += " (see [its rule](#annunciator-and-switch-bytes))";
            }
            return text;
        }
        case OffsetRole::kDisplay: {
            const bridge::DisplayRow& row = bridge::kDisplayRows[entry.row];
            std::string text = DisplayName(row.index) + ", " + std::to_string(row.digits) +
                               "-digit window: " + DisplaySource(row);
            if (*row.note) {
                text += std::string("; ") + row.note;
            }
            return text;
        }
        case OffsetRole::kFurther:
            return "further value: " + FurtherSource(bridge::kFurtherRecords[entry.row]);
        case OffsetRole::kDirectControl: {
            const bridge::DirectControl& control = bridge::kDirectControls[entry.row];
            return "direct value: each change is sent as the value of command " +
                   std::to_string(control.command);
        }
        case OffsetRole::kStepControl: {
            const bridge::StepControl& control = kStepControls[entry.row];
            return "step counter: each step down sends command " +
                   std::to_string(control.commandDown) + ", each step up " +
                   std::to_string(control.commandUp);
        }
        case OffsetRole::kSetValueControl: {
            const bridge::SetValueControl& control = bridge::kSetValueControls[entry.row];
            const bool mach = control.rule == bridge::SetValueRule::kHundredthsWhenBlank1C0;
            return "set-value counter of command " + std::to_string(control.command) +
                   ": starts from " + SetValueSeed(control) + ", " + Number(control.amountPerStep) +
                   (mach ? " per step (0.01 while the window shows a Mach number)" : " per step") +
                   ", " + SetValueLimits(control);
        }
        case OffsetRole::kUnused:
            return "not used";
    }
    return "";
}

std::string EntryEncoding(const OffsetEntry& entry) {
    switch (entry.role) {
        case OffsetRole::kCommandWord:
            return "signed 16-bit; 0xFFFF (-1) idle";
        case OffsetRole::kBitWord:
            return "8 bits, bit 0 = 1";
        case OffsetRole::kDisplay:
            return DisplayEncoding(bridge::kDisplayRows[entry.row]);
        case OffsetRole::kFurther:
            return FurtherEncoding(bridge::kFurtherRecords[entry.row]);
        case OffsetRole::kDirectControl:
            return "byte 0-255";
        case OffsetRole::kStepControl:
        case OffsetRole::kSetValueControl:
            return "counter 0-255, wraps";
        case OffsetRole::kUnused:
            return "";
    }
    return "";
}

std::string EntryDirection(const OffsetEntry& entry) {
    if (entry.role == OffsetRole::kUnused) {
        return "";
    }
    if (entry.role == OffsetRole::kCommandWord) {
        return "you write, plug-in clears";
    }
    return WrittenByClients(entry.role) ? "you write" : "plug-in writes";
}

}  // namespace ulvo::tools
