// The offset block as typed items: every value a panel reads (a display, one
// lamp or switch position, a further value) and everything a panel writes (the
// command word, a named command, a control byte), each with the number type,
// mask, shift and divisor that read or write it correctly. Built from the
// bridge's tables; offsets.csv and the files for panel tools are written from it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ulvo::tools {

enum class ItemAccess : uint8_t {
    kRead,          // the plug-in writes it
    kWrite,         // a client writes it, the plug-in only reads it
    kWriteCleared,  // a client writes it, the plug-in sets it back to idle (-1)
};

// What writing the item does.
enum class ItemWrite : uint8_t {
    kNone,
    kCommandWord,   // any command code, 0 to 32767
    kCommand,       // the code `command` written at the command word
    kDirectValue,   // each new byte is sent as the value of `command`
    kStepCounter,   // a counter: each step down sends `commandDown`, up `commandUp`
    kSetValueKnob,  // a counter: each step moves a set value sent with `command`
};

struct OffsetItem {
    std::string key;  // unique; lower case, digits and '_': "display05", "bitword14_bit3"
    uint32_t offset = 0;
    uint32_t size = 0;      // bytes: 1 or 2
    bool isSigned = false;  // the bytes read as a two's-complement number
    int bit = -1;           // the lowest bit of an item that is part of a byte, else -1
    uint32_t mask = 0;      // the item's bits within the offset (all of them when whole)
    uint32_t shift = 0;     // the masked number shifted right by this is the item's number
    uint32_t divisor = 1;   // the number divided by this is the value in `unit`
    std::string unit;       // may be empty
    double lowest = 0.0;    // the range of values, in `unit`
    double highest = 0.0;
    std::optional<int32_t> blank;      // the number a blank window reads as
    std::optional<int32_t> allEights;  // the number 88888 (the lamp test) reads as
    ItemAccess access = ItemAccess::kRead;
    ItemWrite write = ItemWrite::kNone;
    uint32_t command = 0;      // kCommand: the code; kDirectValue, kSetValueKnob: the command
    uint32_t commandDown = 0;  // kStepCounter
    uint32_t commandUp = 0;
    std::string group;        // "Displays", "Lamps and switches", ...
    std::string name;         // "Display05 altitude window", "0x94F0 altitude knob"
    std::string description;  // ASCII
};

// The items in offset order (bit order within a byte); the named commands follow
// the command word.
std::vector<OffsetItem> OffsetItems();

// A value in the item's unit with the decimals its divisor gives: "-32.768", "255".
std::string NumberIn(const OffsetItem& item, double value);
// "0x943A" with at least `digits` upper-case hex digits.
std::string HexNumber(uint32_t value, int digits);
// The groups in the order the files for panel tools show them.
const std::vector<std::string>& ItemGroups();
// OffsetItems() ordered by group, in offset order within a group.
std::vector<OffsetItem> GroupedItems();

// "u8", "s16", "u16".
std::string TypeName(const OffsetItem& item);
// "read", "write", "write-and-cleared".
std::string AccessName(ItemAccess access);
// True for a part of a byte that holds one bit: it reads 0 or 1.
bool SingleBit(const OffsetItem& item);
// The mask of every bit of the item's size: 0xFF or 0xFFFF.
uint32_t FullMask(const OffsetItem& item);
// A signed item whose values reach above its type (a five-digit signed window):
// numbers read below `lowest` are the value minus 65536.
bool WrapsAboveType(const OffsetItem& item);

}  // namespace ulvo::tools
