// Fuzzes the reply walk of FsuipcLink::Process: the shared buffer is written by
// another process, so whatever FSUIPC leaves in it must never make the link write
// outside its destinations, copy from anywhere but where a read was queued, or
// leave the link unusable.
//
// Input: byte 0 = number of requests (low 4 bits) and whether FSUIPC answers 1
// (bit 7 clear); then one byte per request: bit 7 write, bit 6 no destination,
// bits 0-5 size; the remaining bytes overwrite the start of the shared buffer
// after FSUIPC has executed the records.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "core/memory_fsuipc.h"
#include "fsuipc/fsuipc_link.h"

namespace {

using namespace ulvo::fsuipc;

constexpr uint8_t kUntouched = 0xCC;

struct PlannedRead {
    uint32_t position;
    uint32_t size;
    std::unique_ptr<uint8_t[]> destination;  // exactly `size` bytes (1 for size 0)
    bool hasDestination;
};

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) {
        return 0;
    }
    ulvo::testbed::MemoryFsuipc fsuipc;
    FsuipcLink link(fsuipc);
    // FSUIPC answers with the fuzz bytes over the buffer; `walked` keeps the
    // buffer as the walk finds it.
    const uint8_t* fuzzBytes = nullptr;
    size_t fuzzSize = 0;
    std::vector<uint8_t> walked;
    fsuipc.onAnswer = [&](uint8_t* buffer) {
        if (fuzzSize != 0) {
            std::memcpy(buffer, fuzzBytes, fuzzSize);
        }
        walked.assign(buffer, buffer + kBufferSize);
    };
    uint32_t result = 0;
    Check(link.Open(result));

    const size_t requests = data[0] & 0x0F;
    const bool answersOne = (data[0] & 0x80) == 0;
    size_t next = 1;
    std::vector<PlannedRead> reads;
    for (size_t i = 0; i < requests && next < size; ++i, ++next) {
        const uint8_t plan = data[next];
        const uint32_t requestSize = plan & 0x3F;
        const uint32_t position = link.QueuedBytes();
        if (plan & 0x80) {
            const uint8_t bytes[64] = {};
            Check(link.Write(0x9400 + position, requestSize, bytes, result));
        } else {
            PlannedRead read{position, requestSize,
                             std::make_unique<uint8_t[]>(requestSize ? requestSize : 1),
                             (plan & 0x40) == 0};
            std::memset(read.destination.get(), kUntouched, requestSize ? requestSize : 1);
            Check(link.Read(0x3300 + position, requestSize,
                            read.hasDestination ? read.destination.get() : nullptr, result));
            reads.push_back(std::move(read));
        }
    }
    if (link.QueuedBytes() == 0) {
        Check(!link.Process(result) && result == kNothingQueued);
        return 0;
    }

    fuzzBytes = data + next;
    fuzzSize = std::min<size_t>(size - next, kBufferSize);
    fsuipc.reply = answersOne ? 1 : 0;
    const bool processed = link.Process(result);
    Check(processed == answersOne);
    Check(result == (answersOne ? kOk : kBadReply));
    Check(link.IsOpen() && link.QueuedBytes() == 0);

    // Every destination holds either what it held before or exactly the bytes
    // that stood at its own read's data, and a size-0 read copies nothing.
    for (const PlannedRead& read : reads) {
        const uint8_t* destination = read.destination.get();
        bool untouched = true;
        for (uint32_t i = 0; i < (read.size ? read.size : 1); ++i) {
            untouched = untouched && destination[i] == kUntouched;
        }
        const bool copied =
            read.size != 0 && read.hasDestination && answersOne &&
            std::memcmp(destination, walked.data() + read.position + kReadHeaderSize, read.size) ==
                0;
        Check(untouched || copied);
    }

    // Whatever came back, the link works for the next exchange.
    fuzzSize = 0;
    fsuipc.reply = 1;
    uint32_t version = 0;
    Check(link.Read(kFsuipcVersionOffset, 4, &version, result));
    Check(link.Process(result) && version == 0x50000000u);
    return 0;
}
