#include "plugin/one_second_step.h"

namespace ulvo::plugin {

namespace {

// Runs only while the connections stand and the worker has not been started, so
// the copy of Sdk2Block has the view to itself.
void CheckAircraftState(OneSecondContext& context) {
    Connections& connections = context.connections;
    // The view stands while the check is pending; should it not, the state reads
    // as "not this aircraft" rather than from an old copy.
    context.aircraftStateOk =
        aircraft::CopySdk2Block(connections.aircraft, context.sdk2Block)
            ? aircraft::FieldI32(context.sdk2Block, aircraft::kAircraftStateOffset)
            : 0;
    context.connectionsOpened = 0;
    if (context.aircraftStateOk != 1) {
        // Whatever the value was.
        connections.log.LogLine("Ulvo State is 0. Some other plane loaded?");
        CloseConnections(connections);
        return;
    }
    connections.log.LogLine("Ulvo State is 1. All good to go");
    // A thread that could not be created is not reported as started; the
    // connections stay open until the next close, and the next vehicle load tries
    // again.
    if (connections.workerThread.Start()) {
        connections.log.LogLine("Started ulvo2fsuipc thread.");
    }
}

}  // namespace

void OneSecondStep(OneSecondContext& context) {
    if (context.connectionsOpened == 1) {
        CheckAircraftState(context);
    }
    if (context.aircraftStateOk != 0) {
        context.aircraftStateOk =
            groundservices::GroundServicesStep(context.connections.groundServices) ? 1 : 0;
    }
}

}  // namespace ulvo::plugin
