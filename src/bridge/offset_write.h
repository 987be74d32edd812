// Queues one FSUIPC write record for a publishing step. The publishing steps keep
// in fsuipcResult whether the record was appended (1) or not (0), not a result
// code: a closed link or a full buffer both give 0, and the value is not retried.
#pragma once

#include <cstdint>

#include "bridge/bridge_state.h"

namespace ulvo::bridge {

inline void QueueOffsetWrite(BridgeCycle& cycle, uint32_t offset, uint32_t size,
                             const uint8_t* data) {
    uint32_t code = 0;
    cycle.plugin.fsuipcResult = cycle.fsuipc.Write(offset, size, data, code) ? 1 : 0;
}

}  // namespace ulvo::bridge
