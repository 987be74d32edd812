// HandleCommandWord: once a cycle, reads the command word (offset 0x9400) and the
// 22 control bytes in the cycle's FSUIPC exchange, performs the command word by
// posting aircraft commands, and clears it in FSUIPC so that each command is
// performed once.
#pragma once

#include <array>
#include <cstdint>

#include "bridge/bridge_state.h"

namespace ulvo::bridge {

inline constexpr uint32_t kCommandWordOffset = 0x9400;
inline constexpr int16_t kCommandWordIdle = -1;  // 0xFF 0xFF

// Where a read lands: the command word, the low byte of control9428, or the low
// byte of a ControlInputs slot.
enum class CommandReadTarget : uint8_t { CommandWord, Control9428, ControlSlot };

struct CommandRead {
    uint32_t offset;
    uint32_t size;
    CommandReadTarget target;
    uint8_t slot;  // ControlInputs slot for ControlSlot reads
};

// The reads in the order they are queued. The slot order differs from it.
inline constexpr std::array<CommandRead, 23> kCommandReads = {{
    {0x9400, 2, CommandReadTarget::CommandWord, 0},
    {0x9428, 1, CommandReadTarget::Control9428, 0},
    {0x94F0, 1, CommandReadTarget::ControlSlot, 0},
    {0x94F1, 1, CommandReadTarget::ControlSlot, 1},
    {0x94F2, 1, CommandReadTarget::ControlSlot, 2},
    {0x94F3, 1, CommandReadTarget::ControlSlot, 3},
    {0x94F4, 1, CommandReadTarget::ControlSlot, 4},
    {0x94F5, 1, CommandReadTarget::ControlSlot, 5},
    {0x94F6, 1, CommandReadTarget::ControlSlot, 6},
    {0x94F7, 1, CommandReadTarget::ControlSlot, 7},
    {0x94F8, 1, CommandReadTarget::ControlSlot, 8},
    {0x94F9, 1, CommandReadTarget::ControlSlot, 9},
    {0x94FA, 1, CommandReadTarget::ControlSlot, 10},
    {0x94FB, 1, CommandReadTarget::ControlSlot, 11},
    {0x9470, 1, CommandReadTarget::ControlSlot, 12},
    {0x9491, 1, CommandReadTarget::ControlSlot, 15},
    {0x9492, 1, CommandReadTarget::ControlSlot, 16},
    {0x9493, 1, CommandReadTarget::ControlSlot, 17},
    {0x9494, 1, CommandReadTarget::ControlSlot, 18},
    {0x9495, 1, CommandReadTarget::ControlSlot, 19},
    {0x9496, 1, CommandReadTarget::ControlSlot, 20},
    {0x942E, 1, CommandReadTarget::ControlSlot, 13},
    {0x942F, 1, CommandReadTarget::ControlSlot, 14},
}};

// Commands 1297 and 1298 step stepLevel down and up within 0 to 3, and post the
// new level with command 1299.
struct LevelCommand {
    int16_t code;
    int16_t step;
};
inline constexpr std::array<LevelCommand, 2> kLevelCommands = {{{1297, -1}, {1298, +1}}};
inline constexpr uint32_t kLevelReportCommand = 1299;
inline constexpr int16_t kLowestLevel = 0;
inline constexpr int16_t kHighestLevel = 3;

// Commands 636 and 637 move a three-position selector (SdkBlock offset 0x7BC,
// positions 0 to 2) by posting the command that sets the neighbouring position
// directly; kNoMove where the selector cannot move that way.
inline constexpr uint32_t kSelectorPositionOffset = 0x7BC;
inline constexpr int32_t kNoMove = -1;
struct SelectorCommand {
    int16_t code;
    std::array<int32_t, 3> postedAtPosition;
};
inline constexpr std::array<SelectorCommand, 2> kSelectorCommands = {{
    {636, {kNoMove, 638, 639}},
    {637, {639, 640, kNoMove}},
}};

void HandleCommandWord(BridgeCycle& cycle);

}  // namespace ulvo::bridge
