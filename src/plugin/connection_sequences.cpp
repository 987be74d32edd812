#include "plugin/connection_sequences.h"

namespace ulvo::plugin {

namespace {

// How often a waiting close clears the worker's flag again: one worker wait.
constexpr uint32_t kWorkerWaitSliceMs = 5;

// Stops the worker and waits until its thread has ended.
//
// The worker sets its flag on entry, so a close that comes right after the thread
// was created may find the flag still clear while the thread is starting: the
// thread, not the flag, says whether a worker exists, and the flag is cleared
// again at every slice of the wait. The thread line is written only for a set
// flag.
//
// The wait has no limit. A cycle ends within about 5 ms, well inside the 1000 ms
// that a stop ordinarily takes at most; but a worker inside a slow FSUIPC
// exchange (up to 9 x 2000 ms, twice in a cycle that performs a command) still
// uses the FSUIPC buffer and the aircraft views, which the close releases next,
// so the close waits for as long as that takes rather than free them under it.
void StopWorker(Connections& connections) {
    if (connections.workerRunning.load() != 0) {
        connections.log.LogLine("Closing ulvo2fsuipc thread if it was running.");
    }
    connections.workerRunning.store(0);
    WorkerThreadPort& thread = connections.workerThread;
    if (!thread.Exists()) {
        return;
    }
    while (!thread.WaitForEnd(kWorkerWaitSliceMs)) {
        connections.workerRunning.store(0);
    }
    // Also the handle of a worker that stopped by itself goes here.
    thread.Release();
}

}  // namespace

bool OpenConnections(Connections& connections) {
    if (!groundservices::SimConnectSetUp(connections.groundServices)) {
        CloseConnections(connections);
        return false;
    }
    // The reason for a failed open stays in fsuipcResult and is not logged.
    if (!connections.fsuipc.Open(connections.fsuipcResult)) {
        connections.log.LogLine("FSUIPC SDK did not start.");
        CloseConnections(connections);
        return false;
    }
    connections.log.LogLine("FSUIPC started.");
    if (!connections.aircraft.Attach(connections.log)) {
        CloseConnections(connections);
        return false;
    }
    return true;
}

void CloseConnections(Connections& connections) {
    StopWorker(connections);
    connections.log.LogLine("Closing FSUIPC if it was open.");
    connections.fsuipc.Close();
    groundservices::SimConnectTearDown(connections.groundServices);
    connections.aircraft.Detach(connections.log);
}

bool AnyConnectionStands(const Connections& connections) {
    const aircraft::AircraftLink& aircraft = connections.aircraft;
    return connections.workerRunning.load() != 0 || connections.workerThread.Exists() ||
           connections.fsuipc.IsOpen() || connections.groundServices.plugin.simConnect != nullptr ||
           aircraft.SdkView() != nullptr || aircraft.SdkMapping() != 0 ||
           aircraft.Sdk2View() != nullptr || aircraft.Sdk2Mapping() != 0;
}

}  // namespace ulvo::plugin
