#include "monitor/monitor_options.h"

#include <charconv>

#include "fsuipc/fsuipc_link.h"
#include "offsets/block_layout.h"

namespace ulvo::tools {

namespace {

// Decimal, or hexadecimal after "0x".
std::optional<uint32_t> ParseNumber(std::string_view text) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// FSUIPC offsets are hexadecimal, with or without "0x".
std::optional<uint32_t> ParseOffset(std::string_view text) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
    }
    return ParseNumber("0x" + std::string(text));
}

bool IsControlByte(uint32_t offset) {
    for (const OffsetEntry& entry : BlockLayout()) {
        if (entry.offset == offset && entry.role != OffsetRole::kCommandWord &&
            WrittenByClients(entry.role)) {
            return true;
        }
    }
    return false;
}

bool IsCounter(uint32_t offset) {
    for (const OffsetEntry& entry : BlockLayout()) {
        if (entry.offset == offset) {
            return entry.role == OffsetRole::kStepControl ||
                   entry.role == OffsetRole::kSetValueControl;
        }
    }
    return false;
}

std::string ParseControl(std::string_view text, ControlWrite& write) {
    const size_t equals = text.find('=');
    if (equals == std::string_view::npos || equals == 0) {
        return "--control needs OFFSET=VALUE, OFFSET+=STEPS or OFFSET-=STEPS";
    }
    size_t offsetEnd = equals;
    write.kind = ControlWrite::kSet;
    if (text[equals - 1] == '+' || text[equals - 1] == '-') {
        write.kind = text[equals - 1] == '+' ? ControlWrite::kStepUp : ControlWrite::kStepDown;
        --offsetEnd;
    }
    const auto offset = ParseOffset(text.substr(0, offsetEnd));
    if (!offset || !IsControlByte(*offset)) {
        return std::string(text.substr(0, offsetEnd)) +
               " is not a control byte (0x9428, 0x942E, 0x942F, 0x9470, 0x9491-0x9496, "
               "0x94F0-0x94FB)";
    }
    write.offset = *offset;
    const auto value = ParseNumber(text.substr(equals + 1));
    if (write.kind == ControlWrite::kSet) {
        if (!value || *value > 255) {
            return "a control byte takes a value from 0 to 255";
        }
    } else {
        if (!IsCounter(*offset)) {
            return OffsetText(*offset) + " is not a counter: set it with =";
        }
        if (!value || *value < 1 || *value > kMaxSteps) {
            return "a counter moves by 1 to " + std::to_string(kMaxSteps) + " steps at a time";
        }
    }
    write.amount = uint8_t(*value);
    return "";
}

}  // namespace

MonitorOptions ParseMonitorOptions(const std::vector<std::string>& arguments) {
    MonitorOptions options;
    bool intervalGiven = false;
    for (size_t i = 0; i < arguments.size() && options.error.empty(); ++i) {
        const std::string& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == "--once") {
            options.once = true;
        } else if (argument == "--help" || argument == "-h" || argument == "/?") {
            options.help = true;
        } else if (argument == "--command" && hasValue) {
            const auto code = ParseNumber(arguments[++i]);
            if (!code || *code > 32767) {
                options.error = "a command code is a number from 0 to 32767";
            } else {
                options.command = uint16_t(*code);
            }
        } else if (argument == "--control" && hasValue) {
            ControlWrite write;
            options.error = ParseControl(arguments[++i], write);
            options.controls.push_back(write);
        } else if (argument == "--interval" && hasValue) {
            const auto interval = ParseNumber(arguments[++i]);
            if (!interval || *interval < kMinIntervalMs || *interval > kMaxIntervalMs) {
                options.error = "the interval is " + std::to_string(kMinIntervalMs) + " to " +
                                std::to_string(kMaxIntervalMs) + " milliseconds";
            } else {
                options.intervalMs = *interval;
                intervalGiven = true;
            }
        } else if (argument == "--record" && hasValue) {
            options.recordFile = arguments[++i];
        } else if (argument == "--command" || argument == "--control" || argument == "--interval" ||
                   argument == "--record") {
            options.error = argument + " needs a value";
        } else {
            options.error = "unknown argument: " + argument;
        }
    }
    if (!options.recordFile.empty() && options.error.empty()) {
        if (options.once || options.command || !options.controls.empty()) {
            options.error = "--record only reads: it takes --interval, nothing else";
        } else if (!intervalGiven) {
            options.intervalMs = kRecordIntervalMs;
        }
    }
    return options;
}

std::string MonitorUsage() {
    return "usage: ulvo-monitor [--once] [--interval MS] [--command CODE]\n"
           "                    [--control OFFSET=VALUE | OFFSET+=STEPS | OFFSET-=STEPS]...\n"
           "       ulvo-monitor --record FILE [--interval MS]\n"
           "\n"
           "Shows the Ulvo2FSUIPC offsets 0x9400-0x94FB, read from FSUIPC a few times a\n"
           "second, until Ctrl+C.\n"
           "\n"
           "  --once          print one snapshot and exit\n"
           "  --interval MS   time between snapshots (default 250)\n"
           "  --command CODE  write a command code (0-32767) at 0x9400 first\n"
           "  --control ...   write a control byte first, e.g. 0x94F8=3, or move a\n"
           "                  counter, e.g. 0x94F0+=2 (two steps up)\n"
           "  --record FILE   write every change of the block with its time into FILE,\n"
           "                  read every 20 ms, until Ctrl+C or the simulator closes; it\n"
           "                  waits for FSUIPC to start (ulvo-panel-lab.exe replays it)\n"
           "\n"
           "Exit code 0, 1 when FSUIPC is not running or stopped answering, 2 for wrong\n"
           "arguments.\n";
}

std::string OpenFailureText(uint32_t code) {
    using namespace fsuipc;
    switch (code) {
        case kNoWindow:
            return "FSUIPC is not running: no FSUIPC window was found. Start the simulator "
                   "with FSUIPC installed, then run ulvo-monitor again.";
        case kBadVersion:
            return "FSUIPC answered, but not with the versions it should (code 7): "
                   "update FSUIPC.";
        case kSendFailed:
        case kSendFailedWithError:
        case kBadReply:
            return "FSUIPC did not answer (code " + std::to_string(code) +
                   "): the simulator may be busy loading; try again in a moment.";
        default:
            return "Could not connect to FSUIPC (code " + std::to_string(code) +
                   "): Windows refused the shared memory the connection needs.";
    }
}

std::string ExchangeFailureText(uint32_t code) {
    return "FSUIPC stopped answering (code " + std::to_string(code) +
           "): the simulator was closed or is not responding.";
}

}  // namespace ulvo::tools
