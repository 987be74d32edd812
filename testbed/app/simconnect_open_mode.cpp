// `testbed.exe simconnect-open [OPENS]`: the time SimConnect_Open takes, as the
// plug-in calls it (configuration index 0), against the testbed's SimConnect
// server on the simulator's pipe, in-process channel included; then the time of
// an open that fails through the whole default chain (no server, no
// SimConnect.cfg, no registry ports: pipe, two skipped sockets, pipe again).
// SimConnect_Close, which waits at least 350 ms by design, is not timed.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <vector>

#include "core/sample_stats.h"
#include "modes.h"
#include "plugin/win/library.h"
#include "simconnect/win/simconnect_calls.h"
#include "win/steady_milliseconds.h"
#include "win/testbed.h"

namespace ulvo::testbed {
namespace {

using simconnect::SimConnect_Close;
using simconnect::SimConnect_Open;

// Opens `opens` times; the durations of those that gave `expected`, or empty
// when one gave anything else.
std::vector<double> TimeOpens(size_t opens, int32_t expected) {
    std::vector<double> durations;
    for (size_t i = 0; i < opens; ++i) {
        HANDLE handle = nullptr;
        const double start = SteadyMilliseconds();
        const int32_t result = SimConnect_Open(&handle, "Ulvo2FSUIPC", nullptr, 0, nullptr, 0);
        const double took = SteadyMilliseconds() - start;
        if (handle != nullptr) {
            SimConnect_Close(handle);
        }
        if (result != expected) {
            std::wprintf(L"open %zu gave 0x%08X\n", i, uint32_t(result));
            return {};
        }
        durations.push_back(took);
    }
    return durations;
}

void Report(const wchar_t* what, const std::vector<double>& milliseconds) {
    const SampleStats stats = Summarize(milliseconds);
    std::wprintf(L"%-34ls opens %zu  median %.2f ms  max %.2f ms\n", what, stats.count,
                 stats.median, stats.max);
    std::fflush(stdout);
}

int RunSimConnectOpen(int argc, wchar_t** argv) {
    const size_t opens = argc >= 2 ? std::wcstoul(argv[1], nullptr, 10) : 20;
    if (opens == 0) {
        std::fwprintf(stderr, L"usage: testbed.exe simconnect-open [OPENS]\n");
        return 2;
    }
    // The client works on the library's process state, as in the plug-in.
    plugin::Library();
    std::vector<double> good;
    {
        Testbed testbed;  // the server on the pipe and the channel on the simulator window
        good = TimeOpens(opens, 0);
    }
    Report(L"SimConnect_Open, testbed server", good);
    // The server has gone and taken its registry ports along.
    const std::vector<double> failed = TimeOpens(std::min<size_t>(opens, 3), int32_t(0x80004005));
    Report(L"SimConnect_Open failing, default chain", failed);
    return good.empty() || failed.empty() ? 1 : 0;
}

const TestbedMode simConnectOpenMode(L"simconnect-open",
                                     L"time of SimConnect_Open, connecting and failing",
                                     RunSimConnectOpen);

}  // namespace
}  // namespace ulvo::testbed
