// ulvo-panel-lab.exe: builds and tests a cockpit panel without the simulator. It
// runs the real Ulvo2FSUIPC.dll beside it in the testbed's stand-in simulator,
// whose FSUIPC answers programs on this PC as the simulator's does.
//
//   ulvo-panel-lab.exe [--plain]                 lines from the keyboard
//   ulvo-panel-lab.exe [--plain] run FILE        a scenario
//   ulvo-panel-lab.exe [--plain] replay FILE     a recording of ulvo-monitor.exe --record
//   ulvo-panel-lab.exe measure [COUNT]           the lab's times, COUNT of each
//   --web [PORT] before any of them: the cockpit page too (web_policy.h)
//
// --live COLUMNS LINES forces the live view of that size (scripts/lab.sh passes
// it under Wine); on a console it is the default. Exit codes: lab_modes.h.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "lab_modes.h"
#include "lab_web.h"
#include "monitor/win/console.h"
#include "monitor/win/wide_paths.h"
#include "panel_lab/outside_simconnect.h"
#include "panel_lab/scenario.h"
#include "simconnect/win/win32_configuration.h"

namespace ulvo::testbed {
namespace {

struct LabOptions {
    enum class Mode { kInteractive, kRun, kReplay, kMeasure };
    Mode mode = Mode::kInteractive;
    std::wstring file;  // run, replay
    size_t measureCount = 1000;
    bool live = false;
    size_t width = 100;
    size_t height = 40;
    tools::web::WebOptions web;
};

int Usage() {
    std::fprintf(stderr,
                 "usage: ulvo-panel-lab.exe [--plain] [--web [PORT]] [run FILE | replay FILE |\n"
                 "                          measure [COUNT]]\n"
                 "\n"
                 "Runs Ulvo2FSUIPC.dll from this folder in a stand-in simulator: your panel\n"
                 "programs, scripts and hardware drivers on this PC connect to its FSUIPC as to\n"
                 "the simulator's. Without a command it reads lines from the keyboard.\n"
                 "\n"
                 "  run FILE        play a scenario\n"
                 "  replay FILE     play a recording made by ulvo-monitor.exe --record FILE\n"
                 "  measure [COUNT] time sets until FSUIPC clients read them, client writes\n"
                 "                  until the command reaches the aircraft, and the plug-in's\n"
                 "                  cycle while nothing happens\n"
                 "  --plain         one line per event, also on a console\n"
                 "%s"
                 "\n"
                 "Exit codes: 0 everything held; 1 an expectation failed; 2 the command line,\n"
                 "the scenario or the recording is wrong; 3 the lab could not start.\n"
                 "\n%s",
                 tools::web::WebUsage(true).c_str(), tools::ScenarioHelp().c_str());
    return kLabWrong;
}

// Reads the arguments; false for ones the lab does not take.
bool ReadOptions(std::vector<std::string> arguments, LabOptions& options) {
    if (const std::string error = tools::web::TakeWebOptions(arguments, options.web);
        !error.empty()) {
        std::fprintf(stderr, "ulvo-panel-lab: %s\n\n", error.c_str());
        return false;
    }
    const size_t count = arguments.size();
    size_t i = 0;
    for (; i < count && arguments[i][0] == '-'; ++i) {
        if (arguments[i] == "--plain") {
            options.live = false;
        } else if (arguments[i] == "--live" && i + 2 < count) {
            options.live = true;
            options.width = std::strtoul(arguments[i + 1].c_str(), nullptr, 10);
            options.height = std::strtoul(arguments[i + 2].c_str(), nullptr, 10);
            i += 2;
        } else {
            return false;
        }
    }
    const std::string command = i < count ? arguments[i++] : "";
    if (command == "run" || command == "replay") {
        options.mode = command == "run" ? LabOptions::Mode::kRun : LabOptions::Mode::kReplay;
        options.file = i < count ? tools::Wide(arguments[i++]) : L"";
        return i == count && !options.file.empty();
    }
    if (command == "measure" && i + 1 >= count) {
        options.mode = LabOptions::Mode::kMeasure;
        options.live = false;
        options.measureCount = i < count ? std::strtoul(arguments[i].c_str(), nullptr, 10) : 1000;
        return options.measureCount > 0;
    }
    return command.empty();
}

bool AnotherWindow(const wchar_t* windowClass) {
    return FindWindowExW(nullptr, nullptr, windowClass, nullptr) != nullptr;
}

// Why the lab must not start here, or "".
std::string StartProblem() {
    // The lab plays FSUIPC and the simulator's window itself: beside the real ones
    // programs would find two of each.
    if (AnotherWindow(L"UIPCMAIN") || AnotherWindow(L"FS98MAIN")) {
        return std::string(
                   "FSUIPC or the simulator is already running on this PC (a window of "
                   "class ") +
               (AnotherWindow(L"UIPCMAIN") ? "UIPCMAIN" : "FS98MAIN") +
               " exists). The lab plays both itself; close the simulator (or the other panel "
               "lab), or the program that serves FSUIPC's window, and start the lab again.";
    }
    simconnect::Win32Configuration configuration;
    return tools::OutsideSimConnect(configuration);
}

int Run(const LabOptions& options) {
    const std::string name = tools::Utf8(options.file);
    std::string text;
    tools::ScenarioRunner runner;
    tools::Recording recording;
    if (options.mode == LabOptions::Mode::kRun || options.mode == LabOptions::Mode::kReplay) {
        if (!tools::ReadWholeFile(options.file, text)) {
            std::fprintf(stderr, "ulvo-panel-lab: cannot read %s\n", name.c_str());
            return kLabWrong;
        }
    }
    if (options.mode == LabOptions::Mode::kRun) {
        // The whole scenario is checked before anything starts.
        std::vector<tools::ScenarioLine> lines = tools::ParseScenario(text);
        size_t wrong = 0;
        for (const tools::ScenarioLine& line : lines) {
            if (!line.error.empty()) {
                std::fprintf(stderr, "%s: line %zu (%s): %s\n", name.c_str(), line.number,
                             line.text.c_str(), line.error.c_str());
                ++wrong;
            }
        }
        if (wrong != 0) {
            std::fprintf(stderr, "%s: %zu wrong lines; nothing was run\n", name.c_str(), wrong);
            return kLabWrong;
        }
        runner = tools::ScenarioRunner(std::move(lines));
    }
    if (options.mode == LabOptions::Mode::kReplay) {
        recording = tools::ParseRecording(text);
        if (!recording.error.empty()) {
            std::fprintf(stderr, "ulvo-panel-lab: cannot replay %s: %s\n", name.c_str(),
                         recording.error.c_str());
            return kLabWrong;
        }
    }
    if (const std::string problem = StartProblem(); !problem.empty()) {
        std::fprintf(stderr, "ulvo-panel-lab: %s\n", problem.c_str());
        return kLabCannotStart;
    }
    tools::CatchStopRequests();
    LabSession lab;
    LabOutput output(options.live, options.width, options.height);
    // The port is checked before the plug-in starts.
    std::unique_ptr<LabWeb> web;
    std::vector<std::string> banner;
    if (options.web.enabled) {
        std::string error;
        web = LabWeb::Start(options.web, lab, banner, error);
        if (web == nullptr) {
            std::fprintf(stderr, "ulvo-panel-lab: the web panel cannot start: %s\n", error.c_str());
            return kLabCannotStart;
        }
        output.web = web.get();
    }
    if (!lab.Start()) {
        for (const tools::LabEvent& event : lab.TakeEvents()) {
            output.Print(tools::EventText(event), event.seconds);
        }
        std::fprintf(stderr, "ulvo-panel-lab: %s\n", lab.Problem().c_str());
        return kLabCannotStart;
    }
    output.Begin();
    for (const tools::LabEvent& event : lab.TakeEvents()) {
        output.Print(tools::EventText(event), event.seconds);
    }
    output.Print(
        "ready: FSUIPC answers on this PC and the plug-in's worker runs; programs "
        "connect as to the simulator",
        lab.Seconds());
    for (const std::string& line : banner) {
        output.Print(line, lab.Seconds());
    }
    output.Draw(lab.Block(), lab.Seconds(), "ready", true);
    int code = kLabOk;
    switch (options.mode) {
        case LabOptions::Mode::kInteractive:
        case LabOptions::Mode::kRun:
            code = RunScenario(lab, output, runner, name);
            break;
        case LabOptions::Mode::kReplay:
            code = RunReplay(lab, output, recording, name);
            break;
        case LabOptions::Mode::kMeasure:
            code = RunMeasure(lab, output, options.measureCount);
            break;
    }
    output.Draw(lab.Block(), lab.Seconds(), "finished", true);
    output.End();
    lab.Stop();
    for (const tools::LabEvent& event : lab.TakeEvents()) {
        output.Print(tools::EventText(event), event.seconds);
    }
    return code;
}

}  // namespace
}  // namespace ulvo::testbed

int wmain(int argc, wchar_t** argv) {
    using namespace ulvo::testbed;
    LabOptions options;
    const ulvo::tools::ConsoleInfo console = ulvo::tools::PrepareConsole();
    options.live = console.ansi;
    options.width = console.width;
    options.height = console.height;
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.push_back(ulvo::tools::Utf8(argv[i]));
    }
    if (!ReadOptions(std::move(arguments), options)) {
        return Usage();
    }
    // A terminal too small for the view gets plain lines.
    if (options.width < 60 || options.height < 24) {
        options.live = false;
    }
    return Run(options);
}
