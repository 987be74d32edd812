// ulvo_msvc_host.dll: the simulator's side of the plug-in boundary, laid out by
// an MSVC-ABI compiler as the simulator's own is. It is built with clang-cl for
// x86_64-pc-windows-msvc, without the C runtime: the host's services, the
// parameter list and the vehicle are ordinary C++ classes whose virtual methods
// sit in the host's slot order, and the plug-in's callbacks are called through
// their interface. A declaration of the plug-in's that the MSVC ABI reads
// differently (a struct returned in a register, a slot out of place) fails here
// as it would in the simulator. Every call is forwarded to the testbed through
// the plain C table of msvc_host_table.h.
#include "msvc_host_table.h"

namespace {

using HRESULT = long;
using ULONG = unsigned long;

constexpr HRESULT kOk = 0;
constexpr HRESULT kNotImplemented = HRESULT(0x80004001u);
constexpr HRESULT kNoInterface = HRESULT(0x80004002u);
constexpr HRESULT kPointer = HRESULT(0x80004003u);
constexpr HRESULT kFail = HRESULT(0x80004005u);

constexpr UlvoGuid kIidUnknown = {0, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

const UlvoHostTable* testbed = nullptr;
const UlvoHostObjects* testbedObjects = nullptr;

bool SameGuid(const UlvoGuid& a, const UlvoGuid& b) {
    bool same = a.data1 == b.data1 && a.data2 == b.data2 && a.data3 == b.data3;
    for (int i = 0; i < 8; ++i) {
        same = same && a.data4[i] == b.data4[i];
    }
    return same;
}

// Slots 0 to 2 of every host object, counted on the testbed object it stands for.
class HostObject {
  public:
    constexpr explicit HostObject(const UlvoGuid& iid) : interfaceId(iid) {}

    virtual HRESULT QueryInterface(const UlvoGuid& iid, void** out) {
        if (out == nullptr) {
            return kPointer;
        }
        if (!SameGuid(iid, interfaceId) && !SameGuid(iid, kIidUnknown)) {
            *out = nullptr;
            return kNoInterface;
        }
        *out = this;
        AddRef();
        return kOk;
    }
    virtual ULONG AddRef() { return testbed->addRef(testbed->context, standsFor); }
    virtual ULONG Release() { return testbed->release(testbed->context, standsFor); }

    void StandFor(void* object) { standsFor = object; }
    void* StandsFor() const { return standsFor; }

  protected:
    void UnusedSlotCalled() { testbed->unusedSlotCalled(testbed->context, standsFor); }

  private:
    UlvoGuid interfaceId;
    void* standsFor = nullptr;
};

// A placeholder for a slot the plug-in must never call; the slots 3 to 9, and
// the ten slots of a decade.
#define ULVO_UNUSED_SLOT(number)        \
    virtual void UnusedSlot##number() { \
        UnusedSlotCalled();             \
    }
#define ULVO_UNUSED_SLOTS_3_TO_9 \
    ULVO_UNUSED_SLOT(03);        \
    ULVO_UNUSED_SLOT(04);        \
    ULVO_UNUSED_SLOT(05);        \
    ULVO_UNUSED_SLOT(06);        \
    ULVO_UNUSED_SLOT(07);        \
    ULVO_UNUSED_SLOT(08);        \
    ULVO_UNUSED_SLOT(09)
#define ULVO_UNUSED_SLOTS_OF_DECADE(tens) \
    ULVO_UNUSED_SLOT(tens##0);            \
    ULVO_UNUSED_SLOT(tens##1);            \
    ULVO_UNUSED_SLOT(tens##2);            \
    ULVO_UNUSED_SLOT(tens##3);            \
    ULVO_UNUSED_SLOT(tens##4);            \
    ULVO_UNUSED_SLOT(tens##5);            \
    ULVO_UNUSED_SLOT(tens##6);            \
    ULVO_UNUSED_SLOT(tens##7);            \
    ULVO_UNUSED_SLOT(tens##8);            \
    ULVO_UNUSED_SLOT(tens##9)

class ParameterList;

// The plug-in's callback, as the host calls it.
struct ICallbackV400 {
    virtual HRESULT QueryInterface(const UlvoGuid& iid, void** out) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
    virtual void Invoke(ParameterList* params) = 0;  // 3
};

class ServiceProvider final : public HostObject {
  public:
    constexpr ServiceProvider()
        : HostObject(
              {0x6D5140C1, 0x7436, 0x11CE, {0x80, 0x34, 0x00, 0xAA, 0x00, 0x60, 0x09, 0xFA}}) {}

    virtual HRESULT QueryService(const UlvoGuid& service, const UlvoGuid& iid, void** out);  // 3
    virtual HRESULT RegisterService(const UlvoGuid&, void*) { return kNotImplemented; }      // 4
    virtual HRESULT UnRegisterService(const UlvoGuid&) { return kNotImplemented; }           // 5
};

class EventService final : public HostObject {
  public:
    constexpr EventService()
        : HostObject(
              {0x5B3BAC47, 0xD372, 0x4A51, {0xA6, 0x66, 0xD0, 0xBC, 0x83, 0x94, 0x84, 0xC7}}) {}

    virtual HRESULT RegisterCallback(const UlvoGuid& eventId, ICallbackV400* callback) {  // 3
        if (callback != nullptr && count < kLimit) {
            registered[count++] = {eventId, callback};
        }
        return testbed->registerCallback(testbed->context, &eventId, callback);
    }
    virtual HRESULT UnregisterCallback(const UlvoGuid& eventId, ICallbackV400* callback) {  // 4
        for (int i = 0; i < count; ++i) {
            if (registered[i].callback == callback && SameGuid(registered[i].eventId, eventId)) {
                registered[i] = registered[--count];
                break;
            }
        }
        return testbed->unregisterCallback(testbed->context, &eventId, callback);
    }
    virtual HRESULT SendMessageEvent(unsigned int, void*) { return kNotImplemented; }  // 5

    // A callback may register or unregister others while it runs: this walks a copy.
    void Deliver(const UlvoGuid& eventId, ParameterList* params) {
        Registration targets[kLimit];
        const int targetCount = count;
        for (int i = 0; i < targetCount; ++i) {
            targets[i] = registered[i];
        }
        for (int i = 0; i < targetCount; ++i) {
            if (SameGuid(targets[i].eventId, eventId)) {
                targets[i].callback->Invoke(params);
            }
        }
    }

  private:
    struct Registration {
        UlvoGuid eventId;
        ICallbackV400* callback;
    };
    static constexpr int kLimit = 16;
    Registration registered[kLimit] = {};
    int count = 0;
};

// The user's vehicle.
class Vehicle final : public HostObject {
  public:
    constexpr Vehicle() : HostObject({}) {}

    ULVO_UNUSED_SLOTS_3_TO_9
    ULVO_UNUSED_SLOTS_OF_DECADE(1)
    ULVO_UNUSED_SLOTS_OF_DECADE(2)
    ULVO_UNUSED_SLOTS_OF_DECADE(3)
    ULVO_UNUSED_SLOTS_OF_DECADE(4)
    ULVO_UNUSED_SLOTS_OF_DECADE(5)
    ULVO_UNUSED_SLOT(60)
    ULVO_UNUSED_SLOT(61)
    ULVO_UNUSED_SLOT(62)
    ULVO_UNUSED_SLOT(63)
    ULVO_UNUSED_SLOT(64)
    ULVO_UNUSED_SLOT(65)
    ULVO_UNUSED_SLOT(66)
    // `length` counts wide characters.
    virtual HRESULT GetTitle(wchar_t* buffer, unsigned int length) {  // 67
        return testbed->getTitle(testbed->context, buffer, length);
    }
};

Vehicle vehicle;

class VehicleService final : public HostObject {
  public:
    constexpr VehicleService()
        : HostObject(
              {0x34354443, 0x98CB, 0x4CD3, {0xBE, 0x2C, 0x54, 0x47, 0x80, 0xA3, 0xD5, 0xED}}) {}

    ULVO_UNUSED_SLOTS_3_TO_9
    ULVO_UNUSED_SLOT(10)
    ULVO_UNUSED_SLOT(11)
    ULVO_UNUSED_SLOT(12)
    ULVO_UNUSED_SLOT(13)
    ULVO_UNUSED_SLOT(14)
    // The vehicle with one reference taken on it.
    virtual HRESULT GetUserObject(Vehicle** out) {  // 15
        if (out == nullptr) {
            return kPointer;
        }
        void* object = nullptr;
        const HRESULT result = testbed->getUserObject(testbed->context, &object);
        *out = object != nullptr && object == vehicle.StandsFor() ? &vehicle : nullptr;
        return result;
    }
};

class ReportingService final : public HostObject {
  public:
    constexpr ReportingService()
        : HostObject(
              {0x215BE739, 0x7BE0, 0x48C6, {0x88, 0x77, 0x6B, 0x22, 0x60, 0x08, 0xF6, 0x92}}) {}

    ULVO_UNUSED_SLOT(03)  // the two error reports
    ULVO_UNUSED_SLOT(04)
    // A modal alert; returns the button pressed.
    virtual int ShowAlert(const wchar_t* text, int windowType) {  // 5
        return testbed->showAlert(testbed->context, text, windowType);
    }
    ULVO_UNUSED_SLOT(06)  // the narrow alert
};

class PanelSystem final : public HostObject {
  public:
    constexpr PanelSystem()
        : HostObject(
              {0x391A07E6, 0x8F44, 0x42B9, {0x80, 0xE3, 0xC8, 0xD6, 0x3D, 0x8B, 0x8C, 0xC9}}) {}

    ULVO_UNUSED_SLOTS_3_TO_9
    ULVO_UNUSED_SLOTS_OF_DECADE(1)
    ULVO_UNUSED_SLOTS_OF_DECADE(2)
    // -1 for a name nobody defined.
    virtual int CheckNamedVariable(const char* name) {  // 30
        return testbed->checkNamedVariable(testbed->context, name);
    }
    ULVO_UNUSED_SLOT(31)                            // creates the variable it names
    virtual double GetNamedVariableValue(int id) {  // 32, in XMM0
        return testbed->getNamedVariableValue(testbed->context, id);
    }
};

ServiceProvider provider;
EventService eventService;
VehicleService vehicleService;
ReportingService reportingService;
PanelSystem panelSystem;

HostObject* const kServices[] = {&eventService, &vehicleService, &reportingService, &panelSystem};

HRESULT ServiceProvider::QueryService(const UlvoGuid& service, const UlvoGuid& iid, void** out) {
    if (out == nullptr) {
        return kPointer;
    }
    void* object = nullptr;
    const HRESULT result = testbed->queryService(testbed->context, &service, &iid, &object);
    *out = nullptr;
    for (HostObject* candidate : kServices) {
        if (object != nullptr && object == candidate->StandsFor()) {
            *out = candidate;
        }
    }
    return *out == nullptr && result >= 0 ? kFail : result;
}

struct P3DParameter {
    unsigned long long Value;
};

// The parameters of one delivery.
class ParameterList final : public HostObject {
  public:
    explicit ParameterList(void* list)
        : HostObject(
              {0x075551E8, 0x0885, 0x4711, {0x9F, 0x7F, 0xA6, 0xEB, 0x6A, 0x61, 0xDA, 0x6C}}) {
        StandFor(list);
    }

    virtual ServiceProvider* GetServiceProvider() { return &provider; }  // 3
    // Returned by value, as the simulator declares it.
    virtual P3DParameter GetParameter(unsigned int index) {  // 4
        return {testbed->parameter(testbed->context, StandsFor(), index)};
    }
    virtual unsigned int GetCount() {  // 5
        return testbed->parameterCount(testbed->context, StandsFor());
    }
};

}  // namespace

// Without the C runtime: what a call of a pure virtual function lands on.
extern "C" int _purecall() {
    __fastfail(7);  // FAST_FAIL_FATAL_APP_EXIT
}

// Floating-point code without the C runtime needs this symbol.
extern "C" int _fltused = 0;

// The compiler copies a block of memory (the callbacks a delivery walks) by
// calling memcpy, which the C runtime would provide. It never turns this loop
// into a call of memcpy itself.
extern "C" void* memcpy(void* destination, const void* source, decltype(sizeof 0) count) {
    auto* to = static_cast<unsigned char*>(destination);
    const auto* from = static_cast<const unsigned char*>(source);
    for (decltype(sizeof 0) i = 0; i < count; ++i) {
        to[i] = from[i];
    }
    return destination;
}

extern "C" __declspec(dllexport) void* UlvoMsvcHostStart(const UlvoHostTable* table,
                                                         const UlvoHostObjects* objects) {
    testbed = table;
    testbedObjects = objects;
    provider.StandFor(objects->provider);
    eventService.StandFor(objects->events);
    vehicleService.StandFor(objects->vehicles);
    vehicle.StandFor(objects->vehicle);
    reportingService.StandFor(objects->reporting);
    panelSystem.StandFor(objects->variables);
    return &provider;
}

extern "C" __declspec(dllexport) void UlvoMsvcHostDeliver(const UlvoGuid* eventId, void* list) {
    ParameterList params(list);
    eventService.Deliver(*eventId, &params);
}
