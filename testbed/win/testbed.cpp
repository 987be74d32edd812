#include "win/testbed.h"

namespace ulvo::testbed {

namespace {

std::optional<FsuipcParty> MakeFsuipc(bool on) {
    if (!on) {
        return std::nullopt;
    }
    return std::optional<FsuipcParty>(std::in_place, FsuipcParty::Options{});
}

}  // namespace

Testbed::Testbed(const TestbedOptions& options)
    : host(options.host),
      aircraft(&simWindow, options.aircraft),
      fsuipc(MakeFsuipc(options.fsuipc)),
      plugin(host, PluginLoader::DefaultDllSource(), options.pluginFileName) {}

}  // namespace ulvo::testbed
