// Destroying a client (SimConnect_Close, and every failed connection attempt).
#pragma once

#include "simconnect/simconnect_client.h"

namespace ulvo::simconnect {

// Waits 100 ms, gives the dispatch entry back if this is the process's only
// registered client, drops the received messages, unlinks and closes the client
// without reporting and drops the creator's reference, then waits 250 ms. After
// the last client it waits up to 5 s for outstanding I/O and stops the socket
// library. Takes at least 350 ms.
void DestroyClient(SimConnectClient* client);

}  // namespace ulvo::simconnect
