// A SimConnect client over the in-memory platform, for native tests: a process
// state installed for the test, clients opened as the plug-in opens them, the
// server's end of the pipe, and dispatch into a list. At the end it closes
// whatever is still open and checks that every connection was freed.
//
// Completions run on the test's thread, or, in the ThreadSanitizer build
// (ULVO_COMPLETION_THREADS), on threads of their own at random moments.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "core/memory_client_platform.h"
#include "simconnect/api_calls.h"
#include "simconnect/process_state.h"
#include "simconnect/simconnect_dispatch.h"

#ifndef ULVO_COMPLETION_THREADS
#define ULVO_COMPLETION_THREADS 0
#endif

namespace ulvo::testbed {

using Bytes = std::vector<uint8_t>;

inline void CollectMessage(void* message, uint32_t size, void* context) {
    const auto* bytes = static_cast<const uint8_t*>(message);
    static_cast<std::vector<Bytes>*>(context)->emplace_back(bytes, bytes + size);
}

struct ClientRig {
    ~ClientRig() {
        for (void* open : handles) {
            simconnect::CloseClient(process, open);
        }
        platform.RunCompletions();
        EXPECT_EQ(process.liveConnections.load(), 0u) << "a reference was never dropped";
    }

    // Opens a client and lets its open message's write complete.
    int32_t Open(const simconnect::NotificationTargets& targets = {}, uint32_t index = 0) {
        void* handle = nullptr;
        const int32_t result =
            simconnect::OpenClient(process, &handle, "Ulvo2GSX Simconnect proc", targets, index);
        if (handle != nullptr) {
            handles.push_back(handle);
        }
        platform.RunCompletions();
        return result;
    }
    // A call as the plug-in makes it, with its writes completed.
    int32_t Transmit(uint32_t eventId, void* handle = nullptr) {
        const int32_t result = simconnect::CallClient(
            process, handle != nullptr ? handle : handles.back(),
            simconnect::kTransmitClientEventLayout, {0u, eventId, 0u, 1u, 0x10u});
        platform.RunCompletions();
        return result;
    }
    std::vector<Bytes> Dispatch(int32_t* result = nullptr) {
        std::vector<Bytes> messages;
        const int32_t dispatched =
            simconnect::SimConnect_CallDispatch(handles.back(), &CollectMessage, &messages);
        if (result != nullptr) {
            *result = dispatched;
        }
        return messages;
    }

    // The simulator's window and its side of the in-process channel.
    HostChannel& Simulator(bool bindOnOpen) {
        host.emplace(bindOnOpen);
        platform.simulatorWindow = 0x5151;
        platform.host = &*host;
        return *host;
    }

    simconnect::SimConnectClient& Client() {
        return *static_cast<simconnect::SimConnectClient*>(handles.back());
    }
    MemoryServerEnd& Server() { return platform.LastEnd(); }

    std::optional<HostChannel> host;
    MemoryClientPlatform platform{ULVO_COMPLETION_THREADS};
    simconnect::ProcessState process{platform};
    std::vector<void*> handles;  // closed at the end; closing twice only fails
};

}  // namespace ulvo::testbed
