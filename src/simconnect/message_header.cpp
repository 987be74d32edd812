#include "simconnect/message_header.h"

#include "common/little_endian.h"

namespace ulvo::simconnect {

void WriteHeader(uint8_t* message, uint32_t size, uint32_t callNumber) {
    StoreU32(message, size);
    StoreU32(message + 4, kProtocolVersion);
    StoreU32(message + 8, kMessageIdBase + callNumber);
}

void WriteSendId(uint8_t* message, uint32_t sendId) {
    StoreU32(message + kSendIdOffset, sendId);
}

}  // namespace ulvo::simconnect
