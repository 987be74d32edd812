#include "bridge/cycle_steps.h"

#include "bridge/handle_command_word.h"

namespace ulvo::bridge {

namespace {

constexpr CycleStep kCycleSteps[] = {
    {"HandleCommandWord", HandleCommandWord},
};

}  // namespace

std::span<const CycleStep> CycleSteps() {
    return kCycleSteps;
}

}  // namespace ulvo::bridge
