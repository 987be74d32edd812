// The two entry points the simulator calls: DLLStart once after loading the
// library, DLLStop once before unloading it.
#include "plugin/win/library.h"

extern "C" __declspec(dllexport) void DLLStart(P3D::IPdk* pdk) {
    ulvo::plugin::StartLibrary(pdk);
}

extern "C" __declspec(dllexport) void DLLStop(void) {
    ulvo::plugin::StopLibrary();
}
