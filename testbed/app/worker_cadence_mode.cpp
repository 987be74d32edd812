// `testbed.exe worker-cadence [cycles]`: runs the bridge worker on its own thread
// against the testbed's aircraft and FSUIPC (served by this thread, as the
// simulator's main thread serves them), first sleeping on the high-resolution
// timer, then on plain Sleep, and prints for each the cycle period (median, 99th
// percentile, largest) and the worker's CPU time per idle cycle.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cwchar>
#include <memory>
#include <vector>

#include "aircraft/aircraft_link.h"
#include "aircraft/win/aircraft_platform_win.h"
#include "bridge/win/win32_worker_clock.h"
#include "bridge/worker_main.h"
#include "fsuipc/fsuipc_link.h"
#include "fsuipc/win/fsuipc_platform_win.h"
#include "modes.h"
#include "win/message_pump.h"
#include "win/testbed.h"

namespace ulvo::testbed {
namespace {

using bridge::Win32WorkerClock;

struct Quiet final : LogSink {
    void LogLine(std::string_view) override {}
};

// One measured run: the worker's steps plus a last one that stamps the time.
struct CadenceRun {
    bridge::WorkerContext* context;
    Win32WorkerClock::Sleeper sleeper;
    std::vector<int64_t> stamps;  // sized before the run; filled by the worker only
    std::atomic<size_t> stamped{0};
    Win32WorkerClock::Sleeper inUse = Win32WorkerClock::Sleeper::PlainSleep;
    int64_t cpuTicks = 0;  // the worker's kernel and user time, in 100 ns units
};

CadenceRun* current = nullptr;
Win32WorkerClock* currentClock = nullptr;

void Stamp(bridge::BridgeCycle&) {
    const size_t n = current->stamped.load(std::memory_order_relaxed);
    if (n < current->stamps.size()) {
        current->stamps[n] = currentClock->SteadyNanoseconds();
        current->stamped.store(n + 1, std::memory_order_release);
    }
}

int64_t FileTimeTicks(const FILETIME& time) {
    return (int64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

DWORD WINAPI CadenceThread(LPVOID parameter) {
    auto* run = static_cast<CadenceRun*>(parameter);
    Win32WorkerClock clock(run->sleeper);
    run->inUse = clock.InUse();
    currentClock = &clock;
    std::vector<bridge::CycleStep> steps(bridge::CycleSteps().begin(), bridge::CycleSteps().end());
    steps.push_back({"Stamp", Stamp});
    const uint32_t result = bridge::WorkerMain(*run->context, clock, steps);
    // Taken by the thread itself: Wine reports no times for a thread that has ended.
    FILETIME created, ended, kernel, user;
    if (GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user)) {
        run->cpuTicks = FileTimeTicks(kernel) + FileTimeTicks(user);
    }
    return result;
}

bool Measure(bridge::WorkerContext& context, Win32WorkerClock::Sleeper sleeper, size_t cycles,
             const wchar_t* what) {
    CadenceRun run{&context, sleeper, std::vector<int64_t>(cycles + 1)};
    current = &run;
    HANDLE thread = CreateThread(nullptr, 0, CadenceThread, &run, 0, nullptr);
    if (thread == nullptr) {
        return false;
    }
    const bool done = PumpUntil([&] { return run.stamped.load() >= run.stamps.size(); },
                                std::chrono::milliseconds(cycles * 100 + 10000));
    context.workerRunning.store(0);
    PumpUntil([&] { return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; },
              std::chrono::milliseconds(10000));
    CloseHandle(thread);
    if (!done) {
        std::wprintf(L"the worker did not finish %zu cycles\n", cycles);
        return false;
    }

    std::vector<double> periods;
    for (size_t i = 1; i < run.stamps.size(); ++i) {
        periods.push_back(double(run.stamps[i] - run.stamps[i - 1]) / 1e6);
    }
    std::sort(periods.begin(), periods.end());
    const double cpuMicroseconds = double(run.cpuTicks) / 10.0;
    const bool timer = run.inUse == Win32WorkerClock::Sleeper::HighResolutionTimer;
    std::wprintf(
        L"%-22ls %-16ls cycles %zu  period median %.3f ms  p99 %.3f ms  max %.3f ms  "
        L"worker CPU %.1f us per cycle\n",
        timer ? L"high-resolution timer" : L"Sleep", what, periods.size(),
        periods[periods.size() / 2],
        periods[std::min(periods.size() - 1, periods.size() * 99 / 100)], periods.back(),
        cpuMicroseconds / double(cycles + 1));
    return true;
}

int RunWorkerCadence(int argc, wchar_t** argv) {
    const size_t cycles = argc >= 2 ? std::wcstoul(argv[1], nullptr, 10) : 2000;
    if (cycles < 10) {
        std::fwprintf(stderr, L"usage: testbed.exe worker-cadence [cycles >= 10]\n");
        return 2;
    }
    Testbed testbed;
    testbed.fsuipc->SetU16(0x9400, 0xFFFF);

    fsuipc::Win32FsuipcPlatform fsuipcPlatform;
    fsuipc::FsuipcLink fsuipcLink(fsuipcPlatform);
    aircraft::Win32AircraftPlatform aircraftPlatform;
    aircraft::AircraftLink aircraftLink(aircraftPlatform);
    Quiet log;
    uint32_t result = 0;
    if (!fsuipcLink.Open(result) || !aircraftLink.Attach(log)) {
        std::fwprintf(stderr, L"could not connect (FSUIPC result %u)\n", result);
        return 1;
    }

    std::atomic<int32_t> running{0};
    bridge::WorkerFields plugin;
    auto tables = std::make_unique<bridge::BridgeTables>();
    bridge::WorkerContext context{running, aircraftLink,
                                  bridge::BridgeCycle{plugin, *tables, fsuipcLink, aircraftLink}};
    bool ok = true;
    for (const auto sleeper :
         {Win32WorkerClock::Sleeper::HighResolutionTimer, Win32WorkerClock::Sleeper::PlainSleep}) {
        ok = Measure(context, sleeper, cycles, L"with FSUIPC") && ok;
    }
    // The wait alone: with FSUIPC closed the cycle makes no exchange.
    fsuipcLink.Close();
    plugin.commandWord = -1;
    for (const auto sleeper :
         {Win32WorkerClock::Sleeper::HighResolutionTimer, Win32WorkerClock::Sleeper::PlainSleep}) {
        ok = Measure(context, sleeper, cycles, L"without FSUIPC") && ok;
    }

    aircraftLink.Detach(log);
    fsuipcLink.Close();
    return ok ? 0 : 1;
}

const TestbedMode workerCadenceMode(L"worker-cadence",
                                    L"measure the worker's cycle period and CPU time",
                                    RunWorkerCadence);

}  // namespace
}  // namespace ulvo::testbed
