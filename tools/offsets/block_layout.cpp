#include "offsets/block_layout.h"

#include <algorithm>
#include <cstdio>

#include "bridge/bit_word_table.h"
#include "bridge/control_table.h"
#include "bridge/display_table.h"
#include "bridge/further_table.h"
#include "bridge/handle_command_word.h"
#include "offsets/control_rows.h"

namespace ulvo::tools {

std::vector<OffsetEntry> BlockLayout() {
    std::vector<OffsetEntry> used;
    auto add = [&used](uint32_t offset, uint32_t size, OffsetRole role, size_t row) {
        used.push_back({offset, size, role, uint8_t(row)});
    };
    add(bridge::kCommandWordOffset, 2, OffsetRole::kCommandWord, 0);
    for (const bridge::BitWordRecord& record : bridge::kBitWordRecords) {
        add(record.offset, 1, OffsetRole::kBitWord, record.word);
    }
    for (const bridge::DisplayRow& row : bridge::kDisplayRows) {
        add(row.publishedOffset, 2, OffsetRole::kDisplay, row.index);
    }
    for (size_t i = 0; i < bridge::kFurtherRecords.size(); ++i) {
        add(bridge::kFurtherRecords[i].offset, bridge::kFurtherRecords[i].size,
            OffsetRole::kFurther, i);
    }
    for (size_t i = 0; i < std::size(bridge::kDirectControls); ++i) {
        add(bridge::kDirectControls[i].offset, 1, OffsetRole::kDirectControl, i);
    }
    for (size_t i = 0; i < kStepControls.size(); ++i) {
        add(kStepControls[i].offset, 1, OffsetRole::kStepControl, i);
    }
    for (size_t i = 0; i < std::size(bridge::kSetValueControls); ++i) {
        add(bridge::kSetValueControls[i].offset, 1, OffsetRole::kSetValueControl, i);
    }
    std::stable_sort(used.begin(), used.end(), [](const OffsetEntry& a, const OffsetEntry& b) {
        return a.offset < b.offset;
    });

    // The bytes between the used entries become unused runs.
    std::vector<OffsetEntry> layout;
    uint32_t next = kBlockFirst;
    for (const OffsetEntry& entry : used) {
        if (entry.offset > next) {
            layout.push_back({next, entry.offset - next, OffsetRole::kUnused, 0});
        }
        layout.push_back(entry);
        next = std::max(next, entry.offset + entry.size);
    }
    if (next <= kBlockLast) {
        layout.push_back({next, kBlockLast + 1 - next, OffsetRole::kUnused, 0});
    }
    return layout;
}

std::vector<std::string> LayoutProblems(const std::vector<OffsetEntry>& layout) {
    std::vector<std::string> problems;
    uint32_t next = kBlockFirst;
    for (const OffsetEntry& entry : layout) {
        if (entry.offset < kBlockFirst || entry.offset + entry.size > kBlockLast + 1) {
            problems.push_back(RangeText(entry) + " lies outside " + OffsetText(kBlockFirst) + "-" +
                               OffsetText(kBlockLast));
        } else if (entry.offset < next) {
            problems.push_back(RangeText(entry) + " overlaps the offset before it");
        } else if (entry.offset > next) {
            problems.push_back(OffsetText(next) + " is missing from the layout");
        }
        next = std::max(next, entry.offset + entry.size);
    }
    return problems;
}

bool WrittenByClients(OffsetRole role) {
    switch (role) {
        case OffsetRole::kCommandWord:
        case OffsetRole::kDirectControl:
        case OffsetRole::kStepControl:
        case OffsetRole::kSetValueControl:
            return true;
        case OffsetRole::kBitWord:
        case OffsetRole::kDisplay:
        case OffsetRole::kFurther:
        case OffsetRole::kUnused:
            break;
    }
    return false;
}

std::string OffsetText(uint32_t offset) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%04X", unsigned(offset));
    return text;
}

std::string RangeText(const OffsetEntry& entry) {
    if (entry.size <= 1 || entry.role != OffsetRole::kUnused) {
        return OffsetText(entry.offset);
    }
    return OffsetText(entry.offset) + "-" + OffsetText(entry.offset + entry.size - 1);
}

}  // namespace ulvo::tools
