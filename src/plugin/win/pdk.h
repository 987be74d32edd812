// The host's interfaces, declared with the exact virtual-table slots of the
// simulator (an MSVC x64 build). The DLL and the testbed's own host both use
// these declarations, so a slot that slips here is caught only against the host
// the testbed builds for the MSVC ABI (testbed/msvc_host), which declares them
// on its own.
//
// Two rules keep the layout right under mingw-w64:
//  - no virtual destructors and no overloads: one pure virtual per slot, in slot
//    order; unused slots are placeholders named UnusedSlotNN that nobody calls;
//  - a struct returned by value travels through a hidden result pointer that MSVC
//    passes right after `this`, so such methods declare that pointer explicitly.
#pragma once

#include <unknwn.h>
#include <windows.h>

#include <cstdint>

namespace P3D {

// What a message parameter holds; only the first 64 bits are read.
struct P3DParameter {
    UINT64 Value;
};

struct IParameterListV400;

// The host's service provider handed to DLLStart.
struct IPdk : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE QueryService(REFGUID service, REFIID iid,
                                                   void** out) = 0;                            // 3
    virtual HRESULT STDMETHODCALLTYPE RegisterService(REFGUID service, IUnknown* object) = 0;  // 4
    virtual HRESULT STDMETHODCALLTYPE UnRegisterService(REFGUID service) = 0;                  // 5
};

// A callback the plug-in registers with the event service.
struct ICallbackV400 : public IUnknown {
    virtual void STDMETHODCALLTYPE Invoke(IParameterListV400* params) = 0;  // 3
};

// The parameters of a callback.
struct IParameterListV400 : public IUnknown {
    virtual IPdk* STDMETHODCALLTYPE GetServiceProvider() = 0;  // 3
    // MSVC returns the struct through `result` and hands `result` back.
    virtual P3DParameter* STDMETHODCALLTYPE GetParameter(P3DParameter* result,
                                                         UINT32 index) = 0;  // 4
    virtual UINT32 STDMETHODCALLTYPE GetCount() = 0;                         // 5
};

struct IEventServiceV400 : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE RegisterCallback(REFGUID eventId,
                                                       ICallbackV400* callback) = 0;  // 3
    virtual HRESULT STDMETHODCALLTYPE UnregisterCallback(REFGUID eventId,
                                                         ICallbackV400* callback) = 0;  // 4
    virtual HRESULT STDMETHODCALLTYPE SendMessageEvent(UINT32 id, void* data) = 0;      // 5, unused
};

// A simulated object; the user's vehicle here.
struct IBaseObjectV400 : public IUnknown {
    virtual void STDMETHODCALLTYPE UnusedSlot03() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot04() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot05() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot06() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot07() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot08() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot09() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot10() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot11() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot12() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot13() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot14() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot15() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot16() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot17() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot18() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot19() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot20() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot21() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot22() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot23() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot24() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot25() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot26() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot27() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot28() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot29() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot30() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot31() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot32() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot33() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot34() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot35() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot36() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot37() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot38() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot39() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot40() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot41() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot42() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot43() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot44() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot45() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot46() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot47() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot48() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot49() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot50() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot51() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot52() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot53() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot54() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot55() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot56() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot57() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot58() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot59() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot60() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot61() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot62() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot63() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot64() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot65() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot66() = 0;
    // The vehicle's title; `length` counts wide characters.
    virtual HRESULT STDMETHODCALLTYPE GetTitle(wchar_t* buffer, unsigned int length) = 0;  // 67
};

struct ISimObjectManagerV440 : public IUnknown {
    virtual void STDMETHODCALLTYPE UnusedSlot03() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot04() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot05() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot06() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot07() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot08() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot09() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot10() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot11() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot12() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot13() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot14() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetUserObject(IBaseObjectV400** out) = 0;  // 15
};

struct IReportingServiceV400 : public IUnknown {
    virtual void STDMETHODCALLTYPE UnusedSlot03() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot04() = 0;
    // Shows a modal alert; window type 2 has an OK button. Returns the button pressed.
    virtual int STDMETHODCALLTYPE ShowAlert(const wchar_t* text, int windowType) = 0;  // 5
    virtual void STDMETHODCALLTYPE UnusedSlot06() = 0;  // the narrow ShowAlert
};

struct IPanelSystemV400 : public IUnknown {
    virtual void STDMETHODCALLTYPE UnusedSlot03() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot04() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot05() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot06() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot07() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot08() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot09() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot10() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot11() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot12() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot13() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot14() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot15() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot16() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot17() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot18() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot19() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot20() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot21() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot22() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot23() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot24() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot25() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot26() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot27() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot28() = 0;
    virtual void STDMETHODCALLTYPE UnusedSlot29() = 0;
    // The id of a named variable, or -1 when the simulator knows no such variable.
    virtual int STDMETHODCALLTYPE CheckNamedVariable(const char* name) = 0;  // 30
    // Slot 31 creates the variable it names: never used for look-ups.
    virtual void STDMETHODCALLTYPE UnusedSlot31() = 0;
    virtual double STDMETHODCALLTYPE GetNamedVariableValue(int id) = 0;  // 32
};

// Event ids of the four callbacks.
constexpr GUID kEventOneHz = {
    0xAF64E7C8, 0x81DF, 0x46DD, {0x8F, 0x46, 0x8E, 0x40, 0x9E, 0x42, 0xEF, 0x6F}};
constexpr GUID kEventFrame = {
    0xC98B247B, 0xC8EA, 0x4F70, {0x8E, 0xD7, 0x2D, 0xFB, 0x19, 0x17, 0x51, 0xE3}};
constexpr GUID kEventCustomRender = {
    0x24F5B477, 0xCFCB, 0x4AC1, {0x8F, 0xEE, 0xDD, 0x60, 0x14, 0xF8, 0xE9, 0x16}};
constexpr GUID kEventMessage = {
    0x5DAFFF1B, 0x8E70, 0x47E9, {0x87, 0x2B, 0x9F, 0x71, 0x7B, 0x11, 0x28, 0xBB}};

// Interface ids the plug-in answers or asks for.
constexpr GUID kIidCallbackV400 = {
    0xAEF008CE, 0x84D1, 0x4A54, {0xB1, 0x36, 0x04, 0xDC, 0xB4, 0xFA, 0xFD, 0x22}};
constexpr GUID kIidParameterListV400 = {
    0x075551E8, 0x0885, 0x4711, {0x9F, 0x7F, 0xA6, 0xEB, 0x6A, 0x61, 0xDA, 0x6C}};
constexpr GUID kIidUnknown = {
    0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// Host message ids delivered through the message callback.
enum HostMessage : UINT64 {
    kMessageShutdown = 55,
    kMessageAllDllsLoaded = 62,
    kMessageViewModeChanged = 353,
    kMessageViewCreated = 355,
    kMessageViewDestroyed = 356,
    kMessageLoadingComplete = 407,
    kMessageVehicleChanged = 578,
};

}  // namespace P3D
