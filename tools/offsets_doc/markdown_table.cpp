#include "offsets_doc/markdown_table.h"

namespace ulvo::tools {

namespace {

std::string Line(const std::vector<std::string>& cells) {
    std::string line = "|";
    for (const std::string& cell : cells) {
        line += " ";
        for (char c : cell) {
            line += c == '|' ? std::string("\\|") : std::string(1, c);
        }
        line += " |";
    }
    return line + "\n";
}

}  // namespace

std::string MarkdownTable::Render() const {
    std::string text = Line(header);
    text += "|";
    for (size_t i = 0; i < header.size(); ++i) {
        text += "---|";
    }
    text += "\n";
    for (const auto& row : rows) {
        text += Line(row);
    }
    return text;
}

}  // namespace ulvo::tools
