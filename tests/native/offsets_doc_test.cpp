// The offset reference lists every offset of the layout once in its table of every
// offset, and every command and control of the tables somewhere.
#include <gtest/gtest.h>

#include "bridge/control_table.h"
#include "offsets/block_layout.h"
#include "offsets/control_rows.h"
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

TEST(OffsetsDoc, NamesEveryControlCommand) {
    const std::string text = OffsetsMarkdown();
    for (const bridge::StepControl& control : kStepControls) {
        EXPECT_NE(text.find("| " + OffsetText(control.offset) + " | " +
                            std::to_string(control.commandDown) + " | " +
                            std::to_string(control.commandUp) + " |"),
                  std::string::npos)
            << OffsetText(control.offset);
    }
    for (const bridge::SetValueControl& control : bridge::kSetValueControls) {
        EXPECT_NE(text.find("| " + OffsetText(control.offset) + " | " +
                            std::to_string(control.command) + " |"),
                  std::string::npos);
    }
    for (const bridge::DirectControl& control : bridge::kDirectControls) {
        EXPECT_NE(text.find("| " + OffsetText(control.offset) + " | " +
                            std::to_string(control.command) + " |"),
                  std::string::npos);
    }
}

}  // namespace
}  // namespace ulvo::tools
