#include "plugin/win/pdk_plugin.h"

#include <initializer_list>
#include <new>

namespace P3D {

namespace {

using Handler = void (PdkPlugin::*)(IParameterListV400* params);

// A callback forwarding the host's parameter list to one handler of its owner.
template <Handler handler>
class ForwardingCallback final : public PdkPlugin::P3dPluginCallback {
  public:
    ForwardingCallback(const GUID& eventId_, PdkPlugin* owner_)
        : P3dPluginCallback(eventId_, owner_, &Delete) {}

    void STDMETHODCALLTYPE Invoke(IParameterListV400* params) override {
        (owner->*handler)(params);
    }

  private:
    static void Delete(P3dPluginCallback* callback) {
        delete static_cast<ForwardingCallback*>(callback);
    }
};

using OneHzCallback = ForwardingCallback<&PdkPlugin::OnOneHz>;
using FrameCallback = ForwardingCallback<&PdkPlugin::OnFrame>;
using CustomRenderCallback = ForwardingCallback<&PdkPlugin::OnCustomRender>;
using MessageCallback = ForwardingCallback<&PdkPlugin::OnMessage>;

struct MessageRoute {
    UINT64 id;
    Handler handler;
};

// Any other id is ignored.
constexpr MessageRoute kMessageRoutes[] = {
    {kMessageShutdown, &PdkPlugin::OnShutdown},
    {kMessageAllDllsLoaded, &PdkPlugin::OnMessage62},
    {kMessageViewModeChanged, &PdkPlugin::OnMessage353},
    {kMessageViewCreated, &PdkPlugin::OnMessage355},
    {kMessageViewDestroyed, &PdkPlugin::OnMessage356},
    {kMessageLoadingComplete, &PdkPlugin::OnStart},
    {kMessageVehicleChanged, &PdkPlugin::OnVehicleLoaded},
};

// Replaces the callback in `field` and registers the new one. Without memory the
// field keeps its callback and nothing is registered.
void RegisterInto(IEventServiceV400& events, PdkPlugin::P3dPluginCallback*& field,
                  PdkPlugin::P3dPluginCallback* callback) {
    if (callback == nullptr) {
        return;
    }
    if (field != nullptr) {
        field->Release();
    }
    field = callback;
    events.RegisterCallback(callback->EventId(), callback);
}

void ReleaseField(PdkPlugin::P3dPluginCallback*& field) {
    if (field != nullptr) {
        field->Release();
        field = nullptr;
    }
}

}  // namespace

PdkPlugin::P3dPluginCallback::P3dPluginCallback(const GUID& eventId_, PdkPlugin* owner_,
                                                Deleter deleter_)
    : eventId(eventId_), owner(owner_), deleter(deleter_) {}

HRESULT STDMETHODCALLTYPE PdkPlugin::P3dPluginCallback::QueryInterface(REFIID iid, void** out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    if (IsEqualGUID(iid, kIidCallbackV400) || IsEqualGUID(iid, kIidUnknown)) {
        *out = static_cast<ICallbackV400*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE PdkPlugin::P3dPluginCallback::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&references));
}

ULONG STDMETHODCALLTYPE PdkPlugin::P3dPluginCallback::Release() {
    const LONG left = InterlockedDecrement(&references);
    if (left == 0) {
        deleter(this);
    }
    return static_cast<ULONG>(left);
}

PdkPlugin::PdkPlugin(IEventServiceV400* events) : eventService(events) {
    // Not through the virtual table: a derived class is not constructed yet.
    PdkPlugin::RegisterCallbacks();
}

PdkPlugin::~PdkPlugin() {
    if (eventService != nullptr) {
        eventService->AddRef();
        UnregisterHeld();
        eventService->Release();
    }
    ReleaseField(frameCallback);
    ReleaseField(messageCallback);
    ReleaseField(oneHzCallback);
    ReleaseField(customRenderCallback);
}

void PdkPlugin::OnOneHz(IParameterListV400*) {}
void PdkPlugin::OnFrame(IParameterListV400*) {}
void PdkPlugin::OnStart(IParameterListV400*) {}
void PdkPlugin::OnMessage62(IParameterListV400*) {}
void PdkPlugin::OnMessage353(IParameterListV400*) {}
void PdkPlugin::OnMessage355(IParameterListV400*) {}
void PdkPlugin::OnMessage356(IParameterListV400*) {}
void PdkPlugin::OnVehicleLoaded(IParameterListV400*) {}
void PdkPlugin::OnCustomRender(IParameterListV400*) {}
void PdkPlugin::OnShutdown(IParameterListV400*) {}

void PdkPlugin::OnMessage(IParameterListV400* params) {
    // The host always passes a list; a missing one is a message without an id.
    if (params == nullptr) {
        return;
    }
    P3DParameter parameter{};
    params->GetParameter(&parameter, 0);
    for (const MessageRoute& route : kMessageRoutes) {
        if (route.id == parameter.Value) {
            (this->*route.handler)(params);
            return;
        }
    }
}

void PdkPlugin::RegisterCallbacks() {
    if (eventService == nullptr) {
        return;
    }
    IEventServiceV400& events = *eventService;
    events.AddRef();
    RegisterInto(events, oneHzCallback, new (std::nothrow) OneHzCallback(kEventOneHz, this));
    RegisterInto(events, frameCallback, new (std::nothrow) FrameCallback(kEventFrame, this));
    RegisterInto(events, customRenderCallback,
                 new (std::nothrow) CustomRenderCallback(kEventCustomRender, this));
    RegisterInto(events, messageCallback, new (std::nothrow) MessageCallback(kEventMessage, this));
    events.Release();
}

void PdkPlugin::UnregisterHeld() {
    for (P3dPluginCallback* callback :
         {customRenderCallback, oneHzCallback, messageCallback, frameCallback}) {
        if (callback != nullptr) {
            eventService->UnregisterCallback(callback->EventId(), callback);
        }
    }
}

}  // namespace P3D
