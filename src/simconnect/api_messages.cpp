#include "simconnect/api_messages.h"

#include <cstring>

#include "common/little_endian.h"
#include "simconnect/message_header.h"
#include "simconnect/status_codes.h"

namespace ulvo::simconnect {

namespace {

constexpr MessageField kOpenFields[] = {
    {16, FieldKind::Text, "application name"},
    {272, FieldKind::U32, "reserved"},
    {276, FieldKind::U32, "alias"},
    {280, FieldKind::U32, "version major"},
    {284, FieldKind::U32, "version minor"},
    {288, FieldKind::U32, "build major"},
    {292, FieldKind::U32, "build minor"},
};

constexpr MessageField kMapClientEventToSimEventFields[] = {
    {16, FieldKind::U32, "client event id"},
    {20, FieldKind::Text, "simulator event name"},
};

constexpr MessageField kTransmitClientEventFields[] = {
    {16, FieldKind::U32, "object id"}, {20, FieldKind::U32, "client event id"},
    {24, FieldKind::U32, "data"},      {28, FieldKind::U32, "group id or priority"},
    {32, FieldKind::U32, "flags"},
};

constexpr MessageField kAddToDataDefinitionFields[] = {
    {16, FieldKind::U32, "definition id"}, {20, FieldKind::Text, "datum name"},
    {276, FieldKind::Text, "units name"},  {532, FieldKind::U32, "datum type"},
    {536, FieldKind::F32, "epsilon"},      {540, FieldKind::U32, "datum id"},
};

constexpr MessageField kRequestDataOnSimObjectFields[] = {
    {16, FieldKind::U32, "request id"}, {20, FieldKind::U32, "definition id"},
    {24, FieldKind::U32, "object id"},  {28, FieldKind::U32, "period"},
    {32, FieldKind::U32, "flags"},      {36, FieldKind::U32, "origin"},
    {40, FieldKind::U32, "interval"},   {44, FieldKind::U32, "limit"},
};

bool Matches(FieldKind kind, const FieldValue& value) {
    switch (kind) {
        case FieldKind::U32:
            return std::holds_alternative<uint32_t>(value);
        case FieldKind::F32:
            return std::holds_alternative<float>(value);
        case FieldKind::Text:
            return std::holds_alternative<const char*>(value);
    }
    return false;
}

// Length of a text argument, looking at no more than the field can hold.
size_t BoundedLength(const char* text) {
    return text == nullptr ? 0 : strnlen(text, kTextFieldSize);
}

}  // namespace

const MessageLayout kOpenLayout{"Open", 0x01, 296, kOpenFields};
const MessageLayout kMapClientEventToSimEventLayout{"MapClientEventToSimEvent", 0x04, 276,
                                                    kMapClientEventToSimEventFields};
const MessageLayout kTransmitClientEventLayout{"TransmitClientEvent", 0x05, 36,
                                               kTransmitClientEventFields};
const MessageLayout kAddToDataDefinitionLayout{"AddToDataDefinition", 0x0C, 544,
                                               kAddToDataDefinitionFields};
const MessageLayout kRequestDataOnSimObjectLayout{"RequestDataOnSimObject", 0x0E, 48,
                                                  kRequestDataOnSimObjectFields};

const MessageLayout* const kAllLayouts[5] = {
    &kOpenLayout, &kMapClientEventToSimEventLayout, &kTransmitClientEventLayout,
    &kAddToDataDefinitionLayout, &kRequestDataOnSimObjectLayout};

int32_t EncodeMessage(const MessageLayout& layout, std::span<const FieldValue> values,
                      uint8_t* message) {
    if (values.size() != layout.fields.size()) {
        return kFail;
    }
    for (size_t i = 0; i < values.size(); ++i) {
        if (!Matches(layout.fields[i].kind, values[i])) {
            return kFail;
        }
        if (layout.fields[i].kind == FieldKind::Text &&
            BoundedLength(std::get<const char*>(values[i])) >= kTextFieldSize) {
            return kNameTooLong;
        }
    }
    WriteHeader(message, layout.size, layout.callNumber);
    for (size_t i = 0; i < values.size(); ++i) {
        uint8_t* field = message + layout.fields[i].offset;
        switch (layout.fields[i].kind) {
            case FieldKind::U32:
                StoreU32(field, std::get<uint32_t>(values[i]));
                break;
            case FieldKind::F32:
                StoreF32(field, std::get<float>(values[i]));
                break;
            case FieldKind::Text: {
                // Copied with its terminator; the rest of the field stays zero, as
                // staged messages are zero-filled.
                const char* text = std::get<const char*>(values[i]);
                std::memcpy(field, text == nullptr ? "" : text, BoundedLength(text) + 1);
                break;
            }
        }
    }
    return kOk;
}

}  // namespace ulvo::simconnect
