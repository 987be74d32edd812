#include <nlohmann/json.hpp>

#include "bridge/bit_word_table.h"
#include "bridge/control_table.h"
#include "bridge/display_table.h"
#include "bridge/further_table.h"
#include "bridge/handle_command_word.h"
#include "offsets/control_rows.h"
#include "offsets/value_text.h"
#include "presets/preset_files.h"

namespace ulvo::tools {

namespace {

using Json = nlohmann::ordered_json;

const char* SourceName(bridge::BitSource source) {
    switch (source) {
        case bridge::BitSource::kZero:
            return "zero";
        case bridge::BitSource::kField:
            return "field";
        case bridge::BitSource::kCovered:
            return "covered";
        case bridge::BitSource::kFieldEquals:
            return "equals";
        case bridge::BitSource::kUpperBits:
            return "upperBits";
        case bridge::BitSource::kWholeValue:
            return "whole";
        case bridge::BitSource::kFieldNotEquals:
            return "notEquals";
        case bridge::BitSource::kNeverSet:
            return "never";
    }
    return "";
}

}  // namespace

std::string BridgeTablesJson() {
    Json tables;
    tables["commandWord"] = bridge::kCommandWordOffset;
    for (const bridge::LevelCommand& command : bridge::kLevelCommands) {
        tables["namedCommands"].push_back(command.code);
    }
    for (const bridge::SelectorCommand& command : bridge::kSelectorCommands) {
        tables["namedCommands"].push_back(command.code);
    }
    for (const bridge::DisplayRow& row : bridge::kDisplayRows) {
        tables["displays"].push_back({{"offset", row.publishedOffset},
                                      {"digits", row.digits},
                                      {"minus", SignedDisplay(row.index)}});
    }
    for (const bridge::BitWordRecord& record : bridge::kBitWordRecords) {
        Json cells = Json::array();
        for (const bridge::BitCell& cell : bridge::kBitWordRows[record.word].bits) {
            cells.push_back({{"source", SourceName(cell.source)}, {"width", cell.width}});
        }
        tables["bitWords"].push_back(
            {{"word", record.word}, {"offset", record.offset}, {"cells", cells}});
    }
    for (const bridge::FurtherRecord& record : bridge::kFurtherRecords) {
        tables["further"].push_back({{"offset", record.offset},
                                     {"size", record.size},
                                     {"real", record.type == bridge::FurtherSource::kReal},
                                     {"factor", record.factor}});
    }
    for (const bridge::DirectControl& control : bridge::kDirectControls) {
        tables["direct"].push_back({{"offset", control.offset}, {"command", control.command}});
    }
    for (const bridge::StepControl& control : kStepControls) {
        tables["steps"].push_back(
            {{"offset", control.offset}, {"down", control.commandDown}, {"up", control.commandUp}});
    }
    for (const bridge::SetValueControl& control : bridge::kSetValueControls) {
        tables["setValues"].push_back({{"offset", control.offset}, {"command", control.command}});
    }
    return tables.dump(1) + "\n";
}

}  // namespace ulvo::tools
