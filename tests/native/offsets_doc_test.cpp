#include <gtest/gtest.h>

#include <map>
#include <string>

#include "offsets/block_layout.h"
#include "offsets/value_text.h"
#include "offsets_doc/offsets_csv.h"
#include "offsets_doc/offsets_markdown.h"

namespace ulvo::tools {
namespace {

size_t Count(const std::string& text, const std::string& what) {
    size_t count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++count;
    }
    return count;
}

TEST(OffsetsDoc, EveryOffsetHasItsRowInTheTableOfEveryOffset) {
    const std::string text = OffsetsMarkdown();
    const size_t start = text.find("## Every offset");
    const size_t end = text.find("\n## ", start + 1);
    ASSERT_NE(start, std::string::npos);
    const std::string table = text.substr(start, end - start);
    const auto layout = BlockLayout();
    EXPECT_EQ(Count(table, "\n| 0x"), layout.size());
    for (const OffsetEntry& entry : layout) {
        EXPECT_EQ(
            Count(table, "\n| " + RangeText(entry) + " | " + std::to_string(entry.size) + " |"), 1u)
            << RangeText(entry);
    }
}

// A program importing offsets.csv finds 8 fields in every row (quoted commas kept
// inside their field) and one row per value: per bit position of a lamp byte.
TEST(OffsetsCsv, HasOneRowOfEightFieldsPerValue) {
    std::map<std::string, size_t> rowsAt;
    const std::string csv = OffsetsCsv();
    size_t start = csv.find('\n') + 1;
    for (size_t end; (end = csv.find('\n', start)) != std::string::npos; start = end + 1) {
        size_t fields = 1;
        bool quoted = false;
        for (size_t i = start; i < end; ++i) {
            quoted = csv[i] == '"' ? !quoted : quoted;
            fields += !quoted && csv[i] == ',' ? 1 : 0;
        }
        EXPECT_EQ(fields, 8u) << csv.substr(start, end - start);
        ++rowsAt[csv.substr(start, 6)];
    }
    for (const OffsetEntry& entry : BlockLayout()) {
        size_t values = entry.role == OffsetRole::kUnused ? 0 : 1;
        if (entry.role == OffsetRole::kBitWord) {
            values = 0;
            for (const bridge::BitCell& cell : bridge::kBitWordRows[entry.row].bits) {
                values += BitCellValues(cell).empty() ? 0 : 1;
            }
        }
        EXPECT_EQ(rowsAt[OffsetText(entry.offset)], values) << RangeText(entry);
    }
}

}  // namespace
}  // namespace ulvo::tools
