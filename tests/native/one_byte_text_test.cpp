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
        {std::wstring{wchar_t(0xD83D), L'x'}, L"?x"},                          // lone high half
        {std::wstring{wchar_t(0xDEEB), wchar_t(0xD83D)}, L"??"},               // halves reversed
        {std::wstring{L'a', wchar_t(0xD83D)}, L"a?"},  // high half at the end
        {L"", L""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(OneBytePerCharacter(c.in), c.out);
    }
}

}  // namespace
}  // namespace ulvo::plugin
