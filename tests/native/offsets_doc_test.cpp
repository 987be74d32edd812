#include <gtest/gtest.h>

#include <string>

#include "offsets/block_layout.h"
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

}  // namespace
}  // namespace ulvo::tools
