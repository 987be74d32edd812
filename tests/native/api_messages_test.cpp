#include "simconnect/api_messages.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "core/simconnect_server_messages.h"
#include "simconnect/message_header.h"
#include "simconnect/status_codes.h"

namespace ulvo::simconnect {
namespace {

using testbed::Join;
using Bytes = std::vector<uint8_t>;

// Known answers are written as hex text ("28 01 00 00 ..."), text fields as
// their characters followed by zeros up to 256 bytes.
Bytes Hex(const std::string& text) {
    Bytes bytes;
    std::istringstream in(text);
    for (unsigned byte = 0; in >> std::hex >> byte;) {
        bytes.push_back(uint8_t(byte));
    }
    return bytes;
}

Bytes Text256(const std::string& text) {
    Bytes bytes(text.begin(), text.end());
    bytes.resize(256, 0);
    return bytes;
}

// What staging hands a call: a zero-filled message with its send id set.
Bytes Staged(const MessageLayout& layout, uint32_t sendId) {
    Bytes message(layout.size, 0);
    WriteSendId(message.data(), sendId);
    return message;
}

TEST(EncodeMessage, WritesTheExactBytesOfEachCall) {
    using Values = std::vector<FieldValue>;
    // Each expected message: its header (size, version, call id, send id), then the fields.
    const struct {
        const char* name;
        const MessageLayout& layout;
        uint32_t sendId;
        Values values;
        Bytes expected;
    } cases[] = {
        {"Open", kOpenLayout, 1,
         Values{"Ulvo2GSX Simconnect proc", 0u, kOpenAlias, kOpenVersionMajor, kOpenVersionMinor,
                0u, 0u},
         Join({Hex("28 01 00 00 1F 00 00 00 01 00 00 F0 01 00 00 00"),
               Text256("Ulvo2GSX Simconnect proc"),
               Hex("00 00 00 00 00 44 33 50 04 00 00 00 05 00 00 00 00 00 00 00 00 00 00 00")})},
        {"MapClientEventToSimEvent", kMapClientEventToSimEventLayout, 5, Values{3u, "SELECT_2"},
         Join({Hex("14 01 00 00 1F 00 00 00 04 00 00 F0 05 00 00 00"), Hex("03 00 00 00"),
               Text256("SELECT_2")})},
        {"TransmitClientEvent", kTransmitClientEventLayout, 9, Values{7u, 2u, 3u, 1u, 0x10u},
         Hex("24 00 00 00 1F 00 00 00 05 00 00 F0 09 00 00 00 "
             "07 00 00 00 02 00 00 00 03 00 00 00 01 00 00 00 10 00 00 00")},
        {"AddToDataDefinition with an epsilon", kAddToDataDefinitionLayout, 8,
         Values{2u, "PLANE ALTITUDE", "feet", 4u, 0.5f, 17u},
         Join({Hex("20 02 00 00 1F 00 00 00 0C 00 00 F0 08 00 00 00"), Hex("02 00 00 00"),
               Text256("PLANE ALTITUDE"), Text256("feet"),
               Hex("04 00 00 00 00 00 00 3F 11 00 00 00")})},
        {"RequestDataOnSimObject's field order", kRequestDataOnSimObjectLayout, 0xFFFFFFFF,
         Values{1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u},
         Hex("30 00 00 00 1F 00 00 00 0E 00 00 F0 FF FF FF FF "
             "01 00 00 00 02 00 00 00 03 00 00 00 04 00 00 00 "
             "05 00 00 00 06 00 00 00 07 00 00 00 08 00 00 00")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes message = Staged(c.layout, c.sendId);
        ASSERT_EQ(EncodeMessage(c.layout, c.values, message.data()), kOk);
        EXPECT_EQ(message, c.expected);
        EXPECT_EQ(c.layout.fields[0].offset, kHeaderSize);  // the fields follow the header
    }
}

TEST(TextFields, AcceptUpTo255CharactersAndRefuse256OrMore) {
    const std::string fits(255, 'E'), tooLong(256, 'E');
    const std::vector<char> unterminated(256, 'x');  // the length check stops at the field's size
    const struct {
        const char* text;  // a null text is an empty field
        int32_t result;
        std::string field;
    } cases[] = {{"", kOk, ""},
                 {nullptr, kOk, ""},
                 {fits.c_str(), kOk, fits},
                 {tooLong.c_str(), kNameTooLong, ""},
                 {unterminated.data(), kNameTooLong, ""}};
    for (const auto& c : cases) {
        Bytes message = Staged(kMapClientEventToSimEventLayout, 1);
        EXPECT_EQ(EncodeMessage(kMapClientEventToSimEventLayout, {{1u, c.text}}, message.data()),
                  c.result)
            << (&c - cases);
        if (c.result == kOk) {
            EXPECT_EQ(Bytes(message.begin() + 20, message.end()), Text256(c.field)) << (&c - cases);
        }
    }
}

TEST(EncodeMessage, RefusesArgumentsThatDoNotMatchTheLayout) {
    Bytes message = Staged(kTransmitClientEventLayout, 1);
    EXPECT_EQ(EncodeMessage(kTransmitClientEventLayout, {{0u, 2u, 0u, 1u}}, message.data()), kFail);
    EXPECT_EQ(
        EncodeMessage(kTransmitClientEventLayout, {{0u, 2u, 0.0f, 1u, 0x10u}}, message.data()),
        kFail);
}

TEST(SendIdCounter, StartsAtOneAndSkipsZeroOnWrap) {
    SendIdCounter counter;
    EXPECT_EQ(counter.Next(), 1u);
    EXPECT_EQ(counter.Next(), 2u);
    counter.SetLast(0xFFFFFFFE);
    EXPECT_EQ(counter.Next(), 0xFFFFFFFFu);
    EXPECT_EQ(counter.Next(), 1u);
}

}  // namespace
}  // namespace ulvo::simconnect
