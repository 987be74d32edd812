// Runs scenario lines against the lab: each line when its time has come, in
// order; a `set` through the cockpit map, an `expect` against what the lab has
// seen (the aircraft's commands, the simulator's events, the plug-in's log) or
// what FSUIPC holds. Portable: the lab behind it is a LabPort.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "offsets/value_text.h"
#include "offsets/cockpit_map.h"
#include "panel_lab/scenario.h"

namespace ulvo::tools {

// What the runner asks of the lab.
class LabPort {
  public:
    virtual ~LabPort() = default;
    virtual BlockSnapshot Block() = 0;  // what an FSUIPC client reads now
    virtual void Apply(const CockpitWrite& write) = 0;
    // GSX asks for a door ("exit", "service", "cargo"; "open", "close", "toggle").
    // Returns what the lab does about it, for the user.
    virtual std::string Door(const std::string& door, const std::string& action) = 0;
    // GSX reports the jetway's "power" or "air".
    virtual void Jetway(const std::string& which, double value) = 0;
};

// Something the lab saw happen, which an expect can wait for.
struct LabEvent {
    enum class Kind { kCommand, kSimEvent, kLog };
    Kind kind = Kind::kCommand;
    uint32_t code = 0;  // a command's code and value
    int64_t value = 0;
    std::string text;  // an event's name, a log line
};

class ScenarioRunner {
  public:
    explicit ScenarioRunner(std::vector<ScenarioLine> lines = {});

    // Interactive lines join at the end.
    void Add(const ScenarioLine& line);
    void Observe(const LabEvent& event);

    // Runs what is due at `now` (seconds since the start). Returns the lines to
    // show the user: what was done, "ok ..." and "FAILED ..." for expects.
    std::vector<std::string> Step(double now, LabPort& port);

    // Every line has run (or failed).
    bool Done() const { return next >= lines.size(); }
    // Stop at the first failure (a scenario file) or go on (the prompt).
    bool stopAtFailure = true;
    bool quitRequested = false;
    size_t Passed() const { return passed; }
    size_t Failed() const { return failures.size(); }
    const std::vector<std::string>& Failures() const { return failures; }

  private:
    struct Seen {
        std::vector<LabEvent> events;
        size_t matched = 0;  // events before this one are used up by earlier expects
    };
    // Runs line `next`; false while it must wait.
    bool Run(const ScenarioLine& line, double now, LabPort& port, std::vector<std::string>& out);
    bool Expect(const ScenarioLine& line, double now, LabPort& port, std::vector<std::string>& out);
    // Empty when the condition holds (an event that matches is used up), else
    // what was seen instead.
    std::string Check(const ScenarioLine& line, LabPort& port);
    Seen& SeenFor(ScenarioLine::Kind kind);
    void Fail(const ScenarioLine& line, const std::string& why, std::vector<std::string>& out);

    std::vector<ScenarioLine> lines;
    size_t next = 0;
    double waitUntil = -1.0;  // the running line's deadline, while it waits
    Seen commands, simEvents, log;
    size_t passed = 0;
    std::vector<std::string> failures;
};

}  // namespace ulvo::tools
