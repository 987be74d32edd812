#include "common/little_endian.h"

#include <gtest/gtest.h>

namespace ulvo {
namespace {

TEST(LittleEndian, RoundTripsAtUnalignedOffsets) {
    uint8_t buffer[19] = {};
    StoreU16(buffer + 1, 0xBEEF);
    StoreU32(buffer + 3, 0x01020304);
    StoreF64(buffer + 7, -1.5);
    StoreF32(buffer + 15, 1.0f);
    EXPECT_EQ(buffer[1], 0xEF);
    EXPECT_EQ(buffer[2], 0xBE);
    EXPECT_EQ(buffer[3], 0x04);
    EXPECT_EQ(buffer[6], 0x01);
    EXPECT_EQ(LoadU16(buffer + 1), 0xBEEF);
    EXPECT_EQ(LoadI32(buffer + 3), 0x01020304);
    EXPECT_EQ(LoadF64(buffer + 7), -1.5);
    EXPECT_EQ(LoadU32(buffer + 15), 0x3F800000u);
}

}  // namespace
}  // namespace ulvo
