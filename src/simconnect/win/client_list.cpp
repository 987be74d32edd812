#include "simconnect/win/client_list.h"

#include "simconnect/win/process_state.h"

namespace ulvo::simconnect {

namespace {

template <typename Match>
SimConnectClient* FindFirst(Match match) {
    ProcessState& process = Process();
    Locked lock(process.clientListLock);
    for (SimConnectClient* client = process.firstClient; client != nullptr; client = client->next) {
        if (match(client)) {
            client->AddRef();
            return client;
        }
    }
    return nullptr;
}

}  // namespace

SimConnectClient* FindClient(const void* handle) {
    if (handle == nullptr) {
        return nullptr;
    }
    return FindFirst([handle](SimConnectClient* client) { return client == handle; });
}

SimConnectClient* FindChannelClient(uint32_t serial, uint32_t cookie) {
    if (serial == 0 || cookie == 0) {
        return nullptr;
    }
    return FindFirst([serial, cookie](SimConnectClient* client) {
        return client->Serial() == serial && client->Channel().cookie.load() == cookie;
    });
}

std::vector<SimConnectClient*> ClientsWithDispatchProc() {
    std::vector<SimConnectClient*> clients;
    ProcessState& process = Process();
    Locked lock(process.clientListLock);
    for (SimConnectClient* client = process.firstClient; client != nullptr; client = client->next) {
        if (client->StoredProc() != nullptr) {
            client->AddRef();
            clients.push_back(client);
        }
    }
    return clients;
}

void UnlinkClient(SimConnectClient* client) {
    ProcessState& process = Process();
    Locked lock(process.clientListLock);
    const bool linked = client->previous != nullptr || process.firstClient == client;
    if (!linked) {
        return;
    }
    (client->previous != nullptr ? client->previous->next : process.firstClient) = client->next;
    (client->next != nullptr ? client->next->previous : process.lastClient) = client->previous;
    client->previous = client->next = nullptr;
}

}  // namespace ulvo::simconnect
