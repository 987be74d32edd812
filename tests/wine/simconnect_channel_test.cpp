// The in-process channel against the testbed's simulator window: registration,
// the handshake started by the open reply, binding, and messages in host buffers.
#include <gtest/gtest.h>

#include <string>

#include "simconnect/status_codes.h"
#include "simconnect/win/inprocess_channel.h"
#include "simconnect/win/process_state.h"
#include "win/sim_window.h"
#include "win/simconnect_host_channel.h"
#include "win/simconnect_server.h"
#include "win/testbed.h"
#include "wine/simconnect_environment.h"
#include "wine/simconnect_test_support.h"

namespace ulvo::simconnect {
namespace {

using testbed::SimConnectHostChannel;
using testbed::SimConnectServer;
using testbed::SimWindow;

constexpr uint32_t kCookie = 0xC00C1E5;

uint64_t AddressOf(const void* entry) {
    return uint64_t(reinterpret_cast<uintptr_t>(entry));
}

template <typename Function>
uint64_t EntryAddress(Function* entry) {
    return AddressOf(reinterpret_cast<const void*>(entry));
}

class SimConnectChannel : public SimConnectEnvironment {
  protected:
    HANDLE Open() {
        const size_t connection = server.ConnectionCount();
        HANDLE handle = nullptr;
        EXPECT_EQ(SimConnect_Open(&handle, "Ulvo2GSX Simconnect proc", nullptr, 0, nullptr, 0),
                  kOk);
        EXPECT_TRUE(server.WaitForMessages(connection, 1));
        return handle;
    }

    // Opens a client and lets the server's open reply start its handshake.
    HANDLE OpenAndHandshake() {
        HANDLE handle = Open();
        Receive(handle, 0, SimConnectServer::OpenReply(kCookie));
        DispatchAll(handle);
        return handle;
    }

    // Sends `message` from the server and waits until the client queued it.
    void Receive(HANDLE handle, size_t connection, const Bytes& message) {
        SimConnectClient& client = ClientOf(handle);
        const uint64_t before = client.BytesReceived();
        ASSERT_TRUE(server.Send(connection, message));
        ASSERT_TRUE(Eventually([&] { return client.BytesReceived() == before + message.size(); }));
    }

    SimWindow window;
    SimConnectServer server{{}};
};

TEST_F(SimConnectChannel, OnlyTheFirstClientRegistersTheDispatchEntryAndTheLastTakesItBack) {
    SimConnectHostChannel host(window, true);
    HANDLE first = Open();
    HANDLE second = Open();
    const std::vector<Bytes> records = host.Records();
    ASSERT_EQ(records.size(), 3u);
    const Bytes query = {24, 0, 0, 0, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(records[0], query);
    EXPECT_EQ(records[2], query);
    ASSERT_EQ(records[1].size(), 24u);
    EXPECT_EQ(LoadU32(records[1].data()), 24u);
    EXPECT_EQ(LoadU32(records[1].data() + 4), 4u);
    EXPECT_EQ(LoadU64(records[1].data() + 8), 0u);
    EXPECT_EQ(host.DispatchEntry(), EntryAddress(&SimConnect_CallDispatch));
    EXPECT_EQ(ClientOf(first).Channel().state.load(), ChannelState::Registered);
    EXPECT_EQ(ClientOf(second).Channel().state.load(), ChannelState::Registered);

    EXPECT_EQ(SimConnect_Close(second), kOk);
    EXPECT_TRUE(host.Unregistrations().empty());
    EXPECT_EQ(SimConnect_Close(first), kOk);
    EXPECT_EQ(host.Unregistrations(),
              std::vector<uintptr_t>{uintptr_t(EntryAddress(&SimConnect_CallDispatch))});
}

TEST_F(SimConnectChannel, OnlyAnExactOpenReplyStartsTheHandshakeAndOnlyOnce) {
    SimConnectHostChannel host(window, true);
    HANDLE handle = Open();
    SimConnectClient& client = ClientOf(handle);
    struct Reply {
        const char* name;
        Bytes bytes;
        bool starts;
    };
    const Reply replies[] = {
        {"307 bytes", SimConnectServer::OpenReply(kCookie, 307), false},
        {"309 bytes", SimConnectServer::OpenReply(kCookie, 309), false},
        {"message id 3", SimConnectServer::OpenReply(kCookie, 308, 3), false},
        {"no cookie", SimConnectServer::OpenReply(0), false},
        {"open reply", SimConnectServer::OpenReply(kCookie), true},
        {"second open reply", SimConnectServer::OpenReply(kCookie + 1), false},
    };
    size_t expectedRecords = 2;
    for (const Reply& reply : replies) {
        Receive(handle, 0, reply.bytes);
        EXPECT_EQ(DispatchAll(handle), std::vector<Bytes>{reply.bytes}) << reply.name;
        expectedRecords += reply.starts ? 1 : 0;
        EXPECT_EQ(host.Records().size(), expectedRecords) << reply.name;
    }
    const Bytes open = host.Records().back();
    ASSERT_EQ(open.size(), 32u);
    EXPECT_EQ(LoadU32(open.data()), 32u);
    EXPECT_EQ(LoadU32(open.data() + 4), 1u);
    EXPECT_EQ(LoadU32(open.data() + 8), kCookie);
    EXPECT_EQ(LoadU32(open.data() + 12), client.Serial());
    EXPECT_EQ(LoadU64(open.data() + 16), EntryAddress(&ChannelBind));
    EXPECT_EQ(LoadU64(open.data() + 24), EntryAddress(&ChannelDeliver));
    EXPECT_EQ(client.Channel().state.load(), ChannelState::HandshakeSent);
    EXPECT_EQ(client.Channel().cookie.load(), kCookie);
    EXPECT_TRUE(client.Channel().bound.load());
    EXPECT_EQ(SimConnect_Close(handle), kOk);
}

TEST_F(SimConnectChannel, BindsOnlyTheMatchingClientAndOnlyOnce) {
    SimConnectHostChannel host(window, false);
    HANDLE handle = OpenAndHandshake();
    ASSERT_EQ(host.Cookie(), kCookie);
    const uint32_t serial = host.Serial();
    EXPECT_EQ(host.Bind(kCookie, serial + 1), 0);
    EXPECT_EQ(host.Bind(kCookie + 1, serial), 0);
    EXPECT_FALSE(ClientOf(handle).Channel().bound.load());
    EXPECT_EQ(host.Bind(), 1);
    EXPECT_EQ(host.Bind(), 0);
    EXPECT_TRUE(ClientOf(handle).Channel().bound.load());
    // A record that is no bind record binds nothing.
    Bytes notABind(48, 0);
    StoreU32(notABind.data(), 48);
    StoreU32(notABind.data() + 4, 3);
    EXPECT_EQ(ChannelBind(notABind.data()), 0);
    EXPECT_EQ(SimConnect_Close(handle), kOk);
}

TEST_F(SimConnectChannel, BoundClientsUseHostBuffersBothWays) {
    SimConnectHostChannel host(window, true);
    HANDLE handle = OpenAndHandshake();
    ASSERT_TRUE(ClientOf(handle).Channel().bound.load());

    // Outgoing: staged in a host buffer (zeroed) and handed to the host's send.
    EXPECT_EQ(SimConnect_TransmitClientEvent(handle, 0, 2, 0, 1, 0x10), kOk);
    const std::vector<Bytes> sent = host.Sent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0], (Bytes{36, 0, 0, 0, 0x1F, 0, 0, 0, 5, 0, 0, 0xF0, 2, 0, 0,    0, 0, 0,
                              0,  0, 2, 0, 0,    0, 0, 0, 0, 0, 1, 0,    0, 0, 0x10, 0, 0, 0}));
    // A refused call gives its host buffer back unsent.
    EXPECT_EQ(SimConnect_MapClientEventToSimEvent(handle, 0, std::string(256, 'x').c_str()),
              kNameTooLong);
    EXPECT_EQ(host.Frees(), 1u);
    EXPECT_EQ(host.Sent().size(), 1u);
    EXPECT_EQ(host.Allocations(), 2u);
    EXPECT_EQ(server.Messages(0).size(), 1u);  // only the open message went by pipe

    // Incoming: host buffers are dispatched and handed back.
    const Bytes delivered = SimConnectServer::Message(40, 0x30, 5);
    host.Deliver(delivered);
    EXPECT_EQ(host.LentBuffers(), 1u);
    EXPECT_EQ(DispatchAll(handle), std::vector<Bytes>{delivered});
    EXPECT_EQ(host.Releases(), 1u);
    EXPECT_EQ(host.LentBuffers(), 0u);

    // A bounded queue gives the host buffers it drops back at once.
    for (uint32_t id = 1; id <= 70; ++id) {
        host.Deliver(SimConnectServer::Message(16, id));
    }
    EXPECT_EQ(host.Releases(), 7u);
    EXPECT_EQ(ClientOf(handle).DiscardedPackets(), 6u);
    // Destroying the client hands back the rest.
    EXPECT_EQ(SimConnect_Close(handle), kOk);
    EXPECT_EQ(host.LentBuffers(), 0u);
    EXPECT_EQ(host.Releases(), 71u);
}

TEST_F(SimConnectChannel, SimulatorDispatchesClientsWithAStoredProcedure) {
    SimConnectHostChannel host(window, true);
    HANDLE handle = Open();
    Receive(handle, 0, SimConnectServer::OpenReply(kCookie));
    // Nothing is stored yet, so the simulator's call leaves the queue alone.
    EXPECT_EQ(host.CallDispatchEntry(), kOk);
    EXPECT_EQ(ClientOf(handle).ReceiveQueueLength(), 1u);

    std::vector<Bytes> stored;
    SimConnect_CallDispatch(handle, &CollectMessage, &stored);  // stores the procedure
    ASSERT_EQ(stored.size(), 1u);
    ASSERT_TRUE(ClientOf(handle).Channel().bound.load());
    const Bytes delivered = SimConnectServer::Message(24, 0x31);
    host.Deliver(delivered);
    EXPECT_EQ(host.CallDispatchEntry(), kOk);
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[1], delivered);
    EXPECT_EQ(SimConnect_Close(handle), kOk);
}

class SimConnectInTestbed : public SimConnectEnvironment {};

TEST_F(SimConnectInTestbed, TheTestbedAnswersTheOpenAndBindsTheChannel) {
    testbed::TestbedOptions options;
    options.simConnect->server.openReplyCookie = kCookie;
    testbed::Testbed bed(options);
    HANDLE handle = nullptr;
    ASSERT_EQ(SimConnect_Open(&handle, "Ulvo2GSX Simconnect proc", nullptr, 0, nullptr, 0), kOk);
    SimConnectClient& client = ClientOf(handle);
    ASSERT_TRUE(Eventually([&] { return client.ReceiveQueueLength() == 1; }));
    const std::vector<Bytes> replies = DispatchAll(handle);
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0], SimConnectServer::OpenReply(kCookie));
    EXPECT_TRUE(client.Channel().bound.load());
    EXPECT_EQ(bed.simConnect->channel->Records().size(), 3u);
    EXPECT_EQ(SimConnect_Close(handle), kOk);
}

}  // namespace
}  // namespace ulvo::simconnect
