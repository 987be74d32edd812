// The SimConnect client's own work per message, without any system call:
// encoding a call's message into a staged buffer, and cutting received bytes
// into messages (one read holding three replies, and one large message arriving
// in the reads a pipe would deliver).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "common/little_endian.h"
#include "simconnect/api_messages.h"
#include "simconnect/message_header.h"
#include "simconnect/receive_extractor.h"

namespace {

using namespace ulvo::simconnect;

void BM_EncodeTransmitClientEvent(benchmark::State& state) {
    uint8_t message[36] = {};
    for (auto _ : state) {
        EncodeMessage(kTransmitClientEventLayout, {{0u, 2u, 0u, 1u, 0x10u}}, message);
        benchmark::DoNotOptimize(message);
    }
}
BENCHMARK(BM_EncodeTransmitClientEvent);

void BM_EncodeAddToDataDefinition(benchmark::State& state) {
    std::vector<uint8_t> message(kAddToDataDefinitionLayout.size);
    for (auto _ : state) {
        std::memset(message.data(), 0, message.size());  // staging zero-fills
        EncodeMessage(kAddToDataDefinitionLayout,
                      {{0u, "EXIT OPEN:0", "percent over 100", 4u, 0.0f, 0xFFFFFFFFu}},
                      message.data());
        benchmark::DoNotOptimize(message.data());
    }
}
BENCHMARK(BM_EncodeAddToDataDefinition);

std::vector<uint8_t> Messages(std::initializer_list<uint32_t> sizes) {
    std::vector<uint8_t> stream;
    for (uint32_t size : sizes) {
        const size_t at = stream.size();
        stream.resize(at + size, 0x5A);
        ulvo::StoreU32(stream.data() + at, size);
    }
    return stream;
}

// Feeds `stream` in reads of up to `chunk` bytes and extracts every message.
int64_t Feed(ReceiveExtractor& extractor, const std::vector<uint8_t>& stream, size_t chunk) {
    int64_t messages = 0;
    for (size_t offset = 0; offset < stream.size();) {
        size_t n = std::min(chunk, stream.size() - offset);
        n = std::min<size_t>(n, extractor.WriteSpaceSize());
        std::memcpy(extractor.WriteSpace(), stream.data() + offset, n);
        extractor.CommitReceived(uint32_t(n));
        offset += n;
        while (extractor.Extract() == ExtractReport::Message) {
            benchmark::DoNotOptimize(extractor.TakeMessage());
            ++messages;
        }
    }
    return messages;
}

void BM_ExtractThreeRepliesFromOneRead(benchmark::State& state) {
    const std::vector<uint8_t> stream = Messages({308, 44, 60});
    ReceiveExtractor extractor;
    extractor.Allocate();
    for (auto _ : state) {
        benchmark::DoNotOptimize(Feed(extractor, stream, stream.size()));
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(stream.size()));
}
BENCHMARK(BM_ExtractThreeRepliesFromOneRead);

void BM_ExtractLargestDefaultMessage(benchmark::State& state) {
    // 41088 bytes: the buffer grows from 2048 in steps of 2048 each time.
    const std::vector<uint8_t> stream = Messages({kDefaultMaxReceiveSize});
    for (auto _ : state) {
        ReceiveExtractor extractor;
        extractor.Allocate();
        benchmark::DoNotOptimize(Feed(extractor, stream, 4096));
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(stream.size()));
}
BENCHMARK(BM_ExtractLargestDefaultMessage);

}  // namespace
