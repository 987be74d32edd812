// The SimConnect registrations and the GSX door and jetway rows.
#pragma once

#include <cstddef>
#include <cstdint>

namespace ulvo::groundservices {

constexpr const char* kSimConnectClientName = "Ulvo2GSX Simconnect proc";

// Client events, mapped at set-up. No event is added to a notification group.
enum ClientEvent : uint32_t {
    EventToggleAircraftExit = 0,
    EventTogglePushback = 1,  // mapped only, never transmitted
    EventSelect1 = 2,
    EventSelect2 = 3,
    EventSelect3 = 4,
};

struct EventMapping {
    ClientEvent id;
    const char* simulatorEvent;
};

constexpr EventMapping kEventMappings[] = {
    {EventToggleAircraftExit, "TOGGLE_AIRCRAFT_EXIT"},
    {EventTogglePushback, "TOGGLE_PUSHBACK"},
    {EventSelect1, "SELECT_1"},
    {EventSelect2, "SELECT_2"},
    {EventSelect3, "SELECT_3"},
};

// Data definition DefinitionExitsAltitude (id 0): 64-bit floats, epsilon 0, no datum id.
constexpr uint32_t DefinitionExitsAltitude = 0;
constexpr uint32_t kDatumTypeFloat64 = 4;
constexpr uint32_t kNoDatumId = 0xFFFFFFFF;

struct Datum {
    const char* name;
    const char* units;
};

constexpr Datum kExitsAltitudeDatums[] = {
    {"EXIT OPEN:0", "percent over 100"},
    {"EXIT OPEN:1", "percent over 100"},
    {"EXIT OPEN:2", "percent over 100"},
    {"PLANE ALTITUDE", "feet"},
};

// Request RequestExitsAltitude: every second, only when changed, for the user's aircraft.
constexpr uint32_t RequestExitsAltitude = 0;
constexpr uint32_t kUserObject = 0;
constexpr uint32_t kPeriodSecond = 4;
constexpr uint32_t kRequestFlagChanged = 1;

// Door requests are sent with group 1 taken as a priority (flag 0x10), the highest.
constexpr uint32_t kHighestPriority = 1;
constexpr uint32_t kGroupIsPriority = 0x10;
constexpr int32_t kDoorCooldownSteps = 5;

enum class Door { kMainExit, kServiceDoors, kCargoDoors };

struct DoorRow {
    Door door;
    size_t variable;  // index into gsxVariableNames
    ClientEvent selector;
    const char* successText;
    const char* failureText;
};

// In the order the step handles them.
constexpr DoorRow kDoors[] = {
    {Door::kMainExit, 0, EventSelect1, "Main exit toggle requested.",
     "SimConnect has issues. Toggle main exit manually."},
    {Door::kServiceDoors, 1, EventSelect3, "Servicedoors toggle requested.",
     "SimConnect has issues. Toggle servicedoors manually."},
    {Door::kCargoDoors, 2, EventSelect2, "Cargodoors toggle requested.",
     "SimConnect has issues. Toggle cargodoors manually."},
};

enum class Jetway { kPower, kAir };

struct JetwayRow {
    Jetway status;
    size_t variable;
    uint32_t commandBecomes5;
    uint32_t commandLeaves5;
    const char* logText;
};

constexpr JetwayRow kJetways[] = {
    {Jetway::kPower, 3, 1215, 1216, "Jetway Power status changed to value: "},
    {Jetway::kAir, 4, 1213, 1214, "Jetway Air status changed to value: "},
};

}  // namespace ulvo::groundservices
