// The plug-in's log: a plain text file beside the library, one fixed line per
// event, no timestamps or levels. Every line reaches the disk at once. Writes to
// a log that is not open, or whose stream has failed, are silently lost.
#pragma once

#include <fstream>
#include <string>
#include <string_view>

#include "common/log_sink.h"

namespace ulvo::plugin {

inline constexpr std::wstring_view kLogFileName = L"Ulvo2FSUIPC.log";

// The log's path in the folder of `moduleFileName`: everything up to and including
// the last '\' or '/', then the log's name. Without a separator, the bare name.
std::wstring LogPathBeside(std::wstring_view moduleFileName);

// The text handed to the host when the log cannot be opened.
std::wstring LogOpenFailureText(std::wstring_view logPath);

class LogFile final : public LogSink {
  public:
    LogFile();

    // Opens the file for output only, creating or truncating it (other openers may
    // share it). Opening a log that is already open fails. On failure the stream's
    // error state is cleared again and false returned.
    bool Open(const std::wstring& path);

    // The text, an end of line, then a flush. 8-bit texts are widened character by
    // character.
    void LogLine(std::string_view text) override;
    void LogLine(std::wstring_view text);

    // The text without an end of line: the next text continues the line.
    void Write(std::wstring_view text);

    // Closes the file; later lines are lost until it is opened again.
    void Close();

    bool IsOpen() const { return stream.is_open(); }

  private:
    std::wofstream stream;
};

}  // namespace ulvo::plugin
