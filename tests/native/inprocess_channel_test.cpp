#include "simconnect/inprocess_channel.h"

#include <gtest/gtest.h>

#include <string>

#include "common/little_endian.h"
#include "core/plugin_simconnect_messages.h"
#include "core/simconnect_client_rig.h"
#include "core/simconnect_server_messages.h"
#include "simconnect/status_codes.h"

namespace ulvo::simconnect {
namespace {

using testbed::Bytes;
using testbed::ClientRig;
using testbed::OpenReply;
using testbed::ServerMessage;

constexpr uint32_t kCookie = 0xC00C1E5;

template <typename Function>
uint64_t EntryAddress(Function* entry) {
    return uint64_t(reinterpret_cast<uintptr_t>(entry));
}

TEST(InProcessChannel, OnlyTheFirstClientRegistersTheDispatchEntryAndTheLastTakesItBack) {
    ClientRig rig;
    testbed::HostChannel& host = rig.Simulator(true);
    ASSERT_EQ(rig.Open(), kOk);
    ASSERT_EQ(rig.Open(), kOk);
    const std::vector<Bytes> records = host.Records();
    ASSERT_EQ(records.size(), 3u);
    const Bytes query = {24, 0, 0, 0, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(records[0], query);
    EXPECT_EQ(records[2], query);
    ASSERT_EQ(records[1].size(), 24u);
    EXPECT_EQ(LoadU32(records[1].data() + 4), 4u);
    EXPECT_EQ(LoadU64(records[1].data() + 8), 0u);
    EXPECT_EQ(host.DispatchEntry(), EntryAddress(&SimConnect_CallDispatch));
    EXPECT_EQ(rig.Client().Channel().state.load(), ChannelState::Registered);

    EXPECT_EQ(CloseClient(rig.process, rig.handles[1]), kOk);
    EXPECT_TRUE(host.Unregistrations().empty());
    EXPECT_EQ(CloseClient(rig.process, rig.handles[0]), kOk);
    EXPECT_EQ(host.Unregistrations(),
              std::vector<uintptr_t>{uintptr_t(EntryAddress(&SimConnect_CallDispatch))});
}

TEST(InProcessChannel, ASimulatorWindowOfAnotherProcessIsNotRegisteredWith) {
    ClientRig rig;
    testbed::HostChannel& host = rig.Simulator(true);
    rig.platform.windowInThisProcess = false;
    ASSERT_EQ(rig.Open(), kOk);
    EXPECT_TRUE(host.Records().empty());
    EXPECT_EQ(rig.Client().Channel().state.load(), ChannelState::None);
}

TEST(InProcessChannel, OnlyAnExactOpenReplyStartsTheHandshakeThenHostBuffersCarryBothWays) {
    ClientRig rig;
    testbed::HostChannel& host = rig.Simulator(true);
    ASSERT_EQ(rig.Open(), kOk);
    // Which replies carry a cookie is inprocess_records_test's.
    const struct {
        const char* name;
        Bytes bytes;
        bool starts;
    } replies[] = {
        {"307 bytes", OpenReply(kCookie, 307), false},
        {"open reply", OpenReply(kCookie), true},
        {"second open reply", OpenReply(kCookie + 1), false},
    };
    size_t expectedRecords = 2;
    for (const auto& reply : replies) {
        rig.Server().Deliver(reply.bytes);
        EXPECT_EQ(rig.Dispatch(), std::vector<Bytes>{reply.bytes}) << reply.name;
        expectedRecords += reply.starts ? 1 : 0;
        EXPECT_EQ(host.Records().size(), expectedRecords) << reply.name;
    }
    const Bytes open = host.Records().back();
    ASSERT_EQ(open.size(), 32u);
    EXPECT_EQ(LoadU32(open.data()), 32u);
    EXPECT_EQ(LoadU32(open.data() + 4), 1u);
    EXPECT_EQ(LoadU32(open.data() + 8), kCookie);
    EXPECT_EQ(LoadU32(open.data() + 12), 1u);  // the serial of the process's first connection
    EXPECT_EQ(rig.Client().Serial(), 1u);
    EXPECT_EQ(LoadU64(open.data() + 16), EntryAddress(&ChannelBind));
    EXPECT_EQ(LoadU64(open.data() + 24), EntryAddress(&ChannelDeliver));
    EXPECT_EQ(rig.Client().Channel().state.load(), ChannelState::HandshakeSent);
    EXPECT_TRUE(rig.Client().Channel().bound.load());

    // Outgoing: staged in a host buffer (zeroed) and handed to the host's send.
    EXPECT_EQ(rig.Transmit(2), kOk);
    EXPECT_EQ(host.Sent(), std::vector<Bytes>{testbed::expected::TransmitClientEvent(2, 2)});
    // A refused call gives its host buffer back unsent.
    EXPECT_EQ(CallClient(rig.process, rig.handles[0], kMapClientEventToSimEventLayout,
                         {0u, std::string(256, 'x').c_str()}),
              kNameTooLong);
    EXPECT_EQ(host.Frees(), 1u);
    EXPECT_EQ(host.Sent().size(), 1u);
    EXPECT_EQ(host.Allocations(), 2u);
    EXPECT_EQ(rig.Server().writes.size(), 1u);  // only the open message went by pipe

    // Incoming: host buffers are dispatched and handed back.
    const Bytes delivered = ServerMessage(40, 0x30, 5);
    host.Deliver(delivered);
    EXPECT_EQ(host.LentBuffers(), 1u);
    EXPECT_EQ(rig.Dispatch(), std::vector<Bytes>{delivered});
    EXPECT_EQ(host.Releases(), 1u);

    // A bounded queue gives the host buffers it drops back at once, and a
    // destroyed client the rest. A closed connection has no serial, so a
    // delivery for it stays with the simulator.
    for (uint32_t id = 1; id <= 70; ++id) {
        host.Deliver(ServerMessage(16, id));
    }
    EXPECT_EQ(host.Releases(), 7u);
    rig.Server().FailRead(0);
    host.Deliver(delivered);
    EXPECT_EQ(rig.Client().ReceiveQueueLength(), 64u);
    EXPECT_EQ(CloseClient(rig.process, rig.handles[0]), kOk);
    EXPECT_EQ(host.Releases(), 71u);
    EXPECT_EQ(host.LentBuffers(), 1u);
}

TEST(InProcessChannel, BindsOnlyTheMatchingClientAndOnlyOnce) {
    ClientRig rig;
    testbed::HostChannel& host = rig.Simulator(false);
    ASSERT_EQ(rig.Open(), kOk);
    rig.Server().Deliver(OpenReply(kCookie));
    rig.Dispatch();
    ASSERT_EQ(host.Cookie(), kCookie);
    const uint32_t serial = host.Serial();
    EXPECT_EQ(host.Bind(kCookie, serial + 1), 0);
    EXPECT_EQ(host.Bind(kCookie + 1, serial), 0);
    EXPECT_FALSE(rig.Client().Channel().bound.load());
    EXPECT_EQ(host.Bind(), 1);
    EXPECT_EQ(host.Bind(), 0);
    EXPECT_TRUE(rig.Client().Channel().bound.load());
    // A record that is no bind record binds nothing.
    Bytes notABind(48, 0);
    StoreU32(notABind.data(), 48);
    StoreU32(notABind.data() + 4, 3);
    EXPECT_EQ(ChannelBind(notABind.data()), 0);
}

TEST(InProcessChannel, SimulatorDispatchesClientsWithAStoredProcedure) {
    ClientRig rig;
    testbed::HostChannel& host = rig.Simulator(true);
    ASSERT_EQ(rig.Open(), kOk);
    rig.Server().Deliver(OpenReply(kCookie));
    // Nothing is stored yet, so the simulator's call leaves the queue alone.
    EXPECT_EQ(host.CallDispatchEntry(), kOk);
    EXPECT_EQ(rig.Client().ReceiveQueueLength(), 1u);

    std::vector<Bytes> stored;
    SimConnect_CallDispatch(rig.handles[0], &testbed::CollectMessage,
                            &stored);  // stores the procedure
    ASSERT_EQ(stored.size(), 1u);
    const Bytes delivered = ServerMessage(24, 0x31);
    host.Deliver(delivered);
    EXPECT_EQ(host.CallDispatchEntry(), kOk);
    // The application's call without a procedure uses the stored one too.
    host.Deliver(delivered);
    EXPECT_EQ(SimConnect_CallDispatch(rig.handles[0], nullptr, nullptr), kOk);
    EXPECT_EQ(stored, (std::vector<Bytes>{OpenReply(kCookie), delivered, delivered}));
}

}  // namespace
}  // namespace ulvo::simconnect
