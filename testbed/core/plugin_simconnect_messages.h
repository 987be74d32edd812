// The SimConnect messages the plug-in sends, built by hand from their layouts,
// for tests and printouts to hold the client's bytes against.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ulvo::testbed {

namespace expected {
using Bytes = std::vector<uint8_t>;
Bytes Open(uint32_t sendId, const std::string& name);
Bytes MapClientEventToSimEvent(uint32_t sendId, uint32_t eventId, const std::string& name);
Bytes AddToDataDefinition(uint32_t sendId, uint32_t definition, const std::string& datum,
                          const std::string& units);
Bytes RequestDataOnSimObject(uint32_t sendId);
Bytes TransmitClientEvent(uint32_t sendId, uint32_t eventId);
// Everything the SimConnect set-up sends, send ids 1 to 11.
std::vector<Bytes> SetUpMessages();
}  // namespace expected

}  // namespace ulvo::testbed
