#include "offsets_doc/offset_items.h"

#include <algorithm>
#include <cstdio>

#include "bridge/bit_word_table.h"
#include "bridge/control_table.h"
#include "bridge/display_table.h"
#include "bridge/further_table.h"
#include "bridge/handle_command_word.h"
#include "offsets/block_layout.h"
#include "offsets/command_names.h"
#include "offsets/control_rows.h"
#include "offsets/value_text.h"
#include "offsets_doc/offset_descriptions.h"

namespace ulvo::tools {

namespace {

// The reference's words for the tools' files, which take ASCII only.
std::string Ascii(const std::string& text) {
    std::string ascii;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "\xC3\x97") == 0) {  // the multiplication sign
            ascii += 'x';
            ++i;
        } else if (uint8_t(text[i]) < 0x80) {
            ascii += text[i];
        }
    }
    return ascii;
}

std::string Hex(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%04x", unsigned(value));
    return text;
}

// The set-value knob that starts from a display, or null.
const bridge::SetValueControl* KnobOf(uint8_t display) {
    for (const bridge::SetValueControl& control : bridge::kSetValueControls) {
        if (control.seedDisplay == display) {
            return &control;
        }
    }
    return nullptr;
}

// "altitude", from the knob's command name; empty for a window the reference
// names no meaning for.
std::string WindowName(uint32_t knobCommand) {
    std::string name = CommandName(knobCommand);
    const std::string suffix = " set value";
    return name.size() > suffix.size() ? name.substr(0, name.size() - suffix.size()) : "";
}

// The unit a window's number is in, by the knob that sets it.
std::string WindowUnit(uint32_t knobCommand) {
    switch (knobCommand) {
        case 1232:
        case 1238:
        case 1239:
            return "ft";
        case 1236:
            return "ft/min";
        case 1235:
            return "kt, or Mach x 100";
        default:
            return "";
    }
}

OffsetItem Whole(const OffsetEntry& entry, bool isSigned) {
    OffsetItem item;
    item.offset = entry.offset;
    item.size = entry.size;
    item.isSigned = isSigned;
    item.mask = entry.size == 1 ? 0xFF : 0xFFFF;
    return item;
}

void AddDisplay(std::vector<OffsetItem>& items, const OffsetEntry& entry) {
    const bridge::DisplayRow& row = bridge::kDisplayRows[entry.row];
    OffsetItem item = Whole(entry, SignedDisplay(row.index));
    item.key = "display" + TwoDigits(row.index);
    item.name = DisplayName(row.index);
    if (const bridge::SetValueControl* knob = KnobOf(row.index)) {
        if (const std::string window = WindowName(knob->command); !window.empty()) {
            item.name += " " + window + " window";
        }
        item.unit = WindowUnit(knob->command);
    }
    item.lowest = DisplayLowest(row);
    item.highest = DisplayHighest(row);
    item.blank = item.isSigned ? -1 : int32_t(kBlankSlot);
    if (row.FiveDigit()) {
        item.allEights = item.isSigned ? -2 : int32_t(kAllEightsSlot);
    }
    item.group = "Displays";
    std::string text = std::to_string(row.digits) + "-digit window, " + DisplaySource(row);
    if (*row.note) {
        text += std::string("; ") + row.note;
    }
    text += "; " + DisplayEncoding(row) + "; values above 65535 keep their low 16 bits";
    if (WrapsAboveType(item)) {
        text += "; read a number below " + std::to_string(int(item.lowest)) +
                " as that number plus 65536 (35000 reads -30536)";
    }
    item.description = Ascii(text);
    items.push_back(item);
}

std::string BitsName(size_t bit, uint8_t width) {
    if (width == 1) {
        return "bit" + std::to_string(bit);
    }
    return "bits" + std::to_string(bit) + "_" + std::to_string(bit + width - 1);
}

void AddBitWord(std::vector<OffsetItem>& items, const OffsetEntry& entry) {
    const bridge::BitWordRow& row = bridge::kBitWordRows[entry.row];
    const std::string word = "bitword" + TwoDigits(row.index);
    for (size_t bit = 0; bit < row.bits.size(); ++bit) {
        const bridge::BitCell& cell = row.bits[bit];
        if (BitCellValues(cell).empty()) {
            continue;  // no field lands here
        }
        OffsetItem item = Whole(entry, false);
        item.group = "Lamps and switches";
        std::string text = BitWordBlockName(row) + " " + BitCellText(cell);
        if (cell.source == bridge::BitSource::kWholeValue) {
            item.key = word + "_byte";
            item.name = BitWordName(row.index) + " whole byte";
            item.highest = 255;
        } else {
            const uint8_t width = cell.source == bridge::BitSource::kField ? cell.width : 1;
            item.key = word + "_" + BitsName(bit, width);
            item.bit = int(bit);
            item.mask = ((1u << width) - 1) << bit;
            item.shift = uint32_t(bit);
            item.highest = (1u << width) - 1;
            item.name = BitWordName(row.index) + (width == 1 ? " bit " : " bits ") +
                        std::to_string(bit) +
                        (width == 1 ? "" : "-" + std::to_string(bit + width - 1));
            text += width == 1 ? "; 1 while lit or on"
                               : "; a number 0 to " + std::to_string((1u << width) - 1);
        }
        if (const std::string rule = BitWordRule(row.special);
            !rule.empty() && cell.source != bridge::BitSource::kField) {
            text += "; " + rule;
        }
        item.description = Ascii(text);
        items.push_back(item);
    }
}

void AddFurther(std::vector<OffsetItem>& items, const OffsetEntry& entry) {
    const bridge::FurtherRecord& record = bridge::kFurtherRecords[entry.row];
    const bool real = record.type == bridge::FurtherSource::kReal;
    OffsetItem item = Whole(entry, real);
    item.key = "further_" + Hex(record.offset);
    item.name = "Further value " + OffsetText(record.offset);
    item.divisor = real ? record.factor : 1;
    item.lowest = real ? FurtherLowest(record) : 0;
    item.highest = real ? FurtherHighest(record) : 255;
    item.group = "Further values";
    item.description = Ascii(FurtherSource(record) + "; " + FurtherEncoding(record));
    items.push_back(item);
}

void AddControl(std::vector<OffsetItem>& items, const OffsetEntry& entry) {
    OffsetItem item = Whole(entry, false);
    item.access = ItemAccess::kWrite;
    item.highest = 255;
    const std::string at = OffsetText(entry.offset);
    const std::string hex = Hex(entry.offset);
    if (entry.role == OffsetRole::kDirectControl) {
        const bridge::DirectControl& control = bridge::kDirectControls[entry.row];
        item.key = "direct_" + hex;
        item.write = ItemWrite::kDirectValue;
        item.command = control.command;
        item.name = at + " value of command " + std::to_string(control.command);
        item.group = "Direct values";
    } else if (entry.role == OffsetRole::kStepControl) {
        const bridge::StepControl& control = kStepControls[entry.row];
        item.key = "counter_" + hex;
        item.write = ItemWrite::kStepCounter;
        item.commandDown = control.commandDown;
        item.commandUp = control.commandUp;
        item.name = at + " counter of commands " + std::to_string(control.commandDown) + " and " +
                    std::to_string(control.commandUp);
        item.unit = "steps";
        item.group = "Step counters";
    } else {
        const bridge::SetValueControl& control = bridge::kSetValueControls[entry.row];
        item.key = "knob_" + hex;
        item.write = ItemWrite::kSetValueKnob;
        item.command = control.command;
        const std::string window = WindowName(control.command);
        item.name = at + (window.empty() ? " knob of command " + std::to_string(control.command)
                                         : " " + window + " knob");
        item.unit = "steps";
        item.group = "Knobs";
    }
    item.description = Ascii(EntryContents(entry) + "; " + EntryEncoding(entry));
    items.push_back(item);
}

OffsetItem CommandItem(const std::string& key, uint32_t code, const std::string& name,
                       const std::string& description) {
    OffsetItem item = Whole({bridge::kCommandWordOffset, 2, OffsetRole::kCommandWord, 0}, true);
    item.key = key;
    item.access = ItemAccess::kWriteCleared;
    item.write = ItemWrite::kCommand;
    item.command = code;
    item.lowest = item.highest = code;
    item.group = "Commands";
    item.name = "Command " + std::to_string(code) + " " + name;
    item.description = description;
    return item;
}

void AddCommands(std::vector<OffsetItem>& items, const OffsetEntry& entry) {
    OffsetItem word = Whole(entry, true);
    word.key = "command_word";
    word.access = ItemAccess::kWriteCleared;
    word.write = ItemWrite::kCommandWord;
    word.highest = 32767;
    word.group = "Commands";
    word.name = "Command word";
    word.description =
        "write a command code 0 to 32767 (0 is command 0); the plug-in performs it within a "
        "cycle and sets the word back to -1 (0xFFFF, idle): wait for -1 before the next code; "
        "negative codes are ignored and left in place";
    items.push_back(word);
    const std::string level =
        " (0 to 3, 1 when the plug-in starts; 0x942E does not change it) "
        "and sends command " +
        std::to_string(bridge::kLevelReportCommand) + " with it";
    for (const bridge::LevelCommand& command : bridge::kLevelCommands) {
        const bool up = command.step > 0;
        const std::string name = up ? "level up" : "level down";
        items.push_back(CommandItem(
            "command_" + std::to_string(command.code) + (up ? "_level_up" : "_level_down"),
            uint32_t(command.code), name,
            std::string("steps the plug-in's level ") + (up ? "up" : "down") + level));
    }
    for (const bridge::SelectorCommand& command : bridge::kSelectorCommands) {
        // The selector moves towards the position the first posted command sets.
        const bool down = command.postedAtPosition[0] == bridge::kNoMove;
        std::string text = "moves the three-position selector at SdkBlock " +
                           HexField(bridge::kSelectorPositionOffset) + " one position " +
                           (down ? "down" : "up") + " by sending";
        for (size_t position = 0; position < command.postedAtPosition.size(); ++position) {
            if (command.postedAtPosition[position] != bridge::kNoMove) {
                text += " " + std::to_string(command.postedAtPosition[position]) + " at " +
                        std::to_string(position) + ",";
            }
        }
        text += " nothing at " + std::string(down ? "0" : "2");
        items.push_back(CommandItem(
            "command_" + std::to_string(command.code) + (down ? "_selector_down" : "_selector_up"),
            uint32_t(command.code), down ? "selector down" : "selector up", text));
    }
}

}  // namespace

std::vector<OffsetItem> OffsetItems() {
    std::vector<OffsetItem> items;
    for (const OffsetEntry& entry : BlockLayout()) {
        switch (entry.role) {
            case OffsetRole::kCommandWord:
                AddCommands(items, entry);
                break;
            case OffsetRole::kBitWord:
                AddBitWord(items, entry);
                break;
            case OffsetRole::kDisplay:
                AddDisplay(items, entry);
                break;
            case OffsetRole::kFurther:
                AddFurther(items, entry);
                break;
            case OffsetRole::kDirectControl:
            case OffsetRole::kStepControl:
            case OffsetRole::kSetValueControl:
                AddControl(items, entry);
                break;
            case OffsetRole::kUnused:
                break;
        }
    }
    return items;
}

const std::vector<std::string>& ItemGroups() {
    static const std::vector<std::string> groups = {
        "Displays", "Lamps and switches", "Further values", "Commands",
        "Knobs",    "Step counters",      "Direct values"};
    return groups;
}

std::vector<OffsetItem> GroupedItems() {
    std::vector<OffsetItem> items = OffsetItems();
    const auto rank = [](const OffsetItem& item) {
        const auto& groups = ItemGroups();
        return std::find(groups.begin(), groups.end(), item.group) - groups.begin();
    };
    std::stable_sort(items.begin(), items.end(),
                     [&](const OffsetItem& a, const OffsetItem& b) { return rank(a) < rank(b); });
    return items;
}

std::string NumberIn(const OffsetItem& item, double value) {
    int decimals = 0;
    for (uint32_t divisor = item.divisor; divisor >= 10; divisor /= 10) {
        ++decimals;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string HexNumber(uint32_t value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, unsigned(value));
    return text;
}

std::string TypeName(const OffsetItem& item) {
    return (item.isSigned ? "s" : "u") + std::to_string(item.size * 8);
}

std::string AccessName(ItemAccess access) {
    switch (access) {
        case ItemAccess::kRead:
            return "read";
        case ItemAccess::kWrite:
            return "write";
        case ItemAccess::kWriteCleared:
            return "write-and-cleared";
    }
    return "";
}

bool SingleBit(const OffsetItem& item) {
    return item.bit >= 0 && item.mask == (1u << item.bit);
}

uint32_t FullMask(const OffsetItem& item) {
    return item.size == 1 ? 0xFFu : 0xFFFFu;
}

bool WrapsAboveType(const OffsetItem& item) {
    return item.isSigned && item.divisor == 1 && item.highest > 32767;
}

}  // namespace ulvo::tools
