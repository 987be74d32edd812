// A bridge cycle on fresh tables against the in-memory FSUIPC and a recording
// aircraft command port, for native tests and benchmarks of the worker's steps.
#pragma once

#include <memory>

#include "bridge/bridge_state.h"
#include "bridge/cycle_steps.h"
#include "core/memory_fsuipc.h"
#include "core/recording_command_port.h"
#include "fsuipc/fsuipc_link.h"

namespace ulvo::testbed {

struct MemoryBridge {
    MemoryFsuipc fsuipc;
    fsuipc::FsuipcLink link{fsuipc};
    bridge::WorkerFields plugin;
    std::unique_ptr<bridge::BridgeTables> tables = std::make_unique<bridge::BridgeTables>();
    RecordingCommandPort aircraft;
    bridge::BridgeCycle cycle{plugin, *tables, link, aircraft};

    bool OpenLink() {
        uint32_t code = 0;
        return link.Open(code);
    }

    // The publishing steps: the first five of a worker cycle (no exchange).
    void PublishSteps() {
        for (const bridge::CycleStep& step : bridge::CycleSteps().first(5)) {
            step.run(cycle);
        }
    }
};

}  // namespace ulvo::testbed
