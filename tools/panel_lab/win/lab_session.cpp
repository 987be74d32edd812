#include "panel_lab/win/lab_session.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <thread>

#include "core/demo_screen.h"
#include "core/sample_stats.h"
#include "core/simconnect_message_text.h"
#include "fsuipc/fsuipc_link.h"
#include "fsuipc/win/fsuipc_platform_win.h"
#include "groundservices/ground_services.h"
#include "groundservices/ground_services_table.h"
#include "monitor/win/console.h"
#include "offsets/ansi.h"
#include "offsets/command_names.h"
#include "offsets/recording.h"
#include "win/message_pump.h"
#include "win/plugin_threads.h"

namespace ulvo::tools {

namespace {

using namespace std::chrono_literals;
using testbed::AircraftParty;

constexpr auto kStartPatience = 10s;
constexpr auto kSettle = 300ms;  // after the last line, for its echoes to arrive
constexpr auto kFrameInterval = 100ms;
constexpr auto kChangeMarkTime = 700ms;
constexpr auto kLogInterval = 200ms;
constexpr double kReplayTail = 1.0;  // seconds a replay runs on after its last value
constexpr uint32_t kMeasuredDisplay = 0x943A;

std::string ReadText(const std::string& path, bool& ok) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    ok = in.good() || in.eof();
    return text.str();
}

testbed::TestbedOptions LabTestbed() {
    testbed::TestbedOptions testbedOptions;
    testbedOptions.host.vehicleTitle = L"Ulvo 737-800 (panel lab)";
    // FSUIPC on a thread of its own, so that it answers programs at once.
    testbedOptions.fsuipc = testbed::FsuipcParty::OwnThread();
    testbedOptions.fsuipc->logExchanges = true;
    // The pipe only: the TCP listeners would write the simulator's ports into the
    // registry of this user.
    testbedOptions.simConnect->server.tcp = false;
    return testbedOptions;
}

// "TransmitClientEvent object 0 event 2 ...", "MapClientEventToSimEvent event 2 \"SELECT_1\"".
bool NumberAfter(const std::string& text, const std::string& word, uint32_t& number) {
    const size_t at = text.find(word);
    return at != std::string::npos &&
           std::sscanf(text.c_str() + at + word.size(), "%u", &number) == 1;
}

}  // namespace

LabSession::LabSession(const LabOptions& labOptions) : options(labOptions), testbed(LabTestbed()) {
    // A real FSUIPC's command word reads idle until a client writes one.
    testbed.fsuipc->SetU16(kBlockFirst, kIdleCommandWord);

    for (const groundservices::DoorRow& row : groundservices::kDoors) {
        DoorState door;
        door.word = row.door == groundservices::Door::kMainExit       ? "exit"
                    : row.door == groundservices::Door::kServiceDoors ? "service"
                                                                      : "cargo";
        door.label = row.door == groundservices::Door::kMainExit       ? "main exit"
                     : row.door == groundservices::Door::kServiceDoors ? "service doors"
                                                                       : "cargo doors";
        door.variable = groundservices::kGsxVariableNames[row.variable];
        door.selector = groundservices::kEventMappings[row.selector].simulatorEvent;
        doors.push_back(door);
    }
    // GSX is there: its variables are known and read 0.
    for (const char* variable : groundservices::kGsxVariableNames) {
        testbed.host.namedVariables.Set(variable, 0.0);
    }
    CockpitWrite initial;
    initial.fields = InitialCockpit();
    Apply(initial);
}

LabSession::~LabSession() {
    Stop();
}

// --- the lab as the scenario sees it --------------------------------------------

BlockSnapshot LabSession::Block() {
    BlockSnapshot snapshot;
    testbed.fsuipc->WithSpace([&](testbed::FsuipcOffsetSpace& space) {
        std::copy_n(space.bytes.begin() + kBlockFirst, kBlockSize, snapshot.bytes.begin());
    });
    return snapshot;
}

void LabSession::Apply(const CockpitWrite& write) {
    for (const FieldWrite& field : write.fields) {
        const auto block = field.block == AircraftBlock::kSdk2 ? AircraftParty::Block::Sdk2
                                                               : AircraftParty::Block::Sdk;
        if (field.real) {
            testbed.aircraft.SetF64(block, field.field, field.value);
        } else {
            testbed.aircraft.SetI32(block, field.field, int32_t(field.value));
        }
    }
    if (!write.fsuipcBytes.empty()) {
        testbed.fsuipc->WithSpace([&](testbed::FsuipcOffsetSpace& space) {
            std::copy(write.fsuipcBytes.begin(), write.fsuipcBytes.end(),
                      space.bytes.begin() + write.fsuipcOffset);
        });
        std::copy(write.fsuipcBytes.begin(), write.fsuipcBytes.end(),
                  published.bytes.begin() + (write.fsuipcOffset - kBlockFirst));
    }
}

std::string LabSession::Door(const std::string& word, const std::string& action) {
    for (DoorState& door : doors) {
        if (door.word != word) {
            continue;
        }
        if ((action == "open" && door.open) || (action == "close" && !door.open)) {
            return "the " + door.label + (door.open ? " is already open" : " is already closed");
        }
        door.asked = true;
        testbed.host.namedVariables.Set(door.variable, 1.0);
        return "GSX sets " + door.variable + " to 1 until the plug-in has asked for the " +
               door.label;
    }
    return "no such door";
}

void LabSession::Jetway(const std::string& which, double value) {
    for (const groundservices::JetwayRow& row : groundservices::kJetways) {
        if ((row.status == groundservices::Jetway::kPower) == (which == "power")) {
            testbed.host.namedVariables.Set(groundservices::kGsxVariableNames[row.variable], value);
        }
    }
}

// --- starting and stopping the simulator ----------------------------------------

double LabSession::Now() const {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

bool LabSession::WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    return testbed::PumpUntil(
        [&] {
            CollectLog();
            return done();
        },
        timeout);
}

bool LabSession::Start() {
    if (!testbed.plugin.Ready()) {
        std::fprintf(stderr,
                     "ulvo-panel-lab: Ulvo2FSUIPC.dll was not found beside ulvo-panel-lab.exe "
                     "(the lab runs the plug-in that lies in its own folder).\n");
        return false;
    }
    if (testbed.fsuipc->Window() == nullptr || !testbed.plugin.LoadAndStart()) {
        std::fprintf(stderr,
                     "ulvo-panel-lab: the stand-in simulator could not start the "
                     "plug-in (FSUIPC's window or the DLL failed to load).\n");
        return false;
    }
    auto logged = [&](const char* line) {
        return std::find(log.begin(), log.end(), line) != log.end();
    };
    testbed.host.DeliverMessage(P3D::kMessageLoadingComplete);
    const bool opened =
        WaitUntil([&] { return logged("All connections opened and started."); }, kStartPatience);
    testbed.host.DeliverOneSecond();
    nextTick = Clock::now() + 1s;
    if (!opened ||
        !WaitUntil([&] { return logged("Started ulvo2fsuipc thread."); }, kStartPatience)) {
        std::fprintf(stderr, "ulvo-panel-lab: the plug-in did not start its worker. Its log:\n");
        for (const std::string& line : log) {
            std::fprintf(stderr, "  %s\n", line.c_str());
        }
        return false;
    }
    published = Block();
    earlier = published;
    start = Clock::now();
    ready = true;
    return true;
}

void LabSession::Stop() {
    if (testbed.plugin.Module() == nullptr) {
        return;
    }
    testbed.host.DeliverMessage(P3D::kMessageShutdown);
    WaitUntil([&] { return testbed::ThreadsStartedIn(testbed.plugin.Module()).empty(); }, 2s);
    testbed.plugin.StopAndUnload();
}

// --- what happens -----------------------------------------------------------------

void LabSession::Emit(const std::string& line) {
    if (quiet) {
        return;
    }
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, ready ? "%9.3f  " : "    start  ", Now());
    std::string text;
    for (size_t from = 0; from < line.size();) {
        const size_t end = std::min(line.find('\n', from), line.size());
        text += (from == 0 ? std::string(stamp) : std::string(11, ' ')) +
                line.substr(from, end - from) + "\n";
        from = end + 1;
    }
    std::fputs(text.c_str(), stdout);
    std::fflush(stdout);
}

void LabSession::Draw(bool force) {
    const auto now = Clock::now();
    if (!options.live || (!force && now - lastDraw < kFrameInterval)) {
        return;
    }
    lastDraw = now;
    LabScreen screen;
    screen.status = status;
    screen.seconds = Now();
    screen.block = Block();
    if (now - lastEarlier >= kChangeMarkTime) {
        lastEarlier = now;
        earlier = screen.block;
    }
    screen.earlier = earlier;
    std::string text =
        "\x1b"
        "7" +
        std::string(ansi::kHome);  // keep the typing position
    for (const std::string& line : RenderLabTop(screen, options.width, topRows, true)) {
        text += line + ansi::kClearLine + "\n";
    }
    text +=
        "\x1b"
        "8";
    std::fputs(text.c_str(), stdout);
    std::fflush(stdout);
}

void LabSession::Service() {
    testbed::PumpFor(2ms);
    if (Clock::now() >= nextTick) {
        nextTick += 1s;
        testbed.host.DeliverOneSecond();
    }
    Collect();
    Draw(false);
}

void LabSession::Collect() {
    for (const auto& [code, value] : testbed.aircraft.TakeCommands()) {
        const LabEvent event{LabEvent::Kind::kCommand, uint32_t(code), int64_t(int32_t(value)), ""};
        Emit("command " + NamedCommandText(event.code, event.value));
        if (runner != nullptr) {
            runner->Observe(event);
        }
    }
    CollectSimEvents();
    CollectExchanges();
    CollectLog();
}

void LabSession::CollectExchanges() {
    char prefix[64];
    std::snprintf(prefix, sizeof prefix, "FsasmLib:IPC:%X:", unsigned(GetCurrentProcessId()));
    static const std::vector<OffsetEntry> layout = BlockLayout();
    for (const testbed::FsuipcServedExchange& served : testbed.fsuipc->TakeExchanges()) {
        const bool plugin = served.section.rfind(prefix, 0) == 0;
        for (const testbed::FsuipcWriteLog& write : served.log.writes) {
            const BlockSnapshot before = published;
            for (size_t i = 0; i < write.bytes.size(); ++i) {
                const uint32_t offset = write.offset + uint32_t(i);
                if (offset >= kBlockFirst && offset <= kBlockLast) {
                    published.bytes[offset - kBlockFirst] = write.bytes[i];
                }
            }
            for (const OffsetEntry& entry : layout) {
                if (entry.role != OffsetRole::kUnused &&
                    before.Raw(entry) != published.Raw(entry)) {
                    Emit(std::string(plugin ? "published " : "a client wrote ") +
                         OffsetText(entry.offset) + " " + ValueText(entry, published) + " (was " +
                         ValueText(entry, before) + ")");
                }
            }
        }
    }
}

void LabSession::CollectSimEvents() {
    testbed::SimConnectServer& server = testbed.simConnect->server;
    const size_t connections = server.ConnectionCount();
    messagesSeen.resize(connections, 0);
    eventNames.resize(connections);
    for (size_t connection = 0; connection < connections; ++connection) {
        const std::vector<testbed::Bytes> messages = server.Messages(connection);
        for (size_t& seen = messagesSeen[connection]; seen < messages.size(); ++seen) {
            const std::string text = testbed::SimConnectMessageText(messages[seen]);
            uint32_t id = 0;
            std::vector<std::string>& names = eventNames[connection];
            if (text.rfind("MapClientEventToSimEvent", 0) == 0 && NumberAfter(text, "event ", id)) {
                const size_t quote = text.find('"');
                names.resize(std::max<size_t>(names.size(), id + 1));
                names[id] = text.substr(quote + 1, text.size() - quote - 2);
            } else if (text.rfind("TransmitClientEvent", 0) == 0 &&
                       NumberAfter(text, " event ", id)) {
                SimEvent(id < names.size() ? names[id] : "event " + std::to_string(id));
            }
        }
    }
}

// A door request is TOGGLE_AIRCRAFT_EXIT and then the selector of its door.
void LabSession::SimEvent(const std::string& name) {
    std::string note;
    for (DoorState& door : doors) {
        if (exitToggled && name == door.selector) {
            door.open = !door.open;
            const bool plural = door.label.back() == 's';
            note =
                ": the " + door.label + " " + (door.open ? "open" : "close") + (plural ? "" : "s");
            if (door.asked) {
                door.asked = false;
                testbed.host.namedVariables.Set(door.variable, 0.0);
            }
        }
    }
    exitToggled = name == groundservices::kEventMappings[0].simulatorEvent;
    Emit("simulator event " + name + note);
    if (runner != nullptr) {
        runner->Observe({LabEvent::Kind::kSimEvent, 0, 0, name});
    }
}

void LabSession::CollectLog() {
    if (Clock::now() < nextLogRead) {
        return;
    }
    nextLogRead = Clock::now() + kLogInterval;
    const std::string bytes = testbed.plugin.ReadLog();
    log = testbed::LogLines(bytes);
    // An unfinished last line waits for its line end.
    const size_t complete = bytes.ends_with("\r\n") || log.empty() ? log.size() : log.size() - 1;
    for (; logSeen < complete && logSeen < log.size(); ++logSeen) {
        Emit("log " + log[logSeen]);
        if (runner != nullptr) {
            runner->Observe({LabEvent::Kind::kLog, 0, 0, log[logSeen]});
        }
        // The plug-in gave up on a door: GSX stops asking.
        if (log[logSeen].rfind("SimConnect has issues", 0) == 0) {
            for (DoorState& door : doors) {
                door.asked = false;
                testbed.host.namedVariables.Set(door.variable, 0.0);
            }
        }
    }
}

// --- the modes --------------------------------------------------------------------

void LabSession::ReadKeyboard(std::shared_ptr<Keyboard> lines) {
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    std::string pending;
    char buffer[512];
    DWORD got = 0;
    while (ReadFile(input, buffer, sizeof buffer, &got, nullptr) && got != 0) {
        pending.append(buffer, got);
        for (size_t end; (end = pending.find('\n')) != std::string::npos;) {
            std::lock_guard<std::mutex> lock(lines->mutex);
            lines->typed.push_back(pending.substr(0, end));
            pending.erase(0, end + 1);
        }
    }
    std::lock_guard<std::mutex> lock(lines->mutex);
    if (!pending.empty()) {
        lines->typed.push_back(pending);
    }
    lines->ended = true;
}

int LabSession::RunScenario(ScenarioRunner& scenario, bool fromKeyboard) {
    runner = &scenario;
    scenario.stopAtFailure = !fromKeyboard;
    if (fromKeyboard) {
        std::thread(&LabSession::ReadKeyboard, keyboard).detach();
        Emit("type a line (help lists them), quit to end");
    }
    size_t typedNumber = 0;
    bool inputOver = !fromKeyboard;
    while (!StopRequested() && !scenario.quitRequested) {
        Service();
        if (fromKeyboard) {
            std::lock_guard<std::mutex> lock(keyboard->mutex);
            for (; !keyboard->typed.empty(); keyboard->typed.pop_front()) {
                scenario.Add(ParseScenarioLine(keyboard->typed.front(), ++typedNumber));
            }
            inputOver = keyboard->ended;
        }
        for (const std::string& line : scenario.Step(Now(), *this)) {
            Emit(line);
        }
        status = (fromKeyboard ? "interactive" : "run " + options.file) + ": " +
                 std::to_string(scenario.Passed()) + " ok, " + std::to_string(scenario.Failed()) +
                 " failed";
        if (scenario.Done() && inputOver) {
            break;
        }
    }
    const auto until = Clock::now() + kSettle;
    while (Clock::now() < until) {
        Service();
    }
    runner = nullptr;
    if (fromKeyboard) {
        return kLabOk;
    }
    Emit(options.file + ": " + std::to_string(scenario.Passed()) + " expectations met, " +
         std::to_string(scenario.Failed()) + " failed");
    if (scenario.Failed() != 0) {
        Emit("first difference: " + scenario.Failures().front());
        return kLabDifference;
    }
    return StopRequested() ? kLabDifference : kLabOk;
}

int LabSession::RunReplay() {
    bool ok = false;
    const Recording recording = ParseRecording(ReadText(options.file, ok));
    if (!ok || !recording.error.empty()) {
        Emit("cannot replay " + options.file + ": " + (ok ? recording.error : "cannot read it"));
        return kLabDifference;
    }
    size_t next = 0;
    size_t refused = 0;
    const double end = recording.values.empty() ? 0.0 : recording.values.back().seconds;
    while (!StopRequested() && Now() < end + kReplayTail) {
        Service();
        for (; next < recording.values.size() && recording.values[next].seconds <= Now(); ++next) {
            const RecordedValue& value = recording.values[next];
            const OffsetEntry* entry = EntryAt(value.offset);
            CockpitWrite write;
            if (entry != nullptr) {
                write = CockpitSetRaw(*entry, value.raw);
            } else {
                write.error = "no value starts at " + OffsetText(value.offset);
            }
            if (!write.error.empty()) {
                ++refused;
                Emit("cannot replay " + OffsetText(value.offset) + ": " + write.error);
            } else {
                Apply(write);
            }
        }
        status = "replay " + options.file + ": " + std::to_string(next) + " of " +
                 std::to_string(recording.values.size()) + " values";
    }
    Emit("replayed " + std::to_string(next - refused) + " of " +
         std::to_string(recording.values.size()) + " values");
    return refused == 0 && next == recording.values.size() ? kLabOk : kLabDifference;
}

// A client of its own polls the altitude window through FSUIPC while the lab
// sets it: each sample is the time from the `set` to the client reading it.
int LabSession::RunMeasure() {
    quiet = true;  // a thousand sets would bury the result
    fsuipc::Win32FsuipcPlatform platform;
    fsuipc::FsuipcLink link(platform);
    std::atomic<uint32_t> expected{0};
    std::atomic<bool> seen{true}, stop{false}, connected{false};
    std::atomic<double> seenAt{0.0};
    uint32_t code = 0;
    std::thread client([&] {
        // The plug-in in this process names its section after the same process id
        // and an open count from 1; the count grows with every open, so the next
        // try takes a free name.
        bool opened = false;
        for (int attempt = 0; attempt < 4 && !opened; ++attempt) {
            opened = link.Open(code);
        }
        if (!opened) {
            stop = true;
            return;
        }
        connected = true;
        while (!stop) {
            uint8_t bytes[2] = {};
            uint32_t result = 0;
            if (link.Read(kMeasuredDisplay, 2, bytes, result) && link.Process(result) && !seen &&
                uint32_t(bytes[0] | bytes[1] << 8) == expected) {
                seenAt = Now();
                seen = true;
            }
        }
        link.Close();
    });
    while (!connected && !stop) {  // its handshake is not part of a sample
        Service();
    }
    std::vector<double> samples;
    std::mt19937 random(7);
    for (size_t i = 0; i < options.measureCount && !stop && !StopRequested(); ++i) {
        const uint32_t value = 10000 + uint32_t(i % 2) * 100 + uint32_t(i % 7);
        expected = value;
        const double setAt = Now();
        seen = false;
        Apply(CockpitSet(OffsetText(kMeasuredDisplay), std::to_string(value), Block()));
        while (!seen && !stop && Now() - setAt < 5.0) {
            Service();
        }
        if (!seen) {
            break;
        }
        samples.push_back((seenAt - setAt) * 1000.0);
        // The next set starts at a random moment of the worker's cycle.
        const auto until = Clock::now() + std::chrono::microseconds(random() % 8000);
        while (Clock::now() < until) {
            Service();
        }
    }
    stop = true;
    client.join();
    const testbed::SampleStats stats = testbed::Summarize(samples);
    char text[200];
    std::snprintf(text, sizeof text,
                  "set -> readable by an FSUIPC client: %zu samples, median %.2f ms, mean %.2f "
                  "ms, p99 %.2f ms, max %.2f ms",
                  stats.count, stats.median, stats.mean, stats.p99, stats.max);
    quiet = false;
    Emit(text);
    return stats.count == options.measureCount ? kLabOk : kLabDifference;
}

int LabSession::Run() {
    if (!Start()) {
        return kLabCannotStart;
    }
    if (options.live) {
        topRows = LabTopRows(options.width, options.height);
        std::printf("%s\x1b[2J%s", ansi::kHideCursor,
                    ScrollRegion(topRows, options.height).c_str());
        Draw(true);
    }
    Emit(
        "ready: FSUIPC answers on this PC and the plug-in's worker runs; programs connect as "
        "to the simulator");
    int code = kLabOk;
    switch (options.mode) {
        case LabOptions::Mode::kInteractive: {
            ScenarioRunner scenario;
            code = RunScenario(scenario, true);
            break;
        }
        case LabOptions::Mode::kRun: {
            bool ok = false;
            const std::string text = ReadText(options.file, ok);
            if (!ok) {
                Emit("cannot read " + options.file);
                code = kLabDifference;
                break;
            }
            ScenarioRunner scenario(ParseScenario(text));
            code = RunScenario(scenario, false);
            break;
        }
        case LabOptions::Mode::kReplay:
            code = RunReplay();
            break;
        case LabOptions::Mode::kMeasure:
            code = RunMeasure();
            break;
    }
    if (options.live) {
        Draw(true);
        std::printf("\x1b[r\x1b[%zu;1H%s\n", options.height, ansi::kShowCursor);
    }
    Stop();
    return code;
}

}  // namespace ulvo::tools
