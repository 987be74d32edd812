// Draining a client's received messages into a procedure.
#pragma once

#include <cstdint>

#include "simconnect/simconnect_client.h"

namespace ulvo::simconnect {

// Calls `proc` (or the procedure stored before) for every queued message of at
// least 12 bytes, oldest first, and returns 0, or the close code when the
// connection closed with an error. A null handle with procedure -2 and context
// -3 dispatches every client with a stored procedure: that is how the simulator
// calls the dispatch entry registered through the in-process channel. Works on
// the installed process state.
int32_t SimConnect_CallDispatch(void* handle, DispatchProc proc, void* context);

// The special form's arguments.
inline DispatchProc AllClientsProc() {
    return reinterpret_cast<DispatchProc>(intptr_t(-2));
}
inline void* AllClientsContext() {
    return reinterpret_cast<void*>(intptr_t(-3));
}

}  // namespace ulvo::simconnect
