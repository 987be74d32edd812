#include "demo_session.h"

#include <algorithm>
#include <cstdio>

#include "bridge/bit_word_table.h"
#include "bridge/control_table.h"
#include "bridge/display_table.h"
#include "core/expected_log_lines.h"
#include "core/simconnect_message_text.h"
#include "monitor/win/console.h"
#include "offsets/ansi.h"
#include "offsets/block_view.h"
#include "offsets/cockpit_map.h"
#include "win/message_pump.h"
#include "win/plugin_threads.h"
#include "win/testbed_process.h"

namespace ulvo::testbed {

namespace {

using namespace std::chrono_literals;
using Block = AircraftParty::Block;
namespace ansi = tools::ansi;

constexpr size_t kSimConnectOpenMessages = 11;  // open, 5 events, 4 datums, 1 request

// Displays the script moves, by their rows in the bridge's table.
constexpr uint8_t kCabinAltitude = 0;    // Display00
constexpr uint8_t kLandingAltitude = 1;  // Display01
constexpr uint8_t kSpeedWindow = 3;      // Display03
constexpr uint8_t kAltitudeWindow = 5;   // Display05
constexpr uint8_t kVerticalSpeed = 6;    // Display06

// Real-valued further values: SdkBlock field, value, FSUIPC offset, published.
struct FurtherStep {
    uint32_t field;
    double value;
    uint32_t offset;
    uint16_t published;
};
constexpr FurtherStep kFurtherSteps[] = {{0xF88, 0.25, 0x9477, 250}, {0x100, 12.34, 0x948A, 123}};

uint32_t Slot(uint8_t display) {
    return bridge::kDisplayRows[display].publishedOffset;
}

}  // namespace

DemoSession::DemoSession(const DemoOptions& demoOptions)
    : options(demoOptions), session([] {
          TestbedOptions testbedOptions;
          testbedOptions.host.vehicleTitle = L"Ulvo 737-800 Testbed";
          return testbedOptions;
      }()) {}

// --- the script -------------------------------------------------------------

void DemoSession::LoadPlugin() {
    Begin("The simulator loads Ulvo2FSUIPC.dll and calls DLLStart");
    Show(kAltitudeWindow, 10000);
    Show(kSpeedWindow, 250);
    Show(kCabinAltitude, 35000);
    Show(kLandingAltitude, 150);
    Show(kVerticalSpeed, "blank");
    // The vertical-speed window's sign position shows no sign: climbing.
    testbed.aircraft.SetI32(Block::Sdk, bridge::kSignFieldOfDisplay06, 10);
    const bool loaded = testbed.plugin.LoadAndStart();
    Check(loaded && testbed.host.events.RegisteredCount() == 4,
          "DLLStart registered the plug-in's 4 host callbacks");
    Hold(800ms);
    End();
}

void DemoSession::OpenConnections() {
    Begin("Message 407 (loading complete): the log and the connections open");
    testbed.host.DeliverMessage(P3D::kMessageLoadingComplete);
    Check(WaitFor(
              [&] { return !log.empty() && log.back() == "All connections opened and started."; }),
          "the log reads from \"Logfile opened\" to \"All connections opened and started.\"");
    Check(WaitFor([&] {
              return simConnectSeen.size() == 1 && simConnectSeen[0] == kSimConnectOpenMessages;
          }),
          "SimConnect: the plug-in opened its client and sent its 11 set-up messages");
    Hold(1500ms);
    End();
}

void DemoSession::ConfirmAircraft() {
    Begin("First one-second tick: the aircraft reports state 1, the worker starts");
    testbed.host.DeliverOneSecond();
    Check(WaitFor([&] { return !log.empty() && log.back() == "Started ulvo2fsuipc thread."; }),
          "the log reads \"Ulvo State is 1. All good to go\" and \"Started ulvo2fsuipc thread.\"");
    // The log line comes from the host thread once the worker is created, maybe
    // before Wine shows the new thread's start address.
    Check(WaitFor([&] { return ThreadsStartedIn(testbed.plugin.Module()).size() == 1; }),
          "one worker thread runs in the plug-in");
    Check(
        WaitFor([&] { return CountCommands(0, 0) == 1 && testbed.fsuipc->U16(0x9400) == 0xFFFF; }),
        "its first cycle found 0 at 0x9400 (a fresh FSUIPC), performed command 0 once and "
        "cleared the word to idle");
    Check(WaitFor([&] {
              return testbed.fsuipc->U16(Slot(kAltitudeWindow)) == 10000 &&
                     testbed.fsuipc->U16(Slot(kSpeedWindow)) == 250 &&
                     testbed.fsuipc->U16(Slot(kCabinAltitude)) == 35000 &&
                     testbed.fsuipc->U16(Slot(kVerticalSpeed)) == 0xFFFF;
          }),
          "the displays reach FSUIPC: 0x943A 10000, 0x9436 250, 0x9430 35000, 0x943C blank");
    Hold(1500ms);
    End();
}

void DemoSession::CountDisplays() {
    Begin("The aircraft climbs: the altitude window counts to 12000, speed to 280");
    Show(kVerticalSpeed, 1500);
    for (int i = 1; i <= 20; ++i) {
        Show(kAltitudeWindow, 10000 + 100 * i);
        Show(kSpeedWindow, 250 + (30 * i) / 20);
        Hold(150ms, 10ms);
    }
    Check(WaitFor([&] {
              return testbed.fsuipc->U16(Slot(kAltitudeWindow)) == 12000 &&
                     testbed.fsuipc->U16(Slot(kSpeedWindow)) == 280 &&
                     testbed.fsuipc->U16(Slot(kVerticalSpeed)) == 1500;
          }),
          "FSUIPC 0x943A reads 12000, 0x9436 280, 0x943C 1500");
    Hold(800ms);
    End();
}

void DemoSession::BlinkAnnunciators() {
    Begin("Annunciators blink (0x9402, 0x9403) and further values change");
    const bridge::BitWordRow& lamps = bridge::kBitWordRows[0];
    const bridge::BitWordRow& caution = bridge::kBitWordRows[1];
    for (int frame = 0; frame < 16; ++frame) {
        for (int bit = 0; bit < 8; ++bit) {
            SetLamp(lamps.bits[bit].field, bit == frame % 8);
        }
        SetLamp(caution.bits[0].field, frame % 2 == 0);
        SetLamp(caution.bits[1].field, frame % 2 == 1);
        Hold(180ms, 10ms);
    }
    SetLamp(lamps.bits[7].field, true);  // ends with bits 0 and 7 lit
    SetLamp(lamps.bits[0].field, true);
    for (const FurtherStep& further : kFurtherSteps) {
        testbed.aircraft.SetF64(Block::Sdk, further.field, further.value);
    }
    Check(WaitFor([&] { return testbed.fsuipc->U8(lamps.publishedOffset) == 0x81; }),
          "FSUIPC 0x9402 reads 10000001");
    Check(WaitFor([&] {
              return std::all_of(std::begin(kFurtherSteps), std::end(kFurtherSteps),
                                 [&](const FurtherStep& further) {
                                     return testbed.fsuipc->U16(further.offset) ==
                                            further.published;
                                 });
          }),
          "further values: 0x9477 reads 250 (0.250 x1000), 0x948A 123 (12.34 x10)");
    Hold(800ms);
    End();
}

void DemoSession::CommandFromClient() {
    Begin("An FSUIPC client (ulvo-monitor.exe) writes command 1298 at 0x9400");
    TestbedProcess client(L"--command 1298 --once", L"ulvo-monitor.exe");
    std::optional<DWORD> exitCode;
    WaitFor([&] { return (exitCode = client.WaitForExit(0ms)).has_value(); },
            kTestbedAnswerTimeout);
    bool wrote = false;
    while (auto line = client.ReadLine(0ms)) {
        wrote = wrote || *line == "wrote command 1298 at 0x9400";
    }
    Check(exitCode == 0u && wrote, "ulvo-monitor.exe said: wrote command 1298 at 0x9400");
    Check(WaitFor(
              [&] { return CountCommands(1299, 2) == 1 && testbed.fsuipc->U16(0x9400) == 0xFFFF; }),
          "the aircraft received 1299 = 2 (step level 1 -> 2); 0x9400 reads idle again");
    Hold(600ms, 50ms);
    Check(CountCommands(1299, 2) == 1, "the command arrived exactly once");
    End();
}

void DemoSession::TurnKnobs() {
    Begin("A panel turns the altitude knob 5 steps up (0x94F0), a selector 3 (0x94F8)");
    for (uint8_t counter = 1; counter <= 5; ++counter) {
        testbed.fsuipc->SetU8(0x94F0, counter);
        Hold(250ms, 40ms);
    }
    auto knobValues = [&] {
        std::vector<int64_t> values;
        for (const auto& [code, value] : commands) {
            if (code == 1232) {
                values.push_back(value);
            }
        }
        return values;
    };
    Check(WaitFor([&] { return !knobValues().empty() && knobValues().back() == 12500; }),
          "the aircraft's altitude set value went from 12000 to 12500 (command 1232)");
    const auto values = knobValues();
    Check(
        std::is_sorted(values.begin(), values.end()) &&
            std::all_of(values.begin(), values.end(),
                        [](int64_t value) { return value % 100 == 0; }),
        "in 100 ft steps, each step sent once: " + [&] {
            std::string text;
            for (int64_t value : values) {
                text += (text.empty() ? "" : " ") + std::to_string(value);
            }
            return text;
        }());
    Show(kAltitudeWindow, 12500);  // the aircraft follows
    testbed.fsuipc->SetU8(0x94F8, 3);
    Check(WaitFor([&] { return CountCommands(628, 0) == 3; }),
          "three steps up: the aircraft received 628 three times");
    Hold(500ms, 50ms);
    Check(CountCommands(628, 0) == 3, "and not once more");
    End();
}

void DemoSession::GsxDoorAndJetway() {
    Begin("GSX asks for the main exit, then connects jetway power");
    const size_t before = simConnectSeen.empty() ? 0 : simConnectSeen[0];
    gsx.Ask(GsxDoors::Door::kMainExit, GsxDoors::Action::kOpen);
    testbed.host.DeliverOneSecond();
    Check(WaitFor([&] { return simConnectSeen[0] == before + 2; }),
          "SimConnect: TOGGLE_AIRCRAFT_EXIT then SELECT_1 transmitted");
    Check(gsx.IsOpen(GsxDoors::Door::kMainExit) && !gsx.IsAsked(GsxDoors::Door::kMainExit),
          "the main exit is open, and GSX no longer asks for it");
    Check(!log.empty() && log.back() == "Main exit toggle requested.",
          "the log reads \"Main exit toggle requested.\"");
    Hold(1200ms);
    gsx.Jetway(groundservices::Jetway::kPower, 5.0);
    testbed.host.DeliverOneSecond();
    Check(WaitFor([&] { return CountCommands(1215, 0) == 1; }),
          "the aircraft received 1215 (jetway power connected)");
    Check(!log.empty() && log.back() == "Jetway Power status changed to value: 5",
          "the log reads \"Jetway Power status changed to value: 5\"");
    Hold(1200ms);
    End();
}

void DemoSession::ReloadAircraft() {
    Begin("The user reloads the aircraft (message 578): close, reopen, restart");
    testbed.host.DeliverMessage(P3D::kMessageVehicleChanged);
    Check(WaitFor([&] { return ThreadsStartedIn(testbed.plugin.Module()).empty(); }),
          "the worker stopped");
    Check(WaitFor([&] {
              return simConnectSeen.size() == 2 && simConnectSeen[1] == kSimConnectOpenMessages;
          }),
          "SimConnect: a new client opened with its 11 set-up messages");
    Hold(1000ms);
    testbed.host.DeliverOneSecond();
    Check(WaitFor([&] { return ThreadsStartedIn(testbed.plugin.Module()).size() == 1; }),
          "the next tick found state 1 and started a new worker");
    for (int i = 1; i <= 5; ++i) {
        Show(kAltitudeWindow, 12500 + 100 * i);
        Hold(150ms, 10ms);
    }
    Check(WaitFor([&] { return testbed.fsuipc->U16(Slot(kAltitudeWindow)) == 13000; }),
          "values flow again: 0x943A reads 13000");
    Hold(800ms);
    End();
}

void DemoSession::ShutDown() {
    Begin("Message 55 (shutdown), then DLLStop");
    testbed.host.DeliverMessage(P3D::kMessageShutdown);
    Check(WaitFor([&] { return ThreadsStartedIn(testbed.plugin.Module()).empty(); }),
          "the worker thread has ended");
    Check(testbed.simConnect->server.WaitForEnd(1, 5s), "the SimConnect client has closed");
    Collect();
    Check(!log.empty() && log.back() == "Logfile closed", "the log ends with \"Logfile closed\"");
    Hold(800ms);
    testbed.plugin.StopAndUnload();
    long outstanding = 0;
    for (const auto& [object, references] : testbed.host.OutstandingReferences()) {
        outstanding += references;
    }
    Check(testbed.plugin.CallbacksLeftRegistered() == 0 && outstanding == 0,
          "DLLStop: no callback left registered, every host reference given back");
    Check(testbed.host.reporting.alerts.empty(), "the host was never asked to show an alert");
    End();
}

void DemoSession::CheckWholeLog() {
    const LineList open = Then(kConnectionsOpenedLines, {kStateOneLine, kWorkerStartedLine});
    const LineList close = Then({kWorkerClosingLine}, kConnectionsClosedLines);
    const std::string vehicle = "Vehicle load detected: Ulvo 737-800 Testbed";
    LineList expected = Then({"Logfile opened", vehicle}, open);
    expected =
        Then(expected, {"Main exit toggle requested.", "Jetway Power status changed to value: 5"});
    expected = Then(Then(expected, close), {vehicle});
    expected = Then(Then(Then(expected, open), close), {"Logfile closed"});
    Collect();
    Check(log == expected, "the whole log holds exactly the " + std::to_string(expected.size()) +
                               " lines of this session, in order");
}

int DemoSession::Run() {
    if (!testbed.plugin.Ready() || !testbed.fsuipc || !testbed.simConnect) {
        tools::Print("testbed: cannot set up the simulator (the DLL, FSUIPC or SimConnect)\n");
        return 1;
    }
    if (options.live) {
        tools::Print(std::string(ansi::kHideCursor) + "\x1b[2J");
    }
    LoadPlugin();
    OpenConnections();
    ConfirmAircraft();
    CountDisplays();
    BlinkAnnunciators();
    CommandFromClient();
    TurnKnobs();
    GsxDoorAndJetway();
    ReloadAircraft();
    ShutDown();
    CheckWholeLog();
    step = "finished";
    Draw(true);

    std::string summary = options.live ? std::string(ansi::kShowCursor) : "";
    if (!options.live) {
        summary += "\nThe offset block at the end (as ulvo-monitor.exe shows it):\n";
        for (const std::string& line : tools::RenderBlockView(
                 tools::MakeBlockView(session.Block(), nullptr), {options.width, false})) {
            summary += "  " + line + "\n";
        }
    }
    char text[160];
    std::snprintf(text, sizeof text, "\nDemo %s in %.1f s: %zu checks passed, %zu failed.\n",
                  failures.empty() ? "went as scripted" : "did NOT go as scripted",
                  std::chrono::duration<double>(Clock::now() - start).count(), passed,
                  failures.size());
    summary += text;
    for (const std::string& failure : failures) {
        summary += "  FAILED: " + failure + "\n";
    }
    tools::Print(summary);
    return failures.empty() ? 0 : 1;
}

}  // namespace ulvo::testbed
