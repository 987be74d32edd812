#include "presets/preset_files.h"

namespace ulvo::tools {

namespace {

constexpr const char* kHead =
    R"(// ulvo737_offsets.h: the Ulvo2FSUIPC offsets 0x9400-0x94FB for firmware and
// programs. Generated from the plug-in's tables by Ulvo2FSUIPC; do not edit.
// C++11, no includes, no dependencies.
//
// Reading a Value: take `size` bytes at `offset` (little-endian) as a number,
// signed when `isSigned`; keep (number & mask) >> shift; when wrapBelow is not 0,
// a number below it is the value minus 65536 (a signed window above 32767);
// divide by `divisor` for the value in its unit. Displays read 65535 when blank
// and 65534 for 88888 (-1 and -2 on a signed one).
//
// Writing: a Command's code goes into the two-byte command word; wait until it
// reads kCommandIdle before the next one. A Counter or a Knob is one byte that
// you move by the steps turned, wrapping at 256, less than 128 steps per 5 ms.
// A Direct byte takes a value 0 to 255.
#ifndef ULVO737_OFFSETS_H
#define ULVO737_OFFSETS_H

namespace ulvo737 {

struct Value {
    unsigned short offset;
    unsigned char size;
    bool isSigned;
    unsigned short mask;
    unsigned char shift;
    unsigned short divisor;
    long wrapBelow;
};
struct Command {
    unsigned short offset;
    unsigned short code;
};
struct Counter {
    unsigned short offset;
    unsigned short commandDown;
    unsigned short commandUp;
};
struct Knob {
    unsigned short offset;
    unsigned short command;
};
struct Direct {
    unsigned short offset;
    unsigned short command;
};

constexpr unsigned short kCommandWord = 0x9400;
constexpr short kCommandIdle = -1;
)";

std::string Line(const OffsetItem& item) {
    const std::string at = HexNumber(item.offset, 4);
    switch (item.write) {
        case ItemWrite::kNone:
            return "constexpr Value " + item.key + "{" + at + ", " + std::to_string(item.size) +
                   ", " + (item.isSigned ? "true" : "false") + ", " +
                   HexNumber(item.mask, 2 * item.size) + ", " + std::to_string(item.shift) + ", " +
                   std::to_string(item.divisor) + ", " +
                   (WrapsAboveType(item) ? std::to_string(int(item.lowest)) : "0") + "};";
        case ItemWrite::kCommandWord:
            return "";  // kCommandWord above
        case ItemWrite::kCommand:
            return "constexpr Command " + item.key + "{" + at + ", " +
                   std::to_string(item.command) + "};";
        case ItemWrite::kStepCounter:
            return "constexpr Counter " + item.key + "{" + at + ", " +
                   std::to_string(item.commandDown) + ", " + std::to_string(item.commandUp) + "};";
        case ItemWrite::kSetValueKnob:
            return "constexpr Knob " + item.key + "{" + at + ", " + std::to_string(item.command) +
                   "};";
        case ItemWrite::kDirectValue:
            return "constexpr Direct " + item.key + "{" + at + ", " + std::to_string(item.command) +
                   "};";
    }
    return "";
}

}  // namespace

std::string CppHeader() {
    std::string text = kHead;
    std::string group;
    for (const OffsetItem& item : GroupedItems()) {
        const std::string line = Line(item);
        if (line.empty()) {
            continue;
        }
        if (item.group != group) {
            group = item.group;
            text += "\n// " + group + "\n";
        }
        text += "// " + item.name + "\n" + line + "\n";
    }
    return text + "\n}  // namespace ulvo737\n\n#endif  // ULVO737_OFFSETS_H\n";
}

}  // namespace ulvo::tools
