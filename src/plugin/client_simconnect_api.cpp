#include "plugin/client_simconnect_api.h"

#include "simconnect/api_calls.h"

namespace ulvo::plugin {

using simconnect::CallClient;

// The plug-in never dispatches: no notification window, no user message, no event.
int32_t ClientSimConnectApi::Open(Handle* handle, const char* name, uint32_t configIndex) {
    return simconnect::OpenClient(process, handle, name, {}, configIndex);
}

int32_t ClientSimConnectApi::Close(Handle handle) {
    return simconnect::CloseClient(process, handle);
}

int32_t ClientSimConnectApi::MapClientEventToSimEvent(Handle handle, uint32_t eventId,
                                                      const char* eventName) {
    return CallClient(process, handle, simconnect::kMapClientEventToSimEventLayout,
                      {eventId, eventName});
}

int32_t ClientSimConnectApi::TransmitClientEvent(Handle handle, uint32_t objectId, uint32_t eventId,
                                                 uint32_t data, uint32_t groupId, uint32_t flags) {
    return CallClient(process, handle, simconnect::kTransmitClientEventLayout,
                      {objectId, eventId, data, groupId, flags});
}

int32_t ClientSimConnectApi::AddToDataDefinition(Handle handle, uint32_t definitionId,
                                                 const char* datumName, const char* unitsName,
                                                 uint32_t datumType, float epsilon,
                                                 uint32_t datumId) {
    return CallClient(process, handle, simconnect::kAddToDataDefinitionLayout,
                      {definitionId, datumName, unitsName, datumType, epsilon, datumId});
}

int32_t ClientSimConnectApi::RequestDataOnSimObject(Handle handle, uint32_t requestId,
                                                    uint32_t definitionId, uint32_t objectId,
                                                    uint32_t period, uint32_t flags,
                                                    uint32_t origin, uint32_t interval,
                                                    uint32_t limit) {
    return CallClient(process, handle, simconnect::kRequestDataOnSimObjectLayout,
                      {requestId, definitionId, objectId, period, flags, origin, interval, limit});
}

}  // namespace ulvo::plugin
