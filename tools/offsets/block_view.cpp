#include "offsets/block_view.h"

#include <algorithm>

#include "offsets/ansi.h"

namespace ulvo::tools {

namespace {

// Cells are "OFFS:VALUE" with the offset as four hex digits.
constexpr size_t kLabelWidth = 5;
constexpr size_t kCellGap = 2;

struct SectionKind {
    const char* title;
    size_t valueWidth;
    bool (*holds)(OffsetRole);
};

bool IsControlByte(OffsetRole r) {
    return r == OffsetRole::kDirectControl || r == OffsetRole::kStepControl ||
           r == OffsetRole::kSetValueControl;
}

constexpr SectionKind kSections[] = {
    {"DISPLAYS 0x9430-0x946F", 6, [](OffsetRole r) { return r == OffsetRole::kDisplay; }},
    {"LAMPS AND SWITCHES, bit 7..0", 8, [](OffsetRole r) { return r == OffsetRole::kBitWord; }},
    {"FURTHER VALUES", 7, [](OffsetRole r) { return r == OffsetRole::kFurther; }},
    {"CONTROL BYTES", 3, IsControlByte},
};

ViewCell MakeCell(const OffsetEntry& entry, const BlockSnapshot& now, const BlockSnapshot* before) {
    ViewCell cell;
    cell.offset = entry.offset;
    cell.role = entry.role;
    cell.value = ValueText(entry, now);
    cell.raw = now.Raw(entry);
    cell.changed = before != nullptr && before->Raw(entry) != now.Raw(entry);
    return cell;
}

std::string Hex4(uint32_t offset) {
    return OffsetText(offset).substr(2);
}

std::string PadLeft(const std::string& text, size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

// Lit bits stand out from dark ones.
std::string PaintBits(const std::string& bits) {
    std::string painted;
    for (char bit : bits) {
        painted += ansi::Paint(std::string(1, bit), bit == '1' ? ansi::kLit : ansi::kDim, true);
    }
    return painted;
}

std::string RenderCell(const ViewCell& cell, size_t valueWidth, bool colour) {
    const std::string label = Hex4(cell.offset) + ":";
    const std::string value = PadLeft(cell.value, valueWidth);
    if (!colour) {
        return label + value;
    }
    std::string painted;
    if (cell.role == OffsetRole::kBitWord && !cell.changed) {
        painted = PaintBits(value);
    } else {
        painted = ansi::Paint(value, cell.changed ? ansi::kChanged : ansi::kReset, cell.changed);
    }
    return ansi::Paint(label, ansi::kDim, true) + painted;
}

}  // namespace

BlockView MakeBlockView(const BlockSnapshot& now, const BlockSnapshot* before) {
    BlockView view;
    const std::vector<OffsetEntry> layout = BlockLayout();
    for (const SectionKind& kind : kSections) {
        ViewSection section{kind.title, kind.valueWidth, {}};
        for (const OffsetEntry& entry : layout) {
            if (kind.holds(entry.role)) {
                section.cells.push_back(MakeCell(entry, now, before));
            }
        }
        view.sections.push_back(std::move(section));
    }
    for (const OffsetEntry& entry : layout) {
        if (entry.role == OffsetRole::kCommandWord) {
            view.commandWord = MakeCell(entry, now, before);
        }
    }
    return view;
}

BlockView ActiveOnly(const BlockView& view) {
    BlockView active{view.commandWord, {}};
    for (const ViewSection& section : view.sections) {
        ViewSection kept{section.title + ", only those not 0:", section.valueWidth, {}};
        for (const ViewCell& cell : section.cells) {
            if (cell.raw != 0 || cell.changed) {
                kept.cells.push_back(cell);
            }
        }
        if (kept.cells.empty()) {
            kept.title = section.title + ": all 0";
        }
        active.sections.push_back(std::move(kept));
    }
    return active;
}

std::vector<std::string> RenderBlockView(const BlockView& view, const ViewStyle& style) {
    std::vector<std::string> lines;
    const bool colour = style.colour;
    lines.push_back(
        ansi::Paint("COMMAND WORD", ansi::kTitle, colour) + " 0x9400: " +
        ansi::Paint(view.commandWord.value, ansi::kChanged, colour && view.commandWord.changed));
    for (const ViewSection& section : view.sections) {
        lines.push_back(ansi::Paint(section.title.substr(0, style.width), ansi::kTitle, colour));
        const size_t cellWidth = kLabelWidth + section.valueWidth + kCellGap;
        const size_t columns = std::max<size_t>(1, (style.width + kCellGap) / cellWidth);
        std::string line;
        for (size_t i = 0; i < section.cells.size(); ++i) {
            if (i % columns != 0) {
                line += std::string(kCellGap, ' ');
            }
            line += RenderCell(section.cells[i], section.valueWidth, colour);
            if (i % columns == columns - 1 || i + 1 == section.cells.size()) {
                lines.push_back(line);
                line.clear();
            }
        }
    }
    return lines;
}

}  // namespace ulvo::tools
