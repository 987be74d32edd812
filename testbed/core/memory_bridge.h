// A bridge cycle on fresh tables against the in-memory FSUIPC and a recording
// aircraft command port, for native tests and benchmarks of the worker's steps.
#pragma once

#include <memory>

#include "bridge/bridge_state.h"
#include "bridge/decode_displays.h"
#include "bridge/pack_bit_words.h"
#include "bridge/write_bit_word_offsets.h"
#include "bridge/write_display_offsets.h"
#include "bridge/write_further_offsets.h"
#include "core/memory_fsuipc.h"
#include "core/recording_command_port.h"
#include "fsuipc/fsuipc_link.h"

namespace ulvo::testbed {

struct MemoryBridge {
    MemoryFsuipc fsuipc;
    fsuipc::FsuipcLink link{fsuipc};
    bridge::WorkerFields plugin;
    std::unique_ptr<bridge::BridgeTables> tables = std::make_unique<bridge::BridgeTables>();
    RecordingCommandPort aircraft;
    bridge::BridgeCycle cycle{plugin, *tables, link, aircraft};

    bool OpenLink() {
        uint32_t code = 0;
        return link.Open(code);
    }

    // The five publishing steps of a worker cycle, in order (no exchange).
    void PublishSteps() {
        bridge::DecodeDisplays(cycle);
        bridge::PackBitWords(cycle);
        bridge::WriteDisplayOffsets(cycle);
        bridge::WriteBitWordOffsets(cycle);
        bridge::WriteFurtherOffsets(cycle);
    }
};

}  // namespace ulvo::testbed
