#include "panel_lab/scenario_runner.h"

#include "bridge/handle_command_word.h"

namespace ulvo::tools {

namespace {

using Kind = ScenarioLine::Kind;

std::string Of(const ScenarioLine& line, size_t run) {
    return line.repeat > 1
               ? " (" + std::to_string(run + 1) + " of " + std::to_string(line.repeat) + ")"
               : "";
}

}  // namespace

ScenarioRunner::ScenarioRunner(std::vector<ScenarioLine> scenario) : lines(std::move(scenario)) {}

void ScenarioRunner::Add(const ScenarioLine& line) {
    lines.push_back(line);
}

void ScenarioRunner::Observe(const LabEvent& event) {
    seen.Add(event);
}

std::vector<LabEvent> ScenarioRunner::Step(double now, LabPort& port) {
    out.clear();
    while (next < lines.size() && Run(lines[next], now, port)) {
        ++next;
        running = Running{};
        if (stopAtFailure && !failures.empty()) {
            next = lines.size();
        }
    }
    return std::move(out);
}

void ScenarioRunner::Say(LabEvent::Kind kind, const ScenarioLine& line, double now,
                         std::string detail) {
    LabEvent event;
    event.kind = kind;
    event.seconds = now;
    event.line = line.number;
    event.text = line.text;
    event.detail = std::move(detail);
    out.push_back(std::move(event));
}

void ScenarioRunner::Fail(const ScenarioLine& line, double now, const std::string& why) {
    failures.push_back("line " + std::to_string(line.number) + " (" + line.text + "): " + why);
    Say(LabEvent::Kind::kFailed, line, now, why);
}

bool ScenarioRunner::Run(const ScenarioLine& line, double now, LabPort& port) {
    if (!line.error.empty()) {
        Fail(line, now, line.error);
        return true;
    }
    if (running.started < 0.0) {
        if (line.at && now < *line.at) {
            return false;
        }
        running.started = now;
    }
    while (running.runs < line.repeat) {
        if (now < running.started + double(running.runs) * line.every) {
            return false;  // the next run of a repeat is not due yet
        }
        const size_t failed = failures.size();
        if (!RunOnce(line, now, port)) {
            return false;
        }
        if (failures.size() != failed) {
            return true;
        }
        ++running.runs;
        running.mark.reset();
        running.countSince = -1.0;
    }
    return true;
}

bool ScenarioRunner::TakenUp(const ScenarioLine& line, double now, LabPort& port) {
    if (port.TakenUp(*running.mark)) {
        return true;
    }
    if (now < running.applied + kTakeUpLimit) {
        return false;
    }
    LabEvent note;
    note.kind = LabEvent::Kind::kNote;
    note.seconds = now;
    note.line = line.number;
    note.text = "line " + std::to_string(line.number) +
                ": the plug-in did not take it up within 1 s (its worker does not run)";
    out.push_back(note);
    return true;
}

bool ScenarioRunner::Set(const ScenarioLine& line, double now, LabPort& port) {
    if (!running.mark) {
        const CockpitWrite write = CockpitSet(line.target, line.value, port.Block());
        if (!write.error.empty()) {
            Fail(line, now, write.error);
            return true;
        }
        running.mark = port.Apply(write);
        running.applied = now;
        Say(LabEvent::Kind::kLine, line, now, write.notice);
        out.back().text += Of(line, running.runs);
    }
    return TakenUp(line, now, port);
}

bool ScenarioRunner::Pattern(const ScenarioLine& line, double now, LabPort& port) {
    if (running.pattern.empty()) {
        running.pattern = PatternSteps(line.pattern, line.seconds, port.Block());
        Say(LabEvent::Kind::kLine, line, now,
            std::to_string(running.pattern.size() - 1) + " steps, then back as before");
    }
    std::vector<PatternStep>& steps = running.pattern;
    while (running.patternStep < steps.size() &&
           now >= running.started + steps[running.patternStep].at) {
        for (const CockpitWrite& write : steps[running.patternStep].writes) {
            running.mark = port.Apply(write);
        }
        running.applied = now;
        ++running.patternStep;
    }
    return running.patternStep == steps.size() && (!running.mark || TakenUp(line, now, port));
}

bool ScenarioRunner::Expect(const ScenarioLine& line, double now, LabPort& port) {
    const double started = running.started + double(running.runs) * line.every;
    const Verdict verdict = seen.Judge(line, now, started, running.countSince, port.Block());
    switch (verdict.state) {
        case Verdict::State::kWaits:
            return false;
        case Verdict::State::kHolds:
            ++passed;
            Say(LabEvent::Kind::kPassed, line, now, verdict.why);
            return true;
        case Verdict::State::kFails:
            Fail(line, now, verdict.why);
            return true;
    }
    return true;
}

bool ScenarioRunner::RunOnce(const ScenarioLine& line, double now, LabPort& port) {
    if (line.kind == Kind::kSet) {
        return Set(line, now, port);
    }
    if (line.kind == Kind::kPattern) {
        return Pattern(line, now, port);
    }
    if (running.mark) {
        return TakenUp(line, now, port);  // a line done, waiting to be in force
    }
    switch (line.kind) {
        case Kind::kSet:
        case Kind::kPattern:
            break;
        case Kind::kWait:
            return now >= running.started + line.seconds;
        case Kind::kExpectValue:
        case Kind::kExpectRaw:
        case Kind::kExpectCommand:
        case Kind::kExpectNoCommand:
        case Kind::kExpectEvent:
        case Kind::kExpectLog:
            return Expect(line, now, port);
        case Kind::kFsuipcSet:
            port.FsuipcSet(line.offset, line.size, line.raw);
            break;
        case Kind::kFsuipcRestart:
            port.FsuipcRestart();
            break;
        case Kind::kGsxDoor:
            Say(LabEvent::Kind::kLine, line, now, port.Door(line.door, line.action));
            return true;
        case Kind::kJetway:
            port.Jetway(line.jetway, line.amount);
            break;
        case Kind::kAircraftReload:
        case Kind::kAircraftOther:
            port.AircraftLoaded(line.kind == Kind::kAircraftOther);
            break;
        case Kind::kSelector: {
            // Not published: commands 636 and 637 read it in the worker's cycle.
            CockpitWrite write;
            write.fields.push_back({AircraftBlock::kSdk, bridge::kSelectorPositionOffset, false,
                                    line.amount, std::nullopt});
            running.mark = port.Apply(write);
            running.applied = now;
            break;
        }
        case Kind::kSimConnectFail:
            port.SimConnectFail();
            break;
        case Kind::kWatch:
            watching = line.watch;
            break;
        case Kind::kTiming:
            timing = line.on;
            break;
        case Kind::kQuit:
            quitRequested = true;
            return true;
        case Kind::kHelp:
            Say(LabEvent::Kind::kNote, line, now);
            out.back().text = ScenarioHelp();
            return true;
        case Kind::kNone:
            return true;
    }
    Say(LabEvent::Kind::kLine, line, now);
    out.back().text += Of(line, running.runs);
    return !running.mark || TakenUp(line, now, port);
}

}  // namespace ulvo::tools
