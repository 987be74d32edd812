// The one plug-in object. It lives from DLLStart to DLLStop and carries the
// state of the handlers, of the ground services (GroundServicesFields) and of
// the worker steps (WorkerFields). It works on the library's objects it is made
// with and reaches for nothing else.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>

#include "aircraft/aircraft_link.h"
#include "bridge/bridge_state.h"
#include "bridge/worker_main.h"
#include "fsuipc/fsuipc_link.h"
#include "groundservices/ground_services.h"
#include "plugin/client_simconnect_api.h"
#include "plugin/connection_sequences.h"
#include "plugin/log_file.h"
#include "plugin/one_second_step.h"
#include "plugin/win/host_named_variables.h"
#include "plugin/win/host_services.h"
#include "plugin/win/pdk_plugin.h"
#include "plugin/win/win32_worker_thread.h"
#include "simconnect/process_state.h"

namespace ulvo::plugin {

// The library's objects the plug-in works on; each outlives the plug-in.
struct PluginParts {
    const HostServices& hostServices;
    fsuipc::FsuipcLink& fsuipc;
    aircraft::AircraftLink& aircraft;
    bridge::BridgeTables& bridgeTables;  // zero at load and never reset
    simconnect::ProcessState& simconnect;
};

class UlvoPDKPlugin final : public P3D::PdkPlugin,
                            public bridge::WorkerFields,
                            public groundservices::GroundServicesFields {
  public:
    explicit UlvoPDKPlugin(const PluginParts& parts);
    // The host may stop the library without a shutdown message first. A worker
    // still running is stopped and connections still open are closed here, so
    // that no worker runs on a destroyed object and no handle is left behind.
    // Then the log closes and the base unregisters and releases the callbacks.
    ~UlvoPDKPlugin() override;

    void OnOneHz(P3D::IParameterListV400* params) override;
    void OnStart(P3D::IParameterListV400* params) override;
    void OnVehicleLoaded(P3D::IParameterListV400* params) override;
    void OnShutdown(P3D::IParameterListV400* params) override;

    bool logOpen = false;  // the log file was opened once; never cleared
    bool started = false;  // the first OnStart got past the log step
    std::wstring logPath;
    LogFile log;
    int32_t aircraftStateOk = 0;    // gates the ground-services step
    int32_t connectionsOpened = 0;  // 1 while the aircraft-state check is pending
    std::atomic<int32_t> workerRunning{0};
    HANDLE workerThread = nullptr;
    DWORD workerThreadId = 0;

  private:
    enum class LogOpenResult {
        Opened,
        NoModuleFile,  // no log at all; the plug-in works on without one
        Failed,        // the host was told; nothing more until the next start message
    };

    LogOpenResult OpenLog();
    void ReportVehicleLoad();
    groundservices::NamedVariables* NamedVariablesOrNone();

    const HostServices& hostServices;
    std::optional<HostNamedVariables> namedVariables;  // none without the host's service
    ClientSimConnectApi simConnectApi;
    // The worker's argument: it must outlive every worker thread.
    bridge::WorkerContext workerContext;
    Win32WorkerThread worker;
    Connections connections;
    OneSecondContext oneSecond;
};

}  // namespace ulvo::plugin
