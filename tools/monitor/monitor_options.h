// The monitor's command line, and the texts it shows for what can go wrong.
//
//   ulvo-monitor [--once] [--interval MS] [--command CODE] [--control OFFSET=VALUE]...
//   ulvo-monitor --record FILE [--interval MS]
//
// --control takes one of the control bytes: OFFSET=VALUE sets it, OFFSET+=N and
// OFFSET-=N move a counter by N steps (wrapping as the plug-in counts).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "offsets/control_rows.h"

namespace ulvo::tools {

struct MonitorOptions {
    bool once = false;
    bool help = false;
    uint32_t intervalMs = 250;
    std::optional<uint16_t> command;
    std::vector<ControlWrite> controls;
    std::string recordFile;  // --record: every change of the block into this file
    std::string error;       // why the arguments cannot be used; empty when they can
};

constexpr uint32_t kMinIntervalMs = 20;
constexpr uint32_t kRecordIntervalMs = 20;  // --record reads the block this often by default
constexpr uint32_t kMaxIntervalMs = 60000;

MonitorOptions ParseMonitorOptions(const std::vector<std::string>& arguments);
std::string MonitorUsage();

// Exit codes.
constexpr int kExitOk = 0;
constexpr int kExitNoFsuipc = 1;  // FSUIPC could not be reached or stopped answering
constexpr int kExitUsage = 2;

// What to tell the user when FsuipcLink::Open failed with `code`.
std::string OpenFailureText(uint32_t code);
// ... and when an exchange failed with `code` after the link had opened.
std::string ExchangeFailureText(uint32_t code);

}  // namespace ulvo::tools
