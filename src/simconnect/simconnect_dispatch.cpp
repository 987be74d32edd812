#include "simconnect/simconnect_dispatch.h"

#include "simconnect/client_list.h"
#include "simconnect/inprocess_channel.h"
#include "simconnect/message_header.h"
#include "simconnect/status_codes.h"

namespace ulvo::simconnect {

namespace {

int32_t Drain(SimConnectClient& client, DispatchProc proc, void* context) {
    while (SimConnectPacket* packet = client.PopReceived()) {
        if (packet->Data() != nullptr && packet->Size() >= kMinimumDispatchSize) {
            CheckOpenReply(client, packet->Data(), packet->Size());
            proc(packet->Data(), packet->Size(), context);
        }
        client.DisposeOf(packet);
    }
    return client.ClosedWithError() ? client.CloseCode() : kOk;
}

}  // namespace

int32_t SimConnect_CallDispatch(void* handle, DispatchProc proc, void* context) {
    ProcessState* process = ProcessState::Installed();
    if (process == nullptr) {
        return kFail;
    }
    if (handle == nullptr && proc == AllClientsProc() && context == AllClientsContext()) {
        for (SimConnectClient* client : ClientsWithDispatchProc(*process)) {
            Drain(*client, client->StoredProc(), client->StoredContext());
            client->Release();
        }
        return kOk;
    }
    // The marker of the special form is no procedure to call.
    if (proc == AllClientsProc()) {
        return kInvalidArgument;
    }
    SimConnectClient* client = FindClient(*process, handle);
    if (client == nullptr) {
        return kFail;
    }
    if (proc == nullptr) {
        proc = client->StoredProc();
        context = client->StoredContext();
    } else {
        client->StoreDispatch(proc, context);
    }
    const int32_t result = proc == nullptr ? kFail : Drain(*client, proc, context);
    client->Release();
    return result;
}

}  // namespace ulvo::simconnect
