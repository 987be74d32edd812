// Look-ups in a process's list of clients. Each returns the client with a
// reference taken under the list lock (release it with Release()), or null.
#pragma once

#include <cstdint>
#include <vector>

#include "simconnect/process_state.h"
#include "simconnect/simconnect_client.h"

namespace ulvo::simconnect {

// The client behind a handle the application passed in. Handles that name no
// live client (never opened, or already closed) find nothing, so a stale handle
// fails instead of touching freed memory.
SimConnectClient* FindClient(ProcessState& process, const void* handle);

// The client whose connection serial and host cookie match a channel call.
SimConnectClient* FindChannelClient(ProcessState& process, uint32_t serial, uint32_t cookie);

// Every client with a stored dispatch procedure.
std::vector<SimConnectClient*> ClientsWithDispatchProc(ProcessState& process);

void UnlinkClient(ProcessState& process, SimConnectClient* client);

}  // namespace ulvo::simconnect
