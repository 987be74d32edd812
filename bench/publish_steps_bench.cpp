// The cost of the five publishing steps of a worker cycle (decode displays, pack
// bit-words, write displays, bit-words and further values) for a steady aircraft,
// alone and after the copy of both blocks that every cycle makes anyway.
#include <benchmark/benchmark.h>

#include <cstring>

#include "bench_sections.h"
#include "core/memory_bridge.h"

namespace ulvo::bench {
namespace {

using namespace ulvo::bridge;

struct Bridge : testbed::MemoryBridge {
    // A steady aircraft: everything it shows has been published once.
    explicit Bridge(const Sections& steady) {
        OpenLink();
        CopyBlocks(steady);
        PublishSteps();
        uint32_t code = 0;
        link.Process(code);
    }

    void CopyBlocks(const Sections& sections) {
        std::memcpy(tables->sdkBlock.data(), sections.sdk.data(), aircraft::kSdkBlockSize);
        std::memcpy(tables->sdk2Block.data(), sections.sdk2.data(), aircraft::kSdk2BlockSize);
    }
};

// With `copy`, each cycle first copies the blocks, as the worker does.
void BM_PublishStepsSteady(benchmark::State& state, bool copy) {
    const Sections sections = SteadySections();
    Bridge bridge(sections);
    for (auto _ : state) {
        if (copy) {
            bridge.CopyBlocks(sections);
        }
        bridge.PublishSteps();
        benchmark::ClobberMemory();
    }
    if (bridge.link.QueuedBytes() != 0) {
        state.SkipWithError("a steady aircraft queued records");
    }
}
BENCHMARK_CAPTURE(BM_PublishStepsSteady, StepsOnly, false);
BENCHMARK_CAPTURE(BM_PublishStepsSteady, WithBlockCopy, true);

}  // namespace
}  // namespace ulvo::bench
