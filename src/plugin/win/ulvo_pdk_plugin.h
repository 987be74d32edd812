// The one plug-in object. It lives from DLLStart to DLLStop and carries the
// state of the handlers and of the worker steps (bridge::WorkerFields).
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "bridge/bridge_state.h"
#include "plugin/log_file.h"
#include "plugin/win/pdk_plugin.h"

namespace ulvo::plugin {

class UlvoPDKPlugin final : public P3D::PdkPlugin, public bridge::WorkerFields {
  public:
    UlvoPDKPlugin() = default;
    // Closes the log if it is still open, then the base unregisters and releases
    // the callbacks. Connections and the worker are the shutdown message's work.
    ~UlvoPDKPlugin() override = default;

    void OnStart(P3D::IParameterListV400* params) override;
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
};

}  // namespace ulvo::plugin
