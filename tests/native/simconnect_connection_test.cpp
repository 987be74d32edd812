#include "simconnect/simconnect_connection.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/simconnect_client_rig.h"
#include "core/simconnect_server_messages.h"
#include "simconnect/status_codes.h"

namespace ulvo::simconnect {
namespace {

using testbed::Bytes;
using testbed::ClientRig;

constexpr NotificationTargets kTargets{0x77, 0x401, 0x99};

TEST(SimConnectConnection, FailedTransfersCloseWithTheirCodeAndNotifyOnce) {
    using Server = testbed::MemoryServerEnd;
    struct Case {
        const char* name;
        bool socket;
        std::function<void(Server&)> fail;
        uint32_t code;  // 0: the connection stays open
    };
    const Bytes oversize = {0x81, 0xA0, 0, 0, 0, 0, 0, 0};  // 41089
    const Bytes message = testbed::ServerMessage(40, 0x20);
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
        SCOPED_TRACE(c.name);
        ClientRig rig;
        if (c.socket) {
            rig.platform.ServeSocketOnly();
        }
        ASSERT_EQ(rig.Open(kTargets), kOk);
        c.fail(rig.Server());
        const size_t queued = rig.Client().ReceiveQueueLength();
        const int32_t afterwards = rig.Transmit(0);  // a failed write start closes here
        EXPECT_EQ(rig.Client().ClosedWithError(), c.code != 0);
        EXPECT_EQ(uint32_t(rig.Client().CloseCode()), c.code);
        EXPECT_EQ(uint32_t(rig.Transmit(0)), c.code);
        int32_t dispatched = -1;
        EXPECT_EQ(rig.Dispatch(&dispatched).size(), queued);
        EXPECT_EQ(uint32_t(dispatched), c.code);
        // The close notifies once, like a received message.
        EXPECT_EQ(rig.platform.posts.size(), queued + (c.code != 0 ? 1 : 0));
        EXPECT_EQ(rig.platform.signals.size(), rig.platform.posts.size());
        EXPECT_EQ(afterwards, c.name == std::string("write start fails") ? kOk : int32_t(c.code));
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
