#include "offsets/offset_value.h"

#include <gtest/gtest.h>

namespace ulvo::tools {
namespace {

struct Case {
    const char* target;
    const char* text;
    uint32_t raw;      // what the offset (or bit position) reads
    const char* said;  // the notice, or the error when nothing is read
};

// Every form a line may give, as the bytes a client reads; where the plug-in
// publishes something else, the notice says what, in the reference's words.
TEST(OffsetValue, EachFormReadsAsTheBytesAClientSees) {
    const Case cases[] = {
        {"0x943A", "12000", 12000, ""},
        {"943A", "blank", 0xFFFF, ""},
        {"0x943A", "88888", 0xFFFE, ""},
        {"0x9448", "-25", 0xFFE7, ""},
        {"0x9402", "10000001", 0x81, ""},
        {"0x9402", "129", 0x81, ""},
        {"0x9402", "0x81", 0x81, ""},
        {"0x9402.7", "on", 1, ""},
        {"0x9402.3", "1", 1, ""},
        {"0x9407.0", "3", 3, ""},
        {"0x9477", "0.25", 250, ""},
        {"0x9477", "-0.001", 0xFFFF, ""},
        {"0x9472", "200", 200, ""},
        {"0x9400", "idle", 0xFFFF, ""},
        {"0x9400", "1298", 1298, ""},
        {"0x94F8", "255", 255, ""},
        {"0x943A", "70000", 4464,
         "0x943A (Display05) will read 4464: a five-digit value above 65535 keeps only its low "
         "16 bits"},
        {"0x943A", "65534", 0xFFFE,
         "0x943A (Display05) will read 88888: 65534 (0xFFFE) is the marker of 88888"},
        {"0x9430", "-1", 0xFFFF,
         "0x9430 (Display00) will read blank: -1 is published as 0xFFFF, the same as blank"},
        {"0x9430", "-2", 0xFFFE,
         "0x9430 (Display00) will read 88888: -2 is published as 0xFFFE, the same as 88888"},
        {"0x9430", "60000", 60000,
         "0x9430 (Display00) will read -5536: this signed window reads 0xD8F1 and above as "
         "negative"},
        {"0x9472", "300", 44,
         "0x9472 (further value) will read 44: a whole value is published as its low 8 bits"},
        {"0x9477", "40", 0x9C40,
         "0x9477 (further value) will read -25.536: a real value is published as the low 16 "
         "bits of its value x1000, fraction cut off"},
        {"0x9480", "70000", 4464,
         "0x9480 (further value) will read 4464: a real value is published as the low 16 bits "
         "of its value, fraction cut off"},
        {"0x948A", "12.34", 123,
         "0x948A (further value) will read 12.3: the plug-in cuts off the fraction of its value "
         "x10"},
        {"0x9400", "-5", 0xFFFB,
         "0x9400 (command word) will read ignored -5: the plug-in leaves a negative command "
         "word alone"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.target << " " << c.text);
        OffsetTarget target;
        ASSERT_EQ(ReadTarget(c.target, target), "");
        const OffsetValue value = ReadValue(target, c.text);
        EXPECT_EQ(value.error, "");
        EXPECT_EQ(value.raw, c.raw);
        EXPECT_EQ(value.notice, c.said);
    }
}

TEST(OffsetValue, SaysWhyATargetOrAValueCannotBeUsed) {
    const Case cases[] = {
        {"0x9000", "1", 0, "0x9000 is not in the plug-in's block 0x9400-0x94FB"},
        {"0x94ZZ", "1", 0, "0x94ZZ is not an offset (0x9400-0x94FB, or 0x9402.3 for one bit)"},
        {"0x943B", "1", 0, "0x943B is the second byte of 0x943A: use 0x943A"},
        {"0x942C", "1", 0, "0x942C-0x942D is not used by the plug-in"},
        {"0x943A.2", "on", 0,
         "0x943A (Display05) has no bits of its own: it takes 0 to 99999, blank or 88888"},
        {"0x9404.5", "on", 0,
         "bit 5 of 0x9404 (BitWord02) is never set: the byte takes bits 0-3 on or off"},
        {"0x9407.1", "1", 0,
         "bit 1 of 0x9407 (BitWord05) belongs to the number at bit 0: use 0x9407.0 (0 to 3)"},
        {"0x943A", "123456", 0, "0x943A (Display05) takes 0 to 99999, blank or 88888, not 123456"},
        {"0x9436", "88888", 0, "0x9436 (Display03) takes 0 to 999 or blank, not 88888"},
        {"0x9448", "-100", 0, "0x9448 (Display12) takes -99 to 99 or blank, not -100"},
        {"0x9402", "11111", 0, "0x9402 (BitWord00) takes bits 0-7 on or off, not 11111"},
        {"0x9407.0", "4", 0, "bit 0 of 0x9407 (BitWord05) takes 0 to 3, not 4"},
        {"0x9402.3", "yes", 0, "bit 3 of 0x9402 (BitWord00) takes on or off, not yes"},
        {"0x94F0", "+200", 0, "0x94F0 (control byte) moves by 1 to 127 steps at a time, not +200"},
        {"0x9428", "+1", 0, "0x9428 (control byte) is not a counter: it takes 0 to 255"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.target << " " << c.text);
        OffsetTarget target;
        std::string error = ReadTarget(c.target, target);
        if (error.empty()) {
            error = ReadValue(target, c.text).error;
        }
        EXPECT_EQ(error, c.said);
    }
}

TEST(OffsetValue, ABitPositionReadsItsOwnBitsOfTheByte) {
    BlockSnapshot block;
    block.bytes[0x9407 - kBlockFirst] = 0b10001110;  // 0x9407.0 holds 2, .2 holds 3, .6 holds 2
    OffsetTarget target;
    ASSERT_EQ(ReadTarget("0x9407.2", target), "");
    EXPECT_EQ(ReadingAt(target, block), 3u);
    EXPECT_EQ(ReadingText(target, block), "3");
    ASSERT_EQ(ReadTarget("0x9402.3", target), "");
    EXPECT_EQ(ReadingText(target, block), "off");
}

}  // namespace
}  // namespace ulvo::tools
