// The plug-in's outside connections over in-memory parties, for native tests of
// the connection sequences and the one-second step.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

#include "aircraft/aircraft_link.h"
#include "core/memory_aircraft.h"
#include "core/memory_fsuipc.h"
#include "core/memory_named_variables.h"
#include "core/recording_log.h"
#include "core/recording_simconnect.h"
#include "fsuipc/fsuipc_link.h"
#include "groundservices/ground_services.h"
#include "plugin/connection_sequences.h"

namespace ulvo::testbed {

// A worker thread played by script: it ends after a given number of waits.
struct ScriptedWorkerThread final : plugin::WorkerThreadPort {
    bool startWorks = true;
    bool exists = false;
    size_t waitsUntilEnd = 1;  // 1: already ended at the first look
    std::vector<uint32_t> waits;
    std::function<void()> onWait;
    int starts = 0;
    int releases = 0;

    bool Start() override {
        ++starts;
        return exists = startWorks;
    }
    bool Exists() const override { return exists; }
    bool WaitForEnd(uint32_t milliseconds) override {
        waits.push_back(milliseconds);
        if (onWait) {
            onWait();
        }
        return waits.size() >= waitsUntilEnd;
    }
    void Release() override {
        ++releases;
        exists = false;
    }
};

// The SimConnect calls are recorded, or made through `simconnectApi` when given.
struct PluginConnections {
    PluginConnections() = default;
    explicit PluginConnections(groundservices::SimConnectApi& api) : simconnectApi(api) {}

    MemoryFsuipc fsuipcPlatform;
    fsuipc::FsuipcLink fsuipc{fsuipcPlatform};
    uint32_t fsuipcResult = 0;
    MemoryAircraft aircraftPlatform;
    aircraft::AircraftLink aircraft{aircraftPlatform};
    RecordingSimConnect simconnect;
    groundservices::SimConnectApi& simconnectApi = simconnect;
    MemoryNamedVariables variables;
    RecordingLog log;
    groundservices::GroundServicesFields groundFields;
    std::atomic<int32_t> workerRunning{0};
    ScriptedWorkerThread thread;
    plugin::Connections connections{groundservices::GroundServicesContext{
                                        groundFields, &variables, simconnectApi, aircraft, log},
                                    fsuipc,
                                    fsuipcResult,
                                    aircraft,
                                    workerRunning,
                                    thread,
                                    log};
};

}  // namespace ulvo::testbed
