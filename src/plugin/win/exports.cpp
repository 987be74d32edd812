// The two entry points the simulator calls: DLLStart once after loading the
// library, DLLStop once before unloading it.
#include <new>

#include "plugin/win/host_services.h"
#include "plugin/win/ulvo_pdk_plugin.h"

namespace {

ulvo::plugin::UlvoPDKPlugin* thePlugin = nullptr;

}  // namespace

extern "C" __declspec(dllexport) void DLLStart(P3D::IPdk* pdk) {
    using ulvo::plugin::hostServices;
    // The host starts the library once; a second start keeps the first one's state.
    if (hostServices != nullptr) {
        return;
    }
    auto* services = new (std::nothrow) ulvo::plugin::HostServices();
    if (services == nullptr) {
        return;
    }
    ulvo::plugin::FillHostServices(*services, pdk);
    hostServices = services;
    thePlugin = new (std::nothrow) ulvo::plugin::UlvoPDKPlugin();
}

extern "C" __declspec(dllexport) void DLLStop(void) {
    using ulvo::plugin::hostServices;
    delete thePlugin;
    thePlugin = nullptr;
    if (hostServices != nullptr) {
        ulvo::plugin::ReleaseHostServices(*hostServices);
        delete hostServices;
        hostServices = nullptr;
    }
}
