// The host's objects as the simulator's compiler lays them out: ulvo_msvc_host.dll
// (testbed/msvc_host), built for the MSVC ABI, stands in for the services, the
// parameter lists and the vehicle, and forwards every call to a host party's own
// objects through a plain C table. The plug-in then meets the MSVC ABI on every
// call it makes to the host and on every callback the host makes, while the host
// party keeps its records as with its own objects.
#pragma once

#include <windows.h>

#include "msvc_host/msvc_host_table.h"
#include "plugin/win/pdk.h"

namespace ulvo::testbed {

class HostParty;
class HostParameterList;

class MsvcAbiHost {
  public:
    // Loads ulvo_msvc_host.dll from this program's folder over `party`.
    explicit MsvcAbiHost(HostParty& party);
    ~MsvcAbiHost();
    MsvcAbiHost(const MsvcAbiHost&) = delete;
    MsvcAbiHost& operator=(const MsvcAbiHost&) = delete;

    // The DLL loaded and started.
    bool Ready() const { return provider != nullptr; }
    // Its service provider, for DLLStart.
    P3D::IPdk* Provider() const { return provider; }
    // Invokes the callbacks registered under `eventId` from the MSVC side, with a
    // parameter list standing for `params`.
    void Deliver(const GUID& eventId, HostParameterList& params);

  private:
    UlvoHostTable table;
    UlvoHostObjects objects;
    HMODULE module = nullptr;
    UlvoMsvcHostDeliverFunction deliver = nullptr;
    P3D::IPdk* provider = nullptr;
};

}  // namespace ulvo::testbed
