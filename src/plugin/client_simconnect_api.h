// The SimConnect calls of the ground services, made through the library's own
// SimConnect client on the process state it is given.
#pragma once

#include "groundservices/simconnect_api.h"
#include "simconnect/process_state.h"

namespace ulvo::plugin {

class ClientSimConnectApi final : public groundservices::SimConnectApi {
  public:
    using Handle = groundservices::SimConnectHandle;

    explicit ClientSimConnectApi(simconnect::ProcessState& process_) : process(process_) {}

    int32_t Open(Handle* handle, const char* name, uint32_t configIndex) override;
    int32_t Close(Handle handle) override;
    int32_t MapClientEventToSimEvent(Handle handle, uint32_t eventId,
                                     const char* eventName) override;
    int32_t TransmitClientEvent(Handle handle, uint32_t objectId, uint32_t eventId, uint32_t data,
                                uint32_t groupId, uint32_t flags) override;
    int32_t AddToDataDefinition(Handle handle, uint32_t definitionId, const char* datumName,
                                const char* unitsName, uint32_t datumType, float epsilon,
                                uint32_t datumId) override;
    int32_t RequestDataOnSimObject(Handle handle, uint32_t requestId, uint32_t definitionId,
                                   uint32_t objectId, uint32_t period, uint32_t flags,
                                   uint32_t origin, uint32_t interval, uint32_t limit) override;

  private:
    simconnect::ProcessState& process;
};

}  // namespace ulvo::plugin
