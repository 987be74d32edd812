// WorkerMain: the worker thread's loop. Each cycle copies both aircraft blocks,
// runs the cycle's steps and waits 5 ms, until workerRunning is cleared: by the
// host thread to stop it, or by the worker itself when a view is missing.
#pragma once

#include <atomic>
#include <cstdint>
#include <span>

#include "aircraft/aircraft_views.h"
#include "bridge/bridge_state.h"
#include "bridge/cycle_steps.h"
#include "bridge/worker_clock.h"

namespace ulvo::bridge {

// What the worker runs on; the plug-in object provides it. workerRunning is the
// only field that both threads write.
struct WorkerContext {
    std::atomic<int32_t>& workerRunning;
    const aircraft::AircraftViews& views;
    BridgeCycle cycle;
};

// Sets workerRunning, loops, clears workerRunning and returns 0.
uint32_t WorkerMain(WorkerContext& context, WorkerClock& clock,
                    std::span<const CycleStep> steps = CycleSteps());

}  // namespace ulvo::bridge
