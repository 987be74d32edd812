#include "simconnect/inprocess_channel.h"

#include "simconnect/client_list.h"
#include "simconnect/process_state.h"
#include "simconnect/simconnect_dispatch.h"

namespace ulvo::simconnect {

namespace {

template <typename Function>
uint64_t Address(Function* entry) {
    return uint64_t(reinterpret_cast<uintptr_t>(entry));
}

template <typename Entry>
Entry EntryAt(uint64_t address) {
    return reinterpret_cast<Entry>(uintptr_t(address));
}

}  // namespace

void RegisterInProcess(SimConnectClient& client) {
    InProcessChannelState& channel = client.Channel();
    ClientPlatform& platform = client.Process().platform;
    const uintptr_t window = platform.FindSimulatorWindow();
    if (window == 0 || channel.state.load() != ChannelState::None) {
        return;
    }
    if (!platform.WindowInThisProcess(window)) {
        return;
    }
    EncodeUnregisterQuery(channel.unregisterQuery);
    platform.SendChannelRecord(window, channel.unregisterQuery);
    channel.unregister = EntryAt<HostUnregister>(UnregisterEntryOf(channel.unregisterQuery));
    if (client.Process().clientCount.load() == 1) {
        EncodeDispatchEntry(channel.dispatchEntryRecord, Address(&SimConnect_CallDispatch));
        platform.SendChannelRecord(window, channel.dispatchEntryRecord);
    }
    channel.window = window;
    channel.state.store(ChannelState::Registered);
}

void CheckOpenReply(SimConnectClient& client, const uint8_t* message, uint32_t size) {
    InProcessChannelState& channel = client.Channel();
    if (channel.state.load() != ChannelState::Registered || channel.cookie.load() != 0) {
        return;
    }
    const uint32_t cookie = OpenReplyCookie(message, size);
    if (cookie == 0) {
        return;
    }
    channel.cookie.store(cookie);
    channel.state.store(ChannelState::HandshakeSent);
    EncodeOpenChannel(channel.openChannelRecord, cookie, client.Serial(), Address(&ChannelBind),
                      Address(&ChannelDeliver));
    client.Process().platform.SendChannelRecord(channel.window, channel.openChannelRecord);
}

void UnregisterInProcess(SimConnectClient& client) {
    InProcessChannelState& channel = client.Channel();
    if (channel.state.load() != ChannelState::None && client.Process().clientCount.load() == 1 &&
        channel.unregister != nullptr) {
        channel.unregister(reinterpret_cast<void*>(uintptr_t(Address(&SimConnect_CallDispatch))));
    }
}

int32_t ChannelBind(const void* bindRecord) {
    BindRecord bind;
    // A record that is no bind record, or lacks an entry point, binds nothing.
    if (!DecodeBindRecord(static_cast<const uint8_t*>(bindRecord), bind) || bind.alloc == 0 ||
        bind.free == 0 || bind.send == 0 || bind.release == 0) {
        return 0;
    }
    ProcessState* process = ProcessState::Installed();
    SimConnectClient* client =
        process != nullptr ? FindChannelClient(*process, bind.serial, bind.cookie) : nullptr;
    if (client == nullptr) {
        return 0;
    }
    int32_t result = 0;
    {
        MutexLock lock(process->sendLock);
        InProcessChannelState& channel = client->Channel();
        if (!channel.bound.load()) {
            channel.alloc = EntryAt<HostAlloc>(bind.alloc);
            channel.free = EntryAt<HostFree>(bind.free);
            channel.send = EntryAt<HostSend>(bind.send);
            channel.release = EntryAt<HostRelease>(bind.release);
            channel.bound.store(true);
            result = 1;
        }
    }
    client->Release();
    return result;
}

void ChannelDeliver(uint32_t cookie, uint32_t serial, uint32_t size, void* buffer) {
    // A delivery for no known client is left with the simulator, which still owns
    // the buffer.
    ProcessState* process = ProcessState::Installed();
    SimConnectClient* client =
        process != nullptr ? FindChannelClient(*process, serial, cookie) : nullptr;
    if (client == nullptr) {
        return;
    }
    SimConnectPacket* packet =
        SimConnectPacket::WrapHostBuffer(static_cast<uint8_t*>(buffer), size, serial);
    if (packet != nullptr) {
        client->QueueReceived(packet);
    } else if (client->Channel().bound.load()) {
        client->Channel().release(cookie, serial, buffer);
    }
    client->Release();
}

}  // namespace ulvo::simconnect
