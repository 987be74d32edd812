#include "simconnect/connection_chain.h"

#include "simconnect/pipe_path.h"

namespace ulvo::simconnect {

namespace {

constexpr wchar_t kIPv6Loopback[] = L"::1";
constexpr wchar_t kIPv4Loopback[] = L"127.0.0.1";

// Failed lets the chain go on to its next transport; Stop ends it (no client
// could be created, or the socket library did not start).
enum class Step { Connected, Failed, Stop };

Step PipeAttempt(const std::wstring& server, const std::wstring& pipeName,
                 ConnectionAttempts& attempts) {
    if (!attempts.BeginAttempt()) {
        return Step::Stop;
    }
    std::wstring path;
    if (FormatPipePath(server, pipeName, path) && attempts.ConnectPipe(path)) {
        return Step::Connected;
    }
    attempts.AbandonAttempt();
    return Step::Failed;
}

// A socket attempt is made (and its client created and destroyed) even without a
// port; only the connect is skipped then.
Step SocketAttempt(IpFamily family, const std::wstring& address, const std::wstring& port,
                   ConnectionAttempts& attempts) {
    if (!attempts.BeginAttempt()) {
        return Step::Stop;
    }
    if (!attempts.StartSockets()) {
        attempts.AbandonAttempt();
        return Step::Stop;
    }
    if (!port.empty() && attempts.ConnectSocket(family, address, port)) {
        return Step::Connected;
    }
    attempts.AbandonAttempt();
    return Step::Failed;
}

}  // namespace

uint32_t ConnectTransport(const ConnectionSettings& settings, ConfigurationSource& registry,
                          ConnectionAttempts& attempts) {
    std::wstring address = settings.address;
    std::wstring port = settings.port;

    if (settings.protocol == Protocol::Pipe) {
        const Step pipe = PipeAttempt(address, port, attempts);
        if (pipe == Step::Connected) {
            return kConnected;
        }
        if (pipe == Step::Stop || (!address.empty() && address != L".")) {
            return kConnectFailed;
        }
        address = kIPv6Loopback;
        port = registry.ReadRegistryPort(IpFamily::IPv6);
    }

    if (settings.protocol != Protocol::IPv4) {
        const Step v6 = SocketAttempt(IpFamily::IPv6, address, port, attempts);
        if (v6 == Step::Connected) {
            return kConnected;
        }
        if (v6 == Step::Stop || address != kIPv6Loopback) {
            return kConnectFailed;
        }
        address = kIPv4Loopback;
        port = registry.ReadRegistryPort(IpFamily::IPv4);
    }

    const Step v4 = SocketAttempt(IpFamily::IPv4, address, port, attempts);
    if (v4 == Step::Connected) {
        return kConnected;
    }
    if (v4 == Step::Stop || address != kIPv4Loopback) {
        return kConnectFailed;
    }
    return PipeAttempt(L".", L"", attempts) == Step::Connected ? kConnected : kConnectFailed;
}

}  // namespace ulvo::simconnect
