// ForwardControlChanges: the last bridge step of a worker cycle. It compares the
// control bytes that HandleCommandWord has just read with the values it last
// acted upon and turns every change into aircraft commands: direct values, trains
// of step commands, and set values for eight display windows.
#pragma once

#include "bridge/bridge_state.h"

namespace ulvo::bridge {

void ForwardControlChanges(BridgeCycle& cycle);

// The signed step count of a counter that moved from `last` to `now` (both 0 to
// 255) the short way round: -128 to 128, where a move of exactly 128 counts 128
// steps in its own direction.
double CountSteps(uint32_t now, uint32_t last);

}  // namespace ulvo::bridge
