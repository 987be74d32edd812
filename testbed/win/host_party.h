// The testbed's host: the service provider handed to DLLStart and the services
// it offers the plug-in (events, the user's vehicle, alerts, named variables),
// with switches for the ways a host can fall short.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "win/host_msvc.h"
#include "win/host_objects.h"

namespace ulvo::testbed {

// The host's event ids, as the host publishes them.
extern const GUID kOneSecondEvent;
extern const GUID kFrameEvent;
extern const GUID kCustomRenderEvent;
extern const GUID kMessageEvent;

struct HostOptions {
    bool queriesFail = false;  // every service query fails
    bool vehicleService = true;
    bool messageService = true;
    bool userObjectFails = false;  // the vehicle service has no user vehicle
    std::wstring vehicleTitle = L"Ulvo 737-800 Testbed";
    // The plug-in meets the host's objects as the simulator's compiler lays them
    // out (ulvo_msvc_host.dll), which forward to the party's own.
    bool msvcAbi = false;
};

class HostParty {
  public:
    explicit HostParty(const HostOptions& options = {});
    HostParty(const HostParty&) = delete;
    HostParty& operator=(const HostParty&) = delete;

    // The service provider DLLStart gets: the party's own, or the MSVC-ABI host's
    // (null when that could not be loaded).
    P3D::IPdk* Provider();

    // Delivers a host message (parameter 0 = id) through the message callback.
    void DeliverMessage(UINT64 id);
    void DeliverOneSecond();
    void DeliverFrame();
    void DeliverCustomRender();

    // (object, references the plug-in still holds) for every object the host
    // handed out, parameter lists of past deliveries included.
    std::vector<std::pair<std::string, long>> OutstandingReferences() const;
    // Calls of placeholder slots, which the plug-in must never make.
    long UnusedSlotCalls() const;
    void CountUnusedSlotCall() { ++msvcUnusedSlotCalls; }

    HostServiceProvider provider;
    HostEventService events;
    HostVehicle vehicle;
    HostVehicleService vehicles;
    HostReportingService reporting;
    HostNamedVariables namedVariables;

  private:
    void Deliver(const GUID& eventId, std::vector<UINT64> values);

    long parameterListOutstanding = 0;
    long msvcUnusedSlotCalls = 0;
    std::optional<MsvcAbiHost> msvc;  // last: it stands for the objects above
};

}  // namespace ulvo::testbed
