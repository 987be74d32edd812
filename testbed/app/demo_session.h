// The scripted session of `testbed.exe demo`: the real DLL in the testbed from
// DLLStart to DLLStop, every party present, with each step's expectations
// checked. The view is live on a terminal and plain text otherwise.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "core/demo_screen.h"
#include "core/gsx_doors.h"
#include "core/simconnect_message_text.h"
#include "offsets/block_view.h"
#include "win/plugin_session.h"

namespace ulvo::testbed {

struct DemoOptions {
    bool live = false;  // redraw one screen in place (ANSI), else plain text
    size_t width = 100;
    size_t height = 40;
    // Scales the pauses that let a person watch: 1 on a terminal, less in a pipe.
    double pace = 1.0;
};

class DemoSession {
  public:
    explicit DemoSession(const DemoOptions& options);
    // Plays the session; 0 when every check passed.
    int Run();

  private:
    using Clock = std::chrono::steady_clock;

    // The script.
    void LoadPlugin();
    void OpenConnections();
    void ConfirmAircraft();
    void CountDisplays();
    void BlinkAnnunciators();
    void CommandFromClient();
    void TurnKnobs();
    void GsxDoorAndJetway();
    void ReloadAircraft();
    void ShutDown();
    void CheckWholeLog();

    // Step bookkeeping and the view.
    void Begin(const std::string& title);
    void End();
    bool Check(bool passed, const std::string& text);
    // Pumps the testbed's windows (and redraws) until `done` or the time-out.
    bool WaitFor(const std::function<bool()>& done,
                 std::chrono::milliseconds timeout = std::chrono::seconds(5));
    // Pumps and redraws for `duration` scaled by the pace, at least `floor`.
    void Hold(std::chrono::milliseconds duration,
              std::chrono::milliseconds floor = std::chrono::milliseconds(0));
    void Collect();
    void Draw(bool force = false);

    void Show(uint8_t display, const std::string& value);
    void Show(uint8_t display, int value) { Show(display, std::to_string(value)); }
    void SetLamp(uint32_t field, bool lit);
    size_t CountCommands(uint64_t code, int64_t value) const;

    DemoOptions options;
    PluginSession session;
    Testbed& testbed = session.testbed;
    Clock::time_point start = Clock::now();
    Clock::time_point lastDraw;

    std::string step;
    size_t stepNumber = 0;
    tools::BlockSnapshot stepStart;
    tools::ChangeMarks marks;  // what the view marks changes against
    std::vector<std::pair<uint64_t, int64_t>> commands;
    std::vector<std::string> commandLines;
    std::vector<std::string> simConnectLines;
    std::vector<size_t> simConnectSeen;  // per connection
    ClientEventNames eventNames;
    GsxDoors gsx{[this](const std::string& name, double value) {
        testbed.host.namedVariables.Set(name, value);
    }};
    std::vector<std::string> log;
    size_t printedCommands = 0, printedSimConnect = 0, printedLog = 0;
    size_t passed = 0;
    std::vector<std::string> failures;
    std::string lastCheck;
};

}  // namespace ulvo::testbed
