#include "simconnect/win/process_state.h"

namespace ulvo::simconnect {

namespace {
ProcessState processState;
}  // namespace

ProcessState& Process() {
    return processState;
}

uint32_t NextConnectionSerial() {
    uint32_t serial = processState.connectionSerial.fetch_add(1) + 1;
    while (serial == 0) {
        serial = processState.connectionSerial.fetch_add(1) + 1;
    }
    return serial;
}

}  // namespace ulvo::simconnect
