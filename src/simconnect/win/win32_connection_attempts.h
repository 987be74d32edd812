// The transports of the connection chain: one fresh client per attempt,
// connected by named pipe or TCP socket and bound to the completion callback.
#pragma once

#include "simconnect/connection_chain.h"
#include "simconnect/win/simconnect_client.h"

namespace ulvo::simconnect {

class Win32ConnectionAttempts final : public ConnectionAttempts {
  public:
    explicit Win32ConnectionAttempts(const ConnectionSettings& connectionSettings)
        : settings(connectionSettings) {}

    bool BeginAttempt() override;
    void AbandonAttempt() override;
    bool ConnectPipe(const std::wstring& path) override;
    bool StartSockets() override;
    bool ConnectSocket(IpFamily family, const std::wstring& address,
                       const std::wstring& port) override;

    // The connected client after a successful chain.
    SimConnectClient* Client() const { return client; }

  private:
    const ConnectionSettings& settings;
    SimConnectClient* client = nullptr;
};

}  // namespace ulvo::simconnect
