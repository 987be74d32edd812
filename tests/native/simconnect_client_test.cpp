// A client's receive side over the in-memory platform: messages however the
// reads cut them, the bound of the receive queue, and the close codes and
// notifications of a failed connection.
#include "simconnect/simconnect_client.h"

#include <gtest/gtest.h>

#include <functional>

#include "common/little_endian.h"
#include "core/simconnect_server_messages.h"
#include "simconnect/status_codes.h"
#include "simconnect_bytes.h"
#include "simconnect_client_rig.h"

namespace ulvo::simconnect {
namespace {

using testbed::ServerMessage;

constexpr NotificationTargets kTargets{0x77, 0x401, 0x99};

TEST(SimConnectClient, ReceivedMessagesArriveWholeAndInOrderHoweverTheReadsCutThem) {
    const Bytes first = ServerMessage(300, 0x10, 1);
    const Bytes second = ServerMessage(20, 0x11, 2);
    const Bytes tooShort = ServerMessage(8, 0, 3);  // queued, never dispatched
    const Bytes third = ServerMessage(12, 0x12, 4);
    const Bytes stream = Join({first, second, tooShort, third});
    for (size_t chunk : {size_t(1), size_t(7), size_t(64), stream.size()}) {
        ClientRig rig;
        ASSERT_EQ(rig.Open(kTargets), kOk);
        EXPECT_EQ(rig.Server().Deliver(stream, chunk), stream.size());
        EXPECT_EQ(rig.Client().ReceiveQueueLength(), 4u) << chunk;
        // Each queued message posts the user message and signals the event.
        EXPECT_EQ(rig.platform.posts,
                  (std::vector<std::pair<uintptr_t, uint32_t>>(4, {0x77, 0x401})));
        EXPECT_EQ(rig.platform.signals, std::vector<uintptr_t>(4, 0x99));
        int32_t result = -1;
        EXPECT_EQ(rig.Dispatch(&result), (std::vector<Bytes>{first, second, third})) << chunk;
        EXPECT_EQ(result, kOk);
        EXPECT_TRUE(rig.Server().ReadPending());
    }
}

TEST(SimConnectClient, ReceiveQueueKeepsTheNewest64Messages) {
    ClientRig rig;
    ASSERT_EQ(rig.Open(), kOk);
    for (uint32_t id = 1; id <= 70; ++id) {
        rig.Server().Deliver(ServerMessage(16, id));
    }
    EXPECT_EQ(rig.Client().ReceiveQueueLength(), 64u);
    EXPECT_EQ(rig.Client().DiscardedPackets(), 6u);
    const std::vector<Bytes> messages = rig.Dispatch();
    ASSERT_EQ(messages.size(), 64u);
    EXPECT_EQ(messages.front(), ServerMessage(16, 7));
    EXPECT_EQ(messages.back(), ServerMessage(16, 70));
}

TEST(SimConnectClient, FailedTransfersCloseWithTheirCode) {
    using Server = testbed::MemoryServerEnd;
    struct Case {
        const char* name;
        bool socket;
        std::function<void(Server&)> fail;
        uint32_t code;  // 0: the connection stays open
    };
    Bytes oversize(8, 0);
    StoreU32(oversize.data(), 41089);
    const Bytes message = ServerMessage(40, 0x20);
    // clang-format off
    const Case cases[] = {
        {"peer closed", false, [](Server& s) { s.FailRead(0); }, kStatusGracefulDisconnect},
        {"cancelled", false, [](Server& s) { s.FailRead(kStatusCancelled); }, kStatusCancelled},
        {"remote disconnect", true, [](Server& s) { s.FailRead(kStatusRemoteDisconnect); }, kStatusRemoteDisconnect},
        {"broken pipe", false, [](Server& s) { s.FailRead(kStatusPipeBroken); }, kStatusPipeBroken},
        {"connection reset", true, [](Server& s) { s.FailRead(kStatusConnectionReset); }, kStatusConnectionReset},
        {"other status", false, [](Server& s) { s.FailRead(0xC0000185); }, 0xC0000185},
        {"part of a message on a pipe", false, [&](Server& s) { s.Deliver(message, 10, kStatusBufferOverflow); }, 0},
        {"part of a message on a socket", true, [&](Server& s) { s.Deliver(message, 10, kStatusBufferOverflow); }, kStatusBufferOverflow},
        {"size above MaxReceiveSize", false, [&](Server& s) { s.Deliver(oversize); }, uint32_t(kMessageRefused)},
        {"size field 2", false, [](Server& s) { s.Deliver(Bytes{2, 0, 0, 0}); }, uint32_t(kMessageRefused)},
        {"read start fails", false, [&](Server& s) { s.failNextRead = 0xC00000B0; s.Deliver(message); }, 0xC00000B0},
        {"write start fails", true, [](Server& s) { s.failNextWrite = kStatusPipeBroken; }, kStatusPipeBroken},
    };
    // clang-format on
    for (const Case& c : cases) {
        ClientRig rig;
        if (c.socket) {
            rig.platform.ServeSocketOnly();
        }
        ASSERT_EQ(rig.Open(kTargets), kOk) << c.name;
        c.fail(rig.Server());
        const size_t queued = rig.Client().ReceiveQueueLength();
        const int32_t afterwards = rig.Transmit(0);  // a failed write start closes here
        EXPECT_EQ(rig.Client().ClosedWithError(), c.code != 0) << c.name;
        EXPECT_EQ(uint32_t(rig.Client().CloseCode()), c.code) << c.name;
        EXPECT_EQ(uint32_t(rig.Transmit(0)), c.code) << c.name;
        int32_t dispatched = -1;
        EXPECT_EQ(rig.Dispatch(&dispatched).size(), queued) << c.name;
        EXPECT_EQ(uint32_t(dispatched), c.code) << c.name;
        // The close notifies once, like a received message.
        EXPECT_EQ(rig.platform.posts.size(), queued + (c.code != 0 ? 1 : 0)) << c.name;
        EXPECT_EQ(rig.platform.signals.size(), rig.platform.posts.size()) << c.name;
        EXPECT_EQ(afterwards, c.name == std::string("write start fails") ? kOk : int32_t(c.code))
            << c.name;
    }
}

}  // namespace
}  // namespace ulvo::simconnect
