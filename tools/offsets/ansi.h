// The few ANSI terminal sequences the tools use. They are written only when the
// output is a terminal that understands them.
#pragma once

#include <cstddef>
#include <string>

namespace ulvo::tools::ansi {

inline constexpr const char* kReset = "\x1b[0m";
inline constexpr const char* kBold = "\x1b[1m";
inline constexpr const char* kDim = "\x1b[2m";
inline constexpr const char* kTitle = "\x1b[1;36m";    // bold cyan
inline constexpr const char* kChanged = "\x1b[1;33m";  // bold yellow
inline constexpr const char* kLit = "\x1b[1;32m";      // bold green
inline constexpr const char* kGood = "\x1b[32m";
inline constexpr const char* kBad = "\x1b[1;31m";
inline constexpr const char* kHome = "\x1b[H";        // cursor to the top left
inline constexpr const char* kClearToEnd = "\x1b[J";  // clear from the cursor down
inline constexpr const char* kClearLine = "\x1b[K";   // clear to the end of the line
inline constexpr const char* kHideCursor = "\x1b[?25l";
inline constexpr const char* kShowCursor = "\x1b[?25h";

// `text` in `style`, or plain when colour is off.
inline std::string Paint(const std::string& text, const char* style, bool colour) {
    return colour ? style + text + kReset : text;
}

// The characters a line takes on the terminal: its colour sequences take none.
inline size_t VisibleWidth(const std::string& line) {
    size_t width = 0;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\x1b') {
            i = line.find('m', i);
            if (i == std::string::npos) {
                break;
            }
        } else {
            ++width;
        }
    }
    return width;
}

}  // namespace ulvo::tools::ansi
