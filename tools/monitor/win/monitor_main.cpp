// ulvo-monitor.exe: an FSUIPC client that shows the Ulvo2FSUIPC offset block
// 0x9400-0x94FB live, decoded as the offset reference describes it, and can write
// a command word or a control byte first. See MonitorUsage for the options.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/little_endian.h"
#include "fsuipc/fsuipc_link.h"
#include "fsuipc/win/fsuipc_platform_win.h"
#include "monitor/monitor_options.h"
#include "monitor/win/console.h"
#include "offsets/ansi.h"
#include "offsets/block_view.h"

namespace ulvo::tools {
namespace {

constexpr uint32_t kStopPollMs = 50;

std::string Narrow(const wchar_t* text) {
    std::string narrow;
    for (; *text; ++text) {
        narrow += *text < 128 ? char(*text) : '?';
    }
    return narrow;
}

void Print(const std::string& text) {
    std::fputs(text.c_str(), stdout);
    std::fflush(stdout);
}

bool ReadBlock(fsuipc::FsuipcLink& link, BlockSnapshot& snapshot, uint32_t& result) {
    return link.Read(kBlockFirst, kBlockSize, snapshot.bytes.data(), result) &&
           link.Process(result);
}

// Queues the command word and control bytes asked for and sends them in one
// exchange; returns what was written, for the user.
bool WriteRequested(fsuipc::FsuipcLink& link, const MonitorOptions& options,
                    const BlockSnapshot& current, std::string& done, uint32_t& result) {
    if (options.command) {
        uint8_t bytes[2];
        StoreU16(bytes, *options.command);
        if (!link.Write(kBlockFirst, 2, bytes, result)) {
            return false;
        }
        done += "wrote command " + std::to_string(*options.command) + " at 0x9400\n";
    }
    for (const ControlWrite& write : options.controls) {
        const uint8_t before = current.U8(write.offset);
        const uint8_t after = ControlByteAfter(write, before);
        if (!link.Write(write.offset, 1, &after, result)) {
            return false;
        }
        done += "wrote " + std::to_string(after) + " at " + OffsetText(write.offset) + " (" +
                ControlWriteText(write) + ", was " + std::to_string(before) + ")\n";
    }
    return done.empty() || link.Process(result);
}

std::string Frame(const fsuipc::FsuipcLink& link, const BlockSnapshot& now,
                  const BlockSnapshot* before, const ConsoleInfo& console, unsigned count,
                  bool live) {
    char header[160];
    std::snprintf(header, sizeof header, "Ulvo2FSUIPC monitor %s   FSUIPC 0x%08X   snapshot %u%s",
                  ULVO_VERSION, unsigned(link.FsuipcVersion()), count,
                  live ? "   Ctrl+C ends" : "");
    std::string frame = ansi::Paint(header, ansi::kBold, console.ansi) + "\n";
    const auto lines = RenderBlockView(MakeBlockView(now, before), {console.width, console.ansi});
    for (const std::string& line : lines) {
        frame += line + (console.ansi ? ansi::kClearLine : "") + "\n";
    }
    return frame;
}

int Run(const MonitorOptions& options) {
    fsuipc::Win32FsuipcPlatform platform;
    fsuipc::FsuipcLink link(platform);
    uint32_t result = 0;
    if (!link.Open(result)) {
        std::fprintf(stderr, "%s\n", OpenFailureText(result).c_str());
        return kExitNoFsuipc;
    }
    BlockSnapshot now, before;
    std::string done;
    if (!ReadBlock(link, now, result) || !WriteRequested(link, options, now, done, result) ||
        (!done.empty() && !ReadBlock(link, now, result))) {
        std::fprintf(stderr, "%s\n", ExchangeFailureText(result).c_str());
        link.Close();
        return kExitNoFsuipc;
    }
    Print(done);

    const ConsoleInfo console = PrepareConsole();
    const bool redraw = console.ansi && !options.once;
    CatchStopRequests();
    if (redraw) {
        Print(std::string(ansi::kHideCursor) + "\x1b[2J");
    }
    int exitCode = kExitOk;
    for (unsigned count = 1;; ++count) {
        const std::string frame =
            Frame(link, now, count > 1 ? &before : nullptr, console, count, !options.once);
        Print(redraw ? ansi::kHome + frame + ansi::kClearToEnd
                     : frame + (options.once ? "" : "\n"));
        if (options.once) {
            break;
        }
        for (uint32_t waited = 0; waited < options.intervalMs && !StopRequested();
             waited += kStopPollMs) {
            Sleep(kStopPollMs);
        }
        if (StopRequested()) {
            break;
        }
        before = now;
        if (!ReadBlock(link, now, result)) {
            std::fprintf(stderr, "%s\n", ExchangeFailureText(result).c_str());
            exitCode = kExitNoFsuipc;
            break;
        }
    }
    if (redraw) {
        Print(ansi::kShowCursor);
    }
    link.Close();
    return exitCode;
}

}  // namespace
}  // namespace ulvo::tools

int wmain(int argc, wchar_t** argv) {
    using namespace ulvo::tools;
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.push_back(Narrow(argv[i]));
    }
    const MonitorOptions options = ParseMonitorOptions(arguments);
    if (options.help) {
        Print(MonitorUsage());
        return kExitOk;
    }
    if (!options.error.empty()) {
        std::fprintf(stderr, "ulvo-monitor: %s\n\n%s", options.error.c_str(),
                     MonitorUsage().c_str());
        return kExitUsage;
    }
    return Run(options);
}
