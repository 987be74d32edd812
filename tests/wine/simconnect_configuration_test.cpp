// Where the SimConnect client connects: SimConnect.cfg in the three folders, the
// registry ports, the fallback chain, and the waits of a busy pipe.
#include <ws2tcpip.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <ostream>
#include <string>
#include <thread>

#include "core/simconnect_server_messages.h"
#include "simconnect/status_codes.h"
#include "simconnect/win/win32_configuration.h"
#include "win/simconnect_server.h"
#include "wine/simconnect_environment.h"
#include "wine/simconnect_test_support.h"

namespace ulvo::simconnect {
namespace {

using testbed::SimConnectServer;

constexpr char kName[] = "Ulvo2GSX Simconnect proc";
constexpr ConfigFolder kPublic = ConfigFolder::PublicDocuments;
constexpr ConfigFolder kDocuments = ConfigFolder::Documents;
constexpr ConfigFolder kCurrent = ConfigFolder::CurrentDirectory;

class SimConnectConfiguration : public SimConnectEnvironment {
  protected:
    // Opens with `index`; returns the result and counts the clients created.
    int32_t Open(DWORD index, HANDLE& handle) {
        const uint32_t before = Process().clientsCreated.load();
        const int32_t result = SimConnect_Open(&handle, kName, nullptr, 0, nullptr, index);
        attempts = Process().clientsCreated.load() - before;
        return result;
    }

    static std::string Port(uint16_t port) { return std::to_string(port); }

    uint32_t attempts = 0;
};

TEST_F(SimConnectConfiguration, FilesAndPortsAreFoundWhereTheSystemKeepsThem) {
    Win32Configuration configuration;
    std::wstring path;
    ASSERT_TRUE(configuration.ConfigFilePath(kPublic, path));
    EXPECT_EQ(path, Folder(kPublic) + L"\\SimConnect.cfg");
    ASSERT_TRUE(configuration.ConfigFilePath(kDocuments, path));
    EXPECT_EQ(path, Folder(kDocuments) + L"\\SimConnect.cfg");
    ASSERT_TRUE(configuration.ConfigFilePath(kCurrent, path));
    EXPECT_EQ(path, Folder(kCurrent) + L"\\SimConnect.cfg");

    WriteConfig(kCurrent, "[SimConnect.7]\r\nPort=Mine\r\n[SimConnect]\r\nAddress=here\r\n");
    EXPECT_EQ(configuration.ReadProfileString(path, L"SimConnect.7", L"Port"), L"Mine");
    EXPECT_EQ(configuration.ReadProfileString(path, L"SimConnect", L"Port"), L"");
    EXPECT_TRUE(configuration.SectionHasContent(path, L"SimConnect.7"));
    EXPECT_FALSE(configuration.SectionHasContent(path, L"SimConnect.8"));

    struct PortCase {
        std::wstring stored;
        std::wstring read;
    };
    // Ten characters with the terminator is the limit; longer values count as missing.
    for (const PortCase& c : {PortCase{L"50123", L"50123"}, PortCase{L"123456789", L"123456789"},
                              PortCase{L"1234567890", L""}}) {
        SetRegistryPort(kPortValueIPv4, c.stored);
        EXPECT_EQ(configuration.ReadRegistryPort(IpFamily::IPv4), c.read) << c.stored.size();
    }
    EXPECT_EQ(configuration.ReadRegistryPort(IpFamily::IPv6), L"");
}

TEST_F(SimConnectConfiguration, DefaultChainWithoutServerTriesFourTransports) {
    const auto start = std::chrono::steady_clock::now();
    HANDLE handle = reinterpret_cast<HANDLE>(1);
    EXPECT_EQ(Open(0, handle), kFail);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(handle, nullptr);
    // Pipe, IPv6 and IPv4 (both skipped for lack of a port), pipe again: four
    // clients, each destroyed after its failed attempt.
    EXPECT_EQ(attempts, 4u);
    EXPECT_EQ(Process().clientCount.load(), 0u);
    EXPECT_EQ(Process().liveConnections.load(), 0u);
    EXPECT_FALSE(Process().socketsStarted.load());
    std::printf("measured: a failed open through the default chain took %.3f s\n", seconds);
}

TEST_F(SimConnectConfiguration, SocketsAreTriedOnTheRegistryPortsWhenThePipeIsMissing) {
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

TEST_F(SimConnectConfiguration, ConfiguredRemoteAddressGetsNoFallback) {
    // A pipe server is there, so any fallback would connect. 127.0.0.2 refuses at
    // once: nothing listens on it.
    SimConnectServer server({});
    WriteConfig(kPublic, "[SimConnect]\r\nProtocol=IPv4\r\nAddress=127.0.0.2\r\nPort=" +
                             Port(server.PortIPv4()) + "\r\n");
    HANDLE handle = nullptr;
    EXPECT_EQ(Open(0, handle), kFail);
    EXPECT_EQ(attempts, 1u);
    EXPECT_EQ(server.ConnectionCount(), 0u);

    // The last index reads no file and connects with the defaults.
    ASSERT_EQ(Open(0xFFFFFFFF, handle), kOk);
    EXPECT_EQ(ClientOf(handle).Kind(), ConnectionKind::Pipe);
    EXPECT_EQ(SimConnect_Close(handle), kOk);
}

TEST_F(SimConnectConfiguration, NumberedSectionMustExist) {
    SimConnectServer server({});
    WriteConfig(kDocuments, "[SimConnect]\r\nAddress=.\r\n");
    HANDLE handle = reinterpret_cast<HANDLE>(1);
    EXPECT_EQ(Open(3, handle), kInvalidArgument);
    EXPECT_EQ(handle, nullptr);
    EXPECT_EQ(attempts, 0u);

    WriteConfig(kCurrent, "[SimConnect.3]\r\nProtocol=IPv4\r\nAddress=127.0.0.1\r\nPort=" +
                              Port(server.PortIPv4()) + "\r\n");
    ASSERT_EQ(Open(3, handle), kOk);
    EXPECT_EQ(attempts, 1u);
    EXPECT_EQ(ClientOf(handle).AddressFamily(), AF_INET);
    EXPECT_EQ(SimConnect_Close(handle), kOk);
}

struct NagleCase {
    const char* name;
    std::string publicLine;
    std::string documentsLine;
    int expected;
};

// Test names show the case name, not the bytes of the case.
void PrintTo(const NagleCase& c, std::ostream* out) {
    *out << c.name;
}

class SimConnectNagle : public SimConnectConfiguration,
                        public ::testing::WithParamInterface<NagleCase> {};

TEST_P(SimConnectNagle, LaterFilesDecideDisableNagle) {
    const NagleCase& c = GetParam();
    SimConnectServer server({});
    WriteConfig(kPublic, "[SimConnect]\r\nProtocol=IPv4\r\nAddress=127.0.0.1\r\nPort=" +
                             Port(server.PortIPv4()) + "\r\n" + c.publicLine);
    WriteConfig(kDocuments, "[SimConnect]\r\n" + c.documentsLine);
    HANDLE handle = nullptr;
    ASSERT_EQ(Open(0, handle), kOk);
    SimConnectClient& client = ClientOf(handle);
    ASSERT_EQ(client.Kind(), ConnectionKind::Socket);
    // The system may write a single byte of the option.
    int noDelay = 0;
    int length = sizeof noDelay;
    ASSERT_EQ(getsockopt(SOCKET(client.TransportHandle()), IPPROTO_TCP, TCP_NODELAY,
                         reinterpret_cast<char*>(&noDelay), &length),
              0);
    EXPECT_EQ(noDelay != 0, c.expected != 0);
    EXPECT_EQ(client.DisableNagle(), c.expected != 0);
    EXPECT_EQ(SimConnect_Close(handle), kOk);
}

INSTANTIATE_TEST_SUITE_P(Files, SimConnectNagle,
                         ::testing::Values(NagleCase{"SetByPublicDocuments", "DisableNagle=1\r\n",
                                                     "", 1},
                                           NagleCase{"TurnedOffByDocuments", "DisableNagle=1\r\n",
                                                     "DisableNagle=0\r\n", 0},
                                           NagleCase{"Default", "", "", 0}),
                         [](const auto& row) { return std::string(row.param.name); });

struct ReceiveSizeCase {
    const char* name;
    std::string value;
    bool delivered;  // a 50000-byte message
};

// Test names show the case name, not the bytes of the case.
void PrintTo(const ReceiveSizeCase& c, std::ostream* out) {
    *out << c.name;
}

class SimConnectReceiveSize : public SimConnectConfiguration,
                              public ::testing::WithParamInterface<ReceiveSizeCase> {};

TEST_P(SimConnectReceiveSize, OnlyRaisesTheLimit) {
    const ReceiveSizeCase& c = GetParam();
    SimConnectServer server({});
    WriteConfig(kCurrent, "[SimConnect]\r\nMaxReceiveSize=" + c.value + "\r\n");
    HANDLE handle = nullptr;
    ASSERT_EQ(Open(0, handle), kOk);
    ASSERT_TRUE(server.WaitForMessages(0, 1));
    SimConnectClient& client = ClientOf(handle);
    const Bytes large = testbed::ServerMessage(50000, 0x20, 9);
    ASSERT_TRUE(server.Send(0, large));
    ASSERT_TRUE(Eventually([&] { return client.BytesReceived() > 0; }));
    if (c.delivered) {
        ASSERT_TRUE(Eventually([&] { return client.BytesReceived() == large.size(); }));
        EXPECT_EQ(DispatchAll(handle), std::vector<Bytes>{large});
    } else {
        ASSERT_TRUE(Eventually([&] { return client.ClosedWithError(); }));
        EXPECT_EQ(client.CloseCode(), kMessageRefused);
        EXPECT_EQ(client.MaxReceiveSize(), 41088u);
    }
    EXPECT_EQ(SimConnect_Close(handle), kOk);
}

INSTANTIATE_TEST_SUITE_P(Sizes, SimConnectReceiveSize,
                         ::testing::Values(ReceiveSizeCase{"Smaller", "1000", false},
                                           ReceiveSizeCase{"Larger", "100000", true}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(SimConnectConfiguration, BusyPipeIsWaitedFor) {
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
        EXPECT_EQ(ClientOf(handle).Kind(), ConnectionKind::Pipe);
        SimConnect_Close(handle);
    } else {
        // Lets the server thread's wait end when the open failed.
        CloseHandle(CreateFileW(name, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    }
    server.join();
    CloseHandle(instance);
}

}  // namespace
}  // namespace ulvo::simconnect
