// One whole worker cycle beside its floor. A cycle is what WorkerMain does between
// two waits: copy both aircraft blocks, decode, pack, the three writers, the
// command word with its exchange against the in-memory FSUIPC, and the control
// forwarding. The floor is the bare copy of the 11,044 bytes every cycle makes.
// scripts/bench.sh prints each cycle's cost as a multiple of the floor.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <vector>

#include "bench_sections.h"
#include "bridge/handle_command_word.h"
#include "bridge/worker_main.h"
#include "core/memory_fsuipc.h"
#include "core/recording_command_port.h"

namespace ulvo::bench {
namespace {

using bridge::BridgeTables;

// The worker's wait, which returns at once: each benchmark iteration is one cycle
// of a single WorkerMain run, from one wait to the next. The aircraft changes
// while the worker waits: the views and the other set of sections trade their
// bytes (without copying them). Cycles before the first iteration are not timed.
struct IterationClock final : bridge::WorkerClock {
    std::atomic<int32_t>& running;
    Sections& views;
    Sections* other = nullptr;
    benchmark::State* state = nullptr;  // null: stop after the first cycle
    int64_t now = 0;

    IterationClock(std::atomic<int32_t>& running_, Sections& views_)
        : running(running_), views(views_) {}
    int64_t SteadyNanoseconds() override { return now; }
    void SleepNanoseconds(int64_t nanoseconds) override {
        now += nanoseconds;
        if (state == nullptr || !state->KeepRunning()) {
            running.store(0, std::memory_order_relaxed);
        }
        if (other != nullptr) {
            views.sdk.swap(other->sdk);
            views.sdk2.swap(other->sdk2);
        }
    }
};

// The worker's state against the in-memory FSUIPC, idle: 0x9400 holds -1 and the
// control bytes never change, so no command is posted.
struct CycleRig {
    // A steady aircraft, or with `second` one whose sections take turns.
    explicit CycleRig(const Sections& first, const Sections* second = nullptr)
        : views(first), clock(running, views) {
        if (second != nullptr) {
            other = *second;
            clock.other = &other;
        }
        fsuipc.space.SetU16(bridge::kCommandWordOffset, 0xFFFF);
        uint32_t result = 0;
        link.Open(result);
    }

    // A run of WorkerMain: its first cycle untimed, then one per iteration.
    void Run(benchmark::State& state) {
        clock.state = &state;
        bridge::WorkerMain(context, clock);
        clock.state = nullptr;
    }

    // A run of two cycles; returns the write records of each exchange.
    std::vector<size_t> WritesOfTwoCycles() {
        fsuipc.logExchanges = true;
        fsuipc.exchanges.clear();
        bridge::WorkerMain(context, clock, bridge::CycleSteps());
        bridge::WorkerMain(context, clock, bridge::CycleSteps());
        fsuipc.logExchanges = false;
        std::vector<size_t> writes;
        for (const testbed::FsuipcExchangeLog& exchange : fsuipc.exchanges) {
            writes.push_back(exchange.writes.size());
        }
        return writes;
    }

    testbed::MemoryFsuipc fsuipc;
    fsuipc::FsuipcLink link{fsuipc};
    testbed::RecordingCommandPort aircraft;
    Sections views;
    Sections other;
    std::atomic<int32_t> running{0};
    IterationClock clock;
    bridge::WorkerFields plugin;
    std::unique_ptr<BridgeTables> tables = std::make_unique<BridgeTables>();
    bridge::WorkerContext context{running, views,
                                  bridge::BridgeCycle{plugin, *tables, link, aircraft}};
};

// The 4272 + 6772 = 11,044 bytes every cycle copies, from the sections into the
// blocks.
void BM_BlockCopy(benchmark::State& state) {
    const Sections sections = SteadySections();
    auto tables = std::make_unique<BridgeTables>();
    for (auto _ : state) {
        std::memcpy(tables->sdk2Block.data(), sections.Sdk2View(), aircraft::kSdk2BlockSize);
        std::memcpy(tables->sdkBlock.data(), sections.SdkView(), aircraft::kSdkBlockSize);
        benchmark::DoNotOptimize(tables->sdkBlock.data());
        benchmark::DoNotOptimize(tables->sdk2Block.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) *
                            int64_t(aircraft::kSdkBlockSize + aircraft::kSdk2BlockSize));
}
BENCHMARK(BM_BlockCopy);

// A steady aircraft: everything it shows was published in the run's first
// cycle, so each further cycle's one exchange carries the 23 reads only.
void BM_BridgeCycleSteady(benchmark::State& state) {
    const Sections steady = SteadySections();
    CycleRig rig(steady);
    if (rig.WritesOfTwoCycles() != std::vector<size_t>{kPublishedValues, 0}) {
        state.SkipWithError("a steady aircraft sent write records");
        return;
    }
    rig.Run(state);
    if (!rig.aircraft.posts.empty()) {
        state.SkipWithError("an idle cycle posted a command");
    }
}
BENCHMARK(BM_BridgeCycleSteady);

// Every one of the 145 published values changes in every cycle: each exchange
// carries 145 write records (1931 bytes) before the 23 reads.
void BM_BridgeCycleAllChanging(benchmark::State& state) {
    const Sections steady = SteadySections();
    const Sections changed = ChangedSections();
    CycleRig rig(steady, &changed);
    if (rig.WritesOfTwoCycles() != std::vector<size_t>{kPublishedValues, kPublishedValues}) {
        state.SkipWithError("not every value changed");
        return;
    }
    rig.Run(state);
    if (!rig.aircraft.posts.empty()) {
        state.SkipWithError("an idle cycle posted a command");
    }
}
BENCHMARK(BM_BridgeCycleAllChanging);

}  // namespace
}  // namespace ulvo::bench
