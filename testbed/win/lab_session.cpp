#include "win/lab_session.h"

#include <algorithm>

#include "core/demo_screen.h"
#include "win/message_pump.h"
#include "win/plugin_threads.h"
#include "win/steady_milliseconds.h"

namespace ulvo::testbed {

namespace {

using tools::LabEvent;
using Kind = LabEvent::Kind;
using namespace std::chrono_literals;

constexpr double kLogReadMs = 200.0;
constexpr double kTimingLimitMs = 1000.0;  // a time not measured by then is dropped

TestbedOptions LabTestbed(FsuipcParty::Options fsuipc) {
    TestbedOptions options;
    options.host.vehicleTitle = L"Ulvo 737-800 (panel lab)";
    options.fsuipc = std::move(fsuipc);
    // The pipe only: the TCP listeners would write the simulator's ports into the
    // registry of this user.
    options.simConnect->server.tcp = false;
    return options;
}

}  // namespace

LabSession::LabSession()
    : session(LabTestbed(FsuipcOptions())), gsx([this](const std::string& name, double value) {
          testbed.host.namedVariables.Set(name, value);
      }) {}

LabSession::~LabSession() {
    Stop();
}

FsuipcParty::Options LabSession::FsuipcOptions() {
    FsuipcParty::Options options = FsuipcParty::OwnThread();
    options.onExchange = [this](const FsuipcServedExchange& served) {
        if (OfThisProcess(served)) {
            ++pluginExchanges;
        }
        std::lock_guard<std::mutex> lock(exchangesMutex);
        exchanges.push_back({SteadyMilliseconds(), served});
    };
    return options;
}

double LabSession::Milliseconds() const {
    return SteadyMilliseconds();
}

double LabSession::Seconds() const {
    return startedAt < 0.0 ? -1.0 : (Milliseconds() - startedAt) / 1000.0;
}

void LabSession::Emit(LabEvent event) {
    event.seconds = Seconds();
    events.push_back(std::move(event));
}

void LabSession::Note(const std::string& text) {
    LabEvent event;
    event.kind = Kind::kNote;
    event.text = text;
    Emit(event);
}

std::vector<LabEvent> LabSession::TakeEvents() {
    return std::exchange(events, {});
}

// --- starting and stopping -----------------------------------------------------------

bool LabSession::Start() {
    if (!testbed.plugin.Ready()) {
        problem =
            "Ulvo2FSUIPC.dll was not found beside ulvo-panel-lab.exe (the lab runs the "
            "plug-in that lies in its own folder)";
        return false;
    }
    if (!testbed.fsuipc || testbed.fsuipc->Window() == nullptr) {
        problem = "the stand-in FSUIPC could not create its window";
        return false;
    }
    tools::CockpitWrite initial;
    initial.fields = tools::InitialCockpit();
    Apply(initial);
    const bool running = session.StartRunning();
    CollectLog(true);
    if (!running) {
        problem = "the plug-in did not start its worker. Its log:";
        for (const LabEvent& event : events) {
            problem += event.kind == Kind::kLog ? "\n  " + event.text : "";
        }
        return false;
    }
    LabEvent first;
    first.kind = Kind::kCommand;  // taken by the start, see StartRunning
    Emit(first);
    Note("a fresh FSUIPC holds 0 at 0x9400: the plug-in performed command 0 and cleared the word");
    CollectExchanges();
    startedAt = Milliseconds();
    nextTick = startedAt + 1000.0;
    nextLogRead = startedAt + kLogReadMs;
    return true;
}

void LabSession::Stop() {
    if (testbed.plugin.Module() == nullptr) {
        return;
    }
    session.Shutdown();
    PumpUntil([&] { return ThreadsStartedIn(testbed.plugin.Module()).empty(); }, 2s);
    testbed.plugin.StopAndUnload();
    CollectLog(true);
}

// --- what happens ------------------------------------------------------------------------

void LabSession::Service(std::chrono::milliseconds pump) {
    // Back at once when the aircraft has a command or the plug-in has exchanged
    // with FSUIPC: what a front end reads next is then fresh.
    const uint64_t exchanged = pluginExchanges;
    PumpUntil([&] { return !testbed.aircraft.Commands().empty() || pluginExchanges != exchanged; },
              pump);
    CollectCommands();
    if (startedAt >= 0.0 && Milliseconds() >= nextTick) {
        nextTick += 1000.0;
        session.Tick();
    }
    CollectSimEvents();
    CollectExchanges();
    if (Milliseconds() >= nextLogRead) {
        nextLogRead = Milliseconds() + kLogReadMs;
        CollectLog(false);
    }
}

void LabSession::CollectCommands() {
    for (const auto& [code, value] : testbed.aircraft.TakeCommands()) {
        LabEvent event;
        event.kind = Kind::kCommand;
        event.code = uint32_t(code);
        event.value = int32_t(value);
        Emit(event);
        if (pendingWrite) {
            LabEvent timing;
            timing.kind = Kind::kTiming;
            timing.number = Milliseconds() - *pendingWrite;
            timing.text = "command " + std::to_string(event.code) + " reached the aircraft";
            writeToCommand.push_back(timing.number);
            Emit(timing);
            pendingWrite.reset();
        }
    }
    if (pendingWrite && Milliseconds() - *pendingWrite > kTimingLimitMs) {
        pendingWrite.reset();
    }
}

void LabSession::CollectSimEvents() {
    for (const auto& [connection, index, message] :
         testbed.simConnect->server.MessagesSince(messagesSeen)) {
        const auto name = eventNames.Follow(connection, ReadClientCall(message));
        if (!name) {
            continue;
        }
        LabEvent event;
        event.kind = Kind::kSimEvent;
        event.text = *name;
        Emit(event);
        if (const auto door = gsx.SimEvent(*name)) {
            event.kind = Kind::kDoor;
            event.text = GsxDoors::Label(*door);
            event.value = gsx.IsOpen(*door) ? 1 : 0;
            Emit(event);
        }
    }
}

void LabSession::CollectExchanges() {
    std::vector<Exchange> taken;
    {
        std::lock_guard<std::mutex> lock(exchangesMutex);
        taken.swap(exchanges);
    }
    for (const Exchange& exchange : taken) {
        const bool plugin = OfThisProcess(exchange.served);
        if (plugin && keepPeriods && lastPluginExchange) {
            periods.push_back(exchange.at - *lastPluginExchange);
        }
        lastPluginExchange = plugin ? exchange.at : lastPluginExchange;
        Exchanged(exchange, plugin);
    }
    const double now = Milliseconds();
    std::erase_if(pendingSets,
                  [&](const PendingSet& set) { return now - set.applied > kTimingLimitMs; });
}

// The changes an exchange's writes made to the block: the plug-in publishing, or
// a program writing the command word and control bytes.
void LabSession::Exchanged(const Exchange& exchange, bool plugin) {
    static const std::vector<tools::OffsetEntry> layout = tools::BlockLayout();
    for (const FsuipcWriteLog& write : exchange.served.log.writes) {
        const tools::BlockSnapshot before = published;
        for (size_t i = 0; i < write.bytes.size(); ++i) {
            const uint32_t offset = write.offset + uint32_t(i);
            if (offset >= tools::kBlockFirst && offset <= tools::kBlockLast) {
                published.bytes[offset - tools::kBlockFirst] = write.bytes[i];
            }
        }
        for (const tools::OffsetEntry& entry : layout) {
            if (entry.role == tools::OffsetRole::kUnused ||
                before.Raw(entry) == published.Raw(entry)) {
                continue;
            }
            LabEvent event;
            event.kind = plugin ? Kind::kPublished : Kind::kClientWrote;
            event.offset = entry.offset;
            event.before = before.Raw(entry);
            event.value = published.Raw(entry);
            Emit(event);
            if (!plugin && tools::WrittenByClients(entry.role)) {
                pendingWrite = exchange.at;
            }
        }
    }
    auto readable = [&](const PendingSet& set) {
        if (!plugin || tools::ReadingAt(set.target, published) != set.reads) {
            return false;
        }
        LabEvent timing;
        timing.kind = Kind::kTiming;
        timing.number = exchange.at - set.applied;
        timing.offset = set.target.entry->offset;
        timing.text = tools::OffsetText(set.target.entry->offset) +
                      (set.target.bit >= 0 ? "." + std::to_string(set.target.bit) : "") +
                      " readable";
        setToReadable.push_back(timing.number);
        Emit(timing);
        return true;
    };
    std::erase_if(pendingSets, readable);
}

void LabSession::CollectLog(bool whole) {
    const std::string bytes = testbed.plugin.ReadLog();
    const std::vector<std::string> lines = LogLines(bytes);
    // An unfinished last line waits for its line end, unless the log is complete.
    const size_t complete =
        whole || bytes.ends_with("\r\n") || lines.empty() ? lines.size() : lines.size() - 1;
    for (; logSeen < complete; ++logSeen) {
        LabEvent event;
        event.kind = Kind::kLog;
        event.text = lines[logSeen];
        Emit(event);
        // The plug-in gave up on a door: GSX stops asking.
        if (event.text.rfind("SimConnect has issues", 0) == 0) {
            gsx.PluginGaveUp();
        }
    }
}

void LabSession::KeepPeriods(bool keep) {
    CollectExchanges();
    keepPeriods = keep;
}

}  // namespace ulvo::testbed
