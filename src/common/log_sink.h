// Where portable code writes its log lines. The plug-in's log file implements it:
// each call is one line, ended and flushed at once. Texts are 8-bit and are
// widened character by character.
#pragma once

#include <string_view>

namespace ulvo {

class LogSink {
  public:
    virtual void LogLine(std::string_view text) = 0;

  protected:
    ~LogSink() = default;
};

}  // namespace ulvo
