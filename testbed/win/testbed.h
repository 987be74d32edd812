// The stand-in simulator in one object: the simulator window, the parties that
// play the host and the programs around the simulator, and the loader of the
// real plug-in DLL. A test builds one with the options it needs and drives it.
//
// Adding a party: one option in TestbedOptions (its on/off switch, or a struct of
// its settings) and one member here, declared after `simWindow` and before
// `plugin` (members are destroyed in reverse declaration order, so the plug-in
// is unloaded first); a party that can be switched off is a std::optional member
// made in the constructor only when its option is on.
#pragma once

#include <optional>

#include "win/aircraft_party.h"
#include "win/fsuipc_party.h"
#include "win/host_party.h"
#include "win/plugin_loader.h"
#include "win/sim_window.h"
#include "win/simconnect_host_channel.h"
#include "win/simconnect_server.h"

namespace ulvo::testbed {

// The simulator's SimConnect side: the server on the pipe and on the loopback TCP
// ports, and the in-process channel on the simulator window.
struct SimConnectPartyOptions {
    SimConnectServer::Options server;
};

class SimConnectParty {
  public:
    SimConnectParty(SimWindow& window, const SimConnectPartyOptions& options)
        : server(options.server), channel(window) {}

    SimConnectServer server;
    SimConnectHostChannel channel;  // binds a client as soon as it asks
};

struct TestbedOptions {
    HostOptions host;  // the host is always there; its options switch its services
    // The SimConnect server and in-process channel; empty for a simulator without them.
    std::optional<SimConnectPartyOptions> simConnect = SimConnectPartyOptions{};
    std::wstring pluginFileName = kPluginFileName;  // the DLL's name in its folder
    AircraftParty::Options aircraft;                // loaded: both sections; switch either off
    // FSUIPC's window, by default on the simulator's (the testbed's) thread; empty
    // for a simulator without FSUIPC.
    std::optional<FsuipcParty::Options> fsuipc = FsuipcParty::Options{};
};

class Testbed {
  public:
    explicit Testbed(const TestbedOptions& options = {});
    Testbed(const Testbed&) = delete;
    Testbed& operator=(const Testbed&) = delete;

    SimWindow simWindow;
    HostParty host;
    AircraftParty aircraft;
    std::optional<FsuipcParty> fsuipc;
    std::optional<SimConnectParty> simConnect;
    PluginLoader plugin;  // last: unloaded before the parties go
};

}  // namespace ulvo::testbed
