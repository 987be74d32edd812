// The order in which a new client tries transports: the configured pipe, then
// IPv6 loopback, then IPv4 loopback, then the default local pipe, each on a fresh
// client. A configured remote server or socket protocol gets no loopback fallback.
#pragma once

#include <string>

#include "simconnect/connection_settings.h"

namespace ulvo::simconnect {

// The transports, as the chain sees them. The system side creates one client per
// attempt and connects it; the chain decides what is tried.
class ConnectionAttempts {
  public:
    // Creates the client of the next attempt; false when it cannot be created.
    virtual bool BeginAttempt() = 0;
    // Destroys the client of an attempt that failed.
    virtual void AbandonAttempt() = 0;
    // Opens the pipe at `path` for the current client (waiting while it is busy).
    virtual bool ConnectPipe(const std::wstring& path) = 0;
    // Starts the socket library once per process; false when it cannot start.
    virtual bool StartSockets() = 0;
    virtual bool ConnectSocket(IpFamily family, const std::wstring& address,
                               const std::wstring& port) = 0;

  protected:
    ~ConnectionAttempts() = default;
};

// Runs the chain; on kConnected the current attempt's client is connected.
// Returns kConnected or kConnectFailed.
uint32_t ConnectTransport(const ConnectionSettings& settings, ConfigurationSource& registry,
                          ConnectionAttempts& attempts);

}  // namespace ulvo::simconnect
