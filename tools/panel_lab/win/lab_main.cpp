// ulvo-panel-lab.exe: builds and tests a cockpit panel without the simulator. It
// runs the real Ulvo2FSUIPC.dll beside it in a stand-in simulator whose FSUIPC
// answers programs on this PC exactly as the simulator's does.
//
//   ulvo-panel-lab.exe [--plain]                 lines from the keyboard
//   ulvo-panel-lab.exe [--plain] run FILE        a scenario; exit 1 at the first difference
//   ulvo-panel-lab.exe [--plain] replay FILE     a recording of ulvo-monitor.exe --record
//   ulvo-panel-lab.exe measure [COUNT]           time from a set to an FSUIPC client
//
// --live COLUMNS LINES forces the live view of that size (scripts/lab.sh passes
// it under Wine); on a console it is the default.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "monitor/win/console.h"
#include "panel_lab/scenario.h"
#include "panel_lab/win/lab_session.h"

namespace ulvo::tools {
namespace {

std::string Narrow(const wchar_t* text) {
    std::string narrow;
    for (; *text; ++text) {
        narrow += *text < 128 ? char(*text) : '?';
    }
    return narrow;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: ulvo-panel-lab.exe [--plain] [run FILE | replay FILE | measure [COUNT]]\n"
                 "\n"
                 "Runs Ulvo2FSUIPC.dll from this folder in a stand-in simulator: your panel\n"
                 "programs, scripts and hardware drivers connect to its FSUIPC as to the\n"
                 "simulator's. Without a command it reads lines from the keyboard.\n"
                 "\n"
                 "  run FILE        play a scenario; exit 1 at the first expect that fails\n"
                 "  replay FILE     play a recording made by ulvo-monitor.exe --record FILE\n"
                 "  measure [COUNT] time from a set to an FSUIPC client reading it\n"
                 "  --plain         one line per event, also on a console\n"
                 "\n%s",
                 ScenarioHelp().c_str());
    return kLabUsage;
}

bool AnotherWindow(const wchar_t* windowClass) {
    return FindWindowExW(nullptr, nullptr, windowClass, nullptr) != nullptr;
}

}  // namespace
}  // namespace ulvo::tools

int wmain(int argc, wchar_t** argv) {
    using namespace ulvo::tools;
    LabOptions options;
    const ConsoleInfo console = PrepareConsole();
    options.live = console.ansi;
    options.width = console.width;
    options.height = console.height;
    int i = 1;
    for (; i < argc && argv[i][0] == L'-'; ++i) {
        if (std::wcscmp(argv[i], L"--plain") == 0) {
            options.live = false;
        } else if (std::wcscmp(argv[i], L"--live") == 0 && i + 2 < argc) {
            options.live = true;
            options.width = std::wcstoul(argv[i + 1], nullptr, 10);
            options.height = std::wcstoul(argv[i + 2], nullptr, 10);
            i += 2;
        } else {
            return Usage();
        }
    }
    const std::wstring command = i < argc ? argv[i++] : L"";
    if (command == L"run" || command == L"replay") {
        if (i + 1 != argc) {
            return Usage();
        }
        options.mode = command == L"run" ? LabOptions::Mode::kRun : LabOptions::Mode::kReplay;
        options.file = Narrow(argv[i]);
    } else if (command == L"measure" && i + 1 >= argc) {
        options.mode = LabOptions::Mode::kMeasure;
        options.live = false;
        if (i < argc) {
            options.measureCount = std::wcstoul(argv[i], nullptr, 10);
        }
    } else if (!command.empty()) {
        return Usage();
    }
    // A terminal too small for the view gets plain lines.
    if (options.width < 60 || options.height < 24) {
        options.live = false;
    }
    // The lab plays FSUIPC and the simulator's window itself: beside the real ones
    // programs would find two of each.
    if (AnotherWindow(L"UIPCMAIN") || AnotherWindow(L"FS98MAIN")) {
        std::fprintf(stderr,
                     "ulvo-panel-lab: FSUIPC or the simulator is already running on this PC "
                     "(a window of class %s exists). The lab plays both itself; close the "
                     "simulator (or the other panel lab) and start the lab again.\n",
                     AnotherWindow(L"UIPCMAIN") ? "UIPCMAIN" : "FS98MAIN");
        return kLabCannotStart;
    }
    CatchStopRequests();
    LabSession session(options);
    return session.Run();
}
