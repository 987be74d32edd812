// The command word step when idle: 23 reads and one exchange against the
// in-memory FSUIPC, the part of every cycle that talks to FSUIPC.
#include <benchmark/benchmark.h>

#include <memory>

#include "bridge/handle_command_word.h"
#include "core/memory_bridge.h"

namespace ulvo::bridge {
namespace {

void BM_IdleCommandWord(benchmark::State& state) {
    testbed::MemoryBridge bridge;
    bridge.fsuipc.space.SetU16(kCommandWordOffset, 0xFFFF);
    if (!bridge.OpenLink()) {
        state.SkipWithError("open failed");
        return;
    }
    for (auto _ : state) {
        HandleCommandWord(bridge.cycle);
        benchmark::DoNotOptimize(bridge.plugin.commandWord);
    }
    if (bridge.aircraft.posts.size() != 0) {
        state.SkipWithError("an idle command word posted a command");
    }
}
BENCHMARK(BM_IdleCommandWord);

}  // namespace
}  // namespace ulvo::bridge
