// `testbed.exe fsuipc-latency [EXCHANGES]`: measures the round trip of one FSUIPC
// exchange as the bridge makes it every cycle (one two-byte and 22 one-byte reads)
// with FSUIPC on the same thread, on another thread of this process, and in
// another process (testbed.exe fsuipc-server). Prints median and spread per case.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <functional>
#include <string>
#include <vector>

#include "fsuipc/win/fsuipc_platform_win.h"
#include "modes.h"
#include "win/fsuipc_party.h"
#include "win/testbed_process.h"

namespace ulvo::testbed {
namespace {

using fsuipc::FsuipcLink;

constexpr int kDefaultExchanges = 2000;
constexpr int kWarmUp = 50;
constexpr uint32_t kCommandBlock = 0x9400;

// Microseconds per exchange, or empty when an exchange failed.
std::vector<double> MeasureExchanges(int exchanges) {
    fsuipc::Win32FsuipcPlatform platform;
    FsuipcLink link(platform);
    uint32_t result = 0;
    if (!link.Open(result)) {
        std::fwprintf(stderr, L"  open failed with code %u\n", result);
        return {};
    }
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    uint8_t destination[24] = {};
    std::vector<double> micros;
    micros.reserve(exchanges);
    for (int i = 0; i < kWarmUp + exchanges; ++i) {
        bool queued = link.Read(kCommandBlock, 2, destination, result);
        for (uint32_t control = 0; control < 22; ++control) {
            queued = queued &&
                     link.Read(kCommandBlock + 2 + control, 1, destination + 2 + control, result);
        }
        QueryPerformanceCounter(&start);
        const bool processed = queued && link.Process(result);
        QueryPerformanceCounter(&end);
        if (!processed) {
            std::fwprintf(stderr, L"  exchange failed with code %u\n", result);
            return {};
        }
        if (i >= kWarmUp) {
            micros.push_back(double(end.QuadPart - start.QuadPart) * 1e6 /
                             double(frequency.QuadPart));
        }
    }
    link.Close();
    return micros;
}

void Report(const wchar_t* placement, std::vector<double> micros) {
    if (micros.empty()) {
        std::wprintf(L"%-24ls failed\n", placement);
        return;
    }
    std::sort(micros.begin(), micros.end());
    auto at = [&micros](double share) { return micros[size_t(share * double(micros.size() - 1))]; };
    std::wprintf(
        L"%-24ls exchanges %zu  median %.1f us  p10 %.1f us  p90 %.1f us  p99 %.1f us  max "
        L"%.1f us\n",
        placement, micros.size(), at(0.5), at(0.1), at(0.9), at(0.99), micros.back());
    std::fflush(stdout);
}

int RunFsuipcLatency(int argc, wchar_t** argv) {
    int exchanges = kDefaultExchanges;
    if (argc >= 2) {
        exchanges = std::wcstol(argv[1], nullptr, 10);
        if (exchanges <= 0 || exchanges > 1000000) {
            std::fwprintf(stderr, L"usage: testbed.exe fsuipc-latency [EXCHANGES]\n");
            return 2;
        }
    }
    bool allMeasured = true;
    auto run = [&](const wchar_t* placement, const std::function<std::vector<double>()>& measure) {
        std::vector<double> micros = measure();
        allMeasured = allMeasured && !micros.empty();
        Report(placement, std::move(micros));
    };

    run(L"same thread", [&] {
        FsuipcParty party(FsuipcParty::Options{});  // a send to our own window is a direct call
        return MeasureExchanges(exchanges);
    });
    run(L"other thread", [&] {
        FsuipcParty::Options options;
        options.thread = FsuipcParty::Thread::kOwn;
        FsuipcParty party(options);
        return MeasureExchanges(exchanges);
    });
    run(L"other process", [&] {
        TestbedProcess server(L"fsuipc-server");
        const auto ready = server.ReadLine(kTestbedAnswerTimeout);
        if (!ready || ready->rfind("ready", 0) != 0) {
            std::fwprintf(stderr, L"  fsuipc-server did not start\n");
            return std::vector<double>{};
        }
        return MeasureExchanges(exchanges);
    });
    return allMeasured ? 0 : 1;
}

const TestbedMode fsuipcLatencyMode(L"fsuipc-latency",
                                    L"round trip of one FSUIPC exchange with 23 small reads",
                                    RunFsuipcLatency);

}  // namespace
}  // namespace ulvo::testbed
