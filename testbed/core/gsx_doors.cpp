#include "core/gsx_doors.h"

#include <utility>

#include "groundservices/ground_services.h"

namespace ulvo::testbed {

namespace gs = groundservices;

GsxDoors::GsxDoors(SetVariable setVariable_) : setVariable(std::move(setVariable_)) {
    for (const char* variable : gs::kGsxVariableNames) {
        setVariable(variable, 0.0);
    }
}

const gs::DoorRow& GsxDoors::Row(Door door) {
    for (const gs::DoorRow& row : gs::kDoors) {
        if (row.door == door) {
            return row;
        }
    }
    return gs::kDoors[0];
}

namespace {

struct DoorName {
    GsxDoors::Door door;
    const char* label;
    const char* word;
};

constexpr DoorName kDoorNames[] = {
    {GsxDoors::Door::kMainExit, "main exit", "exit"},
    {GsxDoors::Door::kServiceDoors, "service doors", "service"},
    {GsxDoors::Door::kCargoDoors, "cargo doors", "cargo"},
};

const DoorName& NameOf(GsxDoors::Door door) {
    for (const DoorName& name : kDoorNames) {
        if (name.door == door) {
            return name;
        }
    }
    return kDoorNames[0];
}

}  // namespace

const char* GsxDoors::Label(Door door) {
    return NameOf(door).label;
}

const char* GsxDoors::Word(Door door) {
    return NameOf(door).word;
}

GsxDoors::Asked GsxDoors::Ask(Door door, Action action) {
    DoorState& standing = state[Index(door)];
    if (action == Action::kOpen && standing.open) {
        return Asked::kAlreadyOpen;
    }
    if (action == Action::kClose && !standing.open) {
        return Asked::kAlreadyClosed;
    }
    standing.asked = true;
    setVariable(gs::kGsxVariableNames[Row(door).variable], 1.0);
    return Asked::kRaised;
}

void GsxDoors::Lower(Door door) {
    if (state[Index(door)].asked) {
        state[Index(door)].asked = false;
        setVariable(gs::kGsxVariableNames[Row(door).variable], 0.0);
    }
}

std::optional<GsxDoors::Door> GsxDoors::SimEvent(const std::string& name) {
    std::optional<Door> operated;
    for (const gs::DoorRow& row : gs::kDoors) {
        if (exitToggled && name == gs::kEventMappings[row.selector].simulatorEvent) {
            state[Index(row.door)].open = !state[Index(row.door)].open;
            Lower(row.door);
            operated = row.door;
        }
    }
    exitToggled = name == gs::kEventMappings[gs::EventToggleAircraftExit].simulatorEvent;
    return operated;
}

void GsxDoors::PluginGaveUp() {
    for (const gs::DoorRow& row : gs::kDoors) {
        Lower(row.door);
    }
}

void GsxDoors::Jetway(gs::Jetway which, double value) {
    for (const gs::JetwayRow& row : gs::kJetways) {
        if (row.status == which) {
            setVariable(gs::kGsxVariableNames[row.variable], value);
        }
    }
}

}  // namespace ulvo::testbed
