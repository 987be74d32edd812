#include "simconnect/api_calls.h"

#include "simconnect/client_lifetime.h"
#include "simconnect/client_list.h"
#include "simconnect/connection_chain.h"
#include "simconnect/inprocess_channel.h"
#include "simconnect/process_state.h"
#include "simconnect/status_codes.h"

namespace ulvo::simconnect {

namespace {

// The transports of the connection chain: one fresh client per attempt, connected
// through the platform's pipe or socket.
class ClientAttempts final : public ConnectionAttempts {
  public:
    ClientAttempts(ProcessState& processState, const ConnectionSettings& connectionSettings,
                   const NotificationTargets& notificationTargets)
        : process(processState), settings(connectionSettings), targets(notificationTargets) {}

    bool BeginAttempt() override {
        client = SimConnectClient::Create(process, targets);
        return client != nullptr;
    }
    void AbandonAttempt() override {
        DestroyClient(client);
        client = nullptr;
    }
    bool ConnectPipe(const std::wstring& path) override {
        return Establish(process.platform.OpenPipe(path, *client));
    }
    // The socket library is started once per process.
    bool StartSockets() override {
        if (process.socketsStarted.load()) {
            return true;
        }
        if (!process.platform.StartSockets()) {
            return false;
        }
        process.socketsStarted.store(true);
        return true;
    }
    bool ConnectSocket(IpFamily family, const std::wstring& address,
                       const std::wstring& port) override {
        return Establish(process.platform.OpenSocket(family, address, port, *client));
    }

    // The connected client after a successful chain.
    SimConnectClient* Client() const { return client; }

  private:
    bool Establish(std::unique_ptr<Transport> transport) {
        if (!transport) {
            return false;
        }
        client->Establish(std::move(transport), settings);
        return true;
    }

    ProcessState& process;
    const ConnectionSettings& settings;
    const NotificationTargets& targets;
    SimConnectClient* client = nullptr;
};

// The connection step: settings, then the transport chain, then the in-process
// registration. Returns kConnected, kConnectFailed or kSectionMissing.
uint32_t Connect(ProcessState& process, uint32_t configIndex, const NotificationTargets& targets,
                 SimConnectClient*& client) {
    ConnectionSettings settings;
    if (GatherSettings(configIndex, process.platform.Configuration(), settings) ==
        SettingsResult::SectionMissing) {
        return kSectionMissing;
    }
    ClientAttempts attempts(process, settings, targets);
    const uint32_t result = ConnectTransport(settings, process.platform.Configuration(), attempts);
    if (result == kConnected) {
        client = attempts.Client();
        RegisterInProcess(*client);
    }
    return result;
}

// Stages, fills and flushes one message. The process-wide send lock is held for
// the whole call, so no other thread flushes a message half filled.
int32_t StageFillAndFlush(SimConnectClient& client, const MessageLayout& layout,
                          std::initializer_list<FieldValue> values, bool& handedOver) {
    MutexLock lock(client.SendLock());
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

}  // namespace

int32_t OpenClient(ProcessState& process, void** handle, const char* name,
                   const NotificationTargets& targets, uint32_t configIndex) {
    if (handle == nullptr || name == nullptr) {
        return kInvalidArgument;
    }
    *handle = nullptr;
    SimConnectClient* client = nullptr;
    const uint32_t connected = Connect(process, configIndex, targets, client);
    if (connected != kConnected) {
        return connected == kSectionMissing ? kInvalidArgument : kFail;
    }
    *handle = client;

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

int32_t CloseClient(ProcessState& process, void* handle) {
    SimConnectClient* client = FindClient(process, handle);
    if (client == nullptr) {
        return kFail;
    }
    {
        MutexLock lock(client->SendLock());
        client->Flush();
    }
    client->Release();  // the look-up's reference; the creator's goes with the destroy
    DestroyClient(client);
    return kOk;
}

int32_t CallClient(ProcessState& process, void* handle, const MessageLayout& layout,
                   std::initializer_list<FieldValue> values) {
    SimConnectClient* client = FindClient(process, handle);
    if (client == nullptr) {
        return kFail;
    }
    bool handedOver = false;
    const int32_t result = StageFillAndFlush(*client, layout, values, handedOver);
    client->Release();
    return result;
}

}  // namespace ulvo::simconnect
