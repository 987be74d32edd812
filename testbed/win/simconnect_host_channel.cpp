#include "win/simconnect_host_channel.h"

namespace ulvo::testbed {

namespace {
constexpr WPARAM kChannelCommand = 0x2002A;
}  // namespace

SimConnectHostChannel::SimConnectHostChannel(SimWindow& simWindow)
    : HostChannel(true), window(simWindow) {
    handlerId =
        window.AddHandler([this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
            if (message != WM_COMMAND || wParam != kChannelCommand || lParam == 0) {
                return false;
            }
            result = 0;
            OnRecord(reinterpret_cast<uint8_t*>(lParam));
            return true;
        });
}

SimConnectHostChannel::~SimConnectHostChannel() {
    window.RemoveHandler(handlerId);
}

}  // namespace ulvo::testbed
