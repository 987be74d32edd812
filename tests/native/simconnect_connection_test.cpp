#include "simconnect/simconnect_connection.h"

#include <gtest/gtest.h>

#include "core/simconnect_client_rig.h"
#include "core/simconnect_server_messages.h"
#include "simconnect/status_codes.h"

namespace ulvo::simconnect {
namespace {

using testbed::Bytes;
using testbed::ClientRig;

constexpr NotificationTargets kTargets{0x77, 0x401, 0x99};

TEST(SimConnectConnection, FailedTransfersCloseWithTheirCodeAndNotifyOnce) {
    struct Case {
        const char* name;
        bool socket;
        Bytes delivered;  // none: the read fails with `status`
        uint32_t status;  // of each read
        uint32_t code;    // 0: the connection stays open
    };
    const Bytes oversize = {0x81, 0xA0, 0, 0, 0, 0, 0, 0};  // 41089
    const Bytes message = testbed::ServerMessage(40, 0x20);
    const Case cases[] = {
        {"peer closed", false, {}, 0, kStatusGracefulDisconnect},
        {"cancelled", false, {}, kStatusCancelled, kStatusCancelled},
        {"remote disconnect", true, {}, kStatusRemoteDisconnect, kStatusRemoteDisconnect},
        {"broken pipe", false, {}, kStatusPipeBroken, kStatusPipeBroken},
        {"connection reset", true, {}, kStatusConnectionReset, kStatusConnectionReset},
        {"other status", false, {}, 0xC0000185, 0xC0000185},
        {"part of a message on a pipe", false, message, kStatusBufferOverflow, 0},
        {"part of a message on a socket", true, message, kStatusBufferOverflow,
         kStatusBufferOverflow},
        {"size above MaxReceiveSize", false, oversize, 0, uint32_t(kMessageRefused)},
        {"size field 2", false, {2, 0, 0, 0}, 0, uint32_t(kMessageRefused)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClientRig rig;
        if (c.socket) {
            rig.platform.ServeSocketOnly();
        }
        ASSERT_EQ(rig.Open(kTargets), kOk);
        if (c.delivered.empty()) {
            rig.Server().FailRead(c.status);
        } else {
            rig.Server().Deliver(c.delivered, 10, c.status);
        }
        const size_t queued = rig.Client().ReceiveQueueLength();
        EXPECT_EQ(rig.Client().ClosedWithError(), c.code != 0);
        EXPECT_EQ(uint32_t(rig.Client().CloseCode()), c.code);
        EXPECT_EQ(uint32_t(rig.Transmit(0)), c.code);
        int32_t dispatched = -1;
        EXPECT_EQ(rig.Dispatch(&dispatched).size(), queued);
        EXPECT_EQ(uint32_t(dispatched), c.code);
        // The close notifies once, like a received message.
        EXPECT_EQ(rig.platform.posts.size(), queued + (c.code != 0 ? 1 : 0));
        EXPECT_EQ(rig.platform.signals.size(), rig.platform.posts.size());
    }
}

// A read or write that fails at its start drops only its own reference (the rig
// checks that every one was dropped): the connection stands, and the open that
// made it succeeds. Without a read nothing more arrives; after a failed write
// the later messages wait in the queue until the connection ends.
TEST(SimConnectConnection, AStartThatFailsAtOnceLeavesTheConnectionStanding) {
    for (const bool readFails : {true, false}) {
        SCOPED_TRACE(readFails ? "first read" : "first write");
        ClientRig rig;
        (readFails ? rig.platform.failFirstRead : rig.platform.failFirstWrite) = kStatusPipeBroken;
        ASSERT_EQ(rig.Open(), kOk);
        EXPECT_EQ(rig.Transmit(2), kOk);
        EXPECT_TRUE(rig.Client().IsConnected());
        EXPECT_EQ(rig.Server().ReadPending(), !readFails);
        EXPECT_EQ(rig.Server().writes.size(), readFails ? 2u : 0u);
    }
}

// A connection takes MaxReceiveSize and DisableNagle from its settings.
TEST(SimConnectConnection, UsesTheSizeAndTheNagleSettingOfItsConfiguration) {
    for (const bool configured : {false, true}) {
        SCOPED_TRACE(configured);
        ClientRig rig;
        if (configured) {
            testbed::MemoryConfiguration& config = rig.platform.configuration;
            config.Set(ConfigFolder::PublicDocuments, L"SimConnect", L"MaxReceiveSize", L"50000");
            config.Set(ConfigFolder::PublicDocuments, L"SimConnect", L"DisableNagle", L"1");
        }
        ASSERT_EQ(rig.Open(), kOk);
        EXPECT_EQ(rig.Server().noDelay, configured);
        rig.Server().Deliver(testbed::ServerMessage(45000, 0x20));
        EXPECT_EQ(rig.Dispatch().size(), configured ? 1u : 0u);
        EXPECT_EQ(rig.Client().ClosedWithError(), !configured);
    }
}

}  // namespace
}  // namespace ulvo::simconnect
