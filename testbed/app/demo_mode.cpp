// `testbed.exe demo`: a whole simulator session with the real DLL, every party
// present. It starts the plug-in, confirms the aircraft at the first tick, shows
// aircraft values reaching FSUIPC and a command travelling back, lets GSX ask for
// a door, shuts down, and prints the log the plug-in wrote. Each step says what
// happened; a step that did not happen makes the demo fail.
#include <cstdio>
#include <string>
#include <vector>

#include "core/simconnect_message_text.h"
#include "modes.h"
#include "win/message_pump.h"
#include "win/plugin_threads.h"
#include "win/testbed.h"

namespace ulvo::testbed {
namespace {

constexpr std::chrono::milliseconds kPatience(3000);
using Block = AircraftParty::Block;

std::string Hex(unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%02X", value);
    return text;
}

class Demo {
  public:
    int Run();

  private:
    void Say(const std::string& text) { std::printf("testbed: %s\n", text.c_str()); }
    // Reports a step's outcome; a step that did not happen fails the demo.
    void Check(bool happened, const std::string& text) {
        std::printf("  %s %s\n", happened ? "->" : "!! NOT SEEN:", text.c_str());
        failed |= !happened;
    }
    bool PumpUntil(const std::function<bool()>& done) {
        return testbed::PumpUntil(done, kPatience);
    }
    uint16_t U16(uint32_t offset) {
        return testbed.fsuipc->WithSpace([&](FsuipcOffsetSpace& s) { return s.U16(offset); });
    }
    uint8_t U8(uint32_t offset) {
        return testbed.fsuipc->WithSpace([&](FsuipcOffsetSpace& s) { return s.U8(offset); });
    }
    void SetU16(uint32_t offset, uint16_t value) {
        testbed.fsuipc->WithSpace([&](FsuipcOffsetSpace& s) {
            s.SetU16(offset, value);
            return 0;
        });
    }
    // Prints the SimConnect messages that arrived since the last call.
    void PrintSimConnectMessages(size_t atLeast);
    void PrintLog();

    void Start();
    void ConfirmAircraft();
    void ShowValuesFlowing();
    void CommandRoundTrip();
    void GsxRequests();
    void ShutDown();

    Testbed testbed;
    size_t simConnectSeen = 0;
    bool failed = false;
};

void Demo::PrintSimConnectMessages(size_t atLeast) {
    SimConnectServer& server = testbed.simConnect->server;
    server.WaitForMessages(0, atLeast, kPatience);
    const std::vector<Bytes> messages = server.Messages(0);
    Check(messages.size() >= atLeast, "SimConnect server received " +
                                          std::to_string(messages.size() - simConnectSeen) +
                                          " messages on the pipe:");
    for (size_t i = simConnectSeen; i < messages.size(); ++i) {
        std::printf("       #%zu %s\n", i + 1, SimConnectMessageText(messages[i]).c_str());
    }
    simConnectSeen = messages.size();
}

void Demo::Start() {
    std::printf("testbed: loading %ls\n", testbed.plugin.DllPath().c_str());
    const bool started = testbed.plugin.LoadAndStart();
    Check(started, "DLLStart done, " + std::to_string(testbed.host.events.RegisteredCount()) +
                       " host callbacks registered");
    // No FSUIPC client has written a command yet: the command word is idle.
    SetU16(0x9400, 0xFFFF);
    // The aircraft's Display02 shows 2 5 0; the annunciator at 0x060 is dark.
    for (auto [offset, digit] : {std::pair{0x1A8u, 2}, {0x1ACu, 5}, {0x1B0u, 0}}) {
        testbed.aircraft.SetI32(Block::Sdk, offset, digit);
    }
    Say("message 407 (loading complete): the plug-in opens its log and its connections");
    testbed.host.DeliverMessage(P3D::kMessageLoadingComplete);
    PrintSimConnectMessages(11);
}

void Demo::ConfirmAircraft() {
    Say("one-second tick: the aircraft reports state 1 at Sdk2Block 0x1A70");
    testbed.host.DeliverOneSecond();
    Check(ThreadsStartedIn(testbed.plugin.Module()).size() == 1,
          "the plug-in runs its worker thread");
    const uint64_t start = testbed.fsuipc->ExchangeCount();
    const bool exchanging =
        PumpUntil([&] { return testbed.fsuipc->ExchangeCount() >= start + 20; });
    Check(exchanging, "the worker exchanges with FSUIPC every cycle (" +
                          std::to_string(testbed.fsuipc->ExchangeCount() - start) +
                          " exchanges so far)");
}

void Demo::ShowValuesFlowing() {
    Say("values flowing from the aircraft to FSUIPC:");
    const struct {
        uint32_t field;  // SdkBlock offset, 32-bit
        int32_t value;
        const char* change;
        uint32_t offset;  // FSUIPC
        bool word;        // 16-bit, else one byte
        unsigned reads;
    } steps[] = {
        {0x1B0, 0, "Display02 shows 2 5 0", 0x9434, true, 250},
        {0x1B0, 7, "Display02 shows 2 5 7", 0x9434, true, 257},
        {0x060, 1, "the annunciator at 0x060 lights", 0x9402, false, 0x80},
        {0x060, 0, "the annunciator at 0x060 goes dark", 0x9402, false, 0x00},
    };
    for (const auto& step : steps) {
        testbed.aircraft.SetI32(Block::Sdk, step.field, step.value);
        auto read = [&]() -> unsigned { return step.word ? U16(step.offset) : U8(step.offset); };
        const bool arrived = PumpUntil([&] { return read() == step.reads; });
        Check(arrived, std::string("aircraft: ") + step.change + "; FSUIPC " + Hex(step.offset) +
                           " reads " + (step.word ? std::to_string(read()) : Hex(read())));
    }
}

void Demo::CommandRoundTrip() {
    Say("a command from an FSUIPC client: 1298 (step level up) written at 0x9400");
    testbed.aircraft.TakeCommands();
    SetU16(0x9400, 1298);
    const bool received = PumpUntil([&] { return !testbed.aircraft.Commands().empty(); });
    Check(received && testbed.aircraft.Commands()[0] == AircraftParty::Command{1299, 2},
          "the aircraft received command 1299 with value 2");
    Check(PumpUntil([&] { return U16(0x9400) == 0xFFFF; }),
          "FSUIPC 0x9400 reads 0xFFFF again (idle)");
}

void Demo::GsxRequests() {
    Say("GSX asks for the main exit (FSDT_GSX_AIRCRAFT_EXIT_1_TOGGLE = 1), one-second tick");
    testbed.host.namedVariables.Set("FSDT_GSX_AIRCRAFT_EXIT_1_TOGGLE", 1.0);
    testbed.host.DeliverOneSecond();
    testbed.host.namedVariables.Set("FSDT_GSX_AIRCRAFT_EXIT_1_TOGGLE", 0.0);
    PrintSimConnectMessages(simConnectSeen + 2);

    Say("GSX connects jetway power (FSDT_GSX_JETWAY_POWER = 5), one-second tick");
    testbed.aircraft.TakeCommands();
    testbed.host.namedVariables.Set("FSDT_GSX_JETWAY_POWER", 5.0);
    testbed.host.DeliverOneSecond();
    const bool received = PumpUntil([&] { return !testbed.aircraft.Commands().empty(); });
    Check(received && testbed.aircraft.Commands()[0] == AircraftParty::Command{1215, 0},
          "the aircraft received command 1215");
}

void Demo::ShutDown() {
    Say("message 55 (shutdown)");
    testbed.host.DeliverMessage(P3D::kMessageShutdown);
    Check(ThreadsStartedIn(testbed.plugin.Module()).empty(), "the worker thread has ended");
    Check(testbed.simConnect->server.WaitForEnd(0, kPatience), "the SimConnect client has closed");
    testbed.plugin.StopAndUnload();
    long outstanding = 0;
    for (const auto& [object, references] : testbed.host.OutstandingReferences()) {
        outstanding += references;
    }
    Check(testbed.plugin.CallbacksLeftRegistered() == 0 && outstanding == 0,
          "DLLStop done: " + std::to_string(testbed.plugin.CallbacksLeftRegistered()) +
              " callbacks still registered, " + std::to_string(outstanding) +
              " host references not given back");
    for (const auto& alert : testbed.host.reporting.alerts) {
        std::printf("testbed: alert shown: %ls\n", alert.text.c_str());
    }
}

// Prints the log line by line; an unfinished last line is marked as such.
void Demo::PrintLog() {
    std::printf("testbed: the plug-in's log, %ls:\n", testbed.plugin.LogPath().c_str());
    const std::string bytes = testbed.plugin.ReadLog();
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

int Demo::Run() {
    if (!testbed.plugin.Ready()) {
        std::printf("testbed: cannot copy %ls into a folder of its own\n",
                    PluginLoader::DefaultDllSource().c_str());
        return 1;
    }
    Start();
    ConfirmAircraft();
    ShowValuesFlowing();
    CommandRoundTrip();
    GsxRequests();
    ShutDown();
    PrintLog();
    if (failed) {
        Say("some steps did not happen (marked !!)");
    }
    return failed ? 1 : 0;
}

int RunDemo(int, wchar_t**) {
    Demo demo;
    return demo.Run();
}

const TestbedMode demoMode(L"demo",
                           L"a whole session with the DLL: start, values, a command, GSX, "
                           L"shutdown, then its log",
                           RunDemo);

}  // namespace
}  // namespace ulvo::testbed
