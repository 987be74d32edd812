#include "simconnect/simconnect_client.h"

#include <gtest/gtest.h>

#include "core/simconnect_client_rig.h"
#include "core/simconnect_server_messages.h"
#include "simconnect/status_codes.h"

namespace ulvo::simconnect {
namespace {

using testbed::Bytes;
using testbed::ClientRig;
using testbed::Join;
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
        EXPECT_FALSE(rig.Client().Flush());  // nothing staged, nothing handed over
    }
}

// The targets are set before the first read can complete, so a message that
// arrives while the open still runs notifies them too.
TEST(SimConnectClient, AMessageArrivingDuringTheOpenNotifiesTheTargets) {
    for (int round = 0; round < 5; ++round) {  // threaded completions come at random moments
        ClientRig rig;
        rig.platform.greeting = ServerMessage(20, 0x13);
        ASSERT_EQ(rig.Open(kTargets), kOk);
        EXPECT_EQ(rig.platform.posts, (std::vector<std::pair<uintptr_t, uint32_t>>{{0x77, 0x401}}));
        EXPECT_EQ(rig.platform.signals, std::vector<uintptr_t>{0x99});
        EXPECT_EQ(rig.Dispatch(), std::vector<Bytes>{rig.platform.greeting});
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

}  // namespace
}  // namespace ulvo::simconnect
