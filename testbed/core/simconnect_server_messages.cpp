#include "core/simconnect_server_messages.h"

#include <algorithm>

#include "common/little_endian.h"

namespace ulvo::testbed {

std::vector<uint8_t> ServerMessage(uint32_t size, uint32_t id, uint8_t fill) {
    std::vector<uint8_t> message(size, 0);
    for (uint32_t i = 12; i < size; ++i) {
        message[i] = uint8_t(fill + i);
    }
    if (size >= 4) {
        StoreU32(message.data(), size);
    }
    if (size >= 12) {
        StoreU32(message.data() + 4, 0x1F);
        StoreU32(message.data() + 8, id);
    }
    return message;
}

std::vector<uint8_t> OpenReply(uint32_t cookie, uint32_t size, uint32_t id) {
    std::vector<uint8_t> reply = ServerMessage(size, id);
    std::fill(reply.begin() + std::min<uint32_t>(12, size), reply.end(), 0);
    if (size >= 304) {
        StoreU32(reply.data() + 300, cookie);
    }
    return reply;
}

}  // namespace ulvo::testbed
