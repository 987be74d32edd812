// The demo's bookkeeping: its steps and checks, the waits that pump the
// testbed, what it collects from the parties, and the view.
#include <algorithm>
#include <cstdio>

#include "bridge/display_table.h"
#include "core/simconnect_message_text.h"
#include "demo_session.h"
#include "monitor/win/console.h"
#include "offsets/ansi.h"
#include "offsets/block_view.h"
#include "offsets/cockpit_map.h"
#include "win/message_pump.h"

namespace ulvo::testbed {

namespace {

using namespace std::chrono_literals;
namespace ansi = tools::ansi;

constexpr size_t kSteps = 10;
constexpr auto kFrameInterval = 80ms;      // at most this many frames a second
constexpr size_t kPlainChangesShown = 12;  // per step, in plain text

}  // namespace

// --- steps and the view -------------------------------------------------------

void DemoSession::Begin(const std::string& title) {
    ++stepNumber;
    step = std::to_string(stepNumber) + "/" + std::to_string(kSteps) + "  " + title;
    Collect();
    stepStart = session.Block();
    if (!options.live) {
        char clock[32];
        std::snprintf(clock, sizeof clock, "[%5.1f s] ",
                      std::chrono::duration<double>(Clock::now() - start).count());
        tools::Print(std::string("\n") + clock + "step " + step + "\n");
    }
    Draw(true);
}

void DemoSession::End() {
    Collect();
    if (options.live) {
        return;
    }
    std::string text;
    const auto changes = ChangedValues(stepStart, session.Block());
    if (!changes.empty()) {
        text += "  offsets changed:";
        for (size_t i = 0; i < changes.size() && i < kPlainChangesShown; ++i) {
            text += (i ? ", " : " ") + changes[i];
        }
        if (changes.size() > kPlainChangesShown) {
            text += " and " + std::to_string(changes.size() - kPlainChangesShown) + " more";
        }
        text += "\n";
    }
    auto list = [&](const char* name, const std::vector<std::string>& items, size_t& printed) {
        for (; printed < items.size(); ++printed) {
            text += std::string("  ") + name + items[printed] + "\n";
        }
    };
    list("aircraft command ", commandLines, printedCommands);
    list("SimConnect ", simConnectLines, printedSimConnect);
    list("log | ", log, printedLog);
    tools::Print(text);
}

bool DemoSession::Check(bool ok, const std::string& text) {
    lastCheck = (ok ? "ok: " : "FAILED: ") + text;
    if (ok) {
        ++passed;
    } else {
        failures.push_back(text);
    }
    if (!options.live) {
        tools::Print(std::string("  ") + (ok ? "ok      " : "FAILED  ") + text + "\n");
    }
    Draw(true);
    return ok;
}

bool DemoSession::WaitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    return PumpUntil(
        [&] {
            Collect();
            Draw();
            return done();
        },
        timeout);
}

void DemoSession::Hold(std::chrono::milliseconds duration, std::chrono::milliseconds floor) {
    const auto scaled = std::chrono::milliseconds(int64_t(double(duration.count()) * options.pace));
    const auto until = Clock::now() + std::max(scaled, floor);
    WaitFor([&] { return Clock::now() >= until; }, std::max(scaled, floor) + 1s);
}

void DemoSession::Collect() {
    for (const auto& command : testbed.aircraft.TakeCommands()) {
        commands.push_back({uint64_t(command.first), int64_t(command.second)});
        commandLines.push_back(CommandText(command.first, command.second));
    }
    for (const auto& [connection, index, message] :
         testbed.simConnect->server.MessagesSince(simConnectSeen)) {
        simConnectLines.push_back("client " + std::to_string(connection + 1) + " #" +
                                  std::to_string(index + 1) + " " + SimConnectMessageText(message));
        if (auto event = eventNames.Follow(connection, ReadClientCall(message))) {
            gsx.SimEvent(*event);
        }
    }
    log = LogLines(testbed.plugin.ReadLog());
}

void DemoSession::Draw(bool force) {
    const auto now = Clock::now();
    if (!options.live || (!force && now - lastDraw < kFrameInterval)) {
        return;
    }
    lastDraw = now;
    DemoFrame frame;
    frame.step = step;
    frame.seconds = std::chrono::duration<double>(now - start).count();
    frame.block = session.Block();
    frame.earlier = marks.Earlier(frame.seconds, frame.block);
    frame.commands = commandLines;
    frame.simConnect = simConnectLines;
    frame.log = log;
    frame.checksPassed = passed;
    frame.checksFailed = failures.size();
    frame.lastCheck = lastCheck;
    std::string text = ansi::kHome;
    for (const std::string& line : RenderDemoFrame(frame, options.width, options.height, true)) {
        text += line + ansi::kClearLine + "\n";
    }
    tools::Print(text + ansi::kClearToEnd);
}

// --- the parties ----------------------------------------------------------------

// The aircraft shows `value` in a display window, written as the panel lab writes it.
void DemoSession::Show(uint8_t display, const std::string& value) {
    const std::string slot = tools::OffsetText(bridge::kDisplayRows[display].publishedOffset);
    for (const tools::FieldWrite& field : tools::CockpitSet(slot, value, {}).fields) {
        testbed.aircraft.SetI32(AircraftParty::Block::Sdk, field.field, int32_t(field.value));
    }
}

void DemoSession::SetLamp(uint32_t field, bool lit) {
    testbed.aircraft.SetI32(AircraftParty::Block::Sdk, field, lit ? 1 : 0);
}

size_t DemoSession::CountCommands(uint64_t code, int64_t value) const {
    return size_t(std::count(commands.begin(), commands.end(), std::pair{code, value}));
}

}  // namespace ulvo::testbed
