#include "simconnect/win/simconnect_calls.h"

#include <initializer_list>

#include "simconnect/api_messages.h"
#include "simconnect/connection_chain.h"
#include "simconnect/status_codes.h"
#include "simconnect/win/client_lifetime.h"
#include "simconnect/win/client_list.h"
#include "simconnect/win/inprocess_channel.h"
#include "simconnect/win/process_state.h"
#include "simconnect/win/win32_configuration.h"
#include "simconnect/win/win32_connection_attempts.h"

namespace ulvo::simconnect {

namespace {

// Stages, fills and flushes one message. The process-wide send lock is held for
// the whole call, so no other thread flushes a message half filled.
int32_t StageFillAndFlush(SimConnectClient& client, const MessageLayout& layout,
                          std::initializer_list<FieldValue> values, bool& handedOver) {
    Locked lock(Process().sendLock);
    uint8_t* message = nullptr;
    switch (client.Stage(layout.size, message)) {
        case StageResult::ClosedWithError:
            return client.CloseCode();
        case StageResult::NoBuffer:
            return kFail;
        case StageResult::Staged:
            break;
    }
    const int32_t encoded = EncodeMessage(layout, values, message);
    if (encoded != kOk) {
        client.FreeStaged(message, layout.size);
        return encoded;
    }
    handedOver = client.Flush();
    return kOk;
}

int32_t Call(HANDLE handle, const MessageLayout& layout, std::initializer_list<FieldValue> values) {
    SimConnectClient* client = FindClient(handle);
    if (client == nullptr) {
        return kFail;
    }
    bool handedOver = false;
    const int32_t result = StageFillAndFlush(*client, layout, values, handedOver);
    client->Release();
    return result;
}

// The connection step: settings, then the transport chain, then the in-process
// registration. Returns 0, 1 (no transport) or 3 (numbered section missing).
uint32_t Connect(DWORD configIndex, SimConnectClient*& client) {
    Win32Configuration configuration;
    ConnectionSettings settings;
    const uint32_t gathered = GatherSettings(configIndex, configuration, settings);
    if (gathered != kConnected) {
        return gathered;
    }
    Win32ConnectionAttempts attempts(settings);
    const uint32_t result = ConnectTransport(settings, configuration, attempts);
    if (result == kConnected) {
        client = attempts.Client();
        RegisterInProcess(*client);
    }
    return result;
}

}  // namespace

int32_t SimConnect_Open(HANDLE* handle, const char* name, HWND window, DWORD userMessage,
                        HANDLE event, DWORD configIndex) {
    if (handle == nullptr || name == nullptr) {
        return kInvalidArgument;
    }
    *handle = nullptr;
    SimConnectClient* client = nullptr;
    const uint32_t connected = Connect(configIndex, client);
    if (connected != kConnected) {
        return connected == kSectionMissing ? kInvalidArgument : kFail;
    }
    *handle = client;
    client->SetNotificationTargets(window, userMessage, event);

    bool handedOver = false;
    int32_t result = StageFillAndFlush(
        *client, kOpenLayout, {name, 0u, kOpenAlias, kOpenVersionMajor, kOpenVersionMinor, 0u, 0u},
        handedOver);
    if (result == kOk && !handedOver) {
        result = kFail;
    }
    if (result != kOk) {
        DestroyClient(client);
        *handle = nullptr;
    }
    return result;
}

int32_t SimConnect_Close(HANDLE handle) {
    SimConnectClient* client = FindClient(handle);
    if (client == nullptr) {
        return kFail;
    }
    {
        Locked lock(Process().sendLock);
        client->Flush();
    }
    client->Release();  // the look-up's reference; the creator's goes with the destroy
    DestroyClient(client);
    return kOk;
}

int32_t SimConnect_MapClientEventToSimEvent(HANDLE handle, DWORD eventId, const char* eventName) {
    return Call(handle, kMapClientEventToSimEventLayout, {uint32_t(eventId), eventName});
}

int32_t SimConnect_TransmitClientEvent(HANDLE handle, DWORD objectId, DWORD eventId, DWORD data,
                                       DWORD groupId, DWORD flags) {
    return Call(handle, kTransmitClientEventLayout,
                {uint32_t(objectId), uint32_t(eventId), uint32_t(data), uint32_t(groupId),
                 uint32_t(flags)});
}

int32_t SimConnect_AddToDataDefinition(HANDLE handle, DWORD definitionId, const char* datumName,
                                       const char* unitsName, DWORD datumType, float epsilon,
                                       DWORD datumId) {
    return Call(handle, kAddToDataDefinitionLayout,
                {uint32_t(definitionId), datumName, unitsName, uint32_t(datumType), epsilon,
                 uint32_t(datumId)});
}

int32_t SimConnect_RequestDataOnSimObject(HANDLE handle, DWORD requestId, DWORD definitionId,
                                          DWORD objectId, DWORD period, DWORD flags, DWORD origin,
                                          DWORD interval, DWORD limit) {
    return Call(handle, kRequestDataOnSimObjectLayout,
                {uint32_t(requestId), uint32_t(definitionId), uint32_t(objectId), uint32_t(period),
                 uint32_t(flags), uint32_t(origin), uint32_t(interval), uint32_t(limit)});
}

}  // namespace ulvo::simconnect
