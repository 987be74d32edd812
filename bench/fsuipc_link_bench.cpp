// The client-side cost of one FSUIPC exchange as the bridge makes it each cycle:
// queuing one two-byte and 22 one-byte reads, sending, and walking the reply. The
// in-memory FSUIPC executes the records at once, so this is the link's own work
// plus the offset space's, without any operating-system call.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "core/memory_fsuipc.h"
#include "fsuipc/fsuipc_link.h"

namespace {

using ulvo::fsuipc::FsuipcLink;

// A link to an in-memory FSUIPC, opened for a benchmark (which it fails if not).
struct OpenLink {
    explicit OpenLink(benchmark::State& state) {
        if (!link.Open(result)) {
            state.SkipWithError("open failed");
        }
    }
    ulvo::testbed::MemoryFsuipc fsuipc;
    FsuipcLink link{fsuipc};
    uint32_t result = 0;
};

void BM_ExchangeWith23SmallReads(benchmark::State& state) {
    OpenLink open(state);
    FsuipcLink& link = open.link;
    uint32_t& result = open.result;
    uint8_t destination[24] = {};
    for (auto _ : state) {
        link.Read(0x9400, 2, destination, result);
        for (uint32_t control = 0; control < 22; ++control) {
            link.Read(0x9402 + control, 1, destination + 2 + control, result);
        }
        if (!link.Process(result)) {
            state.SkipWithError("exchange failed");
            break;
        }
        benchmark::DoNotOptimize(destination);
    }
}
BENCHMARK(BM_ExchangeWith23SmallReads);

// The largest exchange one cycle may carry: writes filling the 32512 bytes.
void BM_ExchangeOfAFullBuffer(benchmark::State& state) {
    OpenLink open(state);
    FsuipcLink& link = open.link;
    uint32_t& result = open.result;
    static const uint8_t data[1000] = {};
    for (auto _ : state) {
        while (link.Write(0x1000, sizeof data, data, result)) {
        }
        if (!link.Process(result)) {
            state.SkipWithError("exchange failed");
            break;
        }
    }
}
BENCHMARK(BM_ExchangeOfAFullBuffer);

}  // namespace
