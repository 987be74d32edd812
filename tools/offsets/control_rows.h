// The control tables of the bridge seen as one list per kind, so that tools can
// walk them by index: the step controls that the bridge works in two groups
// (before and after the set-value controls) form one table here. And how a
// client moves a control byte.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "bridge/control_table.h"
#include "offsets/block_layout.h"

namespace ulvo::tools {

constexpr size_t kStepControlCount =
    std::size(bridge::kStepControlsFirst) + std::size(bridge::kStepControlsLast);

inline constexpr std::array<bridge::StepControl, kStepControlCount> kStepControls = [] {
    std::array<bridge::StepControl, kStepControlCount> all{};
    size_t next = 0;
    for (const bridge::StepControl& control : bridge::kStepControlsFirst) {
        all[next++] = control;
    }
    for (const bridge::StepControl& control : bridge::kStepControlsLast) {
        all[next++] = control;
    }
    return all;
}();

// A client's write to a control byte: a value, or steps of a counter.
struct ControlWrite {
    enum Kind { kSet, kStepUp, kStepDown };
    uint32_t offset = 0;
    Kind kind = kSet;
    uint8_t amount = 0;  // the value to set, or the number of steps
};

// Steps a counter moves at a time: more would be counted the other way round.
constexpr uint32_t kMaxSteps = 127;

// The byte to write for `write` when the control byte holds `current`; counters
// wrap at 256, as the plug-in counts them.
inline uint8_t ControlByteAfter(const ControlWrite& write, uint8_t current) {
    switch (write.kind) {
        case ControlWrite::kSet:
            return write.amount;
        case ControlWrite::kStepUp:
            return uint8_t(current + write.amount);
        case ControlWrite::kStepDown:
            return uint8_t(current - write.amount);
    }
    return current;
}

// "0x94F8=3", "0x94F8+=2".
inline std::string ControlWriteText(const ControlWrite& write) {
    const char* op = write.kind == ControlWrite::kSet      ? "="
                     : write.kind == ControlWrite::kStepUp ? "+="
                                                           : "-=";
    return OffsetText(write.offset) + op + std::to_string(write.amount);
}

}  // namespace ulvo::tools
