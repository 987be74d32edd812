#include "panel_lab/expectation.h"

#include <cstdio>

#include "offsets/command_names.h"

namespace ulvo::tools {

namespace {

using Kind = ScenarioLine::Kind;
using State = Verdict::State;
constexpr size_t kSeenShown = 8;  // events a failure lists

std::string Seconds(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f s", seconds);
    return text;
}

std::string EventWords(const LabEvent& event) {
    return event.kind == LabEvent::Kind::kCommand ? NamedCommandText(event.code, event.value)
                                                  : event.text;
}

bool Matches(const ScenarioLine& line, const LabEvent& event) {
    switch (line.kind) {
        case Kind::kExpectCommand:
            return event.code == line.code &&
                   (!line.commandValue || *line.commandValue == event.value);
        case Kind::kExpectNoCommand:
            return true;
        case Kind::kExpectEvent:
        case Kind::kExpectLog:
            return event.text == line.name;
        default:
            return false;
    }
}

Verdict Holds(std::string notice = "") {
    return {State::kHolds, std::move(notice)};
}

Verdict Waits(bool last, const ScenarioLine& line, const std::string& seen) {
    if (!last) {
        return {State::kWaits, ""};
    }
    return {State::kFails, "not within " + Seconds(line.seconds) + ": " + seen};
}

}  // namespace

void SeenEvents::Add(const LabEvent& event) {
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
        default:
            break;
    }
}

SeenEvents::Seen& SeenEvents::Of(Kind kind) {
    return kind == Kind::kExpectEvent ? simEvents : kind == Kind::kExpectLog ? log : commands;
}

std::string SeenEvents::Listed(const ScenarioLine& line, const Seen& seen) {
    const char* what = line.kind == Kind::kExpectEvent ? "the simulator received"
                       : line.kind == Kind::kExpectLog ? "the log has"
                                                       : "the aircraft received";
    const size_t count = seen.events.size() - seen.used;
    if (count == 0) {
        return std::string(what) + " nothing new";
    }
    std::string text = std::string(what) + " ";
    const size_t first = count > kSeenShown ? seen.events.size() - kSeenShown : seen.used;
    if (first > seen.used) {
        text += "... ";
    }
    for (size_t i = first; i < seen.events.size(); ++i) {
        text += (i > first ? ", " : "") + EventWords(seen.events[i]);
    }
    return text;
}

Verdict SeenEvents::Events(const ScenarioLine& line, bool last, double now, double& countSince) {
    Seen& seen = Of(line.kind);
    std::vector<size_t> matches;
    for (size_t i = seen.used; i < seen.events.size(); ++i) {
        if (Matches(line, seen.events[i])) {
            matches.push_back(i);
        }
    }
    if (line.kind == Kind::kExpectNoCommand) {
        return !matches.empty() ? Verdict{State::kFails, Listed(line, seen)}
               : last           ? Holds()
                                : Verdict{};
    }
    const size_t wanted = line.count == 0 ? 1 : line.count;
    if (matches.size() > wanted && line.count != 0) {
        return {State::kFails, "the aircraft received it " + std::to_string(matches.size()) +
                                   " times: " + Listed(line, seen)};
    }
    if (matches.size() < wanted) {
        countSince = -1.0;
        const std::string counted = line.count == 0 || matches.empty()
                                        ? ""
                                        : "only " + std::to_string(matches.size()) + " times: ";
        return Waits(last, line, counted + Listed(line, seen));
    }
    if (line.count != 0) {
        countSince = countSince < 0.0 ? now : countSince;
        if (now < countSince + kCountSettles && !last) {
            return {};
        }
    }
    seen.used = matches[wanted - 1] + 1;
    return Holds();
}

Verdict SeenEvents::Judge(const ScenarioLine& line, double now, double started, double& countSince,
                          const BlockSnapshot& block) {
    const bool last = now >= started + line.seconds;
    if (line.kind == Kind::kExpectRaw) {
        const uint32_t raw = block.Raw(*EntryAt(line.offset));
        return raw == line.raw ? Holds() : Waits(last, line, [&] {
            char text[64];
            std::snprintf(text, sizeof text, "0x%04X reads 0x%0*X", unsigned(line.offset),
                          int(2 * EntryAt(line.offset)->size), unsigned(raw));
            return std::string(text);
        }());
    }
    if (line.kind == Kind::kExpectValue) {
        OffsetTarget target;
        ReadTarget(line.target, target);
        const OffsetValue value = ReadValue(target, line.value);
        if (ReadingAt(target, block) == value.raw) {
            return Holds(value.notice);
        }
        return Waits(last, line,
                     line.target + " reads " + ReadingText(target, block) +
                         (value.notice.empty() ? "" : " (" + value.notice + ")"));
    }
    return Events(line, last, now, countSince);
}

}  // namespace ulvo::tools
