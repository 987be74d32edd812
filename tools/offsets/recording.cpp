#include "offsets/recording.h"

#include <charconv>
#include <cstdio>

namespace ulvo::tools {

namespace {

constexpr const char* kHeader =
    "# Ulvo2FSUIPC offset recording: seconds, offset, bytes (little-endian), value";

bool ParseHex(std::string_view text, uint32_t& value) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
    }
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

// The next word of `text` from `at`, which then points past it.
std::string_view Word(std::string_view text, size_t& at) {
    at = text.find_first_not_of(' ', at);
    if (at == std::string_view::npos) {
        at = text.size();
        return {};
    }
    const size_t end = std::min(text.find(' ', at), text.size());
    const std::string_view word = text.substr(at, end - at);
    at = end;
    return word;
}

}  // namespace

std::string RecordingHeader() {
    return std::string(kHeader) + "\n";
}

std::string RecordingLines(double seconds, const BlockSnapshot& now, const BlockSnapshot* before) {
    std::string lines;
    for (const OffsetEntry& entry : BlockLayout()) {
        if (entry.role == OffsetRole::kUnused ||
            (before != nullptr && before->Raw(entry) == now.Raw(entry))) {
            continue;
        }
        char line[96];
        std::snprintf(line, sizeof line, "%.3f 0x%04X 0x%0*X ", seconds, unsigned(entry.offset),
                      int(entry.size * 2), unsigned(now.Raw(entry)));
        lines += line + ValueText(entry, now) + "\n";
    }
    return lines;
}

Recording ParseRecording(std::string_view text) {
    Recording recording;
    size_t number = 0;
    while (!text.empty() && recording.error.empty()) {
        const size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        ++number;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.find_first_not_of(' ') == std::string_view::npos || line[0] == '#') {
            continue;
        }
        size_t at = 0;
        const std::string_view seconds = Word(line, at);
        const std::string_view offset = Word(line, at);
        const std::string_view raw = Word(line, at);
        RecordedValue value;
        const auto [secondsEnd, secondsError] =
            std::from_chars(seconds.data(), seconds.data() + seconds.size(), value.seconds);
        if (secondsError != std::errc() || secondsEnd != seconds.data() + seconds.size() ||
            value.seconds < 0.0 || !ParseHex(offset, value.offset) || !ParseHex(raw, value.raw)) {
            recording.error = "line " + std::to_string(number) +
                              " is not \"SECONDS OFFSET BYTES [VALUE]\": " + std::string(line);
            break;
        }
        recording.values.push_back(value);
    }
    return recording;
}

std::map<uint32_t, std::vector<uint32_t>> ValueHistories(const Recording& recording) {
    std::map<uint32_t, std::vector<uint32_t>> histories;
    for (const RecordedValue& value : recording.values) {
        std::vector<uint32_t>& history = histories[value.offset];
        if (history.empty() || history.back() != value.raw) {
            history.push_back(value.raw);
        }
    }
    return histories;
}

}  // namespace ulvo::tools
