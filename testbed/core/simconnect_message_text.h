// A SimConnect message the client sent, read back: as values (the call and its
// arguments, which the testbed's GSX follows) and in words, for printouts:
// "Open \"Ulvo2GSX Simconnect proc\"", "TransmitClientEvent object 0 event 2 ...".
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace ulvo::testbed {

struct ClientCall {
    enum class Kind {
        kOpen,
        kMapClientEventToSimEvent,
        kTransmitClientEvent,
        kAddToDataDefinition,
        kRequestDataOnSimObject,
        kOther,  // too short for its layout, or a call the plug-in never makes
    };
    Kind kind = Kind::kOther;
    uint32_t id = 0;  // the message's call id; 0 for a message shorter than a header
    size_t size = 0;
    std::string name;   // Open: the client; Map: the simulator event; Add: the datum
    std::string units;  // Add
    // In the order of the call's layout: Map (event), Transmit (object, event, data,
    // priority, flags), Add (definition), Request (request, definition, object,
    // period, flags).
    std::vector<uint32_t> arguments;
};

ClientCall ReadClientCall(const std::vector<uint8_t>& message);

// The call and its arguments in words; a message too short for its layout, or
// of an unknown call, is shown by its size and id.
std::string SimConnectMessageText(const std::vector<uint8_t>& message);

// The names the clients gave their events (MapClientEventToSimEvent), each on
// its connection, for turning their later transmissions into the simulator
// events they are.
class ClientEventNames {
  public:
    // The simulator event a transmission on `connection` sends ("event 7" for an
    // id never mapped); nothing for other calls, which may map a name.
    std::optional<std::string> Follow(size_t connection, const ClientCall& call);

  private:
    std::map<std::pair<size_t, uint32_t>, std::string> names;
};

}  // namespace ulvo::testbed
