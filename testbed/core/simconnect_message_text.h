// A SimConnect message the client sent, in words, for the testbed's printouts:
// "Open \"Ulvo2GSX Simconnect proc\"", "TransmitClientEvent object 0 event 2 ...".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ulvo::testbed {

// The call the message makes and its arguments; a message too short for its
// layout, or of an unknown call, is shown by its size and id.
std::string SimConnectMessageText(const std::vector<uint8_t>& message);

}  // namespace ulvo::testbed
