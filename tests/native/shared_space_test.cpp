// The web server's exchanges through the plug-in's own FSUIPC client, against an
// in-memory FSUIPC: writes before reads, in the order asked, over what FSUIPC holds.
#include <gtest/gtest.h>

#include "core/memory_fsuipc.h"
#include "web/link_access.h"
#include "web/shared_space.h"

namespace ulvo::tools::web {
namespace {

class SharedSpaceTest : public testing::Test {
  protected:
    SharedSpaceTest() {
        uint32_t result = 0;
        EXPECT_TRUE(link.Open(result));
        fsuipc.logExchanges = true;
    }
    testbed::MemoryFsuipc fsuipc;
    fsuipc::FsuipcLink link{fsuipc};
    LinkAccess access{link};
    SharedSpace space;
};

TEST_F(SharedSpaceTest, WritesWhatWasAskedThenPublishesWhatIsWanted) {
    fsuipc.space.SetU8(0x94F0, 254);
    fsuipc.space.SetU8(0x9402, 0x81);
    fsuipc.space.SetU32(0x3110, 7);
    int published = 0;
    space.OnPublished([&] { ++published; });
    space.Want({{0x3110, 4}});
    space.Ask({0x9400, {0x12, 0x05}, {0xFF, 0xFF}, 0});
    space.Ask({0x94F0, {}, {}, 3});                      // a counter three steps on, wrapping
    space.Ask({0x9402, {0x00, 0x04}, {0x01, 0x04}, 0});  // bit 0 off, bit 10 on
    ASSERT_TRUE(space.Exchange(access));
    EXPECT_EQ(published, 1);
    EXPECT_EQ(fsuipc.space.U16(0x9400), 1298);
    EXPECT_EQ(fsuipc.space.U8(0x94F0), 1);
    EXPECT_EQ(fsuipc.space.U16(0x9402), 0x0480);
    // The block was known after the counter's first read: one exchange for it,
    // then one with the writes and the wanted reads.
    ASSERT_EQ(fsuipc.exchanges.size(), 2u);
    EXPECT_EQ(fsuipc.exchanges[1].writes.size(), 3u);
    const auto image = space.Latest();
    EXPECT_TRUE(image->Known(0x3110, 4));
    EXPECT_TRUE(image->Known(0x9400, 0xFC));
    EXPECT_FALSE(image->Known(0x9300, 1));
    EXPECT_EQ(image->bytes[0x3110], 7);
    EXPECT_EQ(image->bytes[0x94F0], 1);

    space.Ask({0x94F0, {}, {}, -2});  // from what the last exchange read, no extra read
    ASSERT_TRUE(space.Exchange(access));
    EXPECT_EQ(fsuipc.space.U8(0x94F0), 255);
    EXPECT_EQ(fsuipc.exchanges.size(), 3u);
}

TEST_F(SharedSpaceTest, ReadsMoreThanOneExchangeHoldsInPieces) {
    fsuipc.space.SetU8(0x0000, 1);
    fsuipc.space.SetU8(0xFFFF, 2);
    space.Want({{0, 0x10000}});
    ASSERT_TRUE(space.Exchange(access));
    EXPECT_GE(fsuipc.exchanges.size(), 3u);  // 64 KiB through 32 KiB buffers
    const auto image = space.Latest();
    EXPECT_TRUE(image->Known(0, 0x10000));
    EXPECT_EQ(image->bytes[0], 1);
    EXPECT_EQ(image->bytes[0xFFFF], 2);
}

TEST_F(SharedSpaceTest, AFailedExchangeSaysSoAndPublishesNothing) {
    fsuipc.windowPresent = false;
    fsuipc.failNextSends = 100;
    space.Ask({0x9400, {0x12, 0x05}, {0xFF, 0xFF}, 0});
    EXPECT_FALSE(space.Exchange(access));
    EXPECT_FALSE(space.Latest()->Known(0x9400, 2));
}

}  // namespace
}  // namespace ulvo::tools::web
