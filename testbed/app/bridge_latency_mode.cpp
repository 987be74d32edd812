// `testbed.exe bridge-latency [EVENTS] [CYCLES]`: what the plug-in's users feel,
// measured on the real DLL in the testbed, with FSUIPC and the simulator window
// served by this thread as the simulator's main thread serves them:
//   - from an aircraft field change to the new value being readable at its
//     FSUIPC offset, and from a command word stored at 0x9400 to the aircraft
//     receiving the command (EVENTS each, every one started at a random moment
//     of the cycle);
//   - the cycle period, as the time between the worker's exchanges (CYCLES
//     periods of the idle worker; other programs' exchanges, such as a monitor's
//     beside it, are not counted), the exchanges per second and their size;
//   - the worker thread's CPU time per second of running.
// The client's command word is stored into FSUIPC's offsets as FSUIPC stores a
// client's write record. Exits 0 when every event arrived.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <random>
#include <vector>

#include "core/sample_stats.h"
#include "modes.h"
#include "win/message_pump.h"
#include "win/plugin_session.h"
#include "win/plugin_threads.h"
#include "win/steady_milliseconds.h"

namespace ulvo::testbed {
namespace {

constexpr uint32_t kAnnunciatorField = 0x060;  // SdkBlock; bit 7 of the byte at 0x9402
constexpr uint32_t kAnnunciatorByte = 0x9402;
constexpr uint32_t kCommandWord = 0x9400;

int64_t ThreadCpu100ns(HANDLE thread) {
    FILETIME created, ended, kernel, user;
    if (!GetThreadTimes(thread, &created, &ended, &kernel, &user)) {
        return -1;
    }
    auto ticks = [](const FILETIME& t) {
        return (int64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return ticks(kernel) + ticks(user);
}

// The real plug-in, started and confirmed, its worker running; FSUIPC stamps
// every exchange it serves.
struct MeasuredPlugin {
    MeasuredPlugin() : session(Options(this)) {}

    static TestbedOptions Options(MeasuredPlugin* plugin) {
        TestbedOptions options;
        options.fsuipc->onExchange = [plugin](const FsuipcServedExchange& served) {
            if (!OfThisProcess(served)) {
                return;
            }
            plugin->exchanges.push_back({SteadyMilliseconds(), served.log.bytes, served.log.reads,
                                         uint32_t(served.log.writes.size())});
        };
        return options;
    }

    bool Start() {
        const bool running = session.StartRunning();
        const std::vector<DWORD> threads = session.PluginThreads();
        worker = threads.size() == 1 ? threads[0] : 0;
        return running && worker != 0;
    }

    struct Exchange {
        double at;  // milliseconds
        uint32_t bytes;
        uint32_t reads;
        uint32_t writes;
    };
    std::vector<Exchange> exchanges;
    PluginSession session;
    Testbed& testbed = session.testbed;
    DWORD worker = 0;
};

void Report(const wchar_t* what, const std::vector<double>& milliseconds) {
    const SampleStats stats = Summarize(milliseconds);
    std::wprintf(L"%-28ls samples %zu  median %.2f ms  mean %.2f ms  p99 %.2f ms  max %.2f ms\n",
                 what, stats.count, stats.median, stats.mean, stats.p99, stats.max);
    std::fflush(stdout);
}

// Each event starts at a random moment of the worker's cycle. This thread pumps
// without blocking until a random point within 7 ms has passed: had it slept,
// it would mostly wake when the worker's exchange does, right after a cycle's
// copy, and every event would wait a whole cycle.
void WaitRandomly(std::mt19937& rng) {
    const double until = SteadyMilliseconds() + double(rng() % 7000) / 1000.0;
    while (SteadyMilliseconds() < until) {
        PumpPending();
    }
}

bool FieldToOffset(MeasuredPlugin& plugin, size_t events, std::mt19937& rng) {
    std::vector<double> latencies;
    int32_t lit = 0;
    for (size_t i = 0; i < events; ++i) {
        WaitRandomly(rng);
        lit ^= 1;
        plugin.testbed.aircraft.SetI32(AircraftParty::Block::Sdk, kAnnunciatorField, lit);
        const double start = SteadyMilliseconds();
        const uint8_t expected = lit ? 0x80 : 0x00;
        if (!PumpUntil([&] { return plugin.testbed.fsuipc->U8(kAnnunciatorByte) == expected; },
                       kPatience)) {
            std::wprintf(L"field change %zu never reached FSUIPC\n", i);
            return false;
        }
        latencies.push_back(SteadyMilliseconds() - start);
    }
    Report(L"field change to FSUIPC", latencies);
    return true;
}

bool CommandToAircraft(MeasuredPlugin& plugin, size_t events, std::mt19937& rng) {
    std::vector<double> latencies;
    AircraftParty& aircraft = plugin.testbed.aircraft;
    for (size_t i = 0; i < events; ++i) {
        WaitRandomly(rng);
        const uint16_t code = uint16_t(100 + i % 400);  // plain commands, posted as they are
        plugin.testbed.fsuipc->SetU16(kCommandWord, code);
        const double start = SteadyMilliseconds();
        if (!PumpUntil([&] { return !aircraft.Commands().empty(); }, kPatience)) {
            std::wprintf(L"command %zu never reached the aircraft\n", i);
            return false;
        }
        latencies.push_back(SteadyMilliseconds() - start);
        const std::vector<AircraftParty::Command> received = aircraft.TakeCommands();
        if (received != std::vector<AircraftParty::Command>{{code, 0}} ||
            !PumpUntil([&] { return plugin.testbed.fsuipc->U16(kCommandWord) == 0xFFFF; },
                       kPatience)) {
            std::wprintf(L"command %zu arrived wrongly or was not cleared\n", i);
            return false;
        }
    }
    PumpFor(std::chrono::milliseconds(20));
    if (!aircraft.Commands().empty()) {
        std::wprintf(L"a command arrived twice\n");
        return false;
    }
    Report(L"command word to aircraft", latencies);
    return true;
}

bool IdleCycles(MeasuredPlugin& plugin, size_t cycles) {
    HANDLE worker = OpenThread(THREAD_QUERY_LIMITED_INFORMATION, FALSE, plugin.worker);
    if (worker == nullptr) {
        return false;
    }
    PumpFor(std::chrono::milliseconds(50));
    plugin.exchanges.clear();
    const int64_t cpuBefore = ThreadCpu100ns(worker);
    const double start = SteadyMilliseconds();
    const bool done = PumpUntil([&] { return plugin.exchanges.size() > cycles; },
                                std::chrono::milliseconds(cycles * 20 + 10000));
    const double wall = SteadyMilliseconds() - start;
    const int64_t cpuAfter = ThreadCpu100ns(worker);
    CloseHandle(worker);
    if (!done) {
        std::wprintf(L"the worker made only %zu exchanges\n", plugin.exchanges.size());
        return false;
    }
    std::vector<double> periods;
    uint64_t bytes = 0, reads = 0, writes = 0;
    for (size_t i = 1; i < plugin.exchanges.size(); ++i) {
        periods.push_back(plugin.exchanges[i].at - plugin.exchanges[i - 1].at);
    }
    for (const MeasuredPlugin::Exchange& exchange : plugin.exchanges) {
        bytes += exchange.bytes;
        reads += exchange.reads;
        writes += exchange.writes;
    }
    const double n = double(plugin.exchanges.size());
    Report(L"cycle period (idle)", periods);
    std::wprintf(L"%-28ls %.1f per second  %.1f bytes each (%.1f reads, %.1f writes)\n",
                 L"idle exchanges", n * 1000.0 / wall, double(bytes) / n + 4, double(reads) / n,
                 double(writes) / n);
    if (cpuBefore >= 0 && cpuAfter >= 0) {
        const double cpuMs = double(cpuAfter - cpuBefore) / 1e4;
        std::wprintf(L"%-28ls %.3f%% of one core (%.1f ms in %.1f s)\n", L"worker CPU (idle)",
                     100.0 * cpuMs / wall, cpuMs, wall / 1000.0);
    } else {
        std::wprintf(L"%-28ls not reported by the system\n", L"worker CPU (idle)");
    }
    return true;
}

int RunBridgeLatency(int argc, wchar_t** argv) {
    const size_t events = argc >= 2 ? std::wcstoul(argv[1], nullptr, 10) : 1000;
    const size_t cycles = argc >= 3 ? std::wcstoul(argv[2], nullptr, 10) : 10000;
    if (events == 0 || cycles < 2) {
        std::fwprintf(stderr, L"usage: testbed.exe bridge-latency [EVENTS] [CYCLES >= 2]\n");
        return 2;
    }
    MeasuredPlugin plugin;
    if (!plugin.Start()) {
        std::wprintf(L"the plug-in did not start its worker\n");
        return 1;
    }
    std::mt19937 rng(1);
    const bool ok = FieldToOffset(plugin, events, rng) && CommandToAircraft(plugin, events, rng) &&
                    IdleCycles(plugin, cycles);
    plugin.testbed.host.DeliverMessage(P3D::kMessageShutdown);
    return ok ? 0 : 1;
}

const TestbedMode bridgeLatencyMode(L"bridge-latency",
                                    L"latencies, cycle period and CPU of the real plug-in",
                                    RunBridgeLatency);

}  // namespace
}  // namespace ulvo::testbed
