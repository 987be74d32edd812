// A log for native tests: keeps every line in order.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/log_sink.h"

namespace ulvo::testbed {

class RecordingLog final : public LogSink {
  public:
    std::vector<std::string> lines;

    void LogLine(std::string_view text) override { lines.emplace_back(text); }
    // The lines so far, which are then forgotten.
    std::vector<std::string> Take() { return std::exchange(lines, {}); }
};

}  // namespace ulvo::testbed
