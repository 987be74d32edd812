#include "plugin/win/ulvo_pdk_plugin.h"

#include "plugin/one_byte_text.h"

namespace ulvo::plugin {

namespace {

constexpr wchar_t kModuleName[] = L"Ulvo2FSUIPC.dll";
constexpr unsigned int kVehicleTitleCapacity = 260;
constexpr int kAlertWithOkButton = 2;

}  // namespace

UlvoPDKPlugin::UlvoPDKPlugin(const PluginParts& parts)
    : PdkPlugin(parts.hostServices.EventService()),
      hostServices(parts.hostServices),
      simConnectApi(parts.simconnect),
      workerContext{workerRunning, parts.aircraft,
                    bridge::BridgeCycle{*this, parts.bridgeTables, parts.fsuipc, parts.aircraft}},
      worker(workerThread, workerThreadId, workerContext),
      connections{groundservices::GroundServicesContext{*this, NamedVariablesOrNone(),
                                                        simConnectApi, parts.aircraft, log},
                  parts.fsuipc,
                  fsuipcResult,
                  parts.aircraft,
                  workerRunning,
                  worker,
                  log},
      oneSecond{aircraftStateOk, connectionsOpened, parts.bridgeTables.sdk2Block, connections} {}

UlvoPDKPlugin::~UlvoPDKPlugin() {
    if (AnyConnectionStands(connections)) {
        CloseConnections(connections);
    }
}

// Without the host's named-variable service the ground-services step skips
// every variable silently.
groundservices::NamedVariables* UlvoPDKPlugin::NamedVariablesOrNone() {
    P3D::IPanelSystemV400* panels = hostServices.NamedVariableService();
    if (panels == nullptr) {
        return nullptr;
    }
    namedVariables.emplace(*panels);
    return &*namedVariables;
}

void UlvoPDKPlugin::OnOneHz(P3D::IParameterListV400*) {
    OneSecondStep(oneSecond);
}

void UlvoPDKPlugin::OnStart(P3D::IParameterListV400*) {
    if (started) {
        return;
    }
    if (OpenLog() == LogOpenResult::Failed) {
        return;
    }
    started = true;
    ReportVehicleLoad();
    connectionsOpened = OpenConnections(connections) ? 1 : 0;
}

void UlvoPDKPlugin::OnVehicleLoaded(P3D::IParameterListV400*) {
    if (!started) {
        return;
    }
    CloseConnections(connections);
    ReportVehicleLoad();
    connectionsOpened = OpenConnections(connections) ? 1 : 0;
}

void UlvoPDKPlugin::OnShutdown(P3D::IParameterListV400*) {
    aircraftStateOk = 0;
    CloseConnections(connections);
    if (logOpen) {
        log.LogLine(L"Logfile closed");
        log.Close();
    }
}

UlvoPDKPlugin::LogOpenResult UlvoPDKPlugin::OpenLog() {
    const HMODULE module = GetModuleHandleW(kModuleName);
    if (module == nullptr) {
        return LogOpenResult::NoModuleFile;
    }
    wchar_t fileName[MAX_PATH];
    const DWORD length = GetModuleFileNameW(module, fileName, MAX_PATH);
    if (length == 0) {
        return LogOpenResult::NoModuleFile;
    }
    logPath = LogPathBeside(std::wstring_view(fileName, length));
    if (!log.Open(logPath)) {
        P3D::IReportingServiceV400* messages = hostServices.MessageService();
        if (messages != nullptr) {
            messages->ShowAlert(LogOpenFailureText(logPath).c_str(), kAlertWithOkButton);
        }
        return LogOpenResult::Failed;
    }
    logOpen = true;
    log.LogLine(L"Logfile opened");
    return LogOpenResult::Opened;
}

void UlvoPDKPlugin::ReportVehicleLoad() {
    // The vehicle's title ends this line; without one the line stays open.
    log.Write(L"Vehicle load detected: ");
    P3D::ISimObjectManagerV440* vehicles = hostServices.VehicleService();
    if (vehicles == nullptr) {
        return;
    }
    P3D::IBaseObjectV400* vehicle = nullptr;
    const HRESULT result = vehicles->GetUserObject(&vehicle);
    // A success without an object is treated like a failure: there is nobody to ask.
    if (SUCCEEDED(result) && vehicle != nullptr) {
        wchar_t title[kVehicleTitleCapacity] = {};
        vehicle->GetTitle(title, kVehicleTitleCapacity);
        title[kVehicleTitleCapacity - 1] = L'\0';  // a title the host left unterminated
        log.LogLine(OneBytePerCharacter(title));
    }
    if (vehicle != nullptr) {
        vehicle->Release();
    }
}

}  // namespace ulvo::plugin
