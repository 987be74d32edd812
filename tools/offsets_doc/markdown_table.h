// A Markdown table built row by row.
#pragma once

#include <string>
#include <vector>

namespace ulvo::tools {

class MarkdownTable {
  public:
    explicit MarkdownTable(std::vector<std::string> columns) : header(std::move(columns)) {}
    void Row(std::vector<std::string> cells) { rows.push_back(std::move(cells)); }
    // Header, separator and rows, each line ended by "\n". A "|" in a cell is escaped.
    std::string Render() const;

  private:
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
};

}  // namespace ulvo::tools
