// Pins the virtual-table slots of the host interfaces: each method is called
// through a raw table pointer at the index the simulator uses, and what it did
// shows which method ran. The plug-in is built from the same declarations, so a
// slot that slips in them fails here.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "win/host_objects.h"

namespace ulvo::testbed {
namespace {

// The function at `index` of the object's table; `this` is its first argument.
template <class Function>
Function SlotOf(void* object, size_t index) {
    void** table = *static_cast<void***>(object);
    return reinterpret_cast<Function>(table[index]);
}

// A callback counting its calls, standing for the plug-in's.
struct CountingCallback final : P3D::ICallbackV400 {
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    void STDMETHODCALLTYPE Invoke(P3D::IParameterListV400* params) override {
        ++invokes;
        lastParams = params;
    }
    ULONG references = 1;
    int invokes = 0;
    P3D::IParameterListV400* lastParams = nullptr;
};

TEST(HostSlots, EachMethodSitsAtTheSimulatorsIndex) {
    const std::wstring title = L"Ulvo 737-800";
    HostVehicle vehicle(title);
    HostVehicleService vehicles(vehicle);
    HostReportingService reporting;
    HostNamedVariables variables;
    variables.Set("FSDT_GSX_JETWAY_POWER", 5.0);
    variables.Set("FSDT_GSX_JETWAY_AIR", 2.5);
    HostServiceProvider provider;
    HostEventService events;
    const GUID eventId = P3D::kEventOneHz;
    provider.Offer(eventId, eventId, &events);
    HostParameterList params(&provider, {407, 578});
    CountingCallback callback;

    const struct {
        const char* method;
        size_t index;
        std::function<void(size_t index)> callRaw;
    } cases[] = {
        {"GetTitle", 67,
         [&](size_t index) {
             wchar_t buffer[32] = {};
             using Fn = HRESULT (*)(void*, wchar_t*, unsigned int);
             P3D::IBaseObjectV400* object = &vehicle;
             EXPECT_EQ(SlotOf<Fn>(object, index)(object, buffer, 32), S_OK);
             EXPECT_EQ(std::wstring(buffer), title);
         }},
        {"GetUserObject", 15,
         [&](size_t index) {
             P3D::IBaseObjectV400* out = nullptr;
             using Fn = HRESULT (*)(void*, P3D::IBaseObjectV400**);
             P3D::ISimObjectManagerV440* object = &vehicles;
             EXPECT_EQ(SlotOf<Fn>(object, index)(object, &out), S_OK);
             EXPECT_EQ(out, static_cast<P3D::IBaseObjectV400*>(&vehicle));
             vehicle.Release();
         }},
        {"ShowAlert", 5,
         [&](size_t index) {
             using Fn = int (*)(void*, const wchar_t*, int);
             P3D::IReportingServiceV400* object = &reporting;
             EXPECT_EQ(SlotOf<Fn>(object, index)(object, L"text", 2), IDOK);
             EXPECT_EQ(reporting.alerts.size(), 1u);
             EXPECT_EQ(reporting.alerts.back().text, L"text");
             EXPECT_EQ(reporting.alerts.back().windowType, 2);
         }},
        {"CheckNamedVariable", 30,
         [&](size_t index) {
             using Fn = int (*)(void*, const char*);
             P3D::IPanelSystemV400* object = &variables;
             EXPECT_EQ(SlotOf<Fn>(object, index)(object, "FSDT_GSX_JETWAY_AIR"), 1);
             EXPECT_EQ(SlotOf<Fn>(object, index)(object, "NOBODY_DEFINED_THIS"), -1);
         }},
        {"GetNamedVariableValue", 32,
         [&](size_t index) {
             using Fn = double (*)(void*, int);  // the value comes back in XMM0
             P3D::IPanelSystemV400* object = &variables;
             EXPECT_EQ(SlotOf<Fn>(object, index)(object, 1), 2.5);
         }},
        {"GetParameter", 4,
         [&](size_t index) {
             // The hidden result pointer comes right after `this`, the index after it.
             using Fn = P3D::P3DParameter* (*)(void*, P3D::P3DParameter*, UINT32);
             P3D::IParameterListV400* object = &params;
             P3D::P3DParameter result{};
             EXPECT_EQ(SlotOf<Fn>(object, index)(object, &result, 1), &result);
             EXPECT_EQ(result.Value, 578u);
         }},
        {"QueryService", 3,
         [&](size_t index) {
             using Fn = HRESULT (*)(void*, const GUID&, const GUID&, void**);
             P3D::IPdk* object = &provider;
             void* out = nullptr;
             EXPECT_EQ(SlotOf<Fn>(object, index)(object, eventId, eventId, &out), S_OK);
             EXPECT_EQ(out, static_cast<P3D::IEventServiceV400*>(&events));
             events.Release();
         }},
        {"RegisterCallback", 3,
         [&](size_t index) {
             using Fn = HRESULT (*)(void*, const GUID&, P3D::ICallbackV400*);
             P3D::IEventServiceV400* object = &events;
             EXPECT_EQ(SlotOf<Fn>(object, index)(object, eventId, &callback), S_OK);
             EXPECT_EQ(events.RegisteredCount(), 1u);
         }},
        {"UnregisterCallback", 4,
         [&](size_t index) {
             using Fn = HRESULT (*)(void*, const GUID&, P3D::ICallbackV400*);
             P3D::IEventServiceV400* object = &events;
             EXPECT_EQ(SlotOf<Fn>(object, index)(object, eventId, &callback), S_OK);
             EXPECT_EQ(events.RegisteredCount(), 0u);
         }},
        {"Invoke", 3,
         [&](size_t index) {
             using Fn = void (*)(void*, P3D::IParameterListV400*);
             P3D::ICallbackV400* object = &callback;
             SlotOf<Fn>(object, index)(object, &params);
             EXPECT_EQ(callback.lastParams, static_cast<P3D::IParameterListV400*>(&params));
             EXPECT_EQ(callback.invokes, 1);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.method);
        c.callRaw(c.index);
    }
    EXPECT_EQ(vehicle.UnusedSlotCalls() + vehicles.UnusedSlotCalls() + reporting.UnusedSlotCalls() +
                  variables.UnusedSlotCalls(),
              0);
    events.ReleaseCallbacks();
    EXPECT_EQ(callback.references, 1u);
}

}  // namespace
}  // namespace ulvo::testbed
