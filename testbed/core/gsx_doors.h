// GSX as the testbed plays it. A door is asked for by raising its toggle
// variable to 1, which stays raised until the plug-in has asked the simulator
// for that door (TOGGLE_AIRCRAFT_EXIT, then the door's SELECT_n) or has logged
// that it cannot; the party keeps track of which doors stand open. The jetway's
// power and air are reported through their variables. The variables reach the
// plug-in through the host's named-variable service, which `SetVariable` writes.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "groundservices/ground_services_table.h"

namespace ulvo::testbed {

class GsxDoors {
  public:
    using Door = groundservices::Door;
    using SetVariable = std::function<void(const std::string& name, double value)>;
    enum class Action { kOpen, kClose, kToggle };
    enum class Asked { kRaised, kAlreadyOpen, kAlreadyClosed };

    // GSX is there: every variable of it is defined, at 0.
    explicit GsxDoors(SetVariable setVariable);

    // Raises the door's variable, unless the door already stands as asked.
    Asked Ask(Door door, Action action);
    // A simulator event the plug-in transmitted; the door it operated, if any
    // (whose variable is then lowered: GSX has been heard).
    std::optional<Door> SimEvent(const std::string& name);
    // The plug-in logged that it cannot send: GSX stops asking.
    void PluginGaveUp();
    void Jetway(groundservices::Jetway which, double value);

    bool IsOpen(Door door) const { return state[Index(door)].open; }
    bool IsAsked(Door door) const { return state[Index(door)].asked; }

    // "main exit", "service doors", "cargo doors".
    static const char* Label(Door door);
    // The scenario word: "exit", "service", "cargo".
    static const char* Word(Door door);

  private:
    struct DoorState {
        bool open = false;
        bool asked = false;
    };
    static size_t Index(Door door) { return size_t(door); }
    static const groundservices::DoorRow& Row(Door door);
    void Lower(Door door);

    SetVariable setVariable;
    DoorState state[std::size(groundservices::kDoors)];
    bool exitToggled = false;  // TOGGLE_AIRCRAFT_EXIT seen, its selector not yet
};

}  // namespace ulvo::testbed
