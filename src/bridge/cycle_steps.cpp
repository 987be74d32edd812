#include "bridge/cycle_steps.h"

#include "bridge/control_forwarding.h"
#include "bridge/handle_command_word.h"

namespace ulvo::bridge {

namespace {

constexpr CycleStep kCycleSteps[] = {
    {"HandleCommandWord", HandleCommandWord},
    {"ForwardControlChanges", ForwardControlChanges},
};

}  // namespace

std::span<const CycleStep> CycleSteps() {
    return kCycleSteps;
}

}  // namespace ulvo::bridge
