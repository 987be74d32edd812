// Step 3 of the bridge cycle: finishes DisplayValues (all-eights and minus rules)
// and publishes each display that changed as a 16-bit value at 0x9430 + 2 x NN.
#pragma once

#include "bridge/bridge_state.h"

namespace ulvo::bridge {

void WriteDisplayOffsets(BridgeCycle& cycle);

}  // namespace ulvo::bridge
