// Step 1 of the bridge cycle: turns the digit fields of the 32 display windows in
// SdkBlock into DisplayValues.
#pragma once

#include "bridge/bridge_state.h"

namespace ulvo::bridge {

// Rewrites every DisplayValues entry from the cycle's SdkBlock copy. A position
// that shows no digit discards the digits summed before it; a blank last position
// makes the whole display read 65535.
void DecodeDisplays(BridgeCycle& cycle);

}  // namespace ulvo::bridge
