// State the SimConnect client shares across the process: the platform it runs
// on, the send lock, the list of clients, the counters of clients and of live
// connection objects, the connection serial counter and whether the socket
// library was started.
//
// The library's composition root creates the one process state when the library
// loads, hands it to what makes SimConnect calls, and destroys it when the
// library unloads. The entries the simulator calls (the dispatch entry, the
// channel's bind and deliver callbacks) and the SimConnect_ calls carry no
// context, so they work on the installed state: the one constructed last and not
// yet destroyed. Destroying a state installs again the one it replaced. Tests
// construct their own.
#pragma once

#include <atomic>
#include <cstdint>

#include "common/mutex.h"
#include "simconnect/client_platform.h"

namespace ulvo::simconnect {

class SimConnectClient;

struct ProcessState {
    explicit ProcessState(ClientPlatform& clientPlatform);
    ~ProcessState();
    ProcessState(const ProcessState&) = delete;
    ProcessState& operator=(const ProcessState&) = delete;

    // The installed state, or null.
    static ProcessState* Installed();

    // The next connection serial; 0 is skipped on wrap-around.
    uint32_t NextConnectionSerial();

    ClientPlatform& platform;
    // Guards staging, flushing and freeing of messages across all clients. Taken
    // before any connection lock. A thread that holds it may take it again (the
    // simulator may call back into the library from its entry points).
    RecursiveMutex sendLock;
    // Guards the client list; taken alone, or before the send lock.
    Mutex clientListLock;
    SimConnectClient* firstClient GUARDED_BY(clientListLock) = nullptr;
    SimConnectClient* lastClient GUARDED_BY(clientListLock) = nullptr;
    std::atomic<uint32_t> clientCount{0};
    std::atomic<uint32_t> liveConnections{0};
    std::atomic<uint32_t> connectionSerial{0};
    std::atomic<bool> socketsStarted{false};

    // For tests and measurements: clients ever created.
    std::atomic<uint32_t> clientsCreated{0};

  private:
    ProcessState* const replaced;  // installed before this one
};

}  // namespace ulvo::simconnect
