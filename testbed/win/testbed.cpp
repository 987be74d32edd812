#include "win/testbed.h"

namespace ulvo::testbed {

Testbed::Testbed(const TestbedOptions& options)
    : host(options.host),
      aircraft(&simWindow, options.aircraft),
      plugin(host, PluginLoader::DefaultDllSource(), options.pluginFileName) {
    if (options.fsuipc) {
        fsuipc.emplace(*options.fsuipc);
    }
    if (options.simConnect) {
        simConnect.emplace(simWindow, *options.simConnect);
    }
}

}  // namespace ulvo::testbed
