#include "offsets_doc/offsets_csv.h"

#include <vector>

#include "offsets/command_names.h"
#include "offsets/control_rows.h"
#include "offsets/value_text.h"
#include "offsets_doc/offset_descriptions.h"

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

std::string Scale(const bridge::FurtherRecord& record) {
    return record.type == bridge::FurtherSource::kWhole ? "1"
                                                        : "x " + std::to_string(record.factor);
}

uint32_t ControlCommand(const OffsetEntry& entry) {
    switch (entry.role) {
        case OffsetRole::kDirectControl:
            return bridge::kDirectControls[entry.row].command;
        case OffsetRole::kSetValueControl:
            return bridge::kSetValueControls[entry.row].command;
        default:
            return 0;
    }
}

void AddBits(std::string& csv, const OffsetEntry& entry) {
    const bridge::BitWordRow& row = bridge::kBitWordRows[entry.row];
    for (size_t bit = 0; bit < row.bits.size(); ++bit) {
        const bridge::BitCell& cell = row.bits[bit];
        const std::string values = BitCellValues(cell);
        if (values.empty()) {
            continue;
        }
        const std::string width = std::to_string(cell.width) + (cell.width == 1 ? " bit" : " bits");
        std::string source = BitWordBlockName(row) + " " + BitCellText(cell);
        // A position that is not a plain field carries its word's rule.
        if (const std::string rule = BitWordRule(row.special);
            !rule.empty() && cell.source != bridge::BitSource::kField) {
            source += "; " + rule;
        }
        Row(csv, {OffsetText(entry.offset), "1", "bits", std::to_string(bit),
                  BitWordName(row.index) + " bit " + std::to_string(bit), width, values, source});
    }
}

}  // namespace

std::string OffsetsCsv() {
    std::string csv = "offset,size,kind,bit,name,scale,values,source\n";
    for (const OffsetEntry& entry : BlockLayout()) {
        const std::string offset = OffsetText(entry.offset);
        const std::string size = std::to_string(entry.size);
        switch (entry.role) {
            case OffsetRole::kCommandWord:
                Row(csv,
                    {offset, size, "command word", "", "command word", "", AllowedValues(entry),
                     EntryContents(entry).substr(0, EntryContents(entry).find(','))});
                break;
            case OffsetRole::kBitWord:
                AddBits(csv, entry);
                break;
            case OffsetRole::kDisplay: {
                const bridge::DisplayRow& row = bridge::kDisplayRows[entry.row];
                std::string source = DisplaySource(row);
                if (*row.note) {
                    source += std::string("; ") + row.note;
                }
                Row(csv, {offset, size, "display", "", DisplayName(row.index),
                          "as the window shows it, without a decimal point", AllowedValues(entry),
                          source + "; " + DisplayEncoding(row)});
                break;
            }
            case OffsetRole::kFurther: {
                const bridge::FurtherRecord& record = bridge::kFurtherRecords[entry.row];
                Row(csv, {offset, size, "further value", "", "further value", Scale(record),
                          AllowedValues(entry), FurtherSource(record)});
                break;
            }
            case OffsetRole::kDirectControl:
            case OffsetRole::kStepControl:
            case OffsetRole::kSetValueControl: {
                const char* kind = entry.role == OffsetRole::kDirectControl ? "direct control"
                                   : entry.role == OffsetRole::kStepControl ? "step counter"
                                                                            : "set-value counter";
                Row(csv, {offset, size, kind, "", CommandName(ControlCommand(entry)), "",
                          AllowedValues(entry), EntryContents(entry)});
                break;
            }
            case OffsetRole::kUnused:
                break;
        }
    }
    return csv;
}

}  // namespace ulvo::tools
