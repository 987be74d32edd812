#include "panel_lab/scenario_runner.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "offsets/command_names.h"

namespace ulvo::tools {

namespace {

using Kind = ScenarioLine::Kind;
constexpr size_t kSeenShown = 8;  // events a failure lists

std::string Seconds(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f s", seconds);
    return text;
}

std::string EventText(const LabEvent& event) {
    return event.kind == LabEvent::Kind::kCommand ? NamedCommandText(event.code, event.value)
                                                  : event.text;
}

bool Matches(const ScenarioLine& line, const LabEvent& event) {
    switch (line.kind) {
        case Kind::kExpectCommand:
            return event.code == line.code &&
                   (!line.commandValue || *line.commandValue == event.value);
        case Kind::kExpectEvent:
        case Kind::kExpectLog:
            return event.text == line.name;
        default:
            return false;
    }
}

// Numbers compare as numbers (0.25 is 0.250), everything else as text.
bool SameValue(const std::string& expected, const std::string& read) {
    char* end = nullptr;
    const double a = std::strtod(expected.c_str(), &end);
    if (expected.empty() || *end != '\0') {
        return expected == read;
    }
    const double b = std::strtod(read.c_str(), &end);
    return !read.empty() && *end == '\0' && a == b;
}

// What `target` reads in `block`: the entry's value, or one bit position ("on",
// "off", or the number a wider field shows).
std::string Reading(const std::string& target, const BlockSnapshot& block, std::string& error) {
    uint32_t offset = 0;
    int bit = -1;
    const OffsetEntry* entry = nullptr;
    if (!ParseTarget(target, offset, bit) || (entry = EntryAt(offset)) == nullptr ||
        entry->role == OffsetRole::kUnused || (bit >= 0 && entry->role != OffsetRole::kBitWord)) {
        error = target + " is not an offset or bit the plug-in uses";
        return "";
    }
    if (bit < 0) {
        return ValueText(*entry, block);
    }
    const bridge::BitCell& cell = bridge::kBitWordRows[entry->row].bits[size_t(bit)];
    const uint32_t width = cell.width > 1 ? std::min<uint32_t>(cell.width, 8) : 1;
    const uint32_t shown = (block.U8(offset) >> bit) & ((1u << width) - 1);
    if (width == 1) {
        return shown ? "on" : "off";
    }
    return std::to_string(shown);
}

std::string Describe(const ScenarioLine& line) {
    return "line " + std::to_string(line.number) + " (" + line.text + ")";
}

}  // namespace

ScenarioRunner::ScenarioRunner(std::vector<ScenarioLine> scenario) : lines(std::move(scenario)) {}

void ScenarioRunner::Add(const ScenarioLine& line) {
    lines.push_back(line);
}

ScenarioRunner::Seen& ScenarioRunner::SeenFor(Kind kind) {
    return kind == Kind::kExpectCommand ? commands : kind == Kind::kExpectEvent ? simEvents : log;
}

void ScenarioRunner::Observe(const LabEvent& event) {
    switch (event.kind) {
        case LabEvent::Kind::kCommand:
            commands.events.push_back(event);
            break;
        case LabEvent::Kind::kSimEvent:
            simEvents.events.push_back(event);
            break;
        case LabEvent::Kind::kLog:
            log.events.push_back(event);
            break;
    }
}

std::vector<std::string> ScenarioRunner::Step(double now, LabPort& port) {
    std::vector<std::string> out;
    while (next < lines.size() && Run(lines[next], now, port, out)) {
        ++next;
        waitUntil = -1.0;
        if (stopAtFailure && !failures.empty()) {
            next = lines.size();
        }
    }
    return out;
}

void ScenarioRunner::Fail(const ScenarioLine& line, const std::string& why,
                          std::vector<std::string>& out) {
    failures.push_back(Describe(line) + ": " + why);
    out.push_back("FAILED " + failures.back());
}

bool ScenarioRunner::Run(const ScenarioLine& line, double now, LabPort& port,
                         std::vector<std::string>& out) {
    if (!line.error.empty()) {
        Fail(line, line.error, out);
        return true;
    }
    if (line.at && now < *line.at) {
        return false;
    }
    switch (line.kind) {
        case Kind::kSet: {
            const CockpitWrite write = CockpitSet(line.target, line.value, port.Block());
            if (!write.error.empty()) {
                Fail(line, write.error, out);
            } else {
                port.Apply(write);
                out.push_back(line.text);
            }
            return true;
        }
        case Kind::kWait:
            if (waitUntil < 0.0) {
                waitUntil = now + line.seconds;
            }
            return now >= waitUntil;
        case Kind::kGsxDoor:
            out.push_back(line.text + ": " + port.Door(line.name, line.value));
            return true;
        case Kind::kJetway:
            port.Jetway(line.name, line.jetwayValue);
            out.push_back(line.text);
            return true;
        case Kind::kQuit:
            quitRequested = true;
            return true;
        case Kind::kHelp:
            out.push_back(ScenarioHelp());
            return true;
        case Kind::kNone:
            return true;
        default:
            return Expect(line, now, port, out);
    }
}

bool ScenarioRunner::Expect(const ScenarioLine& line, double now, LabPort& port,
                            std::vector<std::string>& out) {
    if (waitUntil < 0.0) {
        waitUntil = now + line.seconds;
    }
    const bool last = now >= waitUntil;
    const std::string seen = Check(line, port);
    if (seen.empty()) {
        ++passed;
        out.push_back("ok " + Describe(line));
        return true;
    }
    if (!last) {
        return false;
    }
    Fail(line, "not within " + Seconds(line.seconds) + ": " + seen, out);
    return true;
}

std::string ScenarioRunner::Check(const ScenarioLine& line, LabPort& port) {
    if (line.kind == Kind::kExpectValue) {
        std::string error;
        const std::string read = Reading(line.target, port.Block(), error);
        if (!error.empty()) {
            return error;
        }
        return SameValue(line.value, read) ? "" : line.target + " reads " + read;
    }
    Seen& seen = SeenFor(line.kind);
    for (size_t i = seen.matched; i < seen.events.size(); ++i) {
        if (Matches(line, seen.events[i])) {
            seen.matched = i + 1;
            return "";
        }
    }
    const char* what = line.kind == Kind::kExpectCommand ? "the aircraft received"
                       : line.kind == Kind::kExpectEvent ? "the simulator received"
                                                         : "the log has";
    const size_t count = seen.events.size() - seen.matched;
    if (count == 0) {
        return std::string(what) + " nothing new";
    }
    std::string text = std::string(what) + " ";
    const size_t first = count > kSeenShown ? seen.events.size() - kSeenShown : seen.matched;
    if (first > seen.matched) {
        text += "... ";
    }
    for (size_t i = first; i < seen.events.size(); ++i) {
        text += (i > first ? ", " : "") + EventText(seen.events[i]);
    }
    return text;
}

}  // namespace ulvo::tools
