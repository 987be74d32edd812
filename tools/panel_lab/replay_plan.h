// How the panel lab replays a recording of `ulvo-monitor.exe --record`. What the
// aircraft showed is replayed exactly, each value at its recorded time. What
// programs wrote is in a recording only as far as a sample caught it: a command
// word when a sample came before the plug-in cleared it (most do not), a counter
// as its value at each sample. So the first recorded value of every offset that
// programs write is taken as where it stood (writing it would be a command, or a
// burst of that many knob steps, that the recording does not hold); after that a
// command code is written again each time a sample shows a new one, a direct
// control's new value is written as it is, and a counter is moved by the steps
// between two samples, from wherever the lab's counter stands.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "offsets/cockpit_map.h"
#include "offsets/recording.h"

namespace ulvo::tools {

struct ReplayStep {
    enum class Kind { kAircraft, kBytes, kSteps };
    double seconds = 0.0;
    uint32_t offset = 0;
    Kind kind = Kind::kAircraft;
    CockpitWrite write;  // kAircraft: the fields; kBytes: the bytes to write
    int32_t steps = 0;   // kSteps: how far the counter moves, -128 to 128, not 0
    std::string error;   // why the value cannot be replayed; empty when it can
};

// The steps in the recording's order; values that change nothing are left out.
std::vector<ReplayStep> ReplayPlan(const Recording& recording);

}  // namespace ulvo::tools
