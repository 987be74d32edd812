// Ground services: GSX asks for doors through toggle variables and reports its
// jetway's power and air through status variables. Once a second
// GroundServicesStep turns a door request into two simulator events sent through
// the plug-in's SimConnect client, and a jetway status that becomes or stops
// being 5 into an aircraft command. The SimConnect set-up and tear-down that the
// connection sequences run live here too.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "aircraft/aircraft_command.h"
#include "common/log_sink.h"
#include "groundservices/named_variables.h"
#include "groundservices/simconnect_api.h"

namespace ulvo::groundservices {

constexpr size_t kGsxVariableCount = 5;

// The GSX variables, in the order the step examines them.
constexpr std::array<const char*, kGsxVariableCount> kGsxVariableNames = {
    "FSDT_GSX_AIRCRAFT_EXIT_1_TOGGLE",     // main exit
    "FSDT_GSX_AIRCRAFT_SERVICE_1_TOGGLE",  // service doors
    "FSDT_GSX_AIRCRAFT_CARGO_1_TOGGLE",    // cargo doors
    "FSDT_GSX_JETWAY_POWER",               // aircraft commands 1215 / 1216
    "FSDT_GSX_JETWAY_AIR",                 // aircraft commands 1213 / 1214
};

// Fields of the plug-in object used here, with their values at construction.
struct GroundServicesFields {
    std::array<const char*, kGsxVariableCount> gsxVariableNames = kGsxVariableNames;
    SimConnectHandle simConnect = nullptr;
    int32_t lastSimConnectResult = 0;  // result of the most recent SimConnect call
    int32_t exitCooldown = 0;          // steps during which a door's variable is not read
    int32_t serviceDoorCooldown = 0;
    int32_t cargoDoorCooldown = 0;
    double lastJetwayPower = 0.0;
    double lastJetwayAir = 0.0;
};

// Everything the ground-services operations see. `variables` is null when the
// host offers no named-variable service.
struct GroundServicesContext {
    GroundServicesFields& plugin;
    NamedVariables* variables;
    SimConnectApi& simconnect;
    aircraft::AircraftCommandPort& aircraft;
    LogSink& log;
};

// Opens the SimConnect client "Ulvo2GSX Simconnect proc" and makes the event and
// data registrations. Returns true when the client opened.
bool SimConnectSetUp(GroundServicesContext& context);

// Closes the client when one is open.
void SimConnectTearDown(GroundServicesContext& context);

// The once-a-second step; always returns true.
bool GroundServicesStep(GroundServicesContext& context);

// A number as a wide stream writes it by default: general notation with six
// significant digits and no trailing zeros ("5", "2.5", "1e+06", "nan").
std::string FormatDefaultNumber(double value);

}  // namespace ulvo::groundservices
