// Step 5 of the bridge cycle: publishes the 67 further values straight from
// SdkBlock, each when its source changed since it was last handed to FSUIPC.
#pragma once

#include "bridge/bridge_state.h"

namespace ulvo::bridge {

void WriteFurtherOffsets(BridgeCycle& cycle);

}  // namespace ulvo::bridge
