// Pins the virtual-table slots of the host interfaces: each method is called
// through a raw table pointer at the index the simulator uses, and what it did
// shows which method ran. The plug-in is built from the same declarations, so a
// slot that slips in them fails here.
#include <gtest/gtest.h>

#include <string>

#include "win/host_objects.h"

namespace ulvo::testbed {
namespace {

// Calls the function at `index` of the interface's table: `this` first, then the
// arguments as the ABI passes them (a reference as a pointer).
template <class Result, class Interface, class... Args>
Result CallSlot(Interface* object, size_t index, Args... args) {
    using Function = Result (*)(void*, Args...);
    return reinterpret_cast<Function>((*reinterpret_cast<void***>(object))[index])(object, args...);
}

// A callback counting its calls, standing for the plug-in's.
struct CountingCallback final : P3D::ICallbackV400 {
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    void STDMETHODCALLTYPE Invoke(P3D::IParameterListV400* params) override { invoked = params; }
    ULONG references = 1;
    P3D::IParameterListV400* invoked = nullptr;
};

TEST(HostSlots, EachMethodSitsAtTheSimulatorsIndex) {
    HostVehicle vehicle(L"Ulvo 737-800");
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
    P3D::IBaseObjectV400* const user = &vehicle;
    P3D::IPanelSystemV400* const panels = &variables;
    P3D::IEventServiceV400* const eventService = &events;

    wchar_t title[32] = {};
    EXPECT_EQ(CallSlot<HRESULT>(user, 67, title, 32u), S_OK);  // GetTitle
    EXPECT_EQ(std::wstring(title), L"Ulvo 737-800");
    P3D::IBaseObjectV400* out = nullptr;
    P3D::ISimObjectManagerV440* const manager = &vehicles;
    EXPECT_EQ(CallSlot<HRESULT>(manager, 15, &out), S_OK);  // GetUserObject
    EXPECT_EQ(out, user);
    vehicle.Release();
    P3D::IReportingServiceV400* const alerts = &reporting;
    EXPECT_EQ(CallSlot<int>(alerts, 5, L"text", 2), IDOK);  // ShowAlert
    ASSERT_EQ(reporting.alerts.size(), 1u);
    EXPECT_EQ(reporting.alerts[0].text, L"text");
    EXPECT_EQ(reporting.alerts[0].windowType, 2);
    EXPECT_EQ(CallSlot<int>(panels, 30, "FSDT_GSX_JETWAY_AIR"), 1);  // CheckNamedVariable
    EXPECT_EQ(CallSlot<int>(panels, 30, "NOBODY_DEFINED_THIS"), -1);
    EXPECT_EQ(CallSlot<double>(panels, 32, 1), 2.5);  // GetNamedVariableValue, in XMM0
    // GetParameter: the hidden result pointer comes right after `this`, the index after it.
    P3D::P3DParameter parameter{};
    P3D::IParameterListV400* const list = &params;
    EXPECT_EQ(CallSlot<P3D::P3DParameter*>(list, 4, &parameter, UINT32{1}), &parameter);
    EXPECT_EQ(parameter.Value, 578u);
    void* service = nullptr;
    P3D::IPdk* const pdk = &provider;
    EXPECT_EQ(CallSlot<HRESULT>(pdk, 3, &eventId, &eventId, &service), S_OK);  // QueryService
    EXPECT_EQ(service, eventService);
    events.Release();
    P3D::ICallbackV400* const invokable = &callback;
    EXPECT_EQ(CallSlot<HRESULT>(eventService, 3, &eventId, invokable), S_OK);  // RegisterCallback
    EXPECT_EQ(events.RegisteredCount(), 1u);
    EXPECT_EQ(CallSlot<HRESULT>(eventService, 4, &eventId, invokable), S_OK);  // UnregisterCallback
    EXPECT_EQ(events.RegisteredCount(), 0u);
    CallSlot<void>(invokable, 3, list);  // Invoke
    EXPECT_EQ(callback.invoked, list);

    EXPECT_EQ(vehicle.UnusedSlotCalls() + vehicles.UnusedSlotCalls() + reporting.UnusedSlotCalls() +
                  variables.UnusedSlotCalls(),
              0);
    events.ReleaseCallbacks();
    EXPECT_EQ(callback.references, 1u);
}

}  // namespace
}  // namespace ulvo::testbed
