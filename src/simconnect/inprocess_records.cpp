#include "simconnect/inprocess_records.h"

#include <cstring>

#include "common/little_endian.h"
#include "simconnect/message_header.h"

namespace ulvo::simconnect {

void EncodeUnregisterQuery(uint8_t* record) {
    std::memset(record, 0, kUnregisterQuerySize);
    StoreU32(record, kUnregisterQuerySize);
    StoreU32(record + 4, kUnregisterQueryKind);
}

uint64_t UnregisterEntryOf(const uint8_t* record) {
    return LoadU64(record + kUnregisterQuerySize - 8);
}

void EncodeDispatchEntry(uint8_t* record, uint64_t dispatchEntry) {
    StoreU32(record, kDispatchEntrySize);
    StoreU32(record + 4, kDispatchEntryKind);
    StoreU64(record + 8, 0);
    StoreU64(record + 16, dispatchEntry);
}

void EncodeOpenChannel(uint8_t* record, uint32_t cookie, uint32_t serial, uint64_t bindCallback,
                       uint64_t deliverCallback) {
    StoreU32(record, kOpenChannelSize);
    StoreU32(record + 4, kOpenChannelKind);
    StoreU32(record + 8, cookie);
    StoreU32(record + 12, serial);
    StoreU64(record + 16, bindCallback);
    StoreU64(record + 24, deliverCallback);
}

bool DecodeBindRecord(const uint8_t* record, BindRecord& bind) {
    if (record == nullptr || LoadU32(record) != kBindRecordSize ||
        LoadU32(record + 4) != kBindRecordKind) {
        return false;
    }
    bind.cookie = LoadU32(record + 8);
    bind.serial = LoadU32(record + 12);
    bind.alloc = LoadU64(record + 16);
    bind.free = LoadU64(record + 24);
    bind.send = LoadU64(record + 32);
    bind.release = LoadU64(record + 40);
    return true;
}

uint32_t OpenReplyCookie(const uint8_t* message, uint32_t size) {
    if (message == nullptr || size != kOpenReplySize ||
        LoadU32(message + kIncomingIdOffset) != kOpenReplyId) {
        return 0;
    }
    return LoadU32(message + kOpenReplyCookieOffset);
}

}  // namespace ulvo::simconnect
