#include "panel_lab/scenario.h"

#include <charconv>

#include "offsets/cockpit_map.h"

namespace ulvo::tools {

namespace {

using Kind = ScenarioLine::Kind;

std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
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

bool ParseSeconds(std::string_view text, double& seconds) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
    return !text.empty() && error == std::errc() && end == text.data() + text.size() &&
           seconds >= 0.0;
}

// The rest of the line after the first `count` words, as written.
std::string_view Rest(std::string_view text, const std::vector<std::string_view>& words,
                      size_t count) {
    return count < words.size() ? text.substr(size_t(words[count].data() - text.data()))
                                : std::string_view();
}

std::string ParseExpect(ScenarioLine& line, std::string_view text,
                        std::vector<std::string_view> words) {
    line.seconds = kExpectWithin;
    if (words.size() >= 4 && words[words.size() - 2] == "within") {
        if (!ParseSeconds(words.back(), line.seconds)) {
            return "within takes seconds";
        }
        text = text.substr(0, size_t(words[words.size() - 2].data() - text.data()));
        words.resize(words.size() - 2);
    }
    if (words.size() < 3) {
        return "expect needs what to expect: an offset and its value, command CODE [VALUE], "
               "event NAME or log TEXT";
    }
    if (words[1] == "command") {
        line.kind = Kind::kExpectCommand;
        int64_t code = 0;
        int64_t value = 0;
        if (!ParseInteger(words[2], code) || code < 0 || code > 0xFFFF || words.size() > 4 ||
            (words.size() == 4 && !ParseInteger(words[3], value))) {
            return "expect command takes a command code and optionally its value";
        }
        line.code = uint32_t(code);
        if (words.size() == 4) {
            line.commandValue = value;
        }
        return "";
    }
    if (words[1] == "event") {
        line.kind = Kind::kExpectEvent;
        line.name = words[2];
        return words.size() == 3 ? "" : "expect event takes one event name";
    }
    if (words[1] == "log") {
        line.kind = Kind::kExpectLog;
        std::string_view logged = Rest(text, words, 2);
        line.name = logged.substr(0, logged.find_last_not_of(" \t") + 1);
        return "";
    }
    line.kind = Kind::kExpectValue;
    line.target = words[1];
    line.value = words[2];
    return words.size() == 3 ? "" : "expect takes an offset and one value";
}

std::string ParseAction(ScenarioLine& line, std::string_view text,
                        const std::vector<std::string_view>& words) {
    const std::string_view verb = words[0];
    if (verb == "set") {
        line.kind = Kind::kSet;
        if (words.size() != 3) {
            return "set takes an offset and a value: set 0x943A 12000";
        }
        line.target = words[1];
        line.value = words[2];
        return "";
    }
    if (verb == "wait") {
        line.kind = Kind::kWait;
        return words.size() == 2 && ParseSeconds(words[1], line.seconds)
                   ? ""
                   : "wait takes seconds: wait 1.5";
    }
    if (verb == "expect") {
        return ParseExpect(line, text, words);
    }
    if (verb == "gsx") {
        line.kind = Kind::kGsxDoor;
        if (words.size() != 3 ||
            (words[1] != "exit" && words[1] != "service" && words[1] != "cargo") ||
            (words[2] != "open" && words[2] != "close" && words[2] != "toggle")) {
            return "gsx takes a door (exit, service or cargo) and open, close or toggle";
        }
        line.name = words[1];
        line.value = words[2];
        return "";
    }
    if (verb == "jetway") {
        line.kind = Kind::kJetway;
        if (words.size() != 3 || (words[1] != "power" && words[1] != "air")) {
            return "jetway takes power or air and on, off or a number: jetway power on";
        }
        line.name = words[1];
        line.value = words[2];
        if (words[2] == "on" || words[2] == "off") {
            line.jetwayValue = words[2] == "on" ? 5.0 : 0.0;  // GSX reports 5 when connected
            return "";
        }
        const auto [end, error] =
            std::from_chars(words[2].data(), words[2].data() + words[2].size(), line.jetwayValue);
        return error == std::errc() && end == words[2].data() + words[2].size()
                   ? ""
                   : "jetway takes on, off or a number";
    }
    if ((verb == "quit" || verb == "help") && words.size() == 1 && !line.at) {
        line.kind = verb == "quit" ? Kind::kQuit : Kind::kHelp;
        return "";
    }
    return "unknown line: " + std::string(text) + " (type help for the lines the lab knows)";
}

}  // namespace

ScenarioLine ParseScenarioLine(std::string_view text, size_t number) {
    ScenarioLine line;
    line.number = number;
    text = text.substr(0, text.find('#'));
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return line;
    }
    text = text.substr(first, text.find_last_not_of(" \t\r") + 1 - first);
    line.text = text;
    std::vector<std::string_view> words = Words(text);
    if (words[0] == "at") {
        double at = 0.0;
        if (words.size() < 3 || !ParseSeconds(words[1], at)) {
            line.error = "at takes seconds and an action: at 2.5 set 0x943A 12000";
            return line;
        }
        line.at = at;
        text = Rest(text, words, 2);
        words.erase(words.begin(), words.begin() + 2);
    }
    line.error = ParseAction(line, text, words);
    return line;
}

std::vector<ScenarioLine> ParseScenario(std::string_view text) {
    std::vector<ScenarioLine> lines;
    size_t number = 0;
    while (!text.empty()) {
        const size_t end = std::min(text.find('\n'), text.size());
        ScenarioLine line = ParseScenarioLine(text.substr(0, end), ++number);
        if (line.kind != Kind::kNone || !line.error.empty()) {
            lines.push_back(std::move(line));
        }
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return lines;
}

std::string ScenarioHelp() {
    return "Lines the panel lab understands (times in seconds):\n"
           "  set 0x943A 12000          a display shows a value (also blank, 88888)\n"
           "  set 0x9402.3 on           a lamp or switch bit (on, off; 0-3 for a 2-bit number)\n"
           "  set 0x9402 10000001       a whole lamp and switch byte\n"
           "  set 0x9477 0.25           a further value, in its unit\n"
           "  set 0x94F0 +1             a client moves a counter (or sets a control byte)\n"
           "  set 0x9400 1298           a client writes a command code\n"
           "  gsx exit open             GSX asks for a door: exit, service, cargo;\n"
           "                            open, close, toggle\n"
           "  jetway power on           GSX reports jetway power or air: on, off, a number\n"
           "  wait 1.5                  pause\n"
           "  at 2.5 LINE               LINE at 2.5 s after the start\n"
           "  expect 0x943A 12000       an FSUIPC client reads that value\n"
           "  expect command 1232 12100 the aircraft received the command (value optional)\n"
           "  expect event SELECT_1     the simulator received the event\n"
           "  expect log TEXT           the plug-in's log has the line\n"
           "                            (an expect waits 2 s; add `within 10` for longer)\n"
           "  help, quit                at the prompt\n";
}

}  // namespace ulvo::tools
