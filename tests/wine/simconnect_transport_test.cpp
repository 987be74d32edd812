// The SimConnect client's transport against the testbed's server, on real pipes
// and sockets with completions on the system's pool: a peer that goes away
// closes the connection with the system's status, and the client posts the user
// message to its window and signals its event. The client's logic above the
// transport is tested natively (tests/native/simconnect_client_test.cpp).
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "simconnect/status_codes.h"
#include "win/simconnect_server.h"
#include "wine/simconnect_environment.h"
#include "wine/simconnect_test_support.h"

namespace ulvo::simconnect {
namespace {

using testbed::SimConnectServer;

struct PeerCloseCase {
    const char* name;
    bool pipe;
};

// Test names show the case name, not the bytes of the case.
void PrintTo(const PeerCloseCase& c, std::ostream* out) {
    *out << c.name;
}

class SimConnectPeerClose : public SimConnectEnvironment,
                            public ::testing::WithParamInterface<PeerCloseCase> {};

TEST_P(SimConnectPeerClose, ClosesWithTheSystemsStatusAndNotifies) {
    const PeerCloseCase& c = GetParam();
    SimConnectServer::Options options;
    options.pipe = c.pipe;
    options.tcp = !c.pipe;
    SimConnectServer server(options);
    const HWND window =
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    const HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    const UINT userMessage = WM_APP + 7;
    HANDLE handle = nullptr;
    ASSERT_EQ(SimConnect_Open(&handle, "Ulvo2GSX Simconnect proc", window, userMessage, event, 0),
              kOk);
    ASSERT_TRUE(server.WaitForMessages(0, 1));
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
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
    MSG posted;
    EXPECT_TRUE(PeekMessageW(&posted, window, userMessage, userMessage, PM_REMOVE));
    EXPECT_EQ(posted.wParam, 0u);
    EXPECT_EQ(posted.lParam, 0);
    EXPECT_EQ(SimConnect_Close(handle), kOk);
    // A closed handle names no client any more.
    EXPECT_EQ(SimConnect_Close(handle), kFail);
    CloseHandle(event);
    DestroyWindow(window);
}

INSTANTIATE_TEST_SUITE_P(Transports, SimConnectPeerClose,
                         ::testing::Values(PeerCloseCase{"Pipe", true},
                                           PeerCloseCase{"Socket", false}),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace ulvo::simconnect
