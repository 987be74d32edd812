// The plug-in base class: it registers four host callbacks for its whole life
// and turns each host call into one virtual handler. Handlers do nothing here;
// the plug-in overrides the ones it needs.
//
// PdkPlugin itself never crosses the DLL boundary (the host sees only the
// callback objects), so it may have a virtual destructor.
#pragma once

#include "plugin/win/pdk.h"

namespace P3D {

class PdkPlugin {
  public:
    class P3dPluginCallback;

    // Registers the callbacks with `events`, the host's event service (none when
    // the host does not offer one), which must outlive the plug-in.
    explicit PdkPlugin(IEventServiceV400* events);
    // Unregisters the callbacks still held, then releases them.
    virtual ~PdkPlugin();
    PdkPlugin(const PdkPlugin&) = delete;
    PdkPlugin& operator=(const PdkPlugin&) = delete;

    virtual void OnOneHz(IParameterListV400* params);
    virtual void OnFrame(IParameterListV400* params);
    virtual void OnStart(IParameterListV400* params);  // host message 407
    virtual void OnMessage62(IParameterListV400* params);
    virtual void OnMessage353(IParameterListV400* params);
    virtual void OnMessage355(IParameterListV400* params);
    virtual void OnMessage356(IParameterListV400* params);
    virtual void OnVehicleLoaded(IParameterListV400* params);  // host message 578
    virtual void OnCustomRender(IParameterListV400* params);
    virtual void OnShutdown(IParameterListV400* params);  // host message 55
    // Reads the message id from parameter 0 and calls its handler.
    virtual void OnMessage(IParameterListV400* params);
    // Creates and registers the callbacks: one-second, frame, custom-render, message.
    virtual void RegisterCallbacks();

  private:
    void UnregisterHeld();

    IEventServiceV400* const eventService;
    // Field order: custom-render, one-second, message, frame.
    P3dPluginCallback* customRenderCallback = nullptr;
    P3dPluginCallback* oneHzCallback = nullptr;
    P3dPluginCallback* messageCallback = nullptr;
    P3dPluginCallback* frameCallback = nullptr;
};

// A callback object handed to the host. It crosses the DLL boundary, so it has
// the interface's four slots and nothing else: no virtual destructor. Release
// frees the object through a deleter of its concrete class instead.
class PdkPlugin::P3dPluginCallback : public ICallbackV400 {
  public:
    // Answers the callback interface and IUnknown only.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    const GUID& EventId() const { return eventId; }

  protected:
    using Deleter = void (*)(P3dPluginCallback* callback);

    // The count starts at 1: the reference of the plug-in's field.
    P3dPluginCallback(const GUID& eventId, PdkPlugin* owner, Deleter deleter);
    ~P3dPluginCallback() = default;

    const GUID& eventId;
    PdkPlugin* const owner;

  private:
    const Deleter deleter;
    volatile LONG references = 1;
};

}  // namespace P3D
