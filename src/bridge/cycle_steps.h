// The steps of a worker cycle, in the order they run:
//   DecodeDisplays, PackBitWords          fill the tables the writers read;
//   WriteDisplayOffsets, WriteBitWordOffsets, WriteFurtherOffsets
//                                         queue FSUIPC writes of changed values;
//   HandleCommandWord                     queues its reads after those writes and
//                                         makes the cycle's exchange;
//   ForwardControlChanges                 uses the control inputs just read.
// The list holds the steps built so far, each in its place in that order.
#pragma once

#include <span>

#include "bridge/bridge_state.h"

namespace ulvo::bridge {

struct CycleStep {
    const char* name;
    void (*run)(BridgeCycle& cycle);
};

std::span<const CycleStep> CycleSteps();

}  // namespace ulvo::bridge
