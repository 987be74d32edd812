#include "simconnect/connection_chain.h"

#include <gtest/gtest.h>

#include <string>

#include "core/memory_configuration.h"

namespace ulvo::simconnect {
namespace {

const std::wstring kDefaultPipe = L"\\\\.\\pipe\\Lockheed Martin Prepar3D v4\\SimConnect";

// Records the chain's steps as words ("pipe" alone for the default pipe);
// connects the n-th pipe and the socket it is told to.
class FakeAttempts final : public ConnectionAttempts {
  public:
    bool BeginAttempt() override {
        Say(L"begin");
        live += canCreate ? 1 : 0;
        return canCreate;
    }
    void AbandonAttempt() override {
        Say(L"abandon");
        --live;
    }
    bool ConnectPipe(const std::wstring& path) override {
        Say(path == kDefaultPipe ? L"pipe" : L"pipe " + path);
        return ++pipeCalls == pipeThatConnects;
    }
    bool StartSockets() override {
        Say(L"sockets");
        return socketsStart;
    }
    bool ConnectSocket(IpFamily family, const std::wstring& address,
                       const std::wstring& port) override {
        const std::wstring what =
            (family == IpFamily::IPv4 ? L"v4 " : L"v6 ") + address + L" " + port;
        Say(what);
        return what == socketThatConnects;
    }
    void Say(const std::wstring& step) { trace += (trace.empty() ? L"" : L", ") + step; }

    std::wstring trace;
    int live = 0;
    bool canCreate = true;
    bool socketsStart = true;
    int pipeThatConnects = 0;  // 0: none
    int pipeCalls = 0;
    std::wstring socketThatConnects;
};

TEST(ConnectTransport, TriesTransportsInTheFixedOrder) {
    const ConnectionSettings none;
    const ConnectionSettings ipv4Remote{Protocol::IPv4, L"10.0.0.5", L"500"};
    const ConnectionSettings ipv6Loopback{Protocol::IPv6, L"::1", L"700"};
    const ConnectionSettings remotePipe{Protocol::Pipe, L"server", L""};
    const ConnectionSettings namedPipe{Protocol::Pipe, L".", L"Mine"};
    struct Given {
        bool ports = false;           // the registry's 4504 and 6506, else none
        int pipe = 0;                 // the pipe attempt that connects (0: none)
        const wchar_t* socket = L"";  // the socket that connects
        bool socketsStart = true;
        bool canCreate = true;  // a client can be created
    };
    const struct {
        const char* name;
        const ConnectionSettings& settings;
        Given given;
        uint32_t result;
        const wchar_t* trace;
    } cases[] = {
        {"defaults without ports", none, Given{}, kConnectFailed,
         L"begin, pipe, abandon, begin, sockets, abandon, "
         L"begin, sockets, abandon, begin, pipe, abandon"},
        {"default pipe", none, Given{.pipe = 1}, kConnected, L"begin, pipe"},
        {"second pipe attempt", none, Given{.pipe = 2}, kConnected,
         L"begin, pipe, abandon, begin, sockets, abandon, "
         L"begin, sockets, abandon, begin, pipe"},
        {"IPv6 loopback", none, Given{.ports = true, .socket = L"v6 ::1 6506"}, kConnected,
         L"begin, pipe, abandon, begin, sockets, v6 ::1 6506"},
        {"IPv4 loopback", none, Given{.ports = true, .socket = L"v4 127.0.0.1 4504"}, kConnected,
         L"begin, pipe, abandon, begin, sockets, v6 ::1 6506, abandon, "
         L"begin, sockets, v4 127.0.0.1 4504"},
        {"IPv4 remote has no fallback", ipv4Remote, Given{.ports = true, .pipe = 1}, kConnectFailed,
         L"begin, sockets, v4 10.0.0.5 500, abandon"},
        {"IPv6 loopback falls back to IPv4", ipv6Loopback, Given{.ports = true}, kConnectFailed,
         L"begin, sockets, v6 ::1 700, abandon, begin, sockets, v4 127.0.0.1 4504, abandon, "
         L"begin, pipe, abandon"},
        {"remote pipe has no fallback", remotePipe, Given{.ports = true}, kConnectFailed,
         LR"(begin, pipe \\server\pipe\Lockheed Martin Prepar3D v4\SimConnect, abandon)"},
        {"named local pipe falls back", namedPipe, Given{}, kConnectFailed,
         LR"(begin, pipe \\.\pipe\Mine, abandon, begin, sockets, abandon, )"
         L"begin, sockets, abandon, begin, pipe, abandon"},
        {"sockets do not start", none, Given{.ports = true, .socketsStart = false}, kConnectFailed,
         L"begin, pipe, abandon, begin, sockets, abandon"},
        {"no client can be created: the chain stops at once", none, Given{.canCreate = false},
         kConnectFailed, L"begin"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testbed::MemoryConfiguration registry;
        if (c.given.ports) {
            registry.portIPv4 = L"4504";
            registry.portIPv6 = L"6506";
        }
        FakeAttempts attempts;
        attempts.pipeThatConnects = c.given.pipe;
        attempts.socketThatConnects = c.given.socket;
        attempts.socketsStart = c.given.socketsStart;
        attempts.canCreate = c.given.canCreate;
        EXPECT_EQ(ConnectTransport(c.settings, registry, attempts), c.result);
        EXPECT_EQ(attempts.trace, c.trace);
        // Every failed attempt's client is destroyed; a success leaves exactly one.
        EXPECT_EQ(attempts.live, c.result == kConnected ? 1 : 0);
    }
}

}  // namespace
}  // namespace ulvo::simconnect
