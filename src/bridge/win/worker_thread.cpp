#include "bridge/win/worker_thread.h"

#include "aircraft/win/aircraft_platform_win.h"
#include "bridge/win/win32_worker_clock.h"
#include "fsuipc/win/fsuipc_platform_win.h"

namespace ulvo::bridge {

BridgeTables& ProcessBridgeTables() {
    static BridgeTables tables;
    return tables;
}

WorkerContext ProcessWorkerContext(WorkerFields& plugin, std::atomic<int32_t>& workerRunning) {
    aircraft::AircraftLink& aircraft = aircraft::ProcessAircraftLink();
    return WorkerContext{
        workerRunning, aircraft,
        BridgeCycle{plugin, ProcessBridgeTables(), fsuipc::ProcessFsuipcLink(), aircraft}};
}

DWORD WINAPI WorkerThreadMain(LPVOID parameter) {
    Win32WorkerClock clock;  // the timer belongs to this thread's life
    return WorkerMain(*static_cast<WorkerContext*>(parameter), clock);
}

}  // namespace ulvo::bridge
