// What `testbed.exe demo` shows: on a terminal, one screen redrawn in place (the
// session's step, the plug-in's offset block, the aircraft commands as they
// arrive, the SimConnect messages the plug-in sent and the tail of its log); in a
// pipe, plain text a step at a time. Portable, so the layout is tested natively.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "offsets/value_text.h"

namespace ulvo::testbed {

struct DemoFrame {
    std::string step;  // "5/11  A command from an FSUIPC client"
    double seconds = 0.0;
    tools::BlockSnapshot block;
    tools::BlockSnapshot earlier;         // a moment ago: what differs is marked
    std::vector<std::string> commands;    // aircraft commands, oldest first
    std::vector<std::string> simConnect;  // SimConnect messages, oldest first
    std::vector<std::string> log;         // the plug-in's log lines so far
    size_t checksPassed = 0;
    size_t checksFailed = 0;
    std::string lastCheck;  // the latest check's text, "" before the first
};

// The screen as lines without line ends, at most `height` lines of at most
// `width` visible characters; colours only when asked for.
std::vector<std::string> RenderDemoFrame(const DemoFrame& frame, size_t width, size_t height,
                                         bool colour);

// The values of the block that differ between two snapshots, in offset order:
// "0x943A 10000 -> 12000".
std::vector<std::string> ChangedValues(const tools::BlockSnapshot& before,
                                       const tools::BlockSnapshot& after);

// The lines of the plug-in's log (CR LF line ends); an unfinished last line is
// the last element.
std::vector<std::string> LogLines(const std::string& bytes);

// "1299 = 2": an aircraft command as posted (code, value).
std::string CommandText(uint64_t code, int64_t value);

}  // namespace ulvo::testbed
