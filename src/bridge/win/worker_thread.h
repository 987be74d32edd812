// The worker thread on Windows: its entry point for CreateThread and the
// process-wide pieces it runs on.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>

#include "bridge/bridge_state.h"
#include "bridge/worker_main.h"

namespace ulvo::bridge {

// The library's bridge tables: zero at load and never reset.
BridgeTables& ProcessBridgeTables();

// A worker context over the library's tables, FSUIPC link and aircraft link, for
// the plug-in object's own fields and running flag. The plug-in keeps it for its
// whole life and hands its address to WorkerThreadMain.
WorkerContext ProcessWorkerContext(WorkerFields& plugin, std::atomic<int32_t>& workerRunning);

// The thread procedure: `parameter` is a WorkerContext that outlives the thread.
// Runs WorkerMain with a clock on a high-resolution timer and returns its result.
DWORD WINAPI WorkerThreadMain(LPVOID parameter);

}  // namespace ulvo::bridge
