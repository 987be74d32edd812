// What a scenario, or any front end that drives the panel lab, may ask of the
// lab: the plug-in's block as FSUIPC clients read it, and the actions of its
// lines. Every call is made on the lab's own thread; none blocks for long.
#pragma once

#include <cstdint>
#include <string>

#include "groundservices/ground_services_table.h"
#include "offsets/cockpit_map.h"
#include "offsets/value_text.h"

namespace ulvo::tools {

enum class DoorAction { kOpen, kClose, kToggle };

class LabPort {
  public:
    virtual ~LabPort() = default;

    // What an FSUIPC client reads in the block now.
    virtual BlockSnapshot Block() = 0;

    // A `set` (CockpitSet): writes the aircraft's fields, or FSUIPC's bytes as a
    // client would. Returns a mark for TakenUp.
    virtual uint64_t Apply(const CockpitWrite& write) = 0;
    // True once the plug-in has worked a whole cycle after the write of `mark`:
    // from then on what FSUIPC holds follows it.
    virtual bool TakenUp(uint64_t mark) = 0;

    // Bytes (little-endian) at an FSUIPC offset outside the plug-in's block.
    virtual void FsuipcSet(uint32_t offset, uint32_t size, uint64_t value) = 0;
    // FSUIPC stops and starts afresh: a new window, every offset 0.
    virtual void FsuipcRestart() = 0;

    // GSX asks for a door; returns what GSX does about it, for the user.
    virtual std::string Door(groundservices::Door door, DoorAction action) = 0;
    // GSX reports the jetway's power or air.
    virtual void Jetway(groundservices::Jetway which, double value) = 0;

    // The simulator loads the aircraft again (message 578): the Ulvo 737, or,
    // with `other`, an aircraft whose state field is not 1.
    virtual void AircraftLoaded(bool other) = 0;
    // The simulator ends the plug-in's SimConnect connection.
    virtual void SimConnectFail() = 0;
};

}  // namespace ulvo::tools
