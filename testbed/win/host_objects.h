// The services of the testbed's host, with the virtual-table slots of the real
// host (plugin/win/pdk.h). Each is a HostObject: reference counts and the last
// method called are visible to tests.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "plugin/win/pdk.h"
#include "win/host_object.h"

namespace ulvo::testbed {

// The parameters of one callback: parameter 0 of a message is its id.
class HostParameterList final : public HostObject<P3D::IParameterListV400> {
  public:
    HostParameterList(P3D::IPdk* provider, std::vector<UINT64> values);

    // The provider as is, without adding a reference.
    P3D::IPdk* STDMETHODCALLTYPE GetServiceProvider() override;
    // Fills `result` (0 past the last parameter) and hands `result` back.
    P3D::P3DParameter* STDMETHODCALLTYPE GetParameter(P3D::P3DParameter* result,
                                                      UINT32 index) override;
    UINT32 STDMETHODCALLTYPE GetCount() override;

  private:
    P3D::IPdk* provider;
    std::vector<UINT64> values;
};

// Records every registration and unregistration in order and invokes the
// registered callbacks. It keeps its reference to a callback until
// ReleaseCallbacks, also after the callback is unregistered, so that the count
// the last Release returns shows whether the plug-in gave back its own.
class HostEventService final : public HostObject<P3D::IEventServiceV400> {
  public:
    struct Record {
        bool registered;  // false: unregistered
        GUID eventId;
        P3D::ICallbackV400* callback;
    };

    HostEventService();

    HRESULT STDMETHODCALLTYPE RegisterCallback(REFGUID eventId,
                                               P3D::ICallbackV400* callback) override;
    HRESULT STDMETHODCALLTYPE UnregisterCallback(REFGUID eventId,
                                                 P3D::ICallbackV400* callback) override;
    HRESULT STDMETHODCALLTYPE SendMessageEvent(UINT32 id, void* data) override;

    // Calls Invoke of every callback registered under `eventId`.
    void Deliver(const GUID& eventId, P3D::IParameterListV400* params);

    // Releases every callback the service still holds (call it while the DLL is
    // loaded) and returns what each last Release returned, in registration order.
    std::vector<ULONG> ReleaseCallbacks();

    const std::vector<Record>& Records() const { return records; }
    size_t RegisteredCount() const { return registered.size(); }

  private:
    struct Held {
        GUID eventId;
        P3D::ICallbackV400* callback;
    };
    std::vector<Record> records;
    std::vector<Held> registered;  // can be invoked
    std::vector<Held> held;        // every callback ever registered, until released
};

// The user's vehicle.
class HostVehicle final : public HostObject<P3D::IBaseObjectV400> {
  public:
    explicit HostVehicle(std::wstring title);

    // Copies the title, cut to `length` - 1 characters, and terminates it.
    HRESULT STDMETHODCALLTYPE GetTitle(wchar_t* buffer, unsigned int length) override;

    std::wstring title;

  private:
    TESTBED_UNUSED_SLOTS(03, 04, 05, 06);
    TESTBED_UNUSED_SLOTS(07, 08, 09, 10);
    TESTBED_UNUSED_SLOTS(11, 12, 13, 14);
    TESTBED_UNUSED_SLOTS(15, 16, 17, 18);
    TESTBED_UNUSED_SLOTS(19, 20, 21, 22);
    TESTBED_UNUSED_SLOTS(23, 24, 25, 26);
    TESTBED_UNUSED_SLOTS(27, 28, 29, 30);
    TESTBED_UNUSED_SLOTS(31, 32, 33, 34);
    TESTBED_UNUSED_SLOTS(35, 36, 37, 38);
    TESTBED_UNUSED_SLOTS(39, 40, 41, 42);
    TESTBED_UNUSED_SLOTS(43, 44, 45, 46);
    TESTBED_UNUSED_SLOTS(47, 48, 49, 50);
    TESTBED_UNUSED_SLOTS(51, 52, 53, 54);
    TESTBED_UNUSED_SLOTS(55, 56, 57, 58);
    TESTBED_UNUSED_SLOTS(59, 60, 61, 62);
    TESTBED_UNUSED_SLOTS(63, 64, 65, 66);
};

// The vehicle service: hands out the user's vehicle with one reference.
class HostVehicleService final : public HostObject<P3D::ISimObjectManagerV440> {
  public:
    explicit HostVehicleService(HostVehicle& vehicle);

    HRESULT STDMETHODCALLTYPE GetUserObject(P3D::IBaseObjectV400** out) override;

    bool userObjectFails = false;  // E_FAIL and a null object

  private:
    HostVehicle& vehicle;

    TESTBED_UNUSED_SLOTS(03, 04, 05, 06);
    TESTBED_UNUSED_SLOTS(07, 08, 09, 10);
    TESTBED_UNUSED_SLOTS(11, 12, 13, 14);
};

// The reporting service: records alerts and answers at once with OK, where the
// real host would show them and wait for the user.
class HostReportingService final : public HostObject<P3D::IReportingServiceV400> {
  public:
    struct Alert {
        std::wstring text;
        int windowType;
    };

    HostReportingService();

    int STDMETHODCALLTYPE ShowAlert(const wchar_t* text, int windowType) override;

    std::vector<Alert> alerts;

  private:
    TESTBED_UNUSED_SLOT(03);
    TESTBED_UNUSED_SLOT(04);
    TESTBED_UNUSED_SLOT(06);
};

// Named simulation variables, as other add-ons (GSX) define them.
class HostNamedVariables final : public HostObject<P3D::IPanelSystemV400> {
  public:
    HostNamedVariables();

    // Defines the variable or changes its value.
    void Set(const std::string& name, double value);

    // The variable's id, or -1 for a name nobody defined.
    int STDMETHODCALLTYPE CheckNamedVariable(const char* name) override;
    // The value of the variable with that id; 0 for an unknown id.
    double STDMETHODCALLTYPE GetNamedVariableValue(int id) override;

  private:
    std::vector<std::pair<std::string, double>> variables;  // id = index

    // Slot 31 creates the variable it names: never a look-up.
    TESTBED_UNUSED_SLOTS(03, 04, 05, 06);
    TESTBED_UNUSED_SLOTS(07, 08, 09, 10);
    TESTBED_UNUSED_SLOTS(11, 12, 13, 14);
    TESTBED_UNUSED_SLOTS(15, 16, 17, 18);
    TESTBED_UNUSED_SLOTS(19, 20, 21, 22);
    TESTBED_UNUSED_SLOTS(23, 24, 25, 26);
    TESTBED_UNUSED_SLOTS(27, 28, 29, 31);
};

// The service provider handed to DLLStart: answers a query when both the
// service id and the interface id match a service it offers.
class HostServiceProvider final : public HostObject<P3D::IPdk> {
  public:
    struct Query {
        GUID service;
        GUID iid;
    };

    HostServiceProvider();

    // Offers `object` under (service, iid); a null object withdraws the offer.
    void Offer(const GUID& service, const GUID& iid, IUnknown* object);

    HRESULT STDMETHODCALLTYPE QueryService(REFGUID service, REFIID iid, void** out) override;
    HRESULT STDMETHODCALLTYPE RegisterService(REFGUID service, IUnknown* object) override;
    HRESULT STDMETHODCALLTYPE UnRegisterService(REFGUID service) override;

    bool queriesFail = false;  // every query fails
    std::vector<Query> queries;

  private:
    struct Offered {
        GUID service;
        GUID iid;
        IUnknown* object;
    };
    std::vector<Offered> offers;
};

}  // namespace ulvo::testbed
