#include "panel_lab/scenario.h"

#include <charconv>

#include "panel_lab/scenario_words.h"
#include "panel_lab/watch_list.h"

namespace ulvo::tools {

namespace {

using Kind = ScenarioLine::Kind;
namespace gs = groundservices;

std::string ParseSet(ScenarioLine& line, const Words& words) {
    line.kind = Kind::kSet;
    const std::string error =
        ParseOffsetAndValue(line, words, "set takes an offset and a value: set 0x943A 12000");
    // As far as it can be known before the lab runs: counters move from what
    // FSUIPC then holds, which does not change whether the value can be set.
    return error.empty() ? CockpitSet(line.target, line.value, {}).error : error;
}

std::string ParseFsuipc(ScenarioLine& line, const Words& words) {
    if (words.size() == 2 && words[1] == "restart") {
        line.kind = Kind::kFsuipcRestart;
        return "";
    }
    line.kind = Kind::kFsuipcSet;
    int64_t offset = 0, size = 0, value = 0;
    if (words.size() != 5 || words[1] != "set" || !ParseInteger(words[2], offset) ||
        !ParseInteger(words[3], size) || !ParseInteger(words[4], value)) {
        return "fsuipc takes restart, or set OFFSET SIZE VALUE: fsuipc set 0x0BC8 2 1";
    }
    if (size != 1 && size != 2 && size != 4 && size != 8) {
        return "fsuipc set writes 1, 2, 4 or 8 bytes, not " + std::string(words[3]);
    }
    if (offset < 0 || offset + size > 0x10000 ||
        (offset + size > kBlockFirst && offset <= kBlockLast)) {
        return "fsuipc set writes offsets outside the plug-in's block (set takes those), below "
               "0x10000";
    }
    const int64_t highest = size == 8 ? INT64_MAX : (int64_t(1) << (8 * size)) - 1;
    const int64_t lowest = size == 8 ? INT64_MIN : -(int64_t(1) << (8 * size - 1));
    if (value < lowest || value > highest) {
        return std::string(words[4]) + " does not fit in " + std::string(words[3]) + " bytes";
    }
    line.offset = uint32_t(offset);
    line.size = uint32_t(size);
    line.raw = uint64_t(value);
    return "";
}

std::string ParseGsx(ScenarioLine& line, const Words& words) {
    line.kind = Kind::kGsxDoor;
    const struct {
        const char* word;
        gs::Door door;
    } doors[] = {{"exit", gs::Door::kMainExit},
                 {"service", gs::Door::kServiceDoors},
                 {"cargo", gs::Door::kCargoDoors}};
    const struct {
        const char* word;
        DoorAction action;
    } actions[] = {{"open", DoorAction::kOpen},
                   {"close", DoorAction::kClose},
                   {"toggle", DoorAction::kToggle}};
    bool door = false, action = false;
    for (const auto& named : doors) {
        if (words.size() == 3 && words[1] == named.word) {
            line.door = named.door;
            door = true;
        }
    }
    for (const auto& named : actions) {
        if (words.size() == 3 && words[2] == named.word) {
            line.action = named.action;
            action = true;
        }
    }
    return door && action ? ""
                          : "gsx takes a door (exit, service or cargo) and open, close or toggle";
}

std::string ParseJetway(ScenarioLine& line, const Words& words) {
    line.kind = Kind::kJetway;
    if (words.size() != 3 || (words[1] != "power" && words[1] != "air")) {
        return "jetway takes power or air and on, off or a number: jetway power on";
    }
    line.jetway = words[1] == "power" ? gs::Jetway::kPower : gs::Jetway::kAir;
    if (words[2] == "on" || words[2] == "off") {
        line.amount = words[2] == "on" ? 5.0 : 0.0;  // GSX reports 5 when connected
        return "";
    }
    return ParseSeconds(words[2], line.amount, true) ? "" : "jetway takes on, off or a number";
}

std::string ParseAircraft(ScenarioLine& line, const Words& words) {
    if (words.size() == 2 && (words[1] == "reload" || words[1] == "other")) {
        line.kind = words[1] == "reload" ? Kind::kAircraftReload : Kind::kAircraftOther;
        return "";
    }
    line.kind = Kind::kSelector;
    int64_t position = 0;
    if (words.size() != 3 || words[1] != "selector" || !ParseInteger(words[2], position) ||
        position < 0 || position > 2) {
        return "aircraft takes reload, other, or selector 0, 1 or 2";
    }
    line.amount = double(position);
    return "";
}

std::string ParsePatternLine(ScenarioLine& line, const Words& words) {
    line.kind = Kind::kPattern;
    if ((words.size() != 2 && words.size() != 3) ||
        !ParsePattern(words[1], line.pattern, line.seconds) ||
        (words.size() == 3 && (!ParseSeconds(words[2], line.seconds) || line.seconds <= 0))) {
        return "pattern takes lamps, walk, eights or sweep, and the seconds each step shows";
    }
    return "";
}

std::string ParseAction(ScenarioLine& line, std::string_view text, const Words& words) {
    const std::string_view verb = words[0];
    if (verb == "set") {
        return ParseSet(line, words);
    }
    if (verb == "expect") {
        return ParseExpect(line, text, words);
    }
    if (verb == "wait") {
        line.kind = Kind::kWait;
        return words.size() == 2 && ParseSeconds(words[1], line.seconds)
                   ? ""
                   : "wait takes seconds: wait 1.5";
    }
    if (verb == "fsuipc") {
        return ParseFsuipc(line, words);
    }
    if (verb == "gsx") {
        return ParseGsx(line, words);
    }
    if (verb == "jetway") {
        return ParseJetway(line, words);
    }
    if (verb == "aircraft") {
        return ParseAircraft(line, words);
    }
    if (verb == "simconnect") {
        line.kind = Kind::kSimConnectFail;
        return words.size() == 2 && words[1] == "fail" ? "" : "simconnect takes fail";
    }
    if (verb == "pattern") {
        return ParsePatternLine(line, words);
    }
    if (verb == "watch") {
        line.kind = Kind::kWatch;
        return ReadWatchList(Rest(text, words, 1), line.watch);
    }
    if (verb == "timing") {
        line.kind = Kind::kTiming;
        line.on = words.size() == 2 && words[1] == "on";
        return words.size() == 2 && (line.on || words[1] == "off") ? "" : "timing takes on or off";
    }
    if ((verb == "quit" || verb == "help") && words.size() == 1) {
        line.kind = verb == "quit" ? Kind::kQuit : Kind::kHelp;
        return "";
    }
    return "unknown line: " + std::string(text) + " (type help for the lines the lab knows)";
}

// `at SECONDS` and `repeat COUNT every SECONDS` in front of an action.
std::string ParseTiming(ScenarioLine& line, std::string_view& text, Words& words) {
    if (words[0] == "at") {
        double at = 0.0;
        if (words.size() < 3 || !ParseSeconds(words[1], at)) {
            return "at takes seconds and a line: at 2.5 set 0x943A 12000";
        }
        line.at = at;
        text = Rest(text, words, 2);
        words.erase(words.begin(), words.begin() + 2);
    }
    if (words[0] == "repeat") {
        int64_t count = 0;
        if (words.size() < 5 || !ParseInteger(words[1], count) || count < 1 ||
            words[2] != "every" || !ParseSeconds(words[3], line.every)) {
            return "repeat takes a count, every and seconds, and a line: repeat 20 every 0.05 "
                   "set 0x94F0 +1";
        }
        line.repeat = size_t(count);
        text = Rest(text, words, 4);
        words.erase(words.begin(), words.begin() + 4);
    }
    if (words[0] == "at" || words[0] == "repeat" || words[0] == "wait" || words[0] == "quit" ||
        words[0] == "help") {
        return std::string(words[0]) + " cannot follow at or repeat";
    }
    return "";
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
    Words words = SplitWords(text);
    const bool timed = words[0] == "at" || words[0] == "repeat";
    if (timed) {
        line.error = ParseTiming(line, text, words);
        if (!line.error.empty()) {
            return line;
        }
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
           "  set 0x943A 12000           a display shows a value (also blank, 88888)\n"
           "  set 0x9402.3 on            a lamp or switch bit (on, off; 0-3 for a 2-bit number)\n"
           "  set 0x9402 10000001        a whole lamp and switch byte (also 129, 0x81)\n"
           "  set 0x9477 0.25            a further value, in its unit\n"
           "  set 0x94F0 +1              a client moves a counter (or sets a control byte)\n"
           "  set 0x9400 1298            a client writes a command code\n"
           "  fsuipc set 0x0BC8 2 1      a client writes bytes outside the plug-in's block\n"
           "  fsuipc restart             FSUIPC starts afresh\n"
           "  gsx exit open              GSX asks for a door: exit, service, cargo;\n"
           "                             open, close, toggle\n"
           "  jetway power on            GSX reports jetway power or air: on, off, a number\n"
           "  aircraft reload            the simulator loads the aircraft again\n"
           "  aircraft other             ... loads an aircraft whose state is not 1\n"
           "  aircraft selector 2        the selector that commands 636/637 move (0-2)\n"
           "  simconnect fail            the simulator ends the plug-in's SimConnect link\n"
           "  pattern lamps              test patterns: lamps, walk, eights, sweep\n"
           "                             (seconds per step may follow)\n"
           "  watch 0x943A Display05     show only these offsets' changes (none: all)\n"
           "  timing on                  show the time from a set to a client reading it\n"
           "                             and from a client's write to the command\n"
           "  wait 1.5                   pause\n"
           "  at 2.5 LINE                LINE not before 2.5 s after the start, in order\n"
           "  repeat 20 every 0.05 LINE  LINE 20 times, 0.05 s apart\n"
           "  expect 0x943A 12000        an FSUIPC client reads that value (set's forms)\n"
           "  expect raw 0x9430 0xFFFF   ... reads those bytes (little-endian)\n"
           "  expect command 1232 12100  the aircraft received the command (value optional;\n"
           "                             x3 at the end: exactly three times)\n"
           "  expect no command          the aircraft receives no command\n"
           "  expect event SELECT_1      the simulator received the event\n"
           "  expect log TEXT            the plug-in's log has the line\n"
           "                             (an expect waits 2 s; add `within 10` for another\n"
           "                             limit)\n"
           "  help, quit                 at the prompt\n";
}

}  // namespace ulvo::tools
