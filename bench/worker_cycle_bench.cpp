// The cost of the worker's own part of a cycle: the command word step when idle
// (23 reads and one exchange against an in-memory FSUIPC), and a whole idle cycle
// of WorkerMain (both block copies and every step) without its wait.
#include <benchmark/benchmark.h>

#include <atomic>
#include <memory>

#include "aircraft/aircraft_link.h"
#include "bridge/handle_command_word.h"
#include "bridge/worker_main.h"
#include "core/memory_aircraft.h"
#include "core/memory_fsuipc.h"

namespace ulvo::bridge {
namespace {

struct Quiet final : LogSink {
    void LogLine(std::string_view) override {}
};

// A clock whose wait returns at once and stops the loop after the wanted cycles.
struct CountingClock final : WorkerClock {
    std::atomic<int32_t>* running = nullptr;
    int64_t cyclesLeft = 0;
    int64_t now = 0;
    int64_t SteadyNanoseconds() override { return now; }
    void SleepNanoseconds(int64_t nanoseconds) override {
        now += nanoseconds;
        if (--cyclesLeft <= 0) {
            running->store(0);
        }
    }
};

struct IdleRig {
    IdleRig() {
        memoryFsuipc.space.SetU16(kCommandWordOffset, 0xFFFF);
        uint32_t result = 0;
        fsuipcLink.Open(result);
        aircraftLink.Attach(log);
    }
    testbed::MemoryFsuipc memoryFsuipc;
    fsuipc::FsuipcLink fsuipcLink{memoryFsuipc};
    testbed::MemoryAircraft aircraftPlatform;
    aircraft::AircraftLink aircraftLink{aircraftPlatform};
    Quiet log;
    std::atomic<int32_t> running{0};
    WorkerFields plugin;
    std::unique_ptr<BridgeTables> tables = std::make_unique<BridgeTables>();
    WorkerContext context{running, aircraftLink,
                          BridgeCycle{plugin, *tables, fsuipcLink, aircraftLink}};
};

void BM_IdleCommandWord(benchmark::State& state) {
    IdleRig rig;
    for (auto _ : state) {
        HandleCommandWord(rig.context.cycle);
        benchmark::DoNotOptimize(rig.plugin.commandWord);
    }
}
BENCHMARK(BM_IdleCommandWord);

// One WorkerMain run of 100 cycles per iteration; the time shown is per cycle.
void BM_IdleWorkerCycle(benchmark::State& state) {
    IdleRig rig;
    CountingClock clock;
    clock.running = &rig.running;
    constexpr int64_t kCycles = 100;
    for (auto _ : state) {
        clock.cyclesLeft = kCycles;
        WorkerMain(rig.context, clock);
    }
    state.counters["per_cycle_ns"] =
        benchmark::Counter(double(state.iterations() * kCycles),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_IdleWorkerCycle);

}  // namespace
}  // namespace ulvo::bridge
