// The SimConnect calls the plug-in makes, on the process state they are given.
// Each returns a 32-bit code: 0 on success, negative on failure. Apart from open and close, a call
// stages one message, fills it and sends it at once; it succeeds as soon as the message is handed
// to the transport. A handle is the address of a client; handles name nothing else.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "simconnect/api_messages.h"
#include "simconnect/simconnect_client.h"

namespace ulvo::simconnect {

// SimConnect_Open: connects a new client (configuration index: 0 section
// "SimConnect", n section "SimConnect.n", 0xFFFFFFFF no file), stores the
// notification targets and sends the open message.
int32_t OpenClient(ProcessState& process, void** handle, const char* name,
                   const NotificationTargets& targets, uint32_t configIndex);

// SimConnect_Close: sends what is still staged and destroys the client; takes at
// least 350 ms.
int32_t CloseClient(ProcessState& process, void* handle);

// Every other call: the message of `layout`, filled with `values` in table order.
int32_t CallClient(ProcessState& process, void* handle, const MessageLayout& layout,
                   std::initializer_list<FieldValue> values);

}  // namespace ulvo::simconnect
