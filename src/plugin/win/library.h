// Everything that lives as long as the library, in one place: the host's
// services, the plug-in object, the FSUIPC link, the aircraft link, the bridge
// tables and the SimConnect client's process state, each over its Win32
// platform. They are created when the library loads and destroyed when it
// unloads; DLLStart fills the host services and creates the plug-in object,
// handing it the objects it works on, and DLLStop undoes both. Nothing else in
// the library keeps process-wide state; the SimConnect client only remembers
// which process state is installed, for the calls the simulator makes.
#pragma once

#include <windows.h>

#include "aircraft/aircraft_link.h"
#include "aircraft/win/aircraft_platform_win.h"
#include "bridge/bridge_state.h"
#include "fsuipc/fsuipc_link.h"
#include "fsuipc/win/fsuipc_platform_win.h"
#include "plugin/win/host_services.h"
#include "simconnect/process_state.h"
#include "simconnect/win/win32_client_platform.h"

namespace ulvo::plugin {

class UlvoPDKPlugin;

struct LibraryObjects {
    bool started = false;       // between DLLStart and DLLStop
    HostServices hostServices;  // every slot null while not started
    UlvoPDKPlugin* plugin = nullptr;

    fsuipc::Win32FsuipcPlatform fsuipcPlatform;
    fsuipc::FsuipcLink fsuipc{fsuipcPlatform};  // closed until the connections open it
    aircraft::Win32AircraftPlatform aircraftPlatform;
    aircraft::AircraftLink aircraft{aircraftPlatform};  // detached until first attached
    bridge::BridgeTables bridgeTables;                  // zero at load and never reset
    simconnect::Win32ClientPlatform simconnectPlatform;
    // Installed as the process's SimConnect state: the one the SimConnect calls
    // and the simulator's channel entries work on.
    simconnect::ProcessState simconnect{simconnectPlatform};
};

LibraryObjects& Library();

// DLLStart: stores the provider and asks it for its services, then creates the
// plug-in object. A second start keeps the first one's state.
void StartLibrary(P3D::IPdk* provider);
// DLLStop: destroys the plug-in object and releases the host's services.
void StopLibrary();

}  // namespace ulvo::plugin
