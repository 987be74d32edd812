// The plain C boundary between the testbed and ulvo_msvc_host.dll, the host's
// objects built by an MSVC-ABI compiler. Both sides compile this header: it uses
// only C types whose sizes agree on Windows x64 under either compiler, and no
// system header.
#pragma once

extern "C" {

struct UlvoGuid {
    unsigned int data1;
    unsigned short data2;
    unsigned short data3;
    unsigned char data4[8];
};

// What the host's objects forward to: the testbed's host party. `context` comes
// first in every call; `object` is the testbed object one of the host's objects
// stands for.
struct UlvoHostTable {
    void* context;
    unsigned int (*addRef)(void* context, void* object);
    unsigned int (*release)(void* context, void* object);
    // A placeholder slot of the object's interface was called.
    void (*unusedSlotCalled)(void* context, void* object);
    // The service provider: on success `object` is the testbed's service.
    int (*queryService)(void* context, const UlvoGuid* service, const UlvoGuid* iid, void** object);
    int (*registerCallback)(void* context, const UlvoGuid* eventId, void* callback);
    int (*unregisterCallback)(void* context, const UlvoGuid* eventId, void* callback);
    // The parameter list of one delivery.
    unsigned long long (*parameter)(void* context, void* list, unsigned int index);
    unsigned int (*parameterCount)(void* context, void* list);
    // The vehicle service: on success `vehicle` is the testbed's vehicle.
    int (*getUserObject)(void* context, void** vehicle);
    int (*getTitle)(void* context, wchar_t* buffer, unsigned int length);
    int (*showAlert)(void* context, const wchar_t* text, int windowType);
    int (*checkNamedVariable)(void* context, const char* name);
    double (*getNamedVariableValue)(void* context, int id);
};

// The testbed objects the host's objects stand for.
struct UlvoHostObjects {
    void* provider;
    void* events;
    void* vehicles;
    void* vehicle;
    void* reporting;
    void* variables;
};

// The DLL's exports.
// Makes the host's objects over `table` and `objects` (both kept) and returns the
// service provider to hand to DLLStart.
using UlvoMsvcHostStartFunction = void* (*)(const UlvoHostTable* table,
                                            const UlvoHostObjects* objects);
// Invokes each callback registered under `eventId` with a parameter list standing
// for the testbed's `list`.
using UlvoMsvcHostDeliverFunction = void (*)(const UlvoGuid* eventId, void* list);

}  // extern "C"
