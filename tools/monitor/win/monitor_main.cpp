// ulvo-monitor.exe: an FSUIPC client that shows the Ulvo2FSUIPC offset block
// 0x9400-0x94FB live, decoded as the offset reference describes it, and can write
// a command word or a control byte first. See MonitorUsage for the options.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "common/little_endian.h"
#include "fsuipc/fsuipc_link.h"
#include "fsuipc/win/fsuipc_platform_win.h"
#include "monitor/monitor_options.h"
#include "monitor/win/console.h"
#include "monitor/win/wide_paths.h"
#include "offsets/ansi.h"
#include "offsets/block_view.h"
#include "offsets/recording.h"
#include "web/link_access.h"
#include "web/web_server.h"

namespace ulvo::tools {
namespace {

constexpr uint32_t kStopPollMs = 50;
constexpr uint32_t kWebExchangeMs = 20;  // how often the web panel's offsets are read

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
                  bool live, const std::string& web) {
    char header[160];
    std::snprintf(header, sizeof header, "Ulvo2FSUIPC monitor %s   FSUIPC 0x%08X   snapshot %u%s",
                  ULVO_VERSION, unsigned(link.FsuipcVersion()), count,
                  live ? "   Ctrl+C ends" : "");
    std::string frame = ansi::Paint(header, ansi::kBold, console.ansi) + "\n" + web;
    const auto lines = RenderBlockView(MakeBlockView(now, before), {console.width, console.ansi});
    for (const std::string& line : lines) {
        frame += line + (console.ansi ? ansi::kClearLine : "") + "\n";
    }
    return frame;
}

// Waits for FSUIPC (the simulator may still be starting), then writes the block
// and every change of it into the file until Ctrl+C or FSUIPC goes away.
int Record(const MonitorOptions& options) {
    std::FILE* file = CreateForWriting(Wide(options.recordFile));
    if (file == nullptr) {
        std::fprintf(stderr, "ulvo-monitor: cannot write %s\n", options.recordFile.c_str());
        return kExitUsage;
    }
    CatchStopRequests();
    fsuipc::Win32FsuipcPlatform platform;
    fsuipc::FsuipcLink link(platform);
    uint32_t result = 0;
    bool said = false;
    while (!link.Open(result) && !StopRequested()) {
        if (!said) {
            Print("waiting for FSUIPC (the simulator or the panel lab); Ctrl+C ends\n");
            said = true;
        }
        Sleep(kStopPollMs * 10);
    }
    BlockSnapshot now, before;
    const auto start = std::chrono::steady_clock::now();
    std::fputs(RecordingHeader().c_str(), file);
    int exitCode = kExitOk;
    for (bool first = true; !StopRequested(); first = false) {
        if (!ReadBlock(link, now, result)) {
            Print("FSUIPC stopped answering: the recording ends\n");
            break;
        }
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::fputs(RecordingLines(seconds, now, first ? nullptr : &before).c_str(), file);
        std::fflush(file);
        if (first) {
            Print("recording the offset block into " + options.recordFile + "; Ctrl+C ends\n");
        }
        before = now;
        Sleep(options.intervalMs);
    }
    if (std::ferror(file)) {
        exitCode = kExitNoFsuipc;
    }
    std::fclose(file);
    link.Close();
    return exitCode;
}

// --web: the cockpit page and the JSON offset protocol, fed from this link.
std::unique_ptr<web::WebServer> StartWeb(const web::WebOptions& options, std::string& lines) {
    if (!options.enabled) {
        return nullptr;
    }
    web::WebServerSetup setup;
    setup.options = options;
    setup.program = "ulvo-monitor";
    setup.version = ULVO_VERSION;
    std::string error;
    std::unique_ptr<web::WebServer> server = web::WebServer::Start(setup, error);
    if (server == nullptr) {
        std::fprintf(stderr, "ulvo-monitor: the web panel cannot start: %s\n", error.c_str());
        return nullptr;
    }
    for (const std::string& line : web::WebBanner(server->Urls(), options)) {
        lines += line + "\n";
    }
    Print(lines);
    return server;
}

int Run(const MonitorOptions& options, const web::WebOptions& webOptions) {
    if (!options.recordFile.empty()) {
        return Record(options);
    }
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
    std::string webLines;
    std::unique_ptr<web::WebServer> webServer = StartWeb(webOptions, webLines);
    if (webOptions.enabled && webServer == nullptr) {
        link.Close();
        return kExitUsage;
    }
    web::LinkAccess access(link);

    const ConsoleInfo console = PrepareConsole();
    const bool redraw = console.ansi && !options.once;
    CatchStopRequests();
    if (redraw) {
        Print(std::string(ansi::kHideCursor) + "\x1b[2J");
    }
    int exitCode = kExitOk;
    for (unsigned count = 1;; ++count) {
        const std::string frame = Frame(link, now, count > 1 ? &before : nullptr, console, count,
                                        !options.once, webLines);
        Print(redraw ? ansi::kHome + frame + ansi::kClearToEnd
                     : frame + (options.once ? "" : "\n"));
        if (options.once) {
            break;
        }
        const uint32_t poll = webServer ? kWebExchangeMs : kStopPollMs;
        bool answered = true;
        for (uint32_t waited = 0; waited < options.intervalMs && !StopRequested() && answered;
             waited += poll) {
            answered = webServer == nullptr || webServer->Space().Exchange(access);
            Sleep(poll);
        }
        if (!answered) {
            std::fprintf(stderr, "%s\n", ExchangeFailureText(access.result).c_str());
            exitCode = kExitNoFsuipc;
            break;
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
    webServer.reset();
    link.Close();
    return exitCode;
}

}  // namespace
}  // namespace ulvo::tools

int wmain(int argc, wchar_t** argv) {
    using namespace ulvo::tools;
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.push_back(Utf8(argv[i]));
    }
    // The web switches first; the rest are the monitor's own.
    web::WebOptions webOptions;
    const std::string webError = web::TakeWebOptions(arguments, webOptions);
    MonitorOptions options = ParseMonitorOptions(arguments);
    if (options.error.empty() && !webError.empty()) {
        options.error = webError;
    } else if (options.error.empty() && webOptions.enabled &&
               (options.once || !options.recordFile.empty())) {
        options.error = "--web keeps the monitor running: it does not go with --once or --record";
    }
    if (options.help) {
        Print(MonitorUsage() + web::WebUsage());
        return kExitOk;
    }
    if (!options.error.empty()) {
        std::fprintf(stderr, "ulvo-monitor: %s\n\n%s%s", options.error.c_str(),
                     MonitorUsage().c_str(), web::WebUsage().c_str());
        return kExitUsage;
    }
    return Run(options, webOptions);
}
