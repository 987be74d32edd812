#include "bridge/worker_main.h"

namespace ulvo::bridge {

namespace {

// Copies Sdk2Block, then SdkBlock; a missing view stops the worker. Only the
// first view missing still leaves the fresh Sdk2Block.
bool CopyBlocks(WorkerContext& context) {
    BridgeTables& tables = context.cycle.tables;
    if (!aircraft::CopySdk2Block(context.views, tables.sdk2Block) ||
        !aircraft::CopySdkBlock(context.views, tables.sdkBlock)) {
        context.workerRunning.store(0);
        return false;
    }
    return true;
}

}  // namespace

uint32_t WorkerMain(WorkerContext& context, WorkerClock& clock, std::span<const CycleStep> steps) {
    context.workerRunning.store(1);
    do {
        // A stop asked for while the blocks were copied skips the steps.
        if (CopyBlocks(context) && context.workerRunning.load() != 0) {
            for (const CycleStep& step : steps) {
                step.run(context.cycle);
            }
        }
        WaitCycle(clock);
    } while (context.workerRunning.load() != 0);
    context.workerRunning.store(0);
    return 0;
}

}  // namespace ulvo::bridge
