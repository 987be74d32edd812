// The holder of the host's services: slot 0 is the service provider handed to
// DLLStart, slots 1 to 21 the services asked of it by (service id, interface id).
// A slot whose query failed stays null. The holder owns one reference to each
// non-null slot.
#pragma once

#include <array>
#include <cstddef>

#include "plugin/win/pdk.h"

namespace ulvo::plugin {

constexpr size_t kHostServiceSlots = 22;
constexpr size_t kEventServiceSlot = 1;
constexpr size_t kVehicleServiceSlot = 9;
constexpr size_t kMessageServiceSlot = 10;
constexpr size_t kNamedVariableServiceSlot = 11;

struct ServiceQuery {
    size_t slot;
    GUID service;
    GUID iid;
};

// The 21 queries, one row per slot, in slot order.
extern const std::array<ServiceQuery, kHostServiceSlots - 1> kServiceQueries;

struct HostServices {
    std::array<IUnknown*, kHostServiceSlots> slots{};

    P3D::IPdk* Provider() const { return static_cast<P3D::IPdk*>(slots[0]); }
    P3D::IEventServiceV400* EventService() const {
        return static_cast<P3D::IEventServiceV400*>(slots[kEventServiceSlot]);
    }
    P3D::ISimObjectManagerV440* VehicleService() const {
        return static_cast<P3D::ISimObjectManagerV440*>(slots[kVehicleServiceSlot]);
    }
    P3D::IReportingServiceV400* MessageService() const {
        return static_cast<P3D::IReportingServiceV400*>(slots[kMessageServiceSlot]);
    }
    P3D::IPanelSystemV400* NamedVariableService() const {
        return static_cast<P3D::IPanelSystemV400*>(slots[kNamedVariableServiceSlot]);
    }
};

// Stores the provider with a reference of its own and asks it for slots 1 to 21.
// Results are not checked: whatever the provider leaves in its out pointer (null
// on failure) is the slot. A null provider leaves every slot null.
void FillHostServices(HostServices& services, P3D::IPdk* provider);

// Releases every non-null slot once, the provider first, and nulls it.
void ReleaseHostServices(HostServices& services);

}  // namespace ulvo::plugin
