// Helpers shared by the SimConnect tests under Wine: a bounded wait, the client
// behind a handle, and the library's SimConnect process state, which these tests
// use as the plug-in does.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

#include "plugin/win/library.h"
#include "simconnect/simconnect_client.h"
#include "simconnect/win/simconnect_calls.h"

namespace ulvo::simconnect {

using Bytes = std::vector<uint8_t>;

// Polls until `done` holds; gives up after 5 s so that no test can hang. The
// limit guards against hanging and says nothing about speed.
inline bool Eventually(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        Sleep(1);
    }
    return true;
}

inline SimConnectClient& ClientOf(HANDLE handle) {
    return *static_cast<SimConnectClient*>(handle);
}

inline ProcessState& Process() {
    return plugin::Library().simconnect;
}

}  // namespace ulvo::simconnect
