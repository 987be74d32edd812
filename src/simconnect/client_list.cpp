#include "simconnect/client_list.h"

namespace ulvo::simconnect {

namespace {

template <typename Match>
SimConnectClient* FindFirst(ProcessState& process, Match match) {
    MutexLock lock(process.clientListLock);
    for (SimConnectClient* client = process.firstClient; client != nullptr; client = client->next) {
        if (match(client)) {
            client->AddRef();
            return client;
        }
    }
    return nullptr;
}

}  // namespace

SimConnectClient* FindClient(ProcessState& process, const void* handle) {
    if (handle == nullptr) {
        return nullptr;
    }
    return FindFirst(process, [handle](SimConnectClient* client) { return client == handle; });
}

SimConnectClient* FindChannelClient(ProcessState& process, uint32_t serial, uint32_t cookie) {
    if (serial == 0 || cookie == 0) {
        return nullptr;
    }
    return FindFirst(process, [serial, cookie](SimConnectClient* client) {
        return client->Serial() == serial && client->Channel().cookie.load() == cookie;
    });
}

std::vector<SimConnectClient*> ClientsWithDispatchProc(ProcessState& process) {
    std::vector<SimConnectClient*> clients;
    MutexLock lock(process.clientListLock);
    for (SimConnectClient* client = process.firstClient; client != nullptr; client = client->next) {
        if (client->StoredProc() != nullptr) {
            client->AddRef();
            clients.push_back(client);
        }
    }
    return clients;
}

void UnlinkClient(ProcessState& process, SimConnectClient* client) {
    MutexLock lock(process.clientListLock);
    const bool linked = client->previous != nullptr || process.firstClient == client;
    if (!linked) {
        return;
    }
    (client->previous != nullptr ? client->previous->next : process.firstClient) = client->next;
    (client->next != nullptr ? client->next->previous : process.lastClient) = client->previous;
    client->previous = client->next = nullptr;
}

}  // namespace ulvo::simconnect
