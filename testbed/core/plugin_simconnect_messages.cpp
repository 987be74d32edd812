#include "core/plugin_simconnect_messages.h"

#include <cstring>

namespace ulvo::testbed {

namespace expected {

namespace {

constexpr uint32_t kVersion = 0x1F;

void U32(Bytes& bytes, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(uint8_t(value >> shift));
    }
}

// A fixed 256-byte text field, zero-filled after the text.
void Text(Bytes& bytes, const std::string& text) {
    const size_t start = bytes.size();
    bytes.resize(start + 256, 0);
    std::memcpy(bytes.data() + start, text.data(), text.size());
}

Bytes Header(uint32_t size, uint32_t call, uint32_t sendId) {
    Bytes bytes;
    U32(bytes, size);
    U32(bytes, kVersion);
    U32(bytes, 0xF0000000 + call);
    U32(bytes, sendId);
    return bytes;
}

}  // namespace

Bytes Open(uint32_t sendId, const std::string& name) {
    Bytes bytes = Header(296, 1, sendId);
    Text(bytes, name);
    U32(bytes, 0);
    bytes.insert(bytes.end(), {0x00, 'D', '3', 'P'});
    for (uint32_t value : {4u, 5u, 0u, 0u}) {
        U32(bytes, value);
    }
    return bytes;
}

Bytes MapClientEventToSimEvent(uint32_t sendId, uint32_t eventId, const std::string& name) {
    Bytes bytes = Header(276, 4, sendId);
    U32(bytes, eventId);
    Text(bytes, name);
    return bytes;
}

Bytes AddToDataDefinition(uint32_t sendId, uint32_t definition, const std::string& datum,
                          const std::string& units) {
    Bytes bytes = Header(544, 0xC, sendId);
    U32(bytes, definition);
    Text(bytes, datum);
    Text(bytes, units);
    U32(bytes, 4);           // 64-bit float
    U32(bytes, 0);           // epsilon 0.0f
    U32(bytes, 0xFFFFFFFF);  // no datum id
    return bytes;
}

Bytes RequestDataOnSimObject(uint32_t sendId) {
    Bytes bytes = Header(48, 0xE, sendId);
    // request 0, definition 0, user's aircraft, every second, only when changed
    for (uint32_t value : {0u, 0u, 0u, 4u, 1u, 0u, 0u, 0u}) {
        U32(bytes, value);
    }
    return bytes;
}

Bytes TransmitClientEvent(uint32_t sendId, uint32_t eventId) {
    Bytes bytes = Header(36, 5, sendId);
    // user's aircraft, data 0, priority 1 (group is a priority)
    for (uint32_t value : {0u, eventId, 0u, 1u, 0x10u}) {
        U32(bytes, value);
    }
    return bytes;
}

std::vector<Bytes> SetUpMessages() {
    return {
        Open(1, "Ulvo2GSX Simconnect proc"),
        MapClientEventToSimEvent(2, 0, "TOGGLE_AIRCRAFT_EXIT"),
        MapClientEventToSimEvent(3, 1, "TOGGLE_PUSHBACK"),
        MapClientEventToSimEvent(4, 2, "SELECT_1"),
        MapClientEventToSimEvent(5, 3, "SELECT_2"),
        MapClientEventToSimEvent(6, 4, "SELECT_3"),
        AddToDataDefinition(7, 0, "EXIT OPEN:0", "percent over 100"),
        AddToDataDefinition(8, 0, "EXIT OPEN:1", "percent over 100"),
        AddToDataDefinition(9, 0, "EXIT OPEN:2", "percent over 100"),
        AddToDataDefinition(10, 0, "PLANE ALTITUDE", "feet"),
        RequestDataOnSimObject(11),
    };
}

}  // namespace expected

}  // namespace ulvo::testbed
