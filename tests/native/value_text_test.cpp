#include "offsets/value_text.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "common/little_endian.h"

namespace ulvo::tools {
namespace {

TEST(OffsetValues, ReadAsTheReferenceDescribes) {
    const struct {
        uint32_t offset;
        uint16_t raw;
        const char* text;
    } cases[] = {
        {0x9400, 0xFFFF, "idle"},
        {0x9400, 1298, "1298"},
        {0x9400, 0x8000, "ignored -32768"},
        {0x9430, 0xFA24, "-1500"},  // a signed display
        {0x9430, 0xFFFF, "blank"},
        {0x9430, 0xFFFE, "88888"},
        {0x943A, 0xFA24, "64036"},  // an unsigned display
        {0x9434, 0xFFFE, "65534"},  // three digits can never show 88888
        {0x9402, 0x81, "10000001"},
        {0x9472, 0x2C, "44"},
        {0x9477, 250, "0.250"},  // factor 1000
        {0x9477, 0xFFFF, "-0.001"},
        {0x948A, 123, "12.3"},  // factor 10
        {0x94D2, 0x8000, "-3276.8"},
        {0x9480, 0xFFFF, "-1"},
        {0x94F8, 3, "3"},
    };
    for (const auto& c : cases) {
        BlockSnapshot snapshot;
        StoreU16(snapshot.bytes.data() + (c.offset - kBlockFirst), c.raw);
        const std::vector<OffsetEntry> layout = BlockLayout();
        const auto entry = std::find_if(layout.begin(), layout.end(),
                                        [&](const OffsetEntry& e) { return e.offset == c.offset; });
        ASSERT_NE(entry, layout.end()) << std::hex << c.offset;
        EXPECT_EQ(ValueText(*entry, snapshot), c.text) << std::hex << c.offset;
    }
}

}  // namespace
}  // namespace ulvo::tools
