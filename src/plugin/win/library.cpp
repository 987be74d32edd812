#include "plugin/win/library.h"

#include <new>

#include "plugin/win/ulvo_pdk_plugin.h"

namespace ulvo::plugin {

namespace {
LibraryObjects library;
}  // namespace

LibraryObjects& Library() {
    return library;
}

void StartLibrary(P3D::IPdk* provider) {
    if (library.started) {
        return;
    }
    FillHostServices(library.hostServices, provider);
    library.started = true;
    library.plugin = new (std::nothrow)
        UlvoPDKPlugin(PluginParts{library.hostServices, library.fsuipc, library.aircraft,
                                  library.bridgeTables, library.simconnect});
}

void StopLibrary() {
    delete library.plugin;
    library.plugin = nullptr;
    if (library.started) {
        ReleaseHostServices(library.hostServices);
        library.started = false;
    }
}

}  // namespace ulvo::plugin
