#include "plugin/one_byte_text.h"

#include <gtest/gtest.h>

#include <string>

namespace ulvo::plugin {
namespace {

TEST(OneBytePerCharacter, KeepsSingleByteCharactersAndMarksEveryOtherCharacterOnce) {
    const struct {
        std::wstring in;
        std::wstring out;
    } cases[] = {
        {L"Ulvo 737-800", L"Ulvo 737-800"},
        {L"Caf\u00E9 \u00DF\u00FF", L"Caf\u00E9 \u00DF\u00FF"},                // Latin-1 stays
        {L"\u0100\u03A9\u0416\u4E2D", L"????"},                                // one mark each
        {std::wstring{L'a', wchar_t(0xD83D), wchar_t(0xDEEB), L'b'}, L"a?b"},  // a pair
        {std::wstring{wchar_t(0xDBFF), wchar_t(0xDFFF), wchar_t(0xD800), wchar_t(0xDC00)}, L"??"},
        {std::wstring{wchar_t(0xD83D), L'x'}, L"?x"},             // lone high half
        {std::wstring{wchar_t(0xDEEB), wchar_t(0xD83D)}, L"??"},  // halves reversed
        {std::wstring{L'a', wchar_t(0xD83D)}, L"a?"},             // high half at the end
        {L"", L""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(OneBytePerCharacter(c.in), c.out);
    }
}

// As far as the room goes: a character above 0xFF becomes '?', a byte reads back
// as the character of its code.
TEST(OneByteCodecvt, ConvertsOneBytePerCharacterBothWays) {
    const OneByteCodecvt codecvt;
    std::mbstate_t state{};
    const std::wstring wide = L"a\u00E9\u0416";
    const wchar_t* wideNext = nullptr;
    char bytes[3];
    char* bytesEnd = nullptr;
    EXPECT_EQ(
        codecvt.out(state, wide.data(), wide.data() + 3, wideNext, bytes, bytes + 3, bytesEnd),
        std::codecvt_base::ok);
    EXPECT_EQ(std::string(bytes, bytesEnd), "a\xE9?");
    const char* bytesNext = nullptr;
    wchar_t back[2];
    wchar_t* backEnd = nullptr;
    EXPECT_EQ(codecvt.in(state, bytes, bytesEnd, bytesNext, back, back + 2, backEnd),
              std::codecvt_base::partial);
    EXPECT_EQ(std::wstring(back, backEnd), L"a\u00E9");
    EXPECT_EQ(bytesNext, bytes + 2);
}

}  // namespace
}  // namespace ulvo::plugin
