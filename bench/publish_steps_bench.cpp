// The cost of the five publishing steps of a worker cycle (decode displays, pack
// bit-words, write displays, bit-words and further values) beside the bare copy of
// both aircraft blocks that every cycle makes anyway.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "bridge/decode_displays.h"
#include "bridge/further_table.h"
#include "bridge/pack_bit_words.h"
#include "bridge/write_bit_word_offsets.h"
#include "bridge/write_display_offsets.h"
#include "bridge/write_further_offsets.h"
#include "common/little_endian.h"
#include "core/memory_bridge.h"

namespace ulvo::bridge {
namespace {

// The aircraft's two sections as the worker maps them (one byte more than copied).
struct Sections {
    std::vector<uint8_t> sdk = std::vector<uint8_t>(aircraft::kSdkViewSize);
    std::vector<uint8_t> sdk2 = std::vector<uint8_t>(aircraft::kSdk2ViewSize);

    // Every 32-bit field holds `whole` and every real source `real`: two sections
    // made with different values differ in every published value.
    Sections(int32_t whole, double real) {
        for (size_t offset = 0; offset + 4 <= aircraft::kSdkBlockSize; offset += 4) {
            StoreU32(&sdk[offset], uint32_t(whole));
        }
        for (size_t offset = 0; offset + 4 <= aircraft::kSdk2BlockSize; offset += 4) {
            StoreU32(&sdk2[offset], uint32_t(whole));
        }
        for (const FurtherRecord& record : kFurtherRecords) {
            if (record.type == FurtherSource::kReal) {
                StoreF64(&sdk[record.source], real);
            }
        }
    }
};

struct Bridge : testbed::MemoryBridge {
    Bridge() { OpenLink(); }

    void CopyBlocks(const Sections& sections) {
        std::memcpy(tables->sdkBlock.data(), sections.sdk.data(), aircraft::kSdkBlockSize);
        std::memcpy(tables->sdk2Block.data(), sections.sdk2.data(), aircraft::kSdk2BlockSize);
    }

    void PublishSteps() {
        DecodeDisplays(cycle);
        PackBitWords(cycle);
        WriteDisplayOffsets(cycle);
        WriteBitWordOffsets(cycle);
        WriteFurtherOffsets(cycle);
    }

    void Exchange() {
        uint32_t code = 0;
        link.Process(code);
    }

    // A steady aircraft: everything it shows has been published once.
    explicit Bridge(const Sections& steady) : Bridge() {
        CopyBlocks(steady);
        PublishSteps();
        Exchange();
    }
};

// The 4272 + 6772 = 11,044 bytes every cycle copies.
void BM_BlockCopy(benchmark::State& state) {
    Sections sections(1, 1.5);
    Bridge bridge;
    for (auto _ : state) {
        bridge.CopyBlocks(sections);
        benchmark::DoNotOptimize(bridge.tables->sdkBlock.data());
        benchmark::DoNotOptimize(bridge.tables->sdk2Block.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) *
                            int64_t(aircraft::kSdkBlockSize + aircraft::kSdk2BlockSize));
}
BENCHMARK(BM_BlockCopy);

// A steady aircraft: the steps run and queue nothing. With `copy`, each cycle
// first copies the blocks, as the worker does.
void BM_PublishStepsSteady(benchmark::State& state, bool copy) {
    const Sections sections(1, 1.5);
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

// Every one of the 145 published values changes in every cycle: the block copy,
// the steps, and the exchange that carries their 1931 bytes of records to the
// in-memory FSUIPC (which also empties the queue for the next cycle).
void BM_CopyAndPublishStepsEveryValueChanging(benchmark::State& state) {
    const Sections sections[2] = {Sections(1, 1.5), Sections(0, 2.5)};
    Bridge bridge;
    size_t next = 0;
    for (auto _ : state) {
        bridge.CopyBlocks(sections[next]);
        next ^= 1;
        bridge.PublishSteps();
        if (bridge.link.QueuedBytes() != 1931) {
            state.SkipWithError("not every value changed");
            break;
        }
        bridge.Exchange();
    }
}
BENCHMARK(BM_CopyAndPublishStepsEveryValueChanging);

}  // namespace
}  // namespace ulvo::bridge
