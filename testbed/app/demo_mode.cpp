// `testbed.exe demo [--live COLUMNS LINES]`: the real DLL through a whole scripted
// session in the testbed (see demo_session.h). With --live (scripts/demo.sh passes
// it when its output is a terminal, with the terminal's size) one screen is
// redrawn in place with colours; otherwise the session prints plain text a step
// at a time and a summary. The exit code is 0 only when every check passed.
#include <cstdio>
#include <cwchar>

#include "demo_session.h"
#include "modes.h"

namespace ulvo::testbed {
namespace {

// A plain run keeps a tenth of the pauses: enough for the values to be seen
// moving in the printout, short enough for a test run.
constexpr double kPlainPace = 0.1;

int RunDemo(int argc, wchar_t** argv) {
    DemoOptions options;
    options.pace = kPlainPace;
    if (argc == 4 && std::wcscmp(argv[1], L"--live") == 0) {
        options.live = true;
        options.pace = 1.0;
        options.width = std::wcstoul(argv[2], nullptr, 10);
        options.height = std::wcstoul(argv[3], nullptr, 10);
    } else if (argc != 1) {
        std::fwprintf(stderr, L"usage: testbed.exe demo [--live COLUMNS LINES]\n");
        return 2;
    }
    // A terminal narrower or lower than this cannot hold the view; plain text can.
    if (options.live && (options.width < 60 || options.height < 24)) {
        options.live = false;
        options.width = 100;
    }
    DemoSession session(options);
    return session.Run();
}

const TestbedMode demoMode(L"demo",
                           L"a whole session with the DLL, live on a terminal: start, values, "
                           L"a command, knobs, GSX, reload, shutdown",
                           RunDemo);

}  // namespace
}  // namespace ulvo::testbed
