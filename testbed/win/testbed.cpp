#include "win/testbed.h"

namespace ulvo::testbed {

Testbed::Testbed(const TestbedOptions& options)
    : host(options.host), plugin(host, PluginLoader::DefaultDllSource(), options.pluginFileName) {}

}  // namespace ulvo::testbed
