#include <gtest/gtest.h>

#include <set>

#include "bridge/handle_command_word.h"
#include "offsets/block_layout.h"

namespace ulvo::tools {
namespace {

TEST(BlockLayout, CoversEveryByteOnceLeavesTheKnownGapsAndLetsClientsWriteWhatIsRead) {
    const std::vector<OffsetEntry> layout = BlockLayout();
    EXPECT_TRUE(LayoutProblems(layout).empty());
    uint32_t covered = 0;
    std::vector<std::string> unused;
    std::set<std::pair<uint32_t, uint32_t>> written, read;  // the bytes clients write
    for (const OffsetEntry& entry : layout) {
        covered += entry.size;
        if (entry.role == OffsetRole::kUnused) {
            unused.push_back(RangeText(entry));
        }
        if (WrittenByClients(entry.role)) {
            written.insert({entry.offset, entry.size});
        }
    }
    for (const bridge::CommandRead& request : bridge::kCommandReads) {
        read.insert({request.offset, request.size});
    }
    EXPECT_EQ(written, read);  // are the ones the command step reads
    EXPECT_EQ(covered, kBlockSize);
    const std::vector<std::string> expected = {"0x942C-0x942D", "0x9471", "0x94A9-0x94B0",
                                               "0x94BF-0x94D1", "0x94D5", "0x94E6-0x94E9",
                                               "0x94EB",        "0x94EF"};
    EXPECT_EQ(unused, expected);
}

TEST(BlockLayout, ProblemsNameOverlapsHolesAndStrayOffsets) {
    const struct {
        std::vector<OffsetEntry> layout;
        std::string problem;
    } cases[] = {
        {{{0x9400, 2, OffsetRole::kCommandWord, 0}, {0x9401, 1, OffsetRole::kBitWord, 0}},
         "0x9401 overlaps the offset before it"},
        {{{0x9400, 2, OffsetRole::kCommandWord, 0}, {0x9403, 1, OffsetRole::kBitWord, 0}},
         "0x9402 is missing from the layout"},
        {{{0x93FF, 1, OffsetRole::kFurther, 0}}, "0x93FF lies outside 0x9400-0x94FB"},
        {{{0x94FB, 2, OffsetRole::kFurther, 0}}, "0x94FB lies outside 0x9400-0x94FB"},
    };
    for (const auto& c : cases) {
        const auto problems = LayoutProblems(c.layout);
        ASSERT_FALSE(problems.empty()) << c.problem;
        EXPECT_EQ(problems.front(), c.problem);
    }
}

}  // namespace
}  // namespace ulvo::tools
