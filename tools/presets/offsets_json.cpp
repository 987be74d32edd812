#include <cmath>
#include <nlohmann/json.hpp>

#include "presets/preset_files.h"

namespace ulvo::tools {

namespace {

using Json = nlohmann::ordered_json;

// Whole numbers as integers, the others as they are (-32.768).
Json Number(double value) {
    return std::trunc(value) == value ? Json(int64_t(value)) : Json(value);
}

Json Optional(const std::optional<int32_t>& value) {
    return value ? Json(*value) : Json(nullptr);
}

Json Code(uint32_t code) {
    return code ? Json(code) : Json(nullptr);
}

}  // namespace

std::string OffsetsJson() {
    // Each item's name (its key), address, type and size are an entry of the FSUIPC
    // WebSocket protocol's offsets.declare as they stand.
    Json items = Json::array();
    for (const OffsetItem& item : OffsetItems()) {
        items.push_back(
            {{"key", item.key},
             {"offset", HexNumber(item.offset, 4)},
             {"address", item.offset},
             {"size", item.size},
             {"type", item.isSigned ? "int" : "uint"},
             {"bit", item.bit >= 0 ? Json(item.bit) : Json(nullptr)},
             {"mask", item.mask},
             {"shift", item.shift},
             {"divisor", item.divisor},
             {"unit", item.unit},
             {"min", Number(item.lowest)},
             {"max", Number(item.highest)},
             {"wrapBelow", WrapsAboveType(item) ? Json(int(item.lowest)) : Json(nullptr)},
             {"blank", Optional(item.blank)},
             {"allEights", Optional(item.allEights)},
             {"access", AccessName(item.access)},
             {"group", item.group},
             {"command", Code(item.command)},
             {"commandDown", Code(item.commandDown)},
             {"commandUp", Code(item.commandUp)},
             {"name", item.name},
             {"description", item.description}});
    }
    const Json table = {{"block", {{"first", 0x9400}, {"last", 0x94FB}}},
                        {"groups", ItemGroups()},
                        {"items", std::move(items)}};
    return table.dump(2) + "\n";
}

}  // namespace ulvo::tools
