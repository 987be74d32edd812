// The SimConnect calls the plug-in makes, as a seam: the Win32 edge forwards them
// to the library's own SimConnect client; tests record them. Every call returns a
// 32-bit HRESULT-style code: 0 success, negative failure.
#pragma once

#include <cstdint>

namespace ulvo::groundservices {

using SimConnectHandle = void*;  // null while no client is open

class SimConnectApi {
  public:
    // Opens a client with no notification window, user message 0, no event handle.
    virtual int32_t Open(SimConnectHandle* handle, const char* name, uint32_t configIndex) = 0;
    virtual int32_t Close(SimConnectHandle handle) = 0;
    virtual int32_t MapClientEventToSimEvent(SimConnectHandle handle, uint32_t eventId,
                                             const char* eventName) = 0;
    virtual int32_t TransmitClientEvent(SimConnectHandle handle, uint32_t objectId,
                                        uint32_t eventId, uint32_t data, uint32_t groupId,
                                        uint32_t flags) = 0;
    virtual int32_t AddToDataDefinition(SimConnectHandle handle, uint32_t definitionId,
                                        const char* datumName, const char* unitsName,
                                        uint32_t datumType, float epsilon, uint32_t datumId) = 0;
    virtual int32_t RequestDataOnSimObject(SimConnectHandle handle, uint32_t requestId,
                                           uint32_t definitionId, uint32_t objectId,
                                           uint32_t period, uint32_t flags, uint32_t origin,
                                           uint32_t interval, uint32_t limit) = 0;

  protected:
    ~SimConnectApi() = default;
};

}  // namespace ulvo::groundservices
