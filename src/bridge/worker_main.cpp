#include "bridge/worker_main.h"

namespace ulvo::bridge {

namespace {

using aircraft::BlockRefresh;

// Refreshes Sdk2Block, then SdkBlock; a missing view stops the worker. Only the
// first view missing still leaves the fresh Sdk2Block. Returns whether both
// blocks were there, and in `changed` whether either of them changed.
bool CopyBlocks(WorkerContext& context, bool& changed) {
    BridgeTables& tables = context.cycle.tables;
    const BlockRefresh sdk2 = aircraft::RefreshSdk2Block(context.views, tables.sdk2Block);
    const BlockRefresh sdk = sdk2 == BlockRefresh::kNoView
                                 ? BlockRefresh::kNoView
                                 : aircraft::RefreshSdkBlock(context.views, tables.sdkBlock);
    if (sdk == BlockRefresh::kNoView) {
        context.workerRunning.store(0);
        return false;
    }
    changed = sdk2 == BlockRefresh::kChanged || sdk == BlockRefresh::kChanged;
    return true;
}

}  // namespace

uint32_t WorkerMain(WorkerContext& context, WorkerClock& clock, std::span<const CycleStep> steps) {
    BridgeTables& tables = context.cycle.tables;
    // Whether the steps of this run have worked on the blocks as they are now.
    // The first cycle of a run always works them in full: the blocks may have
    // been filled before it (the one-second check copies Sdk2Block).
    bool stepsSawBlocks = false;
    context.workerRunning.store(1);
    do {
        bool changed = true;
        // A stop asked for while the blocks were copied skips the steps.
        if (CopyBlocks(context, changed) && context.workerRunning.load() != 0) {
            tables.blocksAlreadyPublished = stepsSawBlocks && !changed;
            for (const CycleStep& step : steps) {
                step.run(context.cycle);
            }
            stepsSawBlocks = true;
        }
        WaitCycle(clock);
    } while (context.workerRunning.load() != 0);
    tables.blocksAlreadyPublished = false;
    context.workerRunning.store(0);
    return 0;
}

}  // namespace ulvo::bridge
