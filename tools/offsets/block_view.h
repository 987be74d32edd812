// A compact view of the whole offset block for a console: the command word, the
// displays, the annunciator and switch bytes as bits, the further values and the
// control bytes, each value at its offset. Values that changed since the previous
// snapshot are marked, so a person sees at a glance what moves.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "offsets/value_text.h"

namespace ulvo::tools {

struct ViewCell {
    uint32_t offset = 0;
    std::string value;
    uint32_t raw = 0;  // the bytes as a number
    bool changed = false;
    OffsetRole role = OffsetRole::kUnused;
};

struct ViewSection {
    std::string title;
    size_t valueWidth = 0;  // every value of the section right-aligned to this
    std::vector<ViewCell> cells;
};

struct BlockView {
    ViewCell commandWord;
    std::vector<ViewSection> sections;  // displays, bits, further values, controls
};

// `before` may be null: nothing is then marked as changed.
BlockView MakeBlockView(const BlockSnapshot& now, const BlockSnapshot* before);

// The same view with only the values that are not 0 or just changed, for a
// screen too small for all of them. A section left empty says so.
BlockView ActiveOnly(const BlockView& view);

struct ViewStyle {
    size_t width = 80;    // characters a line may use
    bool colour = false;  // ANSI colours: changed values, lit bits, titles
};

// What a live view marks changes against: the block as it was a moment ago,
// taken afresh every `interval` seconds, so that a change stays marked that long.
class ChangeMarks {
  public:
    explicit ChangeMarks(double seconds = 0.7) : interval(seconds) {}
    const BlockSnapshot& Earlier(double seconds, const BlockSnapshot& now) {
        if (seconds >= takenAt + interval) {
            takenAt = seconds;
            earlier = now;
        }
        return earlier;
    }

  private:
    double interval;
    double takenAt = -1e9;
    BlockSnapshot earlier;
};

// The view as lines without line ends, none wider than the style's width
// (colour sequences aside).
std::vector<std::string> RenderBlockView(const BlockView& view, const ViewStyle& style);

}  // namespace ulvo::tools
