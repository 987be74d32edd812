// Records of the in-process channel, through which a client inside the
// simulator's own process borrows the simulator's message buffers. Requests go to
// the simulator window as WM_COMMAND with wParam 0x2002A and the record's address
// as lParam; all records are little-endian, addresses 64-bit.
#pragma once

#include <cstdint>

namespace ulvo::simconnect {

constexpr uint32_t kChannelCommand = 0x2002A;

// Kind 5: ask for the unregister entry; the simulator writes it into the last 8 bytes.
constexpr uint32_t kUnregisterQueryKind = 5;
constexpr uint32_t kUnregisterQuerySize = 24;
// Kind 4: register the library's dispatch entry.
constexpr uint32_t kDispatchEntryKind = 4;
constexpr uint32_t kDispatchEntrySize = 24;
// Kind 1: open the channel (cookie, serial, bind and deliver callbacks).
constexpr uint32_t kOpenChannelKind = 1;
constexpr uint32_t kOpenChannelSize = 32;
// Kind 2: the bind record the simulator hands to the bind callback.
constexpr uint32_t kBindRecordKind = 2;
constexpr uint32_t kBindRecordSize = 48;

// The simulator's open reply: message id 2, exactly 308 bytes, cookie at 300.
constexpr uint32_t kOpenReplyId = 2;
constexpr uint32_t kOpenReplySize = 308;
constexpr uint32_t kOpenReplyCookieOffset = 300;

// The simulator's entry points and the library's callbacks, as plain x64 calls.
using HostUnregister = void (*)(void* dispatchEntry);
using HostAlloc = void* (*)(uint32_t cookie, uint32_t serial, uint32_t size);
using HostFree = void (*)(uint32_t cookie, uint32_t serial, void* buffer);
using HostSend = void (*)(uint32_t cookie, uint32_t serial, uint32_t size, void* buffer);
using HostRelease = void (*)(uint32_t cookie, uint32_t serial, void* buffer);
using BindCallback = int32_t (*)(const void* bindRecord);
using DeliverCallback = void (*)(uint32_t cookie, uint32_t serial, uint32_t size, void* buffer);

void EncodeUnregisterQuery(uint8_t* record);
uint64_t UnregisterEntryOf(const uint8_t* record);
void EncodeDispatchEntry(uint8_t* record, uint64_t dispatchEntry);
void EncodeOpenChannel(uint8_t* record, uint32_t cookie, uint32_t serial, uint64_t bindCallback,
                       uint64_t deliverCallback);

struct BindRecord {
    uint32_t cookie = 0;
    uint32_t serial = 0;
    uint64_t alloc = 0;
    uint64_t free = 0;
    uint64_t send = 0;
    uint64_t release = 0;
};

// Reads a bind record; false when its size or kind is not that of a bind record.
bool DecodeBindRecord(const uint8_t* record, BindRecord& bind);

// The host cookie of an open reply, or 0 when the message is none (wrong id or
// size) or carries no cookie.
uint32_t OpenReplyCookie(const uint8_t* message, uint32_t size);

}  // namespace ulvo::simconnect
