// What a client keeps of the in-process channel: its state, the host cookie, the
// simulator window, the three request records it sent, the simulator's entry
// points and the host buffers staged since the last flush.
#pragma once

#include <atomic>
#include <cstdint>

#include "simconnect/inprocess_records.h"

namespace ulvo::simconnect {

enum class ChannelState : uint32_t { None = 0, Registered = 1, HandshakeSent = 2 };

struct InProcessChannelState {
    std::atomic<ChannelState> state{ChannelState::None};
    std::atomic<uint32_t> cookie{0};
    uintptr_t window = 0;  // the simulator window, as an opaque value

    // The records stay with the client: the simulator may keep their addresses.
    alignas(8) uint8_t unregisterQuery[kUnregisterQuerySize] = {};
    alignas(8) uint8_t dispatchEntryRecord[kDispatchEntrySize] = {};
    alignas(8) uint8_t openChannelRecord[kOpenChannelSize] = {};

    HostUnregister unregister = nullptr;
    // Set once by the bind callback under the send lock, before `bound`.
    HostAlloc alloc = nullptr;
    HostFree free = nullptr;
    HostSend send = nullptr;
    HostRelease release = nullptr;
    std::atomic<bool> bound{false};

    // Host buffers staged since the last flush; each call stages one and flushes
    // it at once, so a few places are plenty.
    struct HostBuffer {
        uint8_t* data;
        uint32_t size;
    };
    static constexpr uint32_t kStagedLimit = 8;
    HostBuffer staged[kStagedLimit] = {};
    uint32_t stagedCount = 0;
};

}  // namespace ulvo::simconnect
