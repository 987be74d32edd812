// The test patterns builders run on every new panel, as timed writes of the
// aircraft's fields: every lamp and switch bit on, one at a time, every window
// at all eights, and a sweep of every window through the digits 0 to 9. Each
// pattern ends by putting back what the block showed before it.
#pragma once

#include <string_view>
#include <vector>

#include "offsets/cockpit_map.h"

namespace ulvo::tools {

enum class Pattern { kLamps, kWalk, kEights, kSweep };

// "lamps", "walk", "eights", "sweep", and how long each step shows by default.
bool ParsePattern(std::string_view word, Pattern& pattern, double& seconds);

struct PatternStep {
    double at = 0.0;  // seconds after the pattern began
    std::vector<CockpitWrite> writes;
};

// The steps, `seconds` apart; the last one puts back `before`.
std::vector<PatternStep> PatternSteps(Pattern pattern, double seconds, const BlockSnapshot& before);

}  // namespace ulvo::tools
