#include "simconnect/client_lifetime.h"

#include "simconnect/client_list.h"
#include "simconnect/inprocess_channel.h"
#include "simconnect/process_state.h"

namespace ulvo::simconnect {

namespace {
constexpr uint32_t kWaitBeforeMs = 100;
constexpr uint32_t kWaitAfterMs = 250;
constexpr int kLiveConnectionPolls = 20;
constexpr uint32_t kLiveConnectionPollMs = 250;
}  // namespace

void DestroyClient(SimConnectClient* client) {
    ProcessState& process = client->Process();
    ClientPlatform& platform = process.platform;
    platform.Sleep(kWaitBeforeMs);
    UnregisterInProcess(*client);
    while (SimConnectPacket* packet = client->PopReceived()) {
        client->DisposeOf(packet);
    }
    UnlinkClient(process, client);
    client->CloseConnection(false, 0);
    // Empties the send side and takes a new serial. A destroyed client is not
    // marked connected again: a completion still in flight only drops its reference.
    client->ResetTransferState();
    client->Release();
    platform.Sleep(kWaitAfterMs);

    if (process.clientCount.load() != 0) {
        return;
    }
    for (int poll = 0; poll < kLiveConnectionPolls && process.liveConnections.load() != 0; ++poll) {
        platform.Sleep(kLiveConnectionPollMs);
    }
    if (process.socketsStarted.exchange(false)) {
        platform.StopSockets();
    }
}

}  // namespace ulvo::simconnect
