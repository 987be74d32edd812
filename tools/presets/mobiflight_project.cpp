#include <nlohmann/json.hpp>

#include "presets/mobiflight_items.h"
#include "presets/preset_files.h"

namespace ulvo::tools {

namespace {

using Json = nlohmann::ordered_json;

// The FSUIPC block of a source or an action. The mask is always written: its
// default, 255, would turn a two-byte write into a bit operation.
Json Fsuipc(const MobiFlightSource& source) {
    return {{"Offset", source.offset},
            {"Size", source.size},
            {"OffsetType", 0},
            {"Mask", source.mask},
            {"BcdMode", false}};
}

Json Modifier(const MobiFlightModifier& modifier) {
    if (modifier.bitToOne) {
        return {{"Type", "Comparison"}, {"Operand", "!="},  {"Value", "0"},
                {"IfValue", "1"},       {"ElseValue", "0"}, {"Active", true}};
    }
    return {{"Type", "Transformation"}, {"Expression", modifier.expression}, {"Active", true}};
}

// The keys every item carries; no device is assigned, so "Device" stays out.
Json Item(const char* type, const std::string& guid, const std::string& name) {
    return {{"Type", type}, {"GUID", guid}, {"Active", true}, {"Name", name}, {"ModuleSerial", ""}};
}

void Finish(Json& item, Json modifiers) {
    item["Modifiers"] = {{"Items", std::move(modifiers)}};
    item["Preconditions"] = Json::array();
    item["ConfigRefs"] = Json::array();
    item["Status"] = Json::object();
}

Json Output(const MobiFlightOutput& output) {
    Json item = Item("OutputConfigItem", output.guid, output.name);
    item["DeviceType"] = "";
    item["Source"] = {{"Type", "FsuipcSource"}, {"FSUIPC", Fsuipc(output.source)}};
    item["TestValue"] = {{"type", 1}, {"Float64", double(output.testValue)}, {"String", nullptr}};
    Json modifiers = Json::array();
    for (const MobiFlightModifier& modifier : output.modifiers) {
        modifiers.push_back(Modifier(modifier));
    }
    Finish(item, std::move(modifiers));
    return item;
}

Json Action(const MobiFlightSource& source, const std::string& value) {
    if (value.empty()) {
        return nullptr;
    }
    return {{"Type", "FsuipcOffsetInputAction"},
            {"FSUIPC", Fsuipc(source)},
            {"Value", value},
            {"Modifiers", {{"Items", Json::array()}}}};
}

Json Input(const MobiFlightInput& input) {
    Json item = Item("InputConfigItem", input.guid, input.name);
    item["DeviceType"] = input.encoder ? "Encoder" : "Button";
    item["DeviceName"] = nullptr;  // an empty name would become an unnamed device
    if (input.encoder) {
        item["encoder"] = {{"onLeft", Action(input.source, input.release)},
                           {"onLeftFast", nullptr},
                           {"onRight", Action(input.source, input.press)},
                           {"onRightFast", nullptr}};
    } else {
        item["button"] = {{"onPress", Action(input.source, input.press)},
                          {"onRelease", Action(input.source, input.release)},
                          {"onLongRelease", nullptr},
                          {"onHold", nullptr},
                          {"LongReleaseDelay", 350},
                          {"HoldDelay", 350},
                          {"RepeatDelay", 0}};
    }
    Finish(item, Json::array());
    return item;
}

}  // namespace

std::string MobiFlightProject() {
    // The layout MobiFlight 11.0 reads: no "_version", "Controller", "Aircraft" or
    // "Controllers", so that every later build migrates it by itself.
    Json files = Json::array();
    for (const std::string& group : ItemGroups()) {
        Json items = Json::array();
        for (const MobiFlightOutput& output : MobiFlightOutputs()) {
            if (output.group == group) {
                items.push_back(Output(output));
            }
        }
        for (const MobiFlightInput& input : MobiFlightInputs()) {
            if (input.group == group) {
                items.push_back(Input(input));
            }
        }
        files.push_back({{"Label", group},
                         {"FileName", nullptr},
                         {"ReferenceOnly", false},
                         {"EmbedContent", true},
                         {"ConfigItems", std::move(items)}});
    }
    const Json project = {{"Name", "Ulvo 737NG offsets (Ulvo2FSUIPC)"},
                          {"ConfigFiles", std::move(files)}};
    return project.dump(2) + "\n";
}

}  // namespace ulvo::tools
