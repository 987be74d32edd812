#include "bridge/handle_command_word.h"

#include <algorithm>
#include <bit>
#include <utility>

#include "common/little_endian.h"

namespace ulvo::bridge {

// FSUIPC copies each read's bytes straight into its destination, so a one-byte
// read lands in the low byte of a wider field only on a little-endian host.
static_assert(std::endian::native == std::endian::little);

namespace {

void* Destination(BridgeCycle& cycle, const CommandRead& read) {
    switch (read.target) {
        case CommandReadTarget::CommandWord:
            return &cycle.plugin.commandWord;
        case CommandReadTarget::Control9428:
            return &cycle.plugin.control9428;
        case CommandReadTarget::ControlSlot:
            return &cycle.tables.controlInputs[read.slot];
    }
    return nullptr;
}

void Post(BridgeCycle& cycle, uint32_t code) {
    aircraft::PostAircraftCommand(cycle.aircraft, code, 0.0);
}

// Posts what command `c` (0 to 32767) stands for.
void Perform(BridgeCycle& cycle, int16_t c) {
    for (const LevelCommand& level : kLevelCommands) {
        if (c == level.code) {
            int16_t& stepLevel = cycle.plugin.stepLevel;
            stepLevel =
                std::clamp<int16_t>(int16_t(stepLevel + level.step), kLowestLevel, kHighestLevel);
            aircraft::PostAircraftCommand(cycle.aircraft, kLevelReportCommand, stepLevel);
            return;
        }
    }
    for (const SelectorCommand& selector : kSelectorCommands) {
        if (c == selector.code) {
            const int32_t position =
                aircraft::FieldI32(cycle.tables.sdkBlock, kSelectorPositionOffset);
            if (position >= 0 && position < int32_t(selector.postedAtPosition.size()) &&
                selector.postedAtPosition[position] != kNoMove) {
                Post(cycle, uint32_t(selector.postedAtPosition[position]));
            }
            return;
        }
    }
    Post(cycle, uint32_t(c));
}

}  // namespace

void HandleCommandWord(BridgeCycle& cycle) {
    WorkerFields& plugin = cycle.plugin;
    // The table is known at compile time: the requests are built without a loop.
    const auto reads = [&]<size_t... I>(std::index_sequence<I...>) {
        return std::array<fsuipc::ReadRequest, sizeof...(I)>{
            {{kCommandReads[I].offset, kCommandReads[I].size,
              Destination(cycle, kCommandReads[I])}...}};
    }
    (std::make_index_sequence<kCommandReads.size()>{});
    cycle.fsuipc.ReadAll(reads, plugin.fsuipcResult);
    // On failure every destination keeps what it held; the dispatch runs either way.
    cycle.fsuipc.Process(plugin.fsuipcResult);

    const int16_t c = plugin.commandWord;
    if (c < 0) {
        return;  // idle (-1), or a value this system leaves in place
    }
    Perform(cycle, c);

    plugin.commandWord = kCommandWordIdle;
    uint8_t idle[2];
    StoreU16(idle, uint16_t(plugin.commandWord));
    cycle.fsuipc.Write(kCommandWordOffset, sizeof idle, idle, plugin.fsuipcResult);
    // Also when the write-back was not queued: FSUIPC then still holds the command,
    // and the next cycle performs it again.
    cycle.fsuipc.Process(plugin.fsuipcResult);
}

}  // namespace ulvo::bridge
