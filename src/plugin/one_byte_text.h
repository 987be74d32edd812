// The log file holds one byte per character. Every text the plug-in writes is
// ASCII except the vehicle title, which comes from the host and can hold any
// character: a character that fits in one byte is written as that byte, any
// other character as '?'.
#pragma once

#include <cwchar>
#include <locale>
#include <string>
#include <string_view>

namespace ulvo::plugin {

// Replaces every character above 0xFF by '?'. A UTF-16 surrogate pair is one
// character and gives one '?'; a lone surrogate gives one '?' too.
std::wstring OneBytePerCharacter(std::wstring_view text);

// The conversion a wide file stream uses to reach the disk. The stream's default
// "C" conversion fails on a character it cannot convert, and a failed conversion
// puts the stream into a failed state that loses every later line. This one never
// fails: a character above 0xFF becomes '?'.
class OneByteCodecvt final : public std::codecvt<wchar_t, char, std::mbstate_t> {
  public:
    explicit OneByteCodecvt(size_t refs = 0) : codecvt(refs) {}

  protected:
    result do_out(state_type& state, const wchar_t* from, const wchar_t* fromEnd,
                  const wchar_t*& fromNext, char* to, char* toEnd, char*& toNext) const override;
    result do_in(state_type& state, const char* from, const char* fromEnd, const char*& fromNext,
                 wchar_t* to, wchar_t* toEnd, wchar_t*& toNext) const override;
    result do_unshift(state_type& state, char* to, char* toEnd, char*& toNext) const override;
    int do_encoding() const noexcept override { return 1; }
    bool do_always_noconv() const noexcept override { return false; }
    int do_length(state_type& state, const char* from, const char* fromEnd,
                  size_t max) const override;
    int do_max_length() const noexcept override { return 1; }
};

}  // namespace ulvo::plugin
