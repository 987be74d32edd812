#include "simconnect/win/simconnect_calls.h"

#include "simconnect/api_calls.h"
#include "simconnect/status_codes.h"

namespace ulvo::simconnect {

namespace {

// Every other call on the installed process state; without one there is no client.
int32_t CallInstalled(HANDLE handle, const MessageLayout& layout,
                      std::initializer_list<FieldValue> values) {
    ProcessState* process = ProcessState::Installed();
    return process != nullptr ? CallClient(*process, handle, layout, values) : kFail;
}

}  // namespace

int32_t SimConnect_Open(HANDLE* handle, const char* name, HWND window, DWORD userMessage,
                        HANDLE event, DWORD configIndex) {
    ProcessState* process = ProcessState::Installed();
    if (process == nullptr) {
        return kFail;
    }
    return OpenClient(*process, handle, name,
                      {reinterpret_cast<uintptr_t>(window), uint32_t(userMessage),
                       reinterpret_cast<uintptr_t>(event)},
                      configIndex);
}

int32_t SimConnect_Close(HANDLE handle) {
    ProcessState* process = ProcessState::Installed();
    return process != nullptr ? CloseClient(*process, handle) : kFail;
}

int32_t SimConnect_MapClientEventToSimEvent(HANDLE handle, DWORD eventId, const char* eventName) {
    return CallInstalled(handle, kMapClientEventToSimEventLayout, {uint32_t(eventId), eventName});
}

int32_t SimConnect_TransmitClientEvent(HANDLE handle, DWORD objectId, DWORD eventId, DWORD data,
                                       DWORD groupId, DWORD flags) {
    return CallInstalled(handle, kTransmitClientEventLayout,
                         {uint32_t(objectId), uint32_t(eventId), uint32_t(data), uint32_t(groupId),
                          uint32_t(flags)});
}

int32_t SimConnect_AddToDataDefinition(HANDLE handle, DWORD definitionId, const char* datumName,
                                       const char* unitsName, DWORD datumType, float epsilon,
                                       DWORD datumId) {
    return CallInstalled(handle, kAddToDataDefinitionLayout,
                         {uint32_t(definitionId), datumName, unitsName, uint32_t(datumType),
                          epsilon, uint32_t(datumId)});
}

int32_t SimConnect_RequestDataOnSimObject(HANDLE handle, DWORD requestId, DWORD definitionId,
                                          DWORD objectId, DWORD period, DWORD flags, DWORD origin,
                                          DWORD interval, DWORD limit) {
    return CallInstalled(
        handle, kRequestDataOnSimObjectLayout,
        {uint32_t(requestId), uint32_t(definitionId), uint32_t(objectId), uint32_t(period),
         uint32_t(flags), uint32_t(origin), uint32_t(interval), uint32_t(limit)});
}

}  // namespace ulvo::simconnect
