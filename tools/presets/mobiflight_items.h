// The offset items as MobiFlight Connector items, before they are written as an
// .mcc (XML) or an .mfproj (JSON): one output per value a panel shows, one input
// per command and control byte, no device assigned. The modifiers correct what
// the Connector would otherwise misread: it reads two bytes as a signed number
// and does not shift a masked value.
//
// Every expression is written without the characters XML escapes (< > & " '):
// unsigned words and wrapping counters use % instead of a comparison.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "offsets_doc/offset_items.h"

namespace ulvo::tools {

struct MobiFlightSource {
    uint32_t offset = 0;
    uint32_t size = 0;
    uint32_t mask = 0;
};

// A Comparison (value != 0 gives 1, else 0) or a Transformation.
struct MobiFlightModifier {
    bool bitToOne = false;
    std::string expression;  // the Transformation's; empty for the comparison
};

struct MobiFlightOutput {
    std::string guid;
    std::string name;  // "Displays - Display05 altitude window (0x943A u16)"
    std::string group;
    MobiFlightSource source;
    int64_t testValue = 0;  // all eights, a lamp on
    std::vector<MobiFlightModifier> modifiers;
};

// A Button (press and release) or an Encoder (left one step down, right one up);
// each action writes the expression's value at the source.
struct MobiFlightInput {
    std::string guid;
    std::string name;
    std::string group;
    bool encoder = false;
    MobiFlightSource source;
    std::string press;    // Button: onPress; Encoder: onRight
    std::string release;  // Button: onRelease, empty for none; Encoder: onLeft
};

// Both in the order of ItemGroups().
std::vector<MobiFlightOutput> MobiFlightOutputs();
std::vector<MobiFlightInput> MobiFlightInputs();

// A stable GUID for an item key (a name-based UUID, version 8), so that a
// re-export compares cleanly with the previous one.
std::string StableGuid(const std::string& key);

}  // namespace ulvo::tools
