// The panel lab's stand-in simulator around the real Ulvo2FSUIPC.dll beside the
// program: the testbed's parties (the host, FSUIPC answering the IPC protocol for
// the whole offset space, the aircraft's sections, the GSX variables, a SimConnect
// server), driven by scenario lines, and what comes back shown as event lines.
#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "panel_lab/lab_screen.h"
#include "panel_lab/scenario_runner.h"
#include "win/testbed.h"

namespace ulvo::tools {

struct LabOptions {
    enum class Mode { kInteractive, kRun, kReplay, kMeasure };
    Mode mode = Mode::kInteractive;
    std::string file;            // run, replay
    size_t measureCount = 1000;  // measure
    bool live = false;           // the live view, else one plain line per event
    size_t width = 100;
    size_t height = 40;
};

// Exit codes.
constexpr int kLabOk = 0;
constexpr int kLabDifference = 1;  // an expect failed, or a recording could not be replayed
constexpr int kLabUsage = 2;
constexpr int kLabCannotStart = 3;

class LabSession final : public LabPort {
  public:
    explicit LabSession(const LabOptions& options);
    ~LabSession() override;
    int Run();

    BlockSnapshot Block() override;
    void Apply(const CockpitWrite& write) override;
    std::string Door(const std::string& door, const std::string& action) override;
    void Jetway(const std::string& which, double value) override;

  private:
    using Clock = std::chrono::steady_clock;
    struct DoorState {
        std::string word;      // "exit"
        std::string label;     // "main exit"
        std::string variable;  // GSX's toggle variable
        std::string selector;  // the simulator event that picks it: "SELECT_1"
        bool open = false;
        bool asked = false;  // the toggle variable is raised
    };

    bool Start();
    void Stop();
    int RunScenario(ScenarioRunner& runner, bool fromKeyboard);
    int RunReplay();
    int RunMeasure();
    // Pumps the simulator's window for a moment, ticks the host every second and
    // collects what happened.
    void Service();
    void Collect();
    void CollectExchanges();
    void CollectSimEvents();
    void CollectLog();
    void SimEvent(const std::string& name);
    void Emit(const std::string& line);
    void Draw(bool force);
    double Now() const;
    bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);

    LabOptions options;
    testbed::Testbed testbed;
    ScenarioRunner* runner = nullptr;  // the one being run, which observes events
    std::string status;
    Clock::time_point start = Clock::now();  // of the scenario's clock, once ready
    bool ready = false;
    bool quiet = false;  // no event lines
    Clock::time_point nextTick;
    Clock::time_point nextLogRead;
    Clock::time_point lastDraw;
    Clock::time_point lastEarlier;
    BlockSnapshot published;  // the block as the exchanges left it
    BlockSnapshot earlier;
    size_t topRows = 0;
    std::vector<DoorState> doors;
    bool exitToggled = false;          // TOGGLE_AIRCRAFT_EXIT seen, its selector not yet
    std::vector<size_t> messagesSeen;  // per SimConnect connection
    std::vector<std::vector<std::string>> eventNames;  // per connection, by client event id
    std::vector<std::string> log;
    size_t logSeen = 0;

    // Lines typed at the prompt, read on a thread of their own, which shares them
    // with the session: a thread blocked in its read may outlive the session.
    struct Keyboard {
        std::mutex mutex;
        std::deque<std::string> typed;
        bool ended = false;
    };
    std::shared_ptr<Keyboard> keyboard = std::make_shared<Keyboard>();
    static void ReadKeyboard(std::shared_ptr<Keyboard> lines);
};

}  // namespace ulvo::tools
