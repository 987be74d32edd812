#include "offsets/block_view.h"

#include <gtest/gtest.h>

#include "common/little_endian.h"

namespace ulvo::tools {
namespace {

TEST(BlockView, ShowsEveryValueOnceAndMarksWhatChangedSinceTheSnapshotBefore) {
    BlockSnapshot before, now;
    StoreU16(now.bytes.data() + (0x9430 - kBlockFirst), 1500);
    now.bytes[0x9402 - kBlockFirst] = 0x01;
    const BlockView view = MakeBlockView(now, &before);
    std::vector<uint32_t> changed;
    size_t cells = 0;
    for (const ViewSection& section : view.sections) {
        for (const ViewCell& cell : section.cells) {
            ++cells;
            if (cell.changed) {
                changed.push_back(cell.offset);
            }
        }
    }
    EXPECT_EQ(cells, 32u + 46 + 67 + 22);  // displays, bit-words, further values, controls
    EXPECT_EQ(changed, (std::vector<uint32_t>{0x9430, 0x9402}));
    EXPECT_FALSE(view.commandWord.changed);
    for (const ViewSection& section : MakeBlockView(now, nullptr).sections) {
        for (const ViewCell& cell : section.cells) {
            EXPECT_FALSE(cell.changed);
        }
    }
}

}  // namespace
}  // namespace ulvo::tools
