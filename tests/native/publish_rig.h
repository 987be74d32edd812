// A bridge cycle on fresh tables against the in-memory FSUIPC, for the tests of
// the publishing steps: set aircraft fields, run steps, look at what an exchange
// delivered and at the FSUIPC offsets.
#pragma once

#include <cstdint>
#include <ostream>
#include <vector>

#include "bridge/decode_displays.h"
#include "bridge/pack_bit_words.h"
#include "bridge/write_bit_word_offsets.h"
#include "bridge/write_display_offsets.h"
#include "bridge/write_further_offsets.h"
#include "common/little_endian.h"
#include "core/memory_bridge.h"

namespace ulvo::testbed {

inline std::ostream& operator<<(std::ostream& out, const FsuipcWriteLog& written) {
    out << std::hex << "0x" << written.offset << ":";
    for (uint8_t byte : written.bytes) {
        out << " " << unsigned(byte);
    }
    return out << std::dec;
}

}  // namespace ulvo::testbed

namespace ulvo::bridge {

// The write records of an exchange, as FSUIPC executed them.
using Written = testbed::FsuipcWriteLog;
using Writes = std::vector<Written>;

struct PublishRig : testbed::MemoryBridge {
    uint32_t queuedBytes = 0;

    void Open() {
        OpenLink();
        fsuipc.logExchanges = true;
        fsuipc.exchanges.clear();
    }

    void SetI32(uint32_t offset, int32_t value) { StoreU32(&tables->sdkBlock[offset], value); }
    void SetF64(uint32_t offset, double value) { StoreF64(&tables->sdkBlock[offset], value); }
    // Consecutive 32-bit fields from `offset` on.
    void SetFields(uint32_t offset, const std::vector<int32_t>& values) {
        for (int32_t value : values) {
            SetI32(offset, value);
            offset += 4;
        }
    }

    // Queues filler writes (at 0x7000) until `position` bytes of the buffer are used.
    void FillQueueTo(uint32_t position) {
        static const uint8_t zeros[4000] = {};
        uint32_t code = 0;
        while (link.QueuedBytes() < position) {
            const uint32_t remaining = position - link.QueuedBytes();
            const uint32_t size = remaining > 4000 + 2 * fsuipc::kWriteHeaderSize
                                      ? 4000
                                      : remaining - fsuipc::kWriteHeaderSize;
            if (!link.Write(0x7000, size, zeros, code)) {
                return;
            }
        }
    }

    // Sends what the steps queued; returns the write records FSUIPC executed, in
    // order (none when nothing was queued). `queuedBytes` keeps the size of the
    // queue that was sent.
    Writes Exchange() {
        queuedBytes = link.QueuedBytes();
        if (queuedBytes == 0) {
            return {};
        }
        uint32_t code = 0;
        link.Process(code);
        return fsuipc.exchanges.back().writes;
    }

    // The given steps in order, then the exchange.
    template <typename... Steps>
    Writes Run(Steps... steps) {
        (steps(cycle), ...);
        return Exchange();
    }

    // The publishing steps, then the exchange.
    Writes Cycle() {
        PublishSteps();
        return Exchange();
    }
};

}  // namespace ulvo::bridge
