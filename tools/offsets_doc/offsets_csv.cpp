#include "offsets_doc/offsets_csv.h"

#include <vector>

#include "offsets_doc/offset_items.h"

namespace ulvo::tools {

namespace {

// A field quoted when it holds a comma, a quote or a line end; quotes doubled.
std::string Field(const std::string& text) {
    if (text.find_first_of(",\"\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (char c : text) {
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return quoted + "\"";
}

void Row(std::string& csv, const std::vector<std::string>& fields) {
    for (size_t i = 0; i < fields.size(); ++i) {
        csv += (i ? "," : "") + Field(fields[i]);
    }
    csv += "\n";
}

std::string Optional(const std::optional<int32_t>& value) {
    return value ? std::to_string(*value) : "";
}

std::string Code(uint32_t code) {
    return code ? std::to_string(code) : "";
}

}  // namespace

std::string OffsetsCsv() {
    std::string csv;
    Row(csv, {"key",     "offset",  "size",         "type",       "bit",   "mask",       "shift",
              "divisor", "unit",    "min",          "max",        "blank", "all_eights", "access",
              "group",   "command", "command_down", "command_up", "name",  "description"});
    for (const OffsetItem& item : OffsetItems()) {
        const bool part = item.bit >= 0;
        Row(csv, {item.key,
                  HexNumber(item.offset, 4),
                  std::to_string(item.size),
                  TypeName(item),
                  part ? std::to_string(item.bit) : "",
                  part ? HexNumber(item.mask, 2 * item.size) : "",
                  part ? std::to_string(item.shift) : "",
                  std::to_string(item.divisor),
                  item.unit,
                  NumberIn(item, item.lowest),
                  NumberIn(item, item.highest),
                  Optional(item.blank),
                  Optional(item.allEights),
                  AccessName(item.access),
                  item.group,
                  Code(item.command),
                  Code(item.commandDown),
                  Code(item.commandUp),
                  item.name,
                  item.description});
    }
    return csv;
}

}  // namespace ulvo::tools
