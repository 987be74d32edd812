// The simulator's SimConnect side in the testbed: the server on the pipe and on
// the loopback TCP ports, and the in-process channel on the simulator window.
#pragma once

#include <optional>

#include "win/sim_window.h"
#include "win/simconnect_host_channel.h"
#include "win/simconnect_server.h"

namespace ulvo::testbed {

struct SimConnectPartyOptions {
    SimConnectServer::Options server;
    bool inProcessChannel = true;
    bool bindOnOpen = true;  // bind the channel as soon as a client asks for it
};

class SimConnectParty {
  public:
    SimConnectParty(SimWindow& window, const SimConnectPartyOptions& options)
        : server(options.server) {
        if (options.inProcessChannel) {
            channel.emplace(window, options.bindOnOpen);
        }
    }

    SimConnectServer server;
    std::optional<SimConnectHostChannel> channel;
};

}  // namespace ulvo::testbed
