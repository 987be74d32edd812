#include <charconv>

#include "panel_lab/scenario_words.h"

namespace ulvo::tools {

namespace {

using Kind = ScenarioLine::Kind;

std::string ParseCommand(ScenarioLine& line, Words words) {
    line.kind = Kind::kExpectCommand;
    const std::string usage =
        "expect command takes a command code, optionally its value, and x3 for exactly three";
    int64_t count = 0;
    if (words.size() >= 4 && words.back().size() > 1 && words.back()[0] == 'x') {
        if (!ParseInteger(words.back().substr(1), count) || count < 1) {
            return usage;
        }
        line.count = size_t(count);
        words.pop_back();
    }
    int64_t code = 0;
    int64_t value = 0;
    if (words.size() < 3 || words.size() > 4 || !ParseInteger(words[2], code) || code < 0 ||
        code > 0xFFFF || (words.size() == 4 && !ParseInteger(words[3], value))) {
        return usage;
    }
    line.code = uint32_t(code);
    if (words.size() == 4) {
        line.commandValue = value;
    }
    return "";
}

std::string ParseRaw(ScenarioLine& line, const Words& words) {
    line.kind = Kind::kExpectRaw;
    OffsetTarget target;
    int64_t raw = 0;
    if (words.size() != 4 || !ParseInteger(words[3], raw)) {
        return "expect raw takes an offset and its bytes as a number: expect raw 0x9430 0xFFFF";
    }
    if (std::string error = ReadTarget(words[2], target); !error.empty()) {
        return error;
    }
    if (target.bit >= 0) {
        return "expect raw takes whole offsets: " + std::string(words[2]) + " is one bit";
    }
    const int64_t highest = (int64_t(1) << (8 * target.entry->size)) - 1;
    if (raw < 0 || raw > highest) {
        return std::string(words[3]) + " does not fit in the " +
               std::to_string(target.entry->size) + " bytes of " + EntryTitle(*target.entry);
    }
    line.offset = target.entry->offset;
    line.raw = uint64_t(raw);
    return "";
}

std::string ParseValue(ScenarioLine& line, const Words& words) {
    line.kind = Kind::kExpectValue;
    const std::string error = ParseOffsetAndValue(
        line, words, "expect takes an offset and one value: expect 0x943A 12000");
    OffsetTarget target;
    if (!error.empty() || !ReadTarget(line.target, target).empty()) {
        return error;
    }
    return ReadValue(target, line.value).steps ? "steps move a counter: expect its value (0 to 255)"
                                               : "";
}

}  // namespace

std::string ParseOffsetAndValue(ScenarioLine& line, const Words& words, const char* usage) {
    if (words.size() != 3) {
        return usage;
    }
    line.target = words[1];
    line.value = words[2];
    OffsetTarget target;
    if (std::string error = ReadTarget(line.target, target); !error.empty()) {
        return error;
    }
    return ReadValue(target, line.value).error;
}

Words SplitWords(std::string_view text) {
    Words words;
    size_t at = 0;
    while (true) {
        at = text.find_first_not_of(" \t", at);
        if (at == std::string_view::npos) {
            return words;
        }
        const size_t end = std::min(text.find_first_of(" \t", at), text.size());
        words.push_back(text.substr(at, end - at));
        at = end;
    }
}

std::string_view Rest(std::string_view text, const Words& words, size_t count) {
    return count < words.size() ? text.substr(size_t(words[count].data() - text.data()))
                                : std::string_view();
}

bool ParseSeconds(std::string_view text, double& seconds, bool anySign) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
    return !text.empty() && error == std::errc() && end == text.data() + text.size() &&
           (anySign || seconds >= 0.0);
}

std::string ParseExpect(ScenarioLine& line, std::string_view text, const Words& all) {
    Words words = all;
    line.seconds = kExpectWithin;
    if (words.size() >= 3 && words[words.size() - 2] == "within") {
        if (!ParseSeconds(words.back(), line.seconds)) {
            return "within takes seconds";
        }
        text = text.substr(0, size_t(words[words.size() - 2].data() - text.data()));
        words.resize(words.size() - 2);
    }
    if (words.size() == 3 && words[1] == "no" && words[2] == "command") {
        line.kind = Kind::kExpectNoCommand;
        return "";
    }
    if (words.size() < 3) {
        return "expect needs what to expect: an offset and its value, raw OFFSET BYTES, "
               "command CODE [VALUE] [xN], no command, event NAME or log TEXT";
    }
    if (words[1] == "command") {
        return ParseCommand(line, words);
    }
    if (words[1] == "raw") {
        return ParseRaw(line, words);
    }
    if (words[1] == "event") {
        line.kind = Kind::kExpectEvent;
        line.name = words[2];
        return words.size() == 3 ? "" : "expect event takes one event name";
    }
    if (words[1] == "log") {
        line.kind = Kind::kExpectLog;
        const std::string_view logged = Rest(text, words, 2);
        line.name = logged.substr(0, logged.find_last_not_of(" \t") + 1);
        return "";
    }
    return ParseValue(line, words);
}

}  // namespace ulvo::tools
