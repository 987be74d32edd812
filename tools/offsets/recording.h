// Recordings of the offset block: `ulvo-monitor.exe --record FILE` writes one line
// per value that changed, with its time, and `ulvo-panel-lab.exe replay FILE`
// plays them back. A line is
//
//   2.515 0x943A 0x2EE0 12000
//
// seconds since the recording began, the offset, its bytes as a little-endian
// number, and the value as the offset reference reads it (for people; the replay
// uses the bytes). The first lines, at 0.000, hold every value of the block.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "offsets/value_text.h"

namespace ulvo::tools {

struct RecordedValue {
    double seconds = 0.0;
    uint32_t offset = 0;
    uint32_t raw = 0;
};

struct Recording {
    std::vector<RecordedValue> values;  // in the file's order
    std::string error;                  // the first line that could not be read
};

// The file's first line.
std::string RecordingHeader();

// A line for every entry of the block that differs between `before` and `now`
// (every entry when `before` is null), at `seconds`.
std::string RecordingLines(double seconds, const BlockSnapshot& now, const BlockSnapshot* before);

Recording ParseRecording(std::string_view text);

// Per offset, the values it took, in order, a value repeated right after itself
// counted once: two recordings with the same histories saw the same changes.
std::map<uint32_t, std::vector<uint32_t>> ValueHistories(const Recording& recording);

}  // namespace ulvo::tools
