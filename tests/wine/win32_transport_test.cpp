// The SimConnect client's transports against the testbed's server, on real pipes
// and sockets with completions on the system's pool: the sockets on the registry
// ports when the pipe is missing, DisableNagle on the socket, a busy pipe waited
// for, and a peer that goes away. The client's logic above the transport is
// tested natively (tests/native/simconnect_client_test.cpp and
// simconnect_connection_test.cpp).
#include <ws2tcpip.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "simconnect/status_codes.h"
#include "win/simconnect_server.h"
#include "wine/simconnect_environment.h"
#include "wine/simconnect_test_support.h"

namespace ulvo::simconnect {
namespace {

using testbed::SimConnectServer;

constexpr char kName[] = "Ulvo2GSX Simconnect proc";

class Win32TransportTest : public SimConnectEnvironment {
  protected:
    // Opens with `index`; returns the result and counts the clients created.
    int32_t Open(DWORD index, HANDLE& handle) {
        const uint32_t before = Process().clientsCreated.load();
        const int32_t result = SimConnect_Open(&handle, kName, nullptr, 0, nullptr, index);
        attempts = Process().clientsCreated.load() - before;
        return result;
    }

    uint32_t attempts = 0;
};

TEST_F(Win32TransportTest, SocketsAreTriedOnTheRegistryPortsWhenThePipeIsMissing) {
    SimConnectServer::Options options;
    options.pipe = false;
    SimConnectServer server(options);
    HANDLE handle = nullptr;
    ASSERT_EQ(Open(0, handle), kOk);
    EXPECT_EQ(attempts, 2u);  // the pipe, then IPv6 loopback
    EXPECT_EQ(ClientOf(handle).Kind(), ConnectionKind::Socket);
    EXPECT_EQ(ClientOf(handle).AddressFamily(), AF_INET6);
    ASSERT_TRUE(server.WaitForMessages(0, 1));
    EXPECT_EQ(SimConnect_Close(handle), kOk);
    // The last client gone, the socket library is stopped again.
    EXPECT_FALSE(Process().socketsStarted.load());
    EXPECT_EQ(Process().liveConnections.load(), 0u);
}

TEST_F(Win32TransportTest, DisableNagleReachesTheSocket) {
    SimConnectServer server({});
    for (const bool disable : {true, false}) {
        SCOPED_TRACE(disable);
        WriteConfig(ConfigFolder::Documents,
                    "[SimConnect]\r\nProtocol=IPv4\r\nAddress=127.0.0.1\r\nPort=" +
                        std::to_string(server.PortIPv4()) +
                        "\r\nDisableNagle=" + (disable ? "1" : "0") + "\r\n");
        HANDLE handle = nullptr;
        ASSERT_EQ(Open(0, handle), kOk);
        SimConnectClient& client = ClientOf(handle);
        ASSERT_EQ(client.AddressFamily(), AF_INET);
        // The system may write a single byte of the option.
        int noDelay = 0;
        int length = sizeof noDelay;
        ASSERT_EQ(getsockopt(SOCKET(client.TransportHandle()), IPPROTO_TCP, TCP_NODELAY,
                             reinterpret_cast<char*>(&noDelay), &length),
                  0);
        EXPECT_EQ(noDelay != 0, disable);
        EXPECT_EQ(SimConnect_Close(handle), kOk);
    }
}

TEST_F(Win32TransportTest, BusyPipeIsWaitedFor) {
    // The simulator's pipe with a single instance, taken by another client.
    const wchar_t* name = L"\\\\.\\pipe\\Lockheed Martin Prepar3D v4\\SimConnect";
    const HANDLE instance = CreateNamedPipeW(name, PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE | PIPE_WAIT,
                                             1, 4096, 4096, 0, nullptr);
    ASSERT_NE(instance, INVALID_HANDLE_VALUE);
    const HANDLE other =
        CreateFileW(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);

    const uint32_t waitsBefore = plugin::Library().simconnectPlatform.BusyPipeWaits();
    HANDLE handle = nullptr;
    int32_t result = -1;
    std::thread opener([&] { result = Open(0, handle); });
    const bool waited = Eventually(
        [&] { return plugin::Library().simconnectPlatform.BusyPipeWaits() > waitsBefore; });
    // Free the instance: the waiting client gets it.
    CloseHandle(other);
    DisconnectNamedPipe(instance);
    std::thread server([&] { ConnectNamedPipe(instance, nullptr); });
    opener.join();
    EXPECT_TRUE(waited);
    EXPECT_EQ(result, kOk);
    EXPECT_EQ(attempts, 1u);
    if (handle != nullptr) {
        SimConnect_Close(handle);
    } else {
        // Lets the server thread's wait end when the open failed.
        CloseHandle(CreateFileW(name, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    }
    server.join();
    CloseHandle(instance);
}

// A peer that goes away closes the connection with the system's status, and the
// client posts the user message to its window and signals its event.
TEST_F(Win32TransportTest, APeerThatGoesAwayClosesWithTheSystemsStatusAndNotifies) {
    for (const bool pipe : {true, false}) {
        SCOPED_TRACE(pipe ? "pipe" : "socket");
        SimConnectServer::Options options;
        options.pipe = pipe;
        options.tcp = !pipe;
        SimConnectServer server(options);
        const HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                            nullptr, nullptr);
        const HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        const UINT userMessage = WM_APP + 7;
        HANDLE handle = nullptr;
        ASSERT_EQ(SimConnect_Open(&handle, kName, window, userMessage, event, 0), kOk);
        ASSERT_TRUE(server.WaitForMessages(0, 1));
        SimConnectClient& client = ClientOf(handle);
        EXPECT_EQ(client.Kind(), pipe ? ConnectionKind::Pipe : ConnectionKind::Socket);

        server.Close(0);
        ASSERT_TRUE(Eventually([&] { return client.ClosedWithError(); }));
        const int32_t code = client.CloseCode();
        EXPECT_LT(code, 0);
        if (!pipe) {
            EXPECT_EQ(uint32_t(code), kStatusGracefulDisconnect);  // zero-byte read
        }
        EXPECT_EQ(SimConnect_TransmitClientEvent(handle, 0, 0, 0, 1, 0x10), code);
        // The close is reported before the message is posted and the event set, last.
        EXPECT_EQ(WaitForSingleObject(event, 5000), WAIT_OBJECT_0);
        MSG posted;
        EXPECT_TRUE(PeekMessageW(&posted, window, userMessage, userMessage, PM_REMOVE));
        EXPECT_EQ(SimConnect_Close(handle), kOk);
        EXPECT_EQ(SimConnect_Close(handle), kFail);  // a closed handle names no client any more
        CloseHandle(event);
        DestroyWindow(window);
    }
}

}  // namespace
}  // namespace ulvo::simconnect
