#include "simconnect/inprocess_records.h"

#include <gtest/gtest.h>

#include <vector>

#include "common/little_endian.h"

namespace ulvo::simconnect {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Hex(std::initializer_list<uint32_t> words) {
    Bytes bytes;
    for (uint32_t word : words) {
        for (int i = 0; i < 4; ++i) {
            bytes.push_back(uint8_t(word >> (8 * i)));
        }
    }
    return bytes;
}

TEST(ChannelRecords, BindRecordIsReadOnlyWithItsSizeAndKind) {
    const Bytes record = Hex({48, 2, 0xC00C1E, 9, 1, 0xA, 2, 0xB, 3, 0xC, 4, 0xD});
    BindRecord bind;
    ASSERT_TRUE(DecodeBindRecord(record.data(), bind));
    EXPECT_EQ(bind.cookie, 0xC00C1Eu);
    EXPECT_EQ(bind.serial, 9u);
    EXPECT_EQ(bind.alloc, 0x0000000A00000001u);
    EXPECT_EQ(bind.free, 0x0000000B00000002u);
    EXPECT_EQ(bind.send, 0x0000000C00000003u);
    EXPECT_EQ(bind.release, 0x0000000D00000004u);

    for (const Bytes& bad :
         {Hex({47, 2, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0}), Hex({48, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0})}) {
        EXPECT_FALSE(DecodeBindRecord(bad.data(), bind));
    }
    EXPECT_FALSE(DecodeBindRecord(nullptr, bind));
}

TEST(OpenReplyCookie, OnlyAnOpenReplyOfExactly308BytesCarriesOne) {
    struct Case {
        uint32_t size;
        uint32_t id;
        uint32_t cookie;
        uint32_t expected;
    };
    const Case cases[] = {{308, 2, 0xABCD, 0xABCD},
                          {307, 2, 0xABCD, 0},
                          {309, 2, 0xABCD, 0},
                          {308, 3, 0xABCD, 0},
                          {308, 2, 0, 0}};
    for (const Case& c : cases) {
        Bytes message(c.size + 8, 0);
        StoreU32(message.data(), c.size);
        StoreU32(message.data() + 8, c.id);
        StoreU32(message.data() + 300, c.cookie);
        EXPECT_EQ(OpenReplyCookie(message.data(), c.size), c.expected) << c.size << " " << c.id;
    }
}

}  // namespace
}  // namespace ulvo::simconnect
