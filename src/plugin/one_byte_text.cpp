#include "plugin/one_byte_text.h"

#include <algorithm>

namespace ulvo::plugin {

namespace {

constexpr wchar_t kReplacement = L'?';

bool IsHighSurrogate(wchar_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(wchar_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

char ToByte(wchar_t c) {
    const auto code = static_cast<unsigned long>(c);
    return code <= 0xFF ? static_cast<char>(code) : static_cast<char>(kReplacement);
}

}  // namespace

std::wstring OneBytePerCharacter(std::wstring_view text) {
    std::wstring result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (static_cast<unsigned long>(c) <= 0xFF) {
            result.push_back(c);
            continue;
        }
        result.push_back(kReplacement);
        if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            ++i;
        }
    }
    return result;
}

OneByteCodecvt::result OneByteCodecvt::do_out(state_type&, const wchar_t* from,
                                              const wchar_t* fromEnd, const wchar_t*& fromNext,
                                              char* to, char* toEnd, char*& toNext) const {
    const size_t count =
        std::min(static_cast<size_t>(fromEnd - from), static_cast<size_t>(toEnd - to));
    std::transform(from, from + count, to, ToByte);
    fromNext = from + count;
    toNext = to + count;
    return fromNext == fromEnd ? ok : partial;
}

// Reading is never used by the log; it is the exact inverse for completeness of
// the facet: each byte is the character of that code.
OneByteCodecvt::result OneByteCodecvt::do_in(state_type&, const char* from, const char* fromEnd,
                                             const char*& fromNext, wchar_t* to, wchar_t* toEnd,
                                             wchar_t*& toNext) const {
    const size_t count =
        std::min(static_cast<size_t>(fromEnd - from), static_cast<size_t>(toEnd - to));
    std::transform(from, from + count, to,
                   [](char c) { return static_cast<wchar_t>(static_cast<unsigned char>(c)); });
    fromNext = from + count;
    toNext = to + count;
    return fromNext == fromEnd ? ok : partial;
}

OneByteCodecvt::result OneByteCodecvt::do_unshift(state_type&, char* to, char*,
                                                  char*& toNext) const {
    toNext = to;
    return noconv;
}

int OneByteCodecvt::do_length(state_type&, const char* from, const char* fromEnd,
                              size_t max) const {
    return static_cast<int>(std::min(static_cast<size_t>(fromEnd - from), max));
}

}  // namespace ulvo::plugin
