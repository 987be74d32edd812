// The plug-in's FSUIPC offset block 0x9400-0x94FB as users see it: which offset
// holds what, built from the same tables the bridge steps use, so the offset
// reference, the monitor and the demo can never disagree with the plug-in.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ulvo::tools {

constexpr uint32_t kBlockFirst = 0x9400;
constexpr uint32_t kBlockSize = 0xFC;  // 0x9400 to 0x94FB
constexpr uint32_t kBlockLast = kBlockFirst + kBlockSize - 1;

enum class OffsetRole : uint8_t {
    kCommandWord,      // 0x9400, written by clients, cleared by the plug-in
    kBitWord,          // row: BitWordNN
    kDisplay,          // row: DisplayNN
    kFurther,          // row: index into kFurtherRecords
    kDirectControl,    // row: index into kDirectControls
    kStepControl,      // row: index into kStepControls (both halves, in order)
    kSetValueControl,  // row: index into kSetValueControls
    kUnused,           // a run of bytes nobody reads or writes
};

struct OffsetEntry {
    uint32_t offset = 0;
    uint32_t size = 0;  // bytes; an unused run is one entry
    OffsetRole role = OffsetRole::kUnused;
    uint8_t row = 0;
};

// Every byte of the block exactly once, in offset order, the unused runs included.
// Entries that would overlap are kept as they are, so LayoutProblems can name them.
std::vector<OffsetEntry> BlockLayout();

// What is wrong with a layout: overlaps and bytes outside the block. Empty when
// the tables are consistent.
std::vector<std::string> LayoutProblems(const std::vector<OffsetEntry>& layout);

// True for the bytes other programs write: the command word and the controls.
bool WrittenByClients(OffsetRole role);

// "0x9400", "0x942C-0x942D".
std::string OffsetText(uint32_t offset);
std::string RangeText(const OffsetEntry& entry);

}  // namespace ulvo::tools
