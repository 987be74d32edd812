#include "core/simconnect_message_text.h"

#include <cstdio>
#include <cstring>

#include "common/little_endian.h"

namespace ulvo::testbed {

namespace {

constexpr uint32_t kCallBase = 0xF0000000;
constexpr size_t kTextSize = 256;

// A 256-byte text field, up to its terminator.
std::string Text(const std::vector<uint8_t>& message, size_t at) {
    const char* start = reinterpret_cast<const char*>(message.data() + at);
    return "\"" + std::string(start, strnlen(start, kTextSize)) + "\"";
}

std::string U32(const std::vector<uint8_t>& message, size_t at) {
    return std::to_string(LoadU32(message.data() + at));
}

}  // namespace

std::string SimConnectMessageText(const std::vector<uint8_t>& message) {
    if (message.size() < 16) {
        return "message of " + std::to_string(message.size()) + " bytes";
    }
    const uint32_t id = LoadU32(message.data() + 8);
    const size_t size = message.size();
    if (id == kCallBase + 0x01 && size == 296) {
        return "Open " + Text(message, 16);
    }
    if (id == kCallBase + 0x04 && size == 276) {
        return "MapClientEventToSimEvent event " + U32(message, 16) + " " + Text(message, 20);
    }
    if (id == kCallBase + 0x05 && size == 36) {
        return "TransmitClientEvent object " + U32(message, 16) + " event " + U32(message, 20) +
               " data " + U32(message, 24) + " priority " + U32(message, 28) + " flags " +
               U32(message, 32);
    }
    if (id == kCallBase + 0x0C && size == 544) {
        return "AddToDataDefinition definition " + U32(message, 16) + " " + Text(message, 20) +
               " in " + Text(message, 276);
    }
    if (id == kCallBase + 0x0E && size == 48) {
        return "RequestDataOnSimObject request " + U32(message, 16) + " definition " +
               U32(message, 20) + " object " + U32(message, 24) + " period " + U32(message, 28) +
               " flags " + U32(message, 32);
    }
    char text[64];
    std::snprintf(text, sizeof text, "message 0x%08X of %zu bytes", id, size);
    return text;
}

}  // namespace ulvo::testbed
