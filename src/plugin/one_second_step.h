// The plug-in's once-a-second work on the host thread: the aircraft-state check
// that follows a successful open (starting the worker, or closing everything
// again), then the ground-services step while its gate is open.
#pragma once

#include <cstdint>

#include "aircraft/sdk_blocks.h"
#include "plugin/connection_sequences.h"

namespace ulvo::plugin {

struct OneSecondContext {
    int32_t& aircraftStateOk;    // gates the ground-services step
    int32_t& connectionsOpened;  // 1 while the aircraft-state check is pending
    aircraft::Sdk2Block& sdk2Block;
    Connections& connections;
};

void OneSecondStep(OneSecondContext& context);

}  // namespace ulvo::plugin
