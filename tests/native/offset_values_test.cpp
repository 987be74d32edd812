#include <gtest/gtest.h>

#include "web/offset_values.h"

namespace ulvo::tools::web {
namespace {

using nlohmann::json;

TEST(OffsetValueTypes, EachTypeReadsItsBytesAndWritesThemBack) {
    const struct {
        const char* type;
        uint32_t size;
        std::vector<uint8_t> bytes;
        json value;
    } cases[] = {
        {"uint", 1, {0xFF}, 255},
        {"int", 1, {0xFF}, -1},
        {"uint", 2, {0x12, 0x34}, 0x3412},
        {"int", 2, {0x24, 0xFA}, -1500},
        {"int", 4, {0x00, 0x00, 0x00, 0x80}, -2147483648LL},
        {"uint", 8, {1, 0, 0, 0, 0, 0, 0, 0x80}, 0x8000000000000001ULL},
        {"float", 4, {0x00, 0x00, 0xC0, 0x3F}, 1.5},
        {"float", 8, {0, 0, 0, 0, 0, 0, 0x04, 0xC0}, -2.5},
        {"string", 6, {'C', 'H', 'E', 'C', 'K', 0}, "CHECK"},
        {"bits", 1, {0x09}, {true, false, false, true, false, false, false, false}},
        // 45 degrees north: 45 / 90 * 10001750 * 2^32 units.
        {"lat", 8, {0x00, 0x00, 0x00, 0x00, 0xAB, 0x4E, 0x4C, 0x00}, 45.0},
        // 90 degrees west: -2^62 units of 360 / 2^64 degrees.
        {"lon", 8, {0, 0, 0, 0, 0, 0, 0, 0xC0}, -90.0},
        {"lon", 4, {0, 0, 0, 0x40}, 90.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.type) + " " + c.value.dump());
        ValueType type;
        ASSERT_TRUE(ParseValueType(c.type, type));
        EXPECT_EQ(DeclarationProblem(type, c.size, 0x9400), "");
        EXPECT_EQ(DecodeValue(type, c.size, c.bytes.data()), c.value);
        std::vector<uint8_t> bytes, mask;
        EXPECT_EQ(EncodeValue(type, c.size, c.value, bytes, mask), "");
        EXPECT_EQ(bytes, c.bytes);
    }
}

TEST(OffsetValueTypes, BitsWriteOnlyTheBitsNamed) {
    std::vector<uint8_t> bytes, mask;
    const json edits = json::parse(R"([{"bit": 3, "value": true}, {"bit": 9, "value": false}])");
    EXPECT_EQ(EncodeValue(ValueType::kBits, 2, edits, bytes, mask), "");
    EXPECT_EQ(bytes, (std::vector<uint8_t>{0x08, 0x00}));
    EXPECT_EQ(mask, (std::vector<uint8_t>{0x08, 0x02}));
}

TEST(OffsetValueTypes, RefusesWhatDoesNotFit) {
    const struct {
        ValueType type;
        uint32_t size;
        json value;
        const char* problem;
    } cases[] = {
        {ValueType::kUint, 1, 256, "the value does not fit 1 unsigned bytes"},
        {ValueType::kUint, 2, -1, "the value does not fit 2 unsigned bytes"},
        {ValueType::kInt, 2, 32768, "the value does not fit 2 signed bytes"},
        {ValueType::kInt, 2, -32769, "the value does not fit 2 signed bytes"},
        {ValueType::kInt, 4, 1.5, "a whole number is needed"},
        {ValueType::kUint, 2, "310", "a whole number is needed"},
        {ValueType::kFloat, 8, true, "a number is needed"},
        {ValueType::kString, 4, "FOUR", "the text needs 5 bytes with its NUL"},
        {ValueType::kBits, 1, json::parse(R"([{"bit": 8, "value": true}])"),
         "bit 8 is past the 8 bits declared"},
        {ValueType::kLat, 8, 90.5, "degrees from -90 to 90 are needed"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value.dump());
        std::vector<uint8_t> bytes, mask;
        EXPECT_EQ(EncodeValue(c.type, c.size, c.value, bytes, mask), c.problem);
    }
    std::vector<uint8_t> bytes, mask;
    EXPECT_EQ(EncodeValue(ValueType::kUint, 2, 310.0, bytes, mask), "");  // as some clients send
    EXPECT_EQ(DeclarationProblem(ValueType::kFloat, 2, 0), "size 2 does not suit this type");
    EXPECT_EQ(DeclarationProblem(ValueType::kUint, 4, 0xFFFE),
              "the offset lies outside 0x0000-0xFFFF");
    ValueType type;
    EXPECT_FALSE(ParseValueType("bcd", type));
}

}  // namespace
}  // namespace ulvo::tools::web
