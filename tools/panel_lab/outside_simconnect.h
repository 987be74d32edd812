// Whether the plug-in's SimConnect client would reach the lab. The lab serves
// SimConnect only on the simulator's usual pipe on this PC. The plug-in's
// client reads the [SimConnect] section of SimConnect.cfg in the Public
// Documents folder, the Documents folder and the current directory, merged key
// by key, later files over earlier ones. A section that names another protocol,
// address or pipe would send the plug-in's SimConnect traffic (and with it the
// GSX door events of the lab's `gsx` lines) elsewhere, typically to the
// simulator PC on the network, or keep the plug-in from starting at all, since
// it opens SimConnect first and gives up at the first failure.
#pragma once

#include <string>

#include "simconnect/connection_settings.h"

namespace ulvo::tools {

// Empty when the client would connect to the usual local pipe; else which file
// and which entries send it elsewhere, in one sentence for the user (UTF-8).
std::string OutsideSimConnect(simconnect::ConfigurationSource& source);

}  // namespace ulvo::tools
