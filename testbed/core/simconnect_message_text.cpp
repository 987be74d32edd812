#include "core/simconnect_message_text.h"

#include <cstdio>
#include <cstring>

#include "common/little_endian.h"

namespace ulvo::testbed {

namespace {

constexpr uint32_t kCallBase = 0xF0000000;
constexpr size_t kTextSize = 256;
constexpr size_t kHeaderSize = 16;

using Kind = ClientCall::Kind;

// Each call the plug-in makes: its id, its exact size, where its texts and its
// 32-bit arguments lie.
struct CallLayout {
    Kind kind;
    uint32_t id;
    size_t size;
    size_t nameAt;   // 0: none
    size_t unitsAt;  // 0: none
    size_t firstArgument;
    size_t arguments;
};

constexpr CallLayout kLayouts[] = {
    {Kind::kOpen, kCallBase + 0x01, 296, 16, 0, 0, 0},
    {Kind::kMapClientEventToSimEvent, kCallBase + 0x04, 276, 20, 0, 16, 1},
    {Kind::kTransmitClientEvent, kCallBase + 0x05, 36, 0, 0, 16, 5},
    {Kind::kAddToDataDefinition, kCallBase + 0x0C, 544, 20, 276, 16, 1},
    {Kind::kRequestDataOnSimObject, kCallBase + 0x0E, 48, 0, 0, 16, 5},
};

// A 256-byte text field, up to its terminator.
std::string Text(const std::vector<uint8_t>& message, size_t at) {
    const char* start = reinterpret_cast<const char*>(message.data() + at);
    return std::string(start, strnlen(start, kTextSize));
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

}  // namespace

ClientCall ReadClientCall(const std::vector<uint8_t>& message) {
    ClientCall call;
    call.size = message.size();
    if (message.size() < kHeaderSize) {
        return call;
    }
    call.id = LoadU32(message.data() + 8);
    for (const CallLayout& layout : kLayouts) {
        if (layout.id != call.id || layout.size != message.size()) {
            continue;
        }
        call.kind = layout.kind;
        if (layout.nameAt != 0) {
            call.name = Text(message, layout.nameAt);
        }
        if (layout.unitsAt != 0) {
            call.units = Text(message, layout.unitsAt);
        }
        for (size_t i = 0; i < layout.arguments; ++i) {
            call.arguments.push_back(LoadU32(message.data() + layout.firstArgument + 4 * i));
        }
    }
    return call;
}

std::string SimConnectMessageText(const std::vector<uint8_t>& message) {
    const ClientCall call = ReadClientCall(message);
    const std::vector<uint32_t>& a = call.arguments;
    auto number = [&](size_t i) { return std::to_string(a[i]); };
    switch (call.kind) {
        case Kind::kOpen:
            return "Open " + Quoted(call.name);
        case Kind::kMapClientEventToSimEvent:
            return "MapClientEventToSimEvent event " + number(0) + " " + Quoted(call.name);
        case Kind::kTransmitClientEvent:
            return "TransmitClientEvent object " + number(0) + " event " + number(1) + " data " +
                   number(2) + " priority " + number(3) + " flags " + number(4);
        case Kind::kAddToDataDefinition:
            return "AddToDataDefinition definition " + number(0) + " " + Quoted(call.name) +
                   " in " + Quoted(call.units);
        case Kind::kRequestDataOnSimObject:
            return "RequestDataOnSimObject request " + number(0) + " definition " + number(1) +
                   " object " + number(2) + " period " + number(3) + " flags " + number(4);
        case Kind::kOther:
            break;
    }
    if (call.size < kHeaderSize) {
        return "message of " + std::to_string(call.size) + " bytes";
    }
    char text[64];
    std::snprintf(text, sizeof text, "message 0x%08X of %zu bytes", call.id, call.size);
    return text;
}

std::optional<std::string> ClientEventNames::Follow(size_t connection, const ClientCall& call) {
    if (call.kind == Kind::kMapClientEventToSimEvent) {
        names[{connection, call.arguments[0]}] = call.name;
    }
    if (call.kind != Kind::kTransmitClientEvent) {
        return std::nullopt;
    }
    const auto named = names.find({connection, call.arguments[1]});
    return named != names.end() ? named->second : "event " + std::to_string(call.arguments[1]);
}

}  // namespace ulvo::testbed
