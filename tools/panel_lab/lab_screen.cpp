#include "panel_lab/lab_screen.h"

#include <algorithm>
#include <cstdio>

#include "offsets/ansi.h"
#include "offsets/block_view.h"

namespace ulvo::tools {

namespace {

constexpr size_t kHeadingRows = 2;
constexpr size_t kMinEventRows = 10;

std::vector<std::string> WholeView(const LabScreen& screen, size_t width, bool colour) {
    return RenderBlockView(MakeBlockView(screen.block, &screen.earlier), {width, colour});
}

}  // namespace

size_t LabTopRows(size_t width, size_t height) {
    const size_t whole = kHeadingRows + WholeView({}, width, false).size() + 1;  // + a rule
    if (whole + kMinEventRows <= height) {
        return whole;
    }
    return std::max(kHeadingRows + 1, height - std::max(kMinEventRows, height / 3));
}

std::vector<std::string> RenderLabTop(const LabScreen& screen, size_t width, size_t rows,
                                      bool colour) {
    char clock[32];
    std::snprintf(clock, sizeof clock, "%8.1f s", screen.seconds);
    const std::string heading = "Ulvo2FSUIPC panel lab: the real DLL, FSUIPC for your programs";
    std::vector<std::string> lines;
    lines.push_back(
        ansi::Paint(heading.substr(0, width > 10 ? width - 10 : 0), ansi::kBold, colour) +
        std::string(width > heading.size() + 10 ? width - heading.size() - 10 : 0, ' ') + clock);
    lines.push_back(ansi::Paint(("> " + screen.status).substr(0, width), ansi::kChanged, colour));
    std::vector<std::string> view = WholeView(screen, width, colour);
    if (lines.size() + view.size() > rows) {
        view = RenderBlockView(ActiveOnly(MakeBlockView(screen.block, &screen.earlier)),
                               {width, colour});
    }
    lines.insert(lines.end(), view.begin(), view.end());
    lines.resize(rows);
    if (rows > 0) {
        lines.back() = ansi::Paint(std::string(width, '-'), ansi::kDim, colour);
    }
    return lines;
}

std::string ScrollRegion(size_t top, size_t height) {
    char text[48];
    std::snprintf(text, sizeof text, "\x1b[%zu;%zur\x1b[%zu;1H", top + 1, height, height);
    return text;
}

}  // namespace ulvo::tools
