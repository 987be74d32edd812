#include "lab_output.h"

#include <algorithm>
#include <cstdio>

#include "lab_web.h"
#include "monitor/win/console.h"
#include "offsets/ansi.h"
#include "panel_lab/lab_screen.h"

namespace ulvo::testbed {

namespace {

constexpr double kFrameSeconds = 0.1;

}  // namespace

LabOutput::LabOutput(bool live_, size_t width_, size_t height_)
    : live(live_), width(width_), height(height_) {}

void LabOutput::Begin() {
    if (live) {
        topRows = tools::LabTopRows(width, height);
        tools::Print(std::string(tools::ansi::kHideCursor) + "\x1b[2J" +
                     tools::ScrollRegion(topRows, height));
    }
}

void LabOutput::End() {
    if (live) {
        char text[32];
        std::snprintf(text, sizeof text, "\x1b[r\x1b[%zu;1H", height);
        tools::Print(text + std::string(tools::ansi::kShowCursor) + "\n");
    }
}

void LabOutput::Show(const tools::LabEvent& event, const tools::ScenarioRunner& runner) {
    using Kind = tools::LabEvent::Kind;
    if (web != nullptr) {
        web->Forward(event);
    }
    const std::vector<uint32_t>& watching = runner.Watching();
    const bool ofAnOffset = event.kind == Kind::kPublished || event.kind == Kind::kClientWrote ||
                            (event.kind == Kind::kTiming && event.offset != 0);
    if (ofAnOffset && !watching.empty() &&
        std::find(watching.begin(), watching.end(), event.offset) == watching.end()) {
        return;
    }
    if (event.kind == Kind::kTiming && !runner.Timing()) {
        return;
    }
    Print(tools::EventText(event), event.seconds);
}

void LabOutput::Print(const std::string& line, double seconds) {
    if (quiet) {
        return;
    }
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, seconds >= 0.0 ? "%9.3f  " : "    start  ", seconds);
    std::string text;
    for (size_t from = 0; from < line.size();) {
        const size_t end = std::min(line.find('\n', from), line.size());
        text += (from == 0 ? std::string(stamp) : std::string(11, ' ')) +
                line.substr(from, end - from) + "\n";
        from = end + 1;
    }
    tools::Print(text);
}

void LabOutput::Draw(const tools::BlockSnapshot& block, double seconds, const std::string& status,
                     bool force) {
    if (!live || (!force && seconds < lastDraw + kFrameSeconds)) {
        return;
    }
    lastDraw = seconds;
    tools::LabScreen screen;
    screen.status = status;
    screen.seconds = seconds;
    screen.block = block;
    screen.earlier = marks.Earlier(seconds, block);
    std::string text =
        "\x1b"
        "7" +
        std::string(tools::ansi::kHome);  // keep the typing position
    for (const std::string& line : tools::RenderLabTop(screen, width, topRows, true)) {
        text += line + tools::ansi::kClearLine + "\n";
    }
    tools::Print(text +
                 "\x1b"
                 "8");
}

}  // namespace ulvo::testbed
