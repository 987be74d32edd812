// Step 4 of the bridge cycle: publishes the low byte of each bit-word whose 32
// bits changed since it was last handed to FSUIPC.
#pragma once

#include "bridge/bridge_state.h"

namespace ulvo::bridge {

void WriteBitWordOffsets(BridgeCycle& cycle);

}  // namespace ulvo::bridge
