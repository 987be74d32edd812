#include <winsock2.h>

#include "simconnect/win/client_lifetime.h"

#include "simconnect/win/client_list.h"
#include "simconnect/win/inprocess_channel.h"
#include "simconnect/win/process_state.h"

namespace ulvo::simconnect {

namespace {
constexpr DWORD kWaitBeforeMs = 100;
constexpr DWORD kWaitAfterMs = 250;
constexpr int kLiveConnectionPolls = 20;
constexpr DWORD kLiveConnectionPollMs = 250;
}  // namespace

void DestroyClient(SimConnectClient* client) {
    Sleep(kWaitBeforeMs);
    UnregisterInProcess(*client);
    while (SimConnectPacket* packet = client->PopReceived()) {
        client->DisposeOf(packet);
    }
    UnlinkClient(client);
    client->CloseConnection(false, 0);
    // Empties the send side and takes a new serial. A destroyed client is not
    // marked connected again: a completion still in flight only drops its reference.
    client->ResetTransferState();
    client->Release();
    Sleep(kWaitAfterMs);

    ProcessState& process = Process();
    if (process.clientCount.load() != 0) {
        return;
    }
    for (int poll = 0; poll < kLiveConnectionPolls && process.liveConnections.load() != 0; ++poll) {
        Sleep(kLiveConnectionPollMs);
    }
    if (process.socketsStarted.exchange(false)) {
        WSACleanup();
    }
}

}  // namespace ulvo::simconnect
