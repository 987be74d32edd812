#include "groundservices/ground_services.h"

#include <cmath>
#include <cstdio>

#include "groundservices/ground_services_table.h"

namespace ulvo::groundservices {

namespace {

int32_t& CooldownOf(GroundServicesFields& plugin, Door door) {
    switch (door) {
        case Door::kMainExit:
            return plugin.exitCooldown;
        case Door::kServiceDoors:
            return plugin.serviceDoorCooldown;
        case Door::kCargoDoors:
            break;
    }
    return plugin.cargoDoorCooldown;
}

double& LastValueOf(GroundServicesFields& plugin, Jetway status) {
    return status == Jetway::kPower ? plugin.lastJetwayPower : plugin.lastJetwayAir;
}

// Reads a GSX variable by name, looked up afresh each time (GSX may define its
// variables after the plug-in started). False when the simulator does not know
// it, or when the host offers no named-variable service at all.
bool ReadVariable(GroundServicesContext& context, size_t index, double& value) {
    if (context.variables == nullptr) {
        return false;
    }
    const int32_t id = context.variables->GetVariableId(context.plugin.gsxVariableNames[index]);
    if (id == kUnknownVariable) {
        return false;
    }
    value = context.variables->GetVariableValue(id);
    return true;
}

void HandleDoor(GroundServicesContext& context, const DoorRow& row) {
    GroundServicesFields& plugin = context.plugin;
    int32_t& cooldown = CooldownOf(plugin, row.door);
    if (cooldown > 0) {
        --cooldown;
        return;
    }
    double value = 0.0;
    if (!ReadVariable(context, row.variable, value) || value != 1.0) {
        return;
    }
    if (plugin.lastSimConnectResult != 0) {
        context.log.LogLine(row.failureText);
        return;
    }
    cooldown = kDoorCooldownSteps;
    plugin.lastSimConnectResult = context.simconnect.TransmitClientEvent(
        plugin.simConnect, kUserObject, EventToggleAircraftExit, 0, kHighestPriority,
        kGroupIsPriority);
    // The selector goes out whatever the first transmission returned.
    plugin.lastSimConnectResult = context.simconnect.TransmitClientEvent(
        plugin.simConnect, kUserObject, row.selector, 0, kHighestPriority, kGroupIsPriority);
    context.log.LogLine(row.successText);
}

void HandleJetway(GroundServicesContext& context, const JetwayRow& row) {
    double value = 0.0;
    if (!ReadVariable(context, row.variable, value)) {
        return;
    }
    double& last = LastValueOf(context.plugin, row.status);
    if (value == last) {
        return;
    }
    if (value == 5.0) {
        aircraft::PostAircraftCommand(context.aircraft, row.commandBecomes5, 0.0);
    }
    if (last == 5.0) {
        aircraft::PostAircraftCommand(context.aircraft, row.commandLeaves5, 0.0);
    }
    last = value;
    context.log.LogLine(std::string(row.logText) + FormatDefaultNumber(value));
}

}  // namespace

bool SimConnectSetUp(GroundServicesContext& context) {
    GroundServicesFields& plugin = context.plugin;
    SimConnectApi& api = context.simconnect;
    plugin.lastSimConnectResult = api.Open(&plugin.simConnect, kSimConnectClientName, 0);
    if (plugin.lastSimConnectResult < 0) {
        context.log.LogLine("SimConnect did not start.");
        return false;
    }
    context.log.LogLine("Simconnect started.");
    // Each result replaces the one before and none is tested: the data request's
    // result decides whether the first door request is attempted.
    for (const EventMapping& mapping : kEventMappings) {
        plugin.lastSimConnectResult =
            api.MapClientEventToSimEvent(plugin.simConnect, mapping.id, mapping.simulatorEvent);
    }
    for (const Datum& datum : kExitsAltitudeDatums) {
        plugin.lastSimConnectResult =
            api.AddToDataDefinition(plugin.simConnect, DefinitionExitsAltitude, datum.name,
                                    datum.units, kDatumTypeFloat64, 0.0f, kNoDatumId);
    }
    plugin.lastSimConnectResult =
        api.RequestDataOnSimObject(plugin.simConnect, RequestExitsAltitude, DefinitionExitsAltitude,
                                   kUserObject, kPeriodSecond, kRequestFlagChanged, 0, 0, 0);
    return true;
}

void SimConnectTearDown(GroundServicesContext& context) {
    GroundServicesFields& plugin = context.plugin;
    if (plugin.simConnect == nullptr) {
        return;
    }
    context.log.LogLine("Closing Simconnect.");
    plugin.lastSimConnectResult = context.simconnect.Close(plugin.simConnect);
    plugin.simConnect = nullptr;
}

bool GroundServicesStep(GroundServicesContext& context) {
    for (const DoorRow& row : kDoors) {
        HandleDoor(context, row);
    }
    for (const JetwayRow& row : kJetways) {
        HandleJetway(context, row);
    }
    return true;
}

std::string FormatDefaultNumber(double value) {
    // Spelled out for the values printf renders differently across C runtimes.
    if (std::isnan(value)) {
        return std::signbit(value) ? "-nan" : "nan";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-inf" : "inf";
    }
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

}  // namespace ulvo::groundservices
