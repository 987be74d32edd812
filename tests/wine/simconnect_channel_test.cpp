// The in-process channel through the testbed's simulator window in this process:
// records sent as WM_COMMAND reach the simulator, the open reply arrives by pipe
// and starts the handshake, the bound client sends through the simulator's
// buffers, and the last client takes its dispatch entry back. The channel's
// logic is tested natively (tests/native/inprocess_channel_test.cpp).
#include <gtest/gtest.h>

#include "core/simconnect_server_messages.h"
#include "simconnect/status_codes.h"
#include "win/testbed.h"
#include "wine/simconnect_environment.h"
#include "wine/simconnect_test_support.h"

namespace ulvo::simconnect {
namespace {

constexpr uint32_t kCookie = 0xC00C1E5;

class SimConnectInTestbed : public SimConnectEnvironment {};

TEST_F(SimConnectInTestbed, TheTestbedAnswersTheOpenAndBindsTheChannel) {
    testbed::TestbedOptions options;
    options.simConnect->server.openReplyCookie = kCookie;
    testbed::Testbed bed(options);
    HANDLE handle = nullptr;
    ASSERT_EQ(SimConnect_Open(&handle, "Ulvo2GSX Simconnect proc", nullptr, 0, nullptr, 0), kOk);
    SimConnectClient& client = ClientOf(handle);
    ASSERT_TRUE(Eventually([&] { return client.ReceiveQueueLength() == 1; }));
    std::vector<Bytes> replies;
    auto collect = [](void* message, uint32_t size, void* context) {
        const auto* bytes = static_cast<const uint8_t*>(message);
        static_cast<std::vector<Bytes>*>(context)->emplace_back(bytes, bytes + size);
    };
    EXPECT_EQ(SimConnect_CallDispatch(handle, collect, &replies), kOk);
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0], testbed::OpenReply(kCookie));
    EXPECT_TRUE(client.Channel().bound.load());
    testbed::HostChannel& channel = bed.simConnect->channel;
    EXPECT_EQ(channel.Records().size(), 3u);
    EXPECT_EQ(SimConnect_TransmitClientEvent(handle, 0, 2, 0, 1, 0x10), kOk);
    EXPECT_EQ(channel.Sent().size(), 1u);
    EXPECT_EQ(SimConnect_Close(handle), kOk);
    EXPECT_EQ(channel.Unregistrations().size(), 1u);
}

}  // namespace
}  // namespace ulvo::simconnect
