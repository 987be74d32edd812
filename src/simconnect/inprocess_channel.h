// The in-process channel: a client inside the simulator's own process registers
// with the simulator window ("FS98MAIN") after connecting, answers the
// simulator's open reply with the channel request, and once the simulator binds
// the channel, stages its messages in host buffers and receives host buffers.
#pragma once

#include <cstdint>

#include "simconnect/simconnect_client.h"

namespace ulvo::simconnect {

// After a transport connected: records 5 and (for the only client) 4.
void RegisterInProcess(SimConnectClient& client);

// During dispatch, for every dispatched message: an open reply with a cookie
// starts the handshake (record 1) once.
void CheckOpenReply(SimConnectClient& client, const uint8_t* message, uint32_t size);

// On destroy: the only client of the process takes the dispatch entry back.
void UnregisterInProcess(SimConnectClient& client);

// The simulator's callbacks; they work on the installed process state.
// Called by the simulator with the bind record; 1 when it bound a client.
int32_t ChannelBind(const void* bindRecord);
// Called by the simulator with a message in one of its buffers.
void ChannelDeliver(uint32_t cookie, uint32_t serial, uint32_t size, void* buffer);

}  // namespace ulvo::simconnect
