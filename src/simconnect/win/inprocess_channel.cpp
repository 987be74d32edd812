#include "simconnect/win/inprocess_channel.h"

#include "simconnect/win/client_list.h"
#include "simconnect/win/process_state.h"
#include "simconnect/win/simconnect_dispatch.h"

namespace ulvo::simconnect {

namespace {

constexpr wchar_t kSimulatorWindowClass[] = L"FS98MAIN";

template <typename Function>
uint64_t Address(Function* entry) {
    return uint64_t(reinterpret_cast<uintptr_t>(entry));
}

template <typename Entry>
Entry EntryAt(uint64_t address) {
    return reinterpret_cast<Entry>(uintptr_t(address));
}

void SendRecord(HWND window, uint8_t* record) {
    SendMessageW(window, WM_COMMAND, kChannelCommand, reinterpret_cast<LPARAM>(record));
}

}  // namespace

void RegisterInProcess(SimConnectClient& client) {
    InProcessChannelState& channel = client.Channel();
    const HWND window = FindWindowW(kSimulatorWindowClass, nullptr);
    if (window == nullptr || channel.state.load() != ChannelState::None) {
        return;
    }
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != GetCurrentProcessId()) {
        return;
    }
    EncodeUnregisterQuery(channel.unregisterQuery);
    SendRecord(window, channel.unregisterQuery);
    channel.unregister = EntryAt<HostUnregister>(UnregisterEntryOf(channel.unregisterQuery));
    if (Process().clientCount.load() == 1) {
        EncodeDispatchEntry(channel.dispatchEntryRecord, Address(&SimConnect_CallDispatch));
        SendRecord(window, channel.dispatchEntryRecord);
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
    SendRecord(channel.window, channel.openChannelRecord);
}

void UnregisterInProcess(SimConnectClient& client) {
    InProcessChannelState& channel = client.Channel();
    if (channel.state.load() != ChannelState::None && Process().clientCount.load() == 1 &&
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
    SimConnectClient* client = FindChannelClient(bind.serial, bind.cookie);
    if (client == nullptr) {
        return 0;
    }
    int32_t result = 0;
    {
        Locked lock(Process().sendLock);
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
    SimConnectClient* client = FindChannelClient(serial, cookie);
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
