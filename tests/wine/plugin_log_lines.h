// The plug-in's log as the file holds it (each line ends in CR LF), in the pieces
// that the Wine tests put together.
#pragma once

#include <string>

#include "core/expected_log_lines.h"

namespace ulvo::testbed {

inline const std::string kLogOpened = "Logfile opened\r\n";
inline const std::string kLogClosed = "Logfile closed\r\n";
inline const std::string kVehicleReport = "Vehicle load detected: ";
inline const std::string kTestbedTitle = "Ulvo 737-800 Testbed";

inline const std::string kConnectionsOpened = AsLogText(kConnectionsOpenedLines);
inline const std::string kConnectionsClosed = AsLogText(kConnectionsClosedLines);
inline const std::string kWorkerClosing = AsLogText({kWorkerClosingLine});
inline const std::string kStateOne = AsLogText({kStateOneLine});
inline const std::string kWorkerStarted = AsLogText({kWorkerStartedLine});

// The start message with every party present.
inline const std::string kStartLog =
    kLogOpened + kVehicleReport + kTestbedTitle + "\r\n" + kConnectionsOpened;

}  // namespace ulvo::testbed
