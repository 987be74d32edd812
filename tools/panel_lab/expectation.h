// Judging `expect` lines: what the lab has seen that they wait for (the
// aircraft's commands, the simulator's events, the plug-in's log lines, each in
// order) and what FSUIPC holds. An expectation that held on an event uses up
// that event and every earlier one of its kind, so the next expectation of the
// kind looks only at what came after.
#pragma once

#include <string>
#include <vector>

#include "panel_lab/lab_event.h"
#include "panel_lab/scenario.h"

namespace ulvo::tools {

// `expect command ... xN` holds once exactly N have come and no further one for
// this long (or the line's limit has come).
constexpr double kCountSettles = 0.25;

struct Verdict {
    enum class State { kHolds, kWaits, kFails };
    State state = State::kWaits;
    std::string why;  // kFails: what the lab saw instead; kHolds: a notice, if any
};

class SeenEvents {
  public:
    // Keeps commands, simulator events and log lines; other events pass.
    void Add(const LabEvent& event);

    // Judges an expect line at `now`; it began at `started`. `countSince` is the
    // line's own memory of when its count of commands last changed (start at -1).
    Verdict Judge(const ScenarioLine& line, double now, double started, double& countSince,
                  const BlockSnapshot& block);

  private:
    struct Seen {
        std::vector<LabEvent> events;
        size_t used = 0;  // events before this one are used up by earlier expects
    };
    Seen& Of(ScenarioLine::Kind kind);
    Verdict Events(const ScenarioLine& line, bool last, double now, double& countSince);
    static std::string Listed(const ScenarioLine& line, const Seen& seen);

    Seen commands, simEvents, log;
};

}  // namespace ulvo::tools
