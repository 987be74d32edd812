// The control tables of the bridge seen as one list per kind, so that tools can
// walk them by index: the step controls that the bridge works in two groups
// (before and after the set-value controls) form one table here.
#pragma once

#include <array>
#include <cstddef>

#include "bridge/control_table.h"

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

}  // namespace ulvo::tools
