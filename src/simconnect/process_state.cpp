#include "simconnect/process_state.h"

namespace ulvo::simconnect {

namespace {
std::atomic<ProcessState*> installed{nullptr};
}  // namespace

ProcessState::ProcessState(ClientPlatform& clientPlatform)
    : platform(clientPlatform), replaced(installed.exchange(this)) {}

// States nest: each one ends before the state it replaced.
ProcessState::~ProcessState() {
    ProcessState* self = this;
    installed.compare_exchange_strong(self, replaced);
}

ProcessState* ProcessState::Installed() {
    return installed.load();
}

uint32_t ProcessState::NextConnectionSerial() {
    uint32_t serial = connectionSerial.fetch_add(1) + 1;
    while (serial == 0) {
        serial = connectionSerial.fetch_add(1) + 1;
    }
    return serial;
}

}  // namespace ulvo::simconnect
