// `testbed.exe demo`: plays a short simulator session with the real DLL and
// prints the log the plug-in wrote.
#include <cstdio>
#include <string>

#include "modes.h"
#include "win/testbed.h"

namespace ulvo::testbed {
namespace {

void Say(const char* text) {
    std::printf("testbed: %s\n", text);
}

// Prints the log line by line; an unfinished last line is marked as such.
void PrintLog(const std::string& bytes) {
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) {
            std::printf("  | %s   (line not ended)\n", bytes.substr(start).c_str());
            return;
        }
        std::printf("  | %s\n", bytes.substr(start, end - start).c_str());
        start = end + 2;
    }
}

int RunDemo(int, wchar_t**) {
    TestbedOptions options;
    options.host.vehicleTitle = L"Ulvo 737-800 Testbed";
    Testbed testbed(options);
    if (!testbed.plugin.Ready()) {
        std::printf("testbed: cannot copy %ls into a folder of its own\n",
                    PluginLoader::DefaultDllSource().c_str());
        return 1;
    }
    std::printf("testbed: loading %ls\n", testbed.plugin.DllPath().c_str());
    if (!testbed.plugin.LoadAndStart()) {
        Say("the DLL did not load or lacks DLLStart/DLLStop");
        return 1;
    }
    std::printf("testbed: DLLStart done, %zu host callbacks registered\n",
                testbed.host.events.RegisteredCount());

    Say("message 407 (loading complete)");
    testbed.host.DeliverMessage(P3D::kMessageLoadingComplete);
    Say("one-second tick");
    testbed.host.DeliverOneSecond();
    Say("message 55 (shutdown)");
    testbed.host.DeliverMessage(P3D::kMessageShutdown);

    testbed.plugin.StopAndUnload();
    long outstanding = 0;
    for (const auto& [object, references] : testbed.host.OutstandingReferences()) {
        outstanding += references;
    }
    std::printf(
        "testbed: DLLStop done, %zu callbacks still registered, %ld host references "
        "not given back\n",
        testbed.plugin.CallbacksLeftRegistered(), outstanding);
    for (const auto& alert : testbed.host.reporting.alerts) {
        std::printf("testbed: alert shown: %ls\n", alert.text.c_str());
    }

    std::printf("testbed: the plug-in's log, %ls:\n", testbed.plugin.LogPath().c_str());
    PrintLog(testbed.plugin.ReadLog());
    return 0;
}

const TestbedMode demoMode(L"demo", L"load the DLL, start, tick, shut down, print its log",
                           RunDemo);

}  // namespace
}  // namespace ulvo::testbed
