// Runs scenario lines against the lab, in order, each when its time has come:
// a `set` through the cockpit map, an `expect` against what the lab has seen or
// what FSUIPC holds, every other line through the lab's port. A line that
// changes the plug-in's world is in force before the next line runs: the next
// line waits until the plug-in has worked a whole cycle after it, so no
// expectation is judged on a state that an earlier line has changed. Portable:
// the lab behind it is a LabPort.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "panel_lab/expectation.h"
#include "panel_lab/lab_event.h"
#include "panel_lab/lab_port.h"
#include "panel_lab/scenario.h"

namespace ulvo::tools {

// How long a line waits for the plug-in to take it up: its worker may not run
// (after `aircraft other`, or with FSUIPC restarted), and then the lab goes on.
constexpr double kTakeUpLimit = 1.0;

class ScenarioRunner {
  public:
    explicit ScenarioRunner(std::vector<ScenarioLine> lines = {});

    // Lines typed at the prompt join at the end.
    void Add(const ScenarioLine& line);
    // What the lab saw: commands, simulator events and log lines are kept for
    // the expectations.
    void Observe(const LabEvent& event);

    // Runs what is due at `now` (seconds since the start); returns what the lines
    // did: kLine, kPassed, kFailed and kNote events.
    std::vector<LabEvent> Step(double now, LabPort& port);

    // Every line has run (or failed).
    bool Done() const { return next >= lines.size(); }
    // Stop at the first failure (a scenario file) or go on (the prompt).
    bool stopAtFailure = true;
    bool QuitRequested() const { return quitRequested; }
    size_t Passed() const { return passed; }
    size_t Failed() const { return failures.size(); }
    const std::vector<std::string>& Failures() const { return failures; }
    // What `watch` and `timing` asked for: the offsets whose changes to show
    // (empty: all), and whether to show times.
    const std::vector<uint32_t>& Watching() const { return watching; }
    bool Timing() const { return timing; }

  private:
    // The line being run, as far as it got.
    struct Running {
        double started = -1.0;         // when its first run began; -1 before
        size_t runs = 0;               // runs done (a repeated line runs several times)
        std::optional<uint64_t> mark;  // a write waiting to be taken up
        double applied = 0.0;
        double countSince = -1.0;  // expect command xN
        std::vector<PatternStep> pattern;
        size_t patternStep = 0;
    };

    // Runs the current line; false while it must wait.
    bool Run(const ScenarioLine& line, double now, LabPort& port);
    // One run of the line's action; false while it must wait.
    bool RunOnce(const ScenarioLine& line, double now, LabPort& port);
    bool Set(const ScenarioLine& line, double now, LabPort& port);
    bool Pattern(const ScenarioLine& line, double now, LabPort& port);
    bool Expect(const ScenarioLine& line, double now, LabPort& port);
    // The last write has been taken up, or waited for long enough.
    bool TakenUp(const ScenarioLine& line, double now, LabPort& port);
    void Say(LabEvent::Kind kind, const ScenarioLine& line, double now, std::string detail = "");
    void Fail(const ScenarioLine& line, double now, const std::string& why);

    std::vector<ScenarioLine> lines;
    size_t next = 0;
    Running running;
    SeenEvents seen;
    std::vector<LabEvent> out;
    size_t passed = 0;
    std::vector<std::string> failures;
    bool quitRequested = false;
    std::vector<uint32_t> watching;
    bool timing = false;
};

}  // namespace ulvo::tools
