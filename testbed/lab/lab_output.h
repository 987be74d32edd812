// What the panel lab shows: one line per event, stamped with its time, and on a
// terminal the live view above them (what the lab is doing and the whole offset
// block, values that just changed marked), the events scrolling below.
#pragma once

#include <cstddef>
#include <string>

#include "offsets/block_view.h"
#include "panel_lab/lab_event.h"
#include "panel_lab/scenario_runner.h"

namespace ulvo::testbed {

class LabWeb;

class LabOutput {
  public:
    // `live`: the view on a terminal of `width` columns and `height` lines.
    LabOutput(bool live, size_t width, size_t height);

    void Begin();
    void End();
    // The event as a line, unless the runner's `watch` or `timing` leaves it out;
    // and to the web pages, if any, whatever the runner leaves out.
    void Show(const tools::LabEvent& event, const tools::ScenarioRunner& runner);
    // A line of text (lines of it, after a line end) at `seconds`; before the
    // lab is ready, "start" stands for the time.
    void Print(const std::string& text, double seconds);
    // Redraws the view, at most every frame unless forced.
    void Draw(const tools::BlockSnapshot& block, double seconds, const std::string& status,
              bool force = false);

    bool quiet = false;     // no lines at all (a measurement prints only its result)
    LabWeb* web = nullptr;  // the pages of --web

  private:
    bool live;
    size_t width;
    size_t height;
    size_t topRows = 0;
    double lastDraw = -1e9;
    tools::ChangeMarks marks;
};

}  // namespace ulvo::testbed
