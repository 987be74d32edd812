// The state the worker's bridge steps share.
//
// BridgeTables are the process-wide tables: zero when the library loads and never
// reset while it is loaded (not when FSUIPC reopens, not when another aircraft
// loads). WorkerFields are the fields of the plug-in object that the steps use;
// the plug-in object derives from it. BridgeCycle hands a step everything it
// touches, so that tests and benchmarks can run the steps on fresh instances.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "aircraft/aircraft_command.h"
#include "aircraft/sdk_blocks.h"
#include "fsuipc/fsuipc_link.h"

namespace ulvo::bridge {

constexpr size_t kDisplayCount = 32;      // Display00 .. Display31
constexpr size_t kBitWordCount = 46;      // BitWord00 .. BitWord45
constexpr size_t kFurtherCount = 67;      // further values, in their writing order
constexpr size_t kControlSlotCount = 21;  // ControlInputs slots 0 .. 20
constexpr size_t kDialCount = 8;          // set-value controls

// The last source value handed to FSUIPC for each further value, of the type of
// its source: `whole` for 32-bit integer sources, `real` for double sources.
struct FurtherLastSent {
    std::array<int32_t, kFurtherCount> whole{};
    std::array<double, kFurtherCount> real{};
};

struct BridgeTables {
    aircraft::SdkBlock sdkBlock{};    // SdkBlock
    aircraft::Sdk2Block sdk2Block{};  // Sdk2Block
    // Set by the worker for a cycle whose blocks are byte for byte those the
    // steps already worked on in an earlier cycle of the same run. Decoding and
    // packing would then refill the same tables, and the display and bit-word
    // writers would find nothing changed, so those four steps return at once.
    // False at any other time: a step run on its own does all its work.
    bool blocksAlreadyPublished = false;

    std::array<double, kDisplayCount> displayValues{};      // DisplayValues
    std::array<double, kDisplayCount> displayLastSent{};    // DisplayLastSent
    std::array<uint32_t, kBitWordCount> bitWords{};         // BitWords
    std::array<uint32_t, kBitWordCount> bitWordLastSent{};  // BitWordLastSent
    FurtherLastSent furtherLastSent{};                      // FurtherLastSent

    // Each slot receives one byte from FSUIPC into its low byte; the upper bytes
    // stay zero, so a slot always holds 0 to 255.
    std::array<uint32_t, kControlSlotCount> controlInputs{};  // ControlInputs
    std::array<uint32_t, kControlSlotCount> controlLast{};    // ControlLast
};

// Fields of the plug-in object used by the worker steps, with their values at
// construction.
struct WorkerFields {
    uint32_t fsuipcResult = 0;  // result of the latest FSUIPC operation
    int16_t commandWord = 0;    // offset 0x9400 as last read; -1 after a command
    uint16_t control9428 = 0;   // low byte: offset 0x9428; high byte stays 0
    uint16_t control9428Last = 0;
    int16_t stepLevel = 1;                          // 0 .. 3, stepped by commands 1297 and 1298
    double knobDelta = 0.0;                         // steps of the control being worked off
    std::array<double, kDialCount> dialValues{};    // set values of the set-value controls
    std::array<int16_t, kDialCount> dialHoldOff{};  // cycles until a set value re-seeds
    int32_t stagedValue = 0;  // the integer formed for the further value being written
};

// Everything one bridge step sees.
struct BridgeCycle {
    WorkerFields& plugin;
    BridgeTables& tables;
    fsuipc::FsuipcLink& fsuipc;
    aircraft::AircraftCommandPort& aircraft;
};

}  // namespace ulvo::bridge
