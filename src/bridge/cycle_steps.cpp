#include "bridge/cycle_steps.h"

#include "bridge/control_forwarding.h"
#include "bridge/decode_displays.h"
#include "bridge/handle_command_word.h"
#include "bridge/pack_bit_words.h"
#include "bridge/write_bit_word_offsets.h"
#include "bridge/write_display_offsets.h"
#include "bridge/write_further_offsets.h"

namespace ulvo::bridge {

namespace {

constexpr CycleStep kCycleSteps[] = {
    {"DecodeDisplays", DecodeDisplays},
    {"PackBitWords", PackBitWords},
    {"WriteDisplayOffsets", WriteDisplayOffsets},
    {"WriteBitWordOffsets", WriteBitWordOffsets},
    {"WriteFurtherOffsets", WriteFurtherOffsets},
    {"HandleCommandWord", HandleCommandWord},
    {"ForwardControlChanges", ForwardControlChanges},
};

}  // namespace

std::span<const CycleStep> CycleSteps() {
    return kCycleSteps;
}

}  // namespace ulvo::bridge
