#include "core/demo_screen.h"

#include <algorithm>
#include <cstdio>

#include "offsets/ansi.h"
#include "offsets/block_layout.h"
#include "offsets/block_view.h"

namespace ulvo::testbed {

namespace ansi = tools::ansi;

namespace {

constexpr size_t kMinPaneLines = 3;       // rows a pane keeps before the block view gives way
constexpr size_t kSideBySideWidth = 100;  // narrower terminals stack the two panes

// The last `count` items, each cut to `width` characters.
std::vector<std::string> Tail(const std::vector<std::string>& items, size_t count, size_t width) {
    std::vector<std::string> tail;
    const size_t first = items.size() > count ? items.size() - count : 0;
    for (size_t i = first; i < items.size(); ++i) {
        tail.push_back(items[i].substr(0, width));
    }
    return tail;
}

std::string Pad(const std::string& text, size_t width) {
    return text.size() >= width ? text.substr(0, width)
                                : text + std::string(width - text.size(), ' ');
}

std::string Title(const std::string& text, size_t width, bool colour) {
    return ansi::Paint(text.substr(0, width), ansi::kTitle, colour);
}

void AddPane(std::vector<std::string>& lines, const std::string& title,
             const std::vector<std::string>& items, size_t rows, size_t width, bool colour) {
    lines.push_back(Title(title, width, colour));
    for (const std::string& item : Tail(items, rows, width - 2)) {
        lines.push_back("  " + item);
    }
}

// Two panes side by side, each `half` wide, `rows` items deep.
void AddPanes(std::vector<std::string>& lines, const std::string& leftTitle,
              const std::vector<std::string>& left, const std::string& rightTitle,
              const std::vector<std::string>& right, size_t rows, size_t half, bool colour) {
    const auto leftTail = Tail(left, rows, half - 3);
    const auto rightTail = Tail(right, rows, half - 2);
    lines.push_back(Title(Pad(leftTitle, half), half, colour) + Title(rightTitle, half, colour));
    for (size_t i = 0; i < std::max(leftTail.size(), rightTail.size()); ++i) {
        const std::string l = i < leftTail.size() ? "  " + leftTail[i] : "";
        const std::string r = i < rightTail.size() ? "  " + rightTail[i] : "";
        lines.push_back(Pad(l, half) + r);
    }
}

}  // namespace

std::vector<std::string> RenderDemoFrame(const DemoFrame& frame, size_t width, size_t height,
                                         bool colour) {
    width = std::max<size_t>(width, 40);
    std::vector<std::string> lines;
    char clock[32];
    std::snprintf(clock, sizeof clock, "%6.1f s", frame.seconds);
    const std::string heading = "Ulvo2FSUIPC demo: the real DLL in the testbed";
    lines.push_back(ansi::Paint(Pad(heading, width - 8), ansi::kBold, colour) + clock);
    lines.push_back(ansi::Paint(("> " + frame.step).substr(0, width), ansi::kChanged, colour));

    // A screen too low for the whole block and the panes shows only the values
    // that are not 0 (or just changed): the ones that move in the session.
    const tools::BlockView whole = tools::MakeBlockView(frame.block, &frame.earlier);
    std::vector<std::string> view = tools::RenderBlockView(whole, {width, colour});
    const size_t panesNeed = 2 * (kMinPaneLines + 1) + 1;
    if (lines.size() + view.size() + panesNeed > height) {
        view = tools::RenderBlockView(tools::ActiveOnly(whole), {width, colour});
    }
    lines.insert(lines.end(), view.begin(), view.end());

    // What is left below the block view goes to the panes (each with a title
    // line), the log getting what the even split leaves over.
    const size_t used = lines.size() + 1;  // the checks line at the bottom
    const size_t left = height > used ? height - used : 0;
    const bool sideBySide = width >= kSideBySideWidth;
    const size_t titles = sideBySide ? 2 : 3;
    const size_t rows = left > titles ? left - titles : 0;
    const size_t eventRows = std::max<size_t>(1, rows / (sideBySide ? 2 : 3));
    const size_t eventsUse = eventRows * (sideBySide ? 1 : 2);
    const size_t logRows = rows > eventsUse ? rows - eventsUse : 1;
    if (sideBySide) {
        AddPanes(lines, "AIRCRAFT COMMANDS", frame.commands, "SIMCONNECT MESSAGES SENT",
                 frame.simConnect, eventRows, width / 2, colour);
    } else {
        AddPane(lines, "AIRCRAFT COMMANDS", frame.commands, eventRows, width, colour);
        AddPane(lines, "SIMCONNECT MESSAGES SENT", frame.simConnect, eventRows, width, colour);
    }
    AddPane(lines, "Ulvo2FSUIPC.log", frame.log, logRows, width, colour);

    std::string checks = "checks passed " + std::to_string(frame.checksPassed);
    if (frame.checksFailed) {
        checks += ", FAILED " + std::to_string(frame.checksFailed);
    }
    if (!frame.lastCheck.empty()) {
        checks += "   last: " + frame.lastCheck;
    }
    lines.resize(std::min(lines.size(), height > 0 ? height - 1 : 0));
    lines.push_back(ansi::Paint(checks.substr(0, width),
                                frame.checksFailed ? ansi::kBad : ansi::kGood, colour));
    return lines;
}

std::vector<std::string> ChangedValues(const tools::BlockSnapshot& before,
                                       const tools::BlockSnapshot& after) {
    std::vector<std::string> changed;
    for (const tools::OffsetEntry& entry : tools::BlockLayout()) {
        if (entry.role != tools::OffsetRole::kUnused && before.Raw(entry) != after.Raw(entry)) {
            changed.push_back(tools::OffsetText(entry.offset) + " " +
                              tools::ValueText(entry, before) + " -> " +
                              tools::ValueText(entry, after));
        }
    }
    return changed;
}

std::vector<std::string> LogLines(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t end = bytes.find("\r\n", start);
        lines.push_back(bytes.substr(start, end == std::string::npos ? end : end - start));
        start = end == std::string::npos ? bytes.size() : end + 2;
    }
    return lines;
}

std::string CommandText(uint64_t code, int64_t value) {
    return std::to_string(code) + " = " + std::to_string(value);
}

}  // namespace ulvo::testbed
