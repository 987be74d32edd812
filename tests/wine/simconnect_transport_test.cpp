// The SimConnect client's transport against the testbed's server: framing on the
// wire, one write per call, message extraction, close codes and notifications.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <ostream>
#include <string>

#include "simconnect/status_codes.h"
#include "simconnect/win/process_state.h"
#include "win/simconnect_server.h"
#include "wine/simconnect_environment.h"
#include "wine/simconnect_test_support.h"

namespace ulvo::simconnect {
namespace {

using testbed::SimConnectServer;

constexpr char kName[] = "Ulvo2GSX Simconnect proc";

class SimConnectTransport : public SimConnectEnvironment {
  protected:
    // Opens a client on a new connection of the server and waits for its open message.
    HANDLE Open(SimConnectServer& server, HWND window = nullptr, DWORD message = 0,
                HANDLE event = nullptr) {
        const size_t connection = server.ConnectionCount();
        HANDLE handle = nullptr;
        EXPECT_EQ(SimConnect_Open(&handle, kName, window, message, event, 0), kOk);
        EXPECT_TRUE(server.WaitForMessages(connection, 1));
        return handle;
    }
};

TEST_F(SimConnectTransport, OpenAndEachCallWriteOneFramedMessage) {
    SimConnectServer server({});
    const auto start = std::chrono::steady_clock::now();
    HANDLE handle = nullptr;
    ASSERT_EQ(SimConnect_Open(&handle, kName, nullptr, 0, nullptr, 0), kOk);
    std::printf("measured: SimConnect_Open over the testbed's pipe took %.2f ms\n",
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count());
    ASSERT_NE(handle, nullptr);
    ASSERT_TRUE(server.WaitForMessages(0, 1));
    EXPECT_TRUE(server.IsPipe(0));
    EXPECT_EQ(ClientOf(handle).Channel().state.load(), ChannelState::None);  // no simulator window

    EXPECT_EQ(SimConnect_TransmitClientEvent(handle, 0, 0, 0, 1, 0x10), kOk);
    EXPECT_EQ(SimConnect_MapClientEventToSimEvent(handle, 2, "SELECT_1"), kOk);
    ASSERT_TRUE(server.WaitForMessages(0, 3));
    const std::vector<Bytes> messages = server.Messages(0);
    ASSERT_EQ(messages.size(), 3u);

    const Bytes& open = messages[0];
    ASSERT_EQ(open.size(), 296u);
    EXPECT_EQ(LoadU32(open.data()), 296u);
    EXPECT_EQ(LoadU32(open.data() + 4), 0x1Fu);
    EXPECT_EQ(IdOf(open), 0xF0000001u);
    EXPECT_EQ(SendIdOf(open), 1u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(open.data() + 16)), kName);
    EXPECT_EQ(Bytes(open.begin() + 272, open.end()),
              (Bytes{0, 0, 0, 0, 0x00, 0x44, 0x33, 0x50, 4, 0, 0, 0,
                     5, 0, 0, 0, 0,    0,    0,    0,    0, 0, 0, 0}));

    EXPECT_EQ(messages[1].size(), 36u);
    EXPECT_EQ(IdOf(messages[1]), 0xF0000005u);
    EXPECT_EQ(messages[2].size(), 276u);
    EXPECT_EQ(IdOf(messages[2]), 0xF0000004u);
    EXPECT_EQ(SendIdOf(messages[1]), 2u);
    EXPECT_EQ(SendIdOf(messages[2]), 3u);
    // Every call flushes: three calls, three writes.
    EXPECT_EQ(ClientOf(handle).WritesStarted(), 3u);

    EXPECT_EQ(SimConnect_Close(handle), kOk);
    // A closed handle names no client any more.
    EXPECT_EQ(SimConnect_TransmitClientEvent(handle, 0, 0, 0, 1, 0x10), kFail);
    EXPECT_EQ(SimConnect_Close(handle), kFail);
}

TEST_F(SimConnectTransport, NullArgumentsFailWithoutTouchingAnything) {
    const uint32_t created = Process().clientsCreated.load();
    HANDLE handle = reinterpret_cast<HANDLE>(0x1234);
    EXPECT_EQ(SimConnect_Open(nullptr, kName, nullptr, 0, nullptr, 0), kInvalidArgument);
    EXPECT_EQ(SimConnect_Open(&handle, nullptr, nullptr, 0, nullptr, 0), kInvalidArgument);
    EXPECT_EQ(handle, reinterpret_cast<HANDLE>(0x1234));
    EXPECT_EQ(SimConnect_Close(nullptr), kFail);
    EXPECT_EQ(SimConnect_MapClientEventToSimEvent(nullptr, 0, "TOGGLE_PUSHBACK"), kFail);
    EXPECT_EQ(SimConnect_TransmitClientEvent(nullptr, 0, 0, 0, 1, 0x10), kFail);
    EXPECT_EQ(
        SimConnect_AddToDataDefinition(nullptr, 0, "PLANE ALTITUDE", "feet", 4, 0.0f, 0xFFFFFFFF),
        kFail);
    EXPECT_EQ(SimConnect_RequestDataOnSimObject(nullptr, 0, 0, 0, 4, 1, 0, 0, 0), kFail);
    EXPECT_EQ(SimConnect_CallDispatch(nullptr, &CollectMessage, nullptr), kFail);
    EXPECT_EQ(Process().clientsCreated.load(), created);
}

TEST_F(SimConnectTransport, StringsOf256CharactersAreRefusedAndSendNothing) {
    SimConnectServer server({});
    HANDLE handle = Open(server);
    const std::string longest(255, 'E');
    const std::string tooLong(256, 'E');
    EXPECT_EQ(SimConnect_MapClientEventToSimEvent(handle, 1, longest.c_str()), kOk);
    EXPECT_EQ(SimConnect_MapClientEventToSimEvent(handle, 1, tooLong.c_str()), kNameTooLong);
    EXPECT_EQ(SimConnect_AddToDataDefinition(handle, 0, "EXIT OPEN:0", tooLong.c_str(), 4, 0.0f,
                                             0xFFFFFFFF),
              kNameTooLong);
    EXPECT_EQ(
        SimConnect_AddToDataDefinition(handle, 0, "EXIT OPEN:0", nullptr, 4, 0.0f, 0xFFFFFFFF),
        kOk);
    ASSERT_TRUE(server.WaitForMessages(0, 3));
    const std::vector<Bytes> messages = server.Messages(0);
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(messages[1].data() + 20)), longest);
    EXPECT_EQ(messages[1][275], 0);
    // The refused messages were staged, so they used up send ids 3 and 4.
    EXPECT_EQ(SendIdOf(messages[1]), 2u);
    EXPECT_EQ(SendIdOf(messages[2]), 5u);
    EXPECT_EQ(messages[2][276], 0);  // a null units name is an empty field
    EXPECT_EQ(ClientOf(handle).WritesStarted(), 3u);
    // Without a procedure given now or before, dispatch has nothing to call; the
    // marker of the simulator's form is none either.
    EXPECT_EQ(SimConnect_CallDispatch(handle, nullptr, nullptr), kFail);
    EXPECT_EQ(SimConnect_CallDispatch(handle, AllClientsProc(), nullptr), kInvalidArgument);
    EXPECT_EQ(ClientOf(handle).StoredProc(), nullptr);
    EXPECT_EQ(SimConnect_Close(handle), kOk);
}

TEST_F(SimConnectTransport, SplitMessagesArriveOnceAndBatchedOnesSeparately) {
    SimConnectServer server({});
    HANDLE handle = Open(server);
    SimConnectClient& client = ClientOf(handle);

    const Bytes first = SimConnectServer::Message(300, 0x10, 1);
    ASSERT_TRUE(server.Send(0, Bytes(first.begin(), first.begin() + 7)));
    ASSERT_TRUE(Eventually([&] { return client.BytesReceived() == 7; }));
    ASSERT_TRUE(server.Send(0, Bytes(first.begin() + 7, first.end())));
    ASSERT_TRUE(Eventually([&] { return client.BytesReceived() == 300; }));

    // Three messages in one write; the middle one is too short to be dispatched.
    const Bytes second = SimConnectServer::Message(20, 0x11, 2);
    const Bytes shortOne = SimConnectServer::Message(8, 0, 3);
    const Bytes third = SimConnectServer::Message(12, 0x12, 4);
    Bytes batch = second;
    batch.insert(batch.end(), shortOne.begin(), shortOne.end());
    batch.insert(batch.end(), third.begin(), third.end());
    ASSERT_TRUE(server.Send(0, batch));
    ASSERT_TRUE(Eventually([&] { return client.BytesReceived() == 300 + batch.size(); }));
    EXPECT_EQ(client.ReceiveQueueLength(), 4u);

    int32_t result = -1;
    EXPECT_EQ(DispatchAll(handle, &result), (std::vector<Bytes>{first, second, third}));
    EXPECT_EQ(result, kOk);
    EXPECT_EQ(client.ReceiveQueueLength(), 0u);
    EXPECT_EQ(SimConnect_Close(handle), kOk);
}

TEST_F(SimConnectTransport, ReceiveQueueKeepsTheNewest64Messages) {
    SimConnectServer server({});
    HANDLE handle = Open(server);
    SimConnectClient& client = ClientOf(handle);
    Bytes batch;
    for (uint32_t id = 1; id <= 70; ++id) {
        const Bytes message = SimConnectServer::Message(16, id);
        batch.insert(batch.end(), message.begin(), message.end());
    }
    ASSERT_TRUE(server.Send(0, batch));
    ASSERT_TRUE(Eventually([&] { return client.BytesReceived() == batch.size(); }));
    EXPECT_EQ(client.ReceiveQueueLength(), 64u);
    EXPECT_EQ(client.DiscardedPackets(), 6u);
    const std::vector<Bytes> messages = DispatchAll(handle);
    ASSERT_EQ(messages.size(), 64u);
    EXPECT_EQ(IdOf(messages.front()), 7u);
    EXPECT_EQ(IdOf(messages.back()), 70u);
    EXPECT_EQ(SimConnect_Close(handle), kOk);
}

TEST_F(SimConnectTransport, OversizeSizeFieldClosesWithRefusedCodeAndNotifies) {
    SimConnectServer server({});
    const HWND window =
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    const HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    const UINT userMessage = WM_APP + 7;
    HANDLE handle = Open(server, window, userMessage, event);
    SimConnectClient& client = ClientOf(handle);

    Bytes oversize(8, 0);
    StoreU32(oversize.data(), 41089);
    ASSERT_TRUE(server.Send(0, oversize));
    ASSERT_TRUE(Eventually([&] { return client.ClosedWithError(); }));
    EXPECT_EQ(client.CloseCode(), kMessageRefused);
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
    MSG posted;
    EXPECT_TRUE(PeekMessageW(&posted, window, userMessage, userMessage, PM_REMOVE));
    EXPECT_EQ(posted.wParam, 0u);
    EXPECT_EQ(posted.lParam, 0);

    EXPECT_EQ(SimConnect_TransmitClientEvent(handle, 0, 0, 0, 1, 0x10), kMessageRefused);
    EXPECT_EQ(SimConnect_RequestDataOnSimObject(handle, 0, 0, 0, 4, 1, 0, 0, 0), kMessageRefused);
    int32_t result = 0;
    DispatchAll(handle, &result);
    EXPECT_EQ(result, kMessageRefused);
    ASSERT_TRUE(server.WaitForEnd(0));
    EXPECT_EQ(server.Messages(0).size(), 1u);  // nothing after the open message
    EXPECT_EQ(SimConnect_Close(handle), kOk);
    CloseHandle(event);
    DestroyWindow(window);
}

TEST_F(SimConnectTransport, SizeFieldsOneToThreeCloseTheConnection) {
    SimConnectServer server({});
    HANDLE handle = Open(server);
    ASSERT_TRUE(server.Send(0, Bytes{2, 0, 0, 0, 0, 0, 0, 0}));
    ASSERT_TRUE(Eventually([&] { return ClientOf(handle).ClosedWithError(); }));
    EXPECT_EQ(SimConnect_MapClientEventToSimEvent(handle, 0, "TOGGLE_AIRCRAFT_EXIT"),
              kMessageRefused);
    EXPECT_EQ(SimConnect_Close(handle), kOk);
}

struct PeerCloseCase {
    const char* name;
    bool pipe;
};

// Test names show the case name, not the bytes of the case.
void PrintTo(const PeerCloseCase& c, std::ostream* out) {
    *out << c.name;
}

class SimConnectPeerClose : public SimConnectTransport,
                            public ::testing::WithParamInterface<PeerCloseCase> {};

TEST_P(SimConnectPeerClose, LaterCallsReturnTheCloseCode) {
    const PeerCloseCase& c = GetParam();
    SimConnectServer::Options options;
    options.pipe = c.pipe;
    options.tcp = !c.pipe;
    SimConnectServer server(options);
    HANDLE handle = Open(server);
    ASSERT_NE(handle, nullptr);
    SimConnectClient& client = ClientOf(handle);
    EXPECT_EQ(client.Kind(), c.pipe ? ConnectionKind::Pipe : ConnectionKind::Socket);

    server.Close(0);
    ASSERT_TRUE(Eventually([&] { return client.ClosedWithError(); }));
    const int32_t code = client.CloseCode();
    EXPECT_LT(code, 0);
    if (!c.pipe) {
        EXPECT_EQ(uint32_t(code), kStatusGracefulDisconnect);  // zero-byte read
    }
    EXPECT_EQ(SimConnect_TransmitClientEvent(handle, 0, 0, 0, 1, 0x10), code);
    EXPECT_EQ(SimConnect_Close(handle), kOk);
}

INSTANTIATE_TEST_SUITE_P(Transports, SimConnectPeerClose,
                         ::testing::Values(PeerCloseCase{"Pipe", true},
                                           PeerCloseCase{"Socket", false}),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace ulvo::simconnect
