#include "win/testbed.h"

namespace ulvo::testbed {

Testbed::Testbed(const TestbedOptions& options)
    : host(options.host),
      aircraft(&simWindow, options.aircraft),
      plugin(host, PluginLoader::DefaultDllSource(), options.pluginFileName) {}

}  // namespace ulvo::testbed
