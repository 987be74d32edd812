// Layouts of the messages the plug-in sends, kept as data: one layout per call,
// one row per body field, offsets from the start of the message (0-15 is the
// header). EncodeMessage fills a staged, zero-filled message from argument values.
#pragma once

#include <cstdint>
#include <span>
#include <variant>

namespace ulvo::simconnect {

// Text fields are 256-byte arrays of 8-bit, zero-terminated text.
constexpr uint32_t kTextFieldSize = 256;

enum class FieldKind { U32, F32, Text };

struct MessageField {
    uint32_t offset;
    FieldKind kind;
    const char* name;
};

struct MessageLayout {
    const char* call;
    uint32_t callNumber;  // message id 0xF0000000 + call number
    uint32_t size;
    std::span<const MessageField> fields;
};

extern const MessageLayout kOpenLayout;
extern const MessageLayout kMapClientEventToSimEventLayout;
extern const MessageLayout kTransmitClientEventLayout;
extern const MessageLayout kAddToDataDefinitionLayout;
extern const MessageLayout kRequestDataOnSimObjectLayout;

// Every layout, for table checks.
extern const MessageLayout* const kAllLayouts[5];

// Constant fields of the open message after the application name: reserved 0,
// the alias bytes 0x00 'D' '3' 'P', version 4.5 and build 0.0.
constexpr uint32_t kOpenAlias = 0x50334400;
constexpr uint32_t kOpenVersionMajor = 4;
constexpr uint32_t kOpenVersionMinor = 5;

// One argument; a null text gives an empty field.
using FieldValue = std::variant<uint32_t, float, const char*>;

// Writes header (size, version, id) and body into `message`, which holds
// layout.size zero-filled bytes with its send id already set. Returns kOk, or
// kNameTooLong when a text has 256 characters or more (the message is then
// incomplete and must not be sent). Values must match the layout's fields.
int32_t EncodeMessage(const MessageLayout& layout, std::span<const FieldValue> values,
                      uint8_t* message);

}  // namespace ulvo::simconnect
