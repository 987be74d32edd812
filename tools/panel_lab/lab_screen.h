// The panel lab's live view on a terminal: a fixed area at the top (what the lab
// is doing and the whole offset block, values that just changed marked) above a
// scrolling region where the event lines and the user's typing go.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "offsets/value_text.h"

namespace ulvo::tools {

struct LabScreen {
    std::string status;  // "run climb.txt: line 4 of 12, 2 ok"
    double seconds = 0.0;
    BlockSnapshot block;
    BlockSnapshot earlier;  // a moment ago: what differs is marked
};

// Rows the fixed area takes on a terminal of this size: the whole block when
// that leaves room for the events, else what leaves them a third of the screen.
size_t LabTopRows(size_t width, size_t height);

// The fixed area: exactly `rows` lines of at most `width` visible characters.
std::vector<std::string> RenderLabTop(const LabScreen& screen, size_t width, size_t rows,
                                      bool colour);

// Terminal sequences: keep lines `top`+1 to `height` scrolling, the rest fixed.
std::string ScrollRegion(size_t top, size_t height);

}  // namespace ulvo::tools
