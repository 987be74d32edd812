// The SimConnect calls with the system's types, as applications make them. They
// carry no context, so they work on the installed process state (the library's,
// in the DLL); each returns a 32-bit code, 0 on success, negative on failure.
#pragma once

#include <windows.h>

#include <cstdint>

#include "simconnect/simconnect_dispatch.h"

namespace ulvo::simconnect {

// Connects a new client (configuration index: 0 section "SimConnect", n section
// "SimConnect.n", 0xFFFFFFFF no file) and sends the open message. The window gets
// `userMessage` and `event` is signalled when messages arrive or the connection fails.
int32_t SimConnect_Open(HANDLE* handle, const char* name, HWND window, DWORD userMessage,
                        HANDLE event, DWORD configIndex);
// Sends what is still staged and destroys the client; takes at least 350 ms.
int32_t SimConnect_Close(HANDLE handle);
int32_t SimConnect_MapClientEventToSimEvent(HANDLE handle, DWORD eventId, const char* eventName);
int32_t SimConnect_TransmitClientEvent(HANDLE handle, DWORD objectId, DWORD eventId, DWORD data,
                                       DWORD groupId, DWORD flags);
int32_t SimConnect_AddToDataDefinition(HANDLE handle, DWORD definitionId, const char* datumName,
                                       const char* unitsName, DWORD datumType, float epsilon,
                                       DWORD datumId);
int32_t SimConnect_RequestDataOnSimObject(HANDLE handle, DWORD requestId, DWORD definitionId,
                                          DWORD objectId, DWORD period, DWORD flags, DWORD origin,
                                          DWORD interval, DWORD limit);

}  // namespace ulvo::simconnect
