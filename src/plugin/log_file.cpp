#include "plugin/log_file.h"

#include <filesystem>
#include <locale>

#include "plugin/one_byte_text.h"

namespace ulvo::plugin {

std::wstring LogPathBeside(std::wstring_view moduleFileName) {
    const size_t separator = moduleFileName.find_last_of(L"\\/");
    std::wstring path;
    if (separator != std::wstring_view::npos) {
        path.assign(moduleFileName.substr(0, separator + 1));
    }
    path.append(kLogFileName);
    return path;
}

std::wstring LogOpenFailureText(std::wstring_view logPath) {
    std::wstring text = L"Failed to open \"";
    text.append(logPath);
    text.append(
        L"\". Please ensure the file has the correct permissions and is not being used by "
        L"another application.");
    return text;
}

LogFile::LogFile() {
    // Must be in place before the file opens; see OneByteCodecvt for why the
    // default conversion would not do.
    stream.imbue(std::locale(stream.getloc(), new OneByteCodecvt));
}

bool LogFile::Open(const std::wstring& path) {
    // Plain output mode: truncate, text mode (CRLF line ends on Windows).
    stream.open(std::filesystem::path(path), std::ios::out);
    if (stream.fail() || stream.bad()) {
        stream.clear();
        return false;
    }
    return true;
}

void LogFile::LogLine(std::string_view text) {
    for (const char c : text) {
        stream.put(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    }
    stream.put(stream.widen('\n'));
    stream.flush();
}

void LogFile::LogLine(std::wstring_view text) {
    stream << text << stream.widen('\n');
    stream.flush();
}

void LogFile::Write(std::wstring_view text) {
    stream << text;
    // Not required for an unfinished line, but a reader of the log while the
    // simulator runs then sees it too.
    stream.flush();
}

void LogFile::Close() {
    stream.close();
    stream.clear();
}

}  // namespace ulvo::plugin
