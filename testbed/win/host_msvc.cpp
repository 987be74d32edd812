#include "win/host_msvc.h"

#include <filesystem>

#include "win/host_party.h"

namespace ulvo::testbed {

namespace {

HostParty& Party(void* context) {
    return *static_cast<HostParty*>(context);
}

IUnknown* Object(void* object) {
    return static_cast<IUnknown*>(object);
}

const GUID& AsGuid(const UlvoGuid* guid) {
    static_assert(sizeof(UlvoGuid) == sizeof(GUID));
    return *reinterpret_cast<const GUID*>(guid);
}

// The table's entries: each hands the call to the host party's object.
constexpr UlvoHostTable kForwarding = {
    nullptr,
    [](void*, void* object) -> unsigned int { return Object(object)->AddRef(); },
    [](void*, void* object) -> unsigned int { return Object(object)->Release(); },
    [](void* context, void*) { Party(context).CountUnusedSlotCall(); },
    [](void* context, const UlvoGuid* service, const UlvoGuid* iid, void** object) -> int {
        return Party(context).provider.QueryService(AsGuid(service), AsGuid(iid), object);
    },
    [](void* context, const UlvoGuid* eventId, void* callback) -> int {
        return Party(context).events.RegisterCallback(AsGuid(eventId),
                                                      static_cast<P3D::ICallbackV400*>(callback));
    },
    [](void* context, const UlvoGuid* eventId, void* callback) -> int {
        return Party(context).events.UnregisterCallback(AsGuid(eventId),
                                                        static_cast<P3D::ICallbackV400*>(callback));
    },
    [](void*, void* list, unsigned int index) -> unsigned long long {
        P3D::P3DParameter parameter{};
        static_cast<HostParameterList*>(list)->GetParameter(&parameter, index);
        return parameter.Value;
    },
    [](void*, void* list) -> unsigned int {
        return static_cast<HostParameterList*>(list)->GetCount();
    },
    [](void* context, void** vehicle) -> int {
        P3D::IBaseObjectV400* object = nullptr;
        const HRESULT result = Party(context).vehicles.GetUserObject(&object);
        *vehicle = object;
        return result;
    },
    [](void* context, wchar_t* buffer, unsigned int length) -> int {
        return Party(context).vehicle.GetTitle(buffer, length);
    },
    [](void* context, const wchar_t* text, int windowType) -> int {
        return Party(context).reporting.ShowAlert(text, windowType);
    },
    [](void* context, const char* name) -> int {
        return Party(context).namedVariables.CheckNamedVariable(name);
    },
    [](void* context, int id) -> double {
        return Party(context).namedVariables.GetNamedVariableValue(id);
    },
};

std::wstring HostDllPath() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return (std::filesystem::path(std::wstring(path, length)).parent_path() / L"ulvo_msvc_host.dll")
        .wstring();
}

template <typename Function>
Function Export(HMODULE module, const char* name) {
    // Through void*: a FARPROC has no parameters, the exports do.
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

MsvcAbiHost::MsvcAbiHost(HostParty& party)
    : table(kForwarding),
      objects{static_cast<P3D::IPdk*>(&party.provider),
              static_cast<P3D::IEventServiceV400*>(&party.events),
              static_cast<P3D::ISimObjectManagerV440*>(&party.vehicles),
              static_cast<P3D::IBaseObjectV400*>(&party.vehicle),
              static_cast<P3D::IReportingServiceV400*>(&party.reporting),
              static_cast<P3D::IPanelSystemV400*>(&party.namedVariables)} {
    table.context = &party;
    module = LoadLibraryW(HostDllPath().c_str());
    if (module == nullptr) {
        return;
    }
    const auto start = Export<UlvoMsvcHostStartFunction>(module, "UlvoMsvcHostStart");
    deliver = Export<UlvoMsvcHostDeliverFunction>(module, "UlvoMsvcHostDeliver");
    if (start != nullptr && deliver != nullptr) {
        provider = static_cast<P3D::IPdk*>(start(&table, &objects));
    }
}

MsvcAbiHost::~MsvcAbiHost() {
    if (module != nullptr) {
        FreeLibrary(module);
    }
}

void MsvcAbiHost::Deliver(const GUID& eventId, HostParameterList& params) {
    deliver(reinterpret_cast<const UlvoGuid*>(&eventId), &params);
}

}  // namespace ulvo::testbed
