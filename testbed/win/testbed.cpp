#include "win/testbed.h"

namespace ulvo::testbed {

namespace {

std::optional<FsuipcParty> MakeFsuipc(bool on) {
    if (!on) {
        return std::nullopt;
    }
    return std::optional<FsuipcParty>(std::in_place, FsuipcParty::Options{});
}

std::optional<SimConnectParty> MakeSimConnect(
    SimWindow& window, const std::optional<SimConnectPartyOptions>& options) {
    if (!options) {
        return std::nullopt;
    }
    return std::optional<SimConnectParty>(std::in_place, window, *options);
}

}  // namespace

Testbed::Testbed(const TestbedOptions& options)
    : host(options.host),
      aircraft(&simWindow, options.aircraft),
      fsuipc(MakeFsuipc(options.fsuipc)),
      simConnect(MakeSimConnect(simWindow, options.simConnect)),
      plugin(host, PluginLoader::DefaultDllSource(), options.pluginFileName) {}

}  // namespace ulvo::testbed
