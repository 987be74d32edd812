// State the SimConnect client shares across the process: the send lock, the list
// of clients, the counters of clients and of live connection objects, the
// connection serial counter and whether the socket library was started.
#pragma once

#include <atomic>
#include <cstdint>

#include "simconnect/win/critical_section.h"

namespace ulvo::simconnect {

class SimConnectClient;

struct ProcessState {
    // Guards staging, flushing and freeing of messages across all clients. Taken
    // before any connection lock.
    CriticalSection sendLock{100};
    // Guards the client list; taken alone, or before the send lock.
    CriticalSection clientListLock{100};
    SimConnectClient* firstClient = nullptr;
    SimConnectClient* lastClient = nullptr;
    std::atomic<uint32_t> clientCount{0};
    std::atomic<uint32_t> liveConnections{0};
    std::atomic<uint32_t> connectionSerial{0};
    std::atomic<bool> socketsStarted{false};

    // For tests and measurements: clients ever created, waits for a busy pipe.
    std::atomic<uint32_t> clientsCreated{0};
    std::atomic<uint32_t> busyPipeWaits{0};
};

// Created when the library loads and deleted when it unloads.
ProcessState& Process();

// The next connection serial; 0 is skipped on wrap-around.
uint32_t NextConnectionSerial();

}  // namespace ulvo::simconnect
