// The plug-in's log as the file holds it (each line ends in CR LF), in the pieces
// that the Wine tests put together.
#pragma once

#include <string>

namespace ulvo::testbed {

inline const std::string kLogOpened = "Logfile opened\r\n";
inline const std::string kLogClosed = "Logfile closed\r\n";
inline const std::string kVehicleReport = "Vehicle load detected: ";
inline const std::string kTestbedTitle = "Ulvo 737-800 Testbed";

// Every connection opened, in order.
inline const std::string kConnectionsOpened =
    "Simconnect started.\r\n"
    "FSUIPC started.\r\n"
    "Ulvo 737 SDK filemap opened.\r\n"
    "Ulvo 737 SDK buffer opened.\r\n"
    "Ulvo 737 SDK 2nd filemp opened.\r\n"
    "Ulvo 737 SDK 2nd buffer opened.\r\n"
    "All connections opened and started.\r\n";

// Every connection closed, the worker already stopped.
inline const std::string kConnectionsClosed =
    "Closing FSUIPC if it was open.\r\n"
    "Closing Simconnect.\r\n"
    "Closing ulvo SDK buffer.\r\n"
    "Closing ulvo SDK filemap.\r\n"
    "Closing ulvo SDK 2nd buffer.\r\n"
    "Closing ulvo SDK 2nd filemap.\r\n";

inline const std::string kWorkerClosing = "Closing ulvo2fsuipc thread if it was running.\r\n";
inline const std::string kStateOne = "Ulvo State is 1. All good to go\r\n";
inline const std::string kWorkerStarted = "Started ulvo2fsuipc thread.\r\n";
inline const std::string kOtherPlane = "Ulvo State is 0. Some other plane loaded?\r\n";

// The start message with every party present.
inline const std::string kStartLog =
    kLogOpened + kVehicleReport + kTestbedTitle + "\r\n" + kConnectionsOpened;

}  // namespace ulvo::testbed
