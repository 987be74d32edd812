#include "web/cockpit_page.h"

#include "bridge/handle_command_word.h"
#include "offsets/block_layout.h"
#include "offsets_doc/offset_descriptions.h"
#include "offsets_doc/offset_items.h"
#include "web/json_session.h"

namespace ulvo::tools::web {

namespace {

using nlohmann::json;

// The reference's item for the whole value at `offset` in `group`, or null.
const OffsetItem* ItemAt(uint32_t offset, const std::string& group) {
    static const std::vector<OffsetItem> items = OffsetItems();
    for (const OffsetItem& item : items) {
        if (item.offset == offset && item.group == group && item.bit < 0) {
            return &item;
        }
    }
    return nullptr;
}

// The command word's own commands, as the offset reference names them.
json NamedCommands() {
    json commands = json::array();
    for (const OffsetItem& item : OffsetItems()) {
        if (item.write == ItemWrite::kCommand) {
            const std::string prefix = "Command " + std::to_string(item.command) + " ";
            commands.push_back({{"code", item.command},
                                {"name", item.name.substr(prefix.size())},
                                {"text", item.description}});
        }
    }
    return commands;
}

// Where a window shows its minus: in its first digit position, in a position of
// its own before the digits, or nowhere.
std::string MinusPlace(const bridge::DisplayRow& row) {
    for (const bridge::MinusRule& rule : bridge::kMinusRules) {
        if (rule.display == row.index) {
            return rule.signField == row.digit[0].field ? "first digit" : "before";
        }
    }
    return "";
}

json DisplayLayout(const bridge::DisplayRow& row) {
    const OffsetItem* item = ItemAt(row.publishedOffset, "Displays");
    return {{"offset", OffsetText(row.publishedOffset)},
            {"name", item ? item->name : DisplayName(row.index)},
            {"unit", item ? item->unit : ""},
            {"digits", row.digits},
            {"minus", MinusPlace(row)},
            {"note", row.note}};
}

json BitWordLayout(const bridge::BitWordRow& row) {
    json cells = json::array();
    for (size_t bit = 0; bit < row.bits.size(); ++bit) {
        const bridge::BitCell& cell = row.bits[bit];
        const std::string values = BitCellValues(cell);
        if (values.empty()) {
            continue;  // no field lands at this position
        }
        cells.push_back({{"bit", bit},
                         {"width", cell.width},
                         {"label", BitCellText(cell)},
                         {"values", values}});
    }
    return {{"offset", OffsetText(row.publishedOffset)},
            {"name", BitWordName(row.index)},
            {"block", BitWordBlockName(row)},
            {"rule", BitWordRule(row.special)},
            {"cells", cells}};
}

json FurtherLayout(const bridge::FurtherRecord& record) {
    return {{"offset", OffsetText(record.offset)},
            {"source", FurtherSource(record)},
            {"reading", FurtherReading(record)},
            {"unit", record.factor == 1 ? "" : "÷" + std::to_string(record.factor)}};
}

json ControlLayout(const OffsetEntry& entry) {
    const char* kind = entry.role == OffsetRole::kDirectControl ? "direct"
                       : entry.role == OffsetRole::kStepControl ? "step"
                                                                : "set-value";
    const char* group = entry.role == OffsetRole::kDirectControl ? "Direct values"
                        : entry.role == OffsetRole::kStepControl ? "Step counters"
                                                                 : "Knobs";
    const OffsetItem* item = ItemAt(entry.offset, group);
    return {{"offset", OffsetText(entry.offset)},
            {"kind", kind},
            {"name", item ? item->name : OffsetText(entry.offset)},
            {"text", EntryContents(entry)}};
}

const OffsetEntry* ControlEntry(uint32_t offset) {
    static const std::vector<OffsetEntry> layout = BlockLayout();
    for (const OffsetEntry& entry : layout) {
        if (entry.offset == offset && entry.role != OffsetRole::kCommandWord &&
            WrittenByClients(entry.role)) {
            return &entry;
        }
    }
    return nullptr;
}

// An offset as the page sends it: "0x94F0".
bool ParseOffsetText(const json& text, uint32_t& offset) {
    if (!text.is_string()) {
        return false;
    }
    const std::string& value = text.get_ref<const std::string&>();
    char* end = nullptr;
    offset = uint32_t(std::strtoul(value.c_str(), &end, 16));
    return !value.empty() && end == value.c_str() + value.size();
}

}  // namespace

json CockpitLayout() {
    json layout;
    layout["commandWord"] = {{"offset", OffsetText(bridge::kCommandWordOffset)},
                             {"commands", NamedCommands()}};
    layout["displays"] = json::array();
    for (const bridge::DisplayRow& row : bridge::kDisplayRows) {
        layout["displays"].push_back(DisplayLayout(row));
    }
    layout["bitWords"] = json::array();
    layout["further"] = json::array();
    layout["controls"] = json::array();
    // Bit-words, further values and controls in offset order, as the block has them.
    for (const OffsetEntry& entry : BlockLayout()) {
        if (entry.role == OffsetRole::kBitWord) {
            layout["bitWords"].push_back(BitWordLayout(bridge::kBitWordRows[entry.row]));
        } else if (entry.role == OffsetRole::kFurther) {
            layout["further"].push_back(FurtherLayout(bridge::kFurtherRecords[entry.row]));
        } else if (entry.role != OffsetRole::kCommandWord && WrittenByClients(entry.role)) {
            layout["controls"].push_back(ControlLayout(entry));
        }
    }
    return layout;
}

json BlockValues(const BlockSnapshot& now, const BlockSnapshot* before) {
    static const std::vector<OffsetEntry> layout = BlockLayout();
    json values = json::object();
    for (const OffsetEntry& entry : layout) {
        if (entry.role == OffsetRole::kUnused ||
            (before != nullptr && before->Raw(entry) == now.Raw(entry))) {
            continue;
        }
        values[OffsetText(entry.offset)] = {{"text", ValueText(entry, now)},
                                            {"raw", now.Raw(entry)}};
    }
    return values;
}

PageAction ParsePageAction(std::string_view text) {
    PageAction action;
    const json message = json::parse(text, nullptr, false);
    const json& kind = message.is_object() ? message.value("action", json()) : json();
    if (!kind.is_string()) {
        action.error = "not an action of the page";
        return action;
    }
    const json& value = message.value("value", json());
    if (kind == "command") {
        const json& code = message.value("code", json());
        if (!code.is_number_unsigned() || code.get<uint64_t>() > 32767) {
            action.error = "a command code is a number from 0 to 32767";
            return action;
        }
        const uint16_t word = uint16_t(code.get<uint64_t>());
        action.write = {bridge::kCommandWordOffset, {uint8_t(word), uint8_t(word >> 8)}, {}, 0};
        action.done = "wrote command " + std::to_string(word) + " at 0x9400";
        return action;
    }
    if (kind == "line") {
        action.kind = PageAction::Kind::kLine;
        const json& line = message.value("text", json());
        if (!line.is_string()) {
            action.error = "a line is text";
        } else {
            action.line = line.get<std::string>();
        }
        return action;
    }
    uint32_t offset = 0;
    const OffsetEntry* entry =
        ParseOffsetText(message.value("offset", json()), offset) ? ControlEntry(offset) : nullptr;
    if (entry == nullptr || (kind != "step" && kind != "control")) {
        action.error = "not an action of the page";
        return action;
    }
    if (kind == "step") {
        const json& steps = message.value("steps", json());
        const bool counter = entry->role != OffsetRole::kDirectControl;
        if (!counter || !steps.is_number_integer() || steps.get<int64_t>() == 0 ||
            std::abs(steps.get<int64_t>()) > 127) {
            action.error = OffsetText(offset) + " is a counter that moves 1 to 127 steps";
            return action;
        }
        action.kind = PageAction::Kind::kStep;
        action.write = {offset, {}, {}, int(steps.get<int64_t>())};
        action.done = "moved " + OffsetText(offset) + " by " + std::to_string(action.write.steps);
        return action;
    }
    if (!value.is_number_unsigned() || value.get<uint64_t>() > 255) {
        action.error = "a control byte takes 0 to 255";
        return action;
    }
    action.kind = PageAction::Kind::kControl;
    action.write = {offset, {uint8_t(value.get<uint64_t>())}, {}, 0};
    action.done = "wrote " + std::to_string(value.get<uint64_t>()) + " at " + OffsetText(offset);
    return action;
}

}  // namespace ulvo::tools::web
