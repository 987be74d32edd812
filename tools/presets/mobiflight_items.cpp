#include "presets/mobiflight_items.h"

#include <cstdio>

namespace ulvo::tools {

namespace {

// The Connector's modifiers for a value read from the block, in list order.
std::vector<MobiFlightModifier> Modifiers(const OffsetItem& item) {
    if (SingleBit(item)) {
        return {{true, ""}};
    }
    std::vector<MobiFlightModifier> modifiers;
    if (item.shift > 0) {
        // The mask does not shift: bits 4-7 read 16 times their number.
        modifiers.push_back({false, "$/" + std::to_string(1u << item.shift)});
    } else if (item.size == 2 && !item.isSigned) {
        modifiers.push_back({false, "($+65536)%65536"});  // read as -32768 to 32767
    } else if (WrapsAboveType(item)) {
        // Numbers below `lowest` are values above 32767: add 65536 to them only.
        const int lowest = int(item.lowest);
        modifiers.push_back(
            {false, "($+" + std::to_string(65536 - lowest) + ")%65536" + std::to_string(lowest)});
    }
    if (item.divisor > 1) {
        modifiers.push_back({false, "$/" + std::to_string(item.divisor)});
    }
    return modifiers;
}

// What the Test button sends: a window full of eights, a lamp lit, a number at
// its highest.
int64_t TestValue(const OffsetItem& item) {
    if (item.group == "Displays") {
        int64_t eights = 0;
        for (double rest = item.highest; rest >= 1; rest /= 10) {
            eights = eights * 10 + 8;
        }
        return eights;
    }
    return item.bit >= 0 ? int64_t(item.highest) : 88;
}

// FNV-1a over the text, then a finishing mix so that keys that differ in one
// letter differ in every part of the GUID.
uint64_t Hash(const std::string& text, uint64_t hash) {
    for (unsigned char c : text) {
        hash = (hash ^ c) * 0x100000001B3ull;
    }
    hash = (hash ^ (hash >> 30)) * 0xBF58476D1CE4E5B9ull;
    hash = (hash ^ (hash >> 27)) * 0x94D049BB133111EBull;
    return hash ^ (hash >> 31);
}

}  // namespace

std::string StableGuid(const std::string& key) {
    const std::string name = "Ulvo2FSUIPC/" + key;
    const uint64_t high = Hash(name, 0xCBF29CE484222325ull);
    const uint64_t low = Hash(name, high);
    char text[40];
    std::snprintf(text, sizeof text, "%08x-%04x-8%03x-%04x-%012llx", unsigned(high >> 32),
                  unsigned(high >> 16) & 0xFFFF, unsigned(high) & 0xFFF,
                  0x8000 | (unsigned(low >> 48) & 0x3FFF),
                  static_cast<unsigned long long>(low & 0xFFFFFFFFFFFFull));
    return text;
}

std::vector<MobiFlightOutput> MobiFlightOutputs() {
    std::vector<MobiFlightOutput> outputs;
    for (const OffsetItem& item : GroupedItems()) {
        if (item.access != ItemAccess::kRead) {
            continue;
        }
        const std::string where =
            item.bit >= 0 ? HexNumber(item.offset, 4) + " bit " + std::to_string(item.bit)
                          : HexNumber(item.offset, 4) + " " + TypeName(item);
        outputs.push_back({StableGuid(item.key),
                           item.group + " - " + item.name + " (" + where + ")",
                           item.group,
                           {item.offset, item.size, item.mask},
                           TestValue(item),
                           Modifiers(item)});
    }
    return outputs;
}

std::vector<MobiFlightInput> MobiFlightInputs() {
    std::vector<MobiFlightInput> inputs;
    for (const OffsetItem& item : GroupedItems()) {
        MobiFlightInput input{StableGuid(item.key),
                              item.group + " - " + item.name,
                              item.group,
                              false,
                              {item.offset, item.size, FullMask(item)},
                              "",
                              ""};
        switch (item.write) {
            case ItemWrite::kNone:
            case ItemWrite::kCommandWord:  // needs a code: each named command has its item
                continue;
            case ItemWrite::kCommand:
                input.name += " (" + HexNumber(item.offset, 4) + ")";
                input.press = std::to_string(item.command);
                break;
            case ItemWrite::kDirectValue:
                input.name += " (press 1, release 0)";
                input.press = "1";
                input.release = "0";
                break;
            case ItemWrite::kStepCounter:
            case ItemWrite::kSetValueKnob:
                // One step each way; a byte write takes 0 to 255 only, so wrap here.
                input.name += " (left one step down, right one step up)";
                input.encoder = true;
                input.press = "($+1)%256";
                input.release = "($+255)%256";
                break;
        }
        inputs.push_back(input);
    }
    return inputs;
}

}  // namespace ulvo::tools
