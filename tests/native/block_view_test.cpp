// The console view of the offset block that the monitor shows.
#include "offsets/block_view.h"

#include <gtest/gtest.h>

#include "common/little_endian.h"
#include "offsets/ansi.h"

namespace ulvo::tools {
namespace {

TEST(BlockView, FitsTheWidthWithAndWithoutColour) {
    BlockSnapshot before, now;
    now.bytes.fill(0xFF);
    const BlockView view = MakeBlockView(now, &before);
    for (size_t width : {40, 80, 100, 132, 200}) {
        for (bool colour : {false, true}) {
            const auto lines = RenderBlockView(view, {width, colour});
            size_t cells = 0;
            for (const std::string& line : lines) {
                EXPECT_LE(tools::ansi::VisibleWidth(line), width) << line;
                EXPECT_EQ(line.find('\x1b') != std::string::npos, colour) << line;
                for (size_t at = line.find(':'); at != std::string::npos;
                     at = line.find(':', at + 1)) {
                    ++cells;
                }
            }
            // Every displayed value once, plus the command word's own line.
            EXPECT_EQ(cells, 1u + 32 + 46 + 67 + 22) << width;
        }
    }
}

TEST(BlockView, MarksWhatChangedSinceTheSnapshotBefore) {
    BlockSnapshot before, now;
    StoreU16(now.bytes.data() + (0x9430 - kBlockFirst), 1500);
    now.bytes[0x9402 - kBlockFirst] = 0x01;
    const BlockView view = MakeBlockView(now, &before);
    std::vector<uint32_t> changed;
    for (const ViewSection& section : view.sections) {
        for (const ViewCell& cell : section.cells) {
            if (cell.changed) {
                changed.push_back(cell.offset);
            }
        }
    }
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
