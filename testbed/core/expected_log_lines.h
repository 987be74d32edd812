// The plug-in's log lines that tests, the demo and the soak expect, each without
// its line end, in the order the plug-in writes them. One list, so that a changed
// line is changed in one place.
#pragma once

#include <string>
#include <vector>

namespace ulvo::testbed {

using LineList = std::vector<std::string>;

// Every connection opened, in order.
inline const LineList kConnectionsOpenedLines = {
    "Simconnect started.",
    "FSUIPC started.",
    "Ulvo 737 SDK filemap opened.",
    "Ulvo 737 SDK buffer opened.",
    "Ulvo 737 SDK 2nd filemp opened.",
    "Ulvo 737 SDK 2nd buffer opened.",
    "All connections opened and started.",
};

// The line of each connection above that did not open: the open stops there.
inline const LineList kOpenFailedLines = {
    "SimConnect did not start.",
    "FSUIPC SDK did not start.",
    "Ulvo 737 SDK filemap did not open.",
    "Ulvo 737 SDK buffer did not open. Closing filemap",
    "Ulvo 737 SDK 2nd filemap did not open.",
    "Ulvo 737 SDK 2nd buffer did not open. Closing filemap and 1st buffer and 1st filemap",
};

// Every connection closed, the worker already stopped.
inline const LineList kConnectionsClosedLines = {
    "Closing FSUIPC if it was open.", "Closing Simconnect.",
    "Closing ulvo SDK buffer.",       "Closing ulvo SDK filemap.",
    "Closing ulvo SDK 2nd buffer.",   "Closing ulvo SDK 2nd filemap.",
};

inline const std::string kWorkerClosingLine = "Closing ulvo2fsuipc thread if it was running.";
inline const std::string kStateOneLine = "Ulvo State is 1. All good to go";
inline const std::string kWorkerStartedLine = "Started ulvo2fsuipc thread.";
inline const std::string kOtherPlaneLine = "Ulvo State is 0. Some other plane loaded?";

// `first` followed by `rest`.
inline LineList Then(LineList first, const LineList& rest) {
    first.insert(first.end(), rest.begin(), rest.end());
    return first;
}

// Lines `from` to `to` (not included) of a list.
inline LineList Part(const LineList& lines, size_t from, size_t to) {
    return LineList(lines.begin() + from, lines.begin() + to);
}

// The lines as the log file holds them, each ending in CR LF.
inline std::string AsLogText(const LineList& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

// The same lines as the log file holds them, in the pieces the Wine tests join.
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
