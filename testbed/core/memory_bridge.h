// A bridge cycle on fresh tables against the in-memory FSUIPC and a recording
// aircraft command port, for native tests and benchmarks of the worker's steps:
// set aircraft fields, run steps, look at what an exchange delivered.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "bridge/bridge_state.h"
#include "bridge/cycle_steps.h"
#include "common/little_endian.h"
#include "core/memory_fsuipc.h"
#include "core/recording_command_port.h"
#include "fsuipc/fsuipc_link.h"

namespace ulvo::testbed {

struct MemoryBridge {
    using Writes = std::vector<FsuipcWriteLog>;

    MemoryFsuipc fsuipc;
    fsuipc::FsuipcLink link{fsuipc};
    bridge::WorkerFields plugin;
    std::unique_ptr<bridge::BridgeTables> tables = std::make_unique<bridge::BridgeTables>();
    RecordingCommandPort aircraft;
    bridge::BridgeCycle cycle{plugin, *tables, link, aircraft};
    uint32_t queuedBytes = 0;  // of the queue the last Exchange sent

    bool OpenLink() {
        uint32_t code = 0;
        return link.Open(code);
    }
    // Opens the link and logs the exchanges from then on.
    void Open() {
        OpenLink();
        fsuipc.logExchanges = true;
        fsuipc.exchanges.clear();
    }

    // The publishing steps: the first five of a worker cycle (no exchange).
    void PublishSteps() {
        for (const bridge::CycleStep& step : bridge::CycleSteps().first(5)) {
            step.run(cycle);
        }
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

    // Sends what the steps queued; the write records FSUIPC executed, in order
    // (none when nothing was queued; the link must be open and logging).
    Writes Exchange() {
        queuedBytes = link.QueuedBytes();
        uint32_t code = 0;
        return queuedBytes != 0 && link.Process(code) ? fsuipc.exchanges.back().writes : Writes{};
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

}  // namespace ulvo::testbed
