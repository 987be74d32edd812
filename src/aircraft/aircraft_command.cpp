#include "aircraft/aircraft_command.h"

#include "common/numeric.h"

namespace ulvo::aircraft {

int32_t AircraftCommandValue(double value) {
    if (value > 0.0 && value < 1.0) {
        value *= 100.0;
    }
    return TruncateToI32(value);
}

void PostAircraftCommand(AircraftCommandPort& port, uint32_t code, double value) {
    if (!port.Ready()) {
        return;
    }
    port.Post(code, AircraftCommandValue(value));
}

}  // namespace ulvo::aircraft
