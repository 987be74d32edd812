// The order in which the plug-in opens and closes its outside connections: the
// SimConnect client (with its registrations), the FSUIPC link, the aircraft's
// two sections, and the worker thread that uses all of them. Both sequences run
// on the host thread and log every step.
#pragma once

#include <atomic>
#include <cstdint>

#include "aircraft/aircraft_link.h"
#include "common/log_sink.h"
#include "fsuipc/fsuipc_link.h"
#include "groundservices/ground_services.h"
#include "plugin/worker_thread_port.h"

namespace ulvo::plugin {

// Everything the sequences open and close, and the log they write to.
struct Connections {
    groundservices::GroundServicesContext groundServices;  // SimConnect set-up and tear-down
    fsuipc::FsuipcLink& fsuipc;
    uint32_t& fsuipcResult;
    aircraft::AircraftLink& aircraft;
    std::atomic<int32_t>& workerRunning;
    WorkerThreadPort& workerThread;
    LogSink& log;
};

// Opens SimConnect, FSUIPC, then the aircraft, giving up at the first failure
// and closing whatever stands. True when all but the worker stand.
bool OpenConnections(Connections& connections);

// Stops the worker and closes FSUIPC, SimConnect and the aircraft sections, each
// step only when its connection exists. Safe in any state, also twice in a row.
void CloseConnections(Connections& connections);

// Something the close sequence would stop or release still stands.
bool AnyConnectionStands(const Connections& connections);

}  // namespace ulvo::plugin
