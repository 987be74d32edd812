// The panel lab's ways of running: lines from the keyboard or a scenario file, a
// recording replayed, or the lab's times measured. Each returns the exit code.
#pragma once

#include <cstddef>
#include <string>

#include "lab_output.h"
#include "offsets/recording.h"
#include "panel_lab/scenario_runner.h"
#include "win/lab_session.h"

namespace ulvo::testbed {

// Exit codes, for build servers.
constexpr int kLabOk = 0;
constexpr int kLabExpectationFailed = 1;  // or the run was stopped, or values not replayed
constexpr int kLabWrong = 2;              // the command line, the scenario or the recording
constexpr int kLabCannotStart = 3;

// `name` names the scenario in the closing line; from the keyboard when empty.
int RunScenario(LabSession& lab, LabOutput& output, tools::ScenarioRunner& runner,
                const std::string& name);
int RunReplay(LabSession& lab, LabOutput& output, const tools::Recording& recording,
              const std::string& name);
// `count` sets of the altitude window and as many command words written.
int RunMeasure(LabSession& lab, LabOutput& output, size_t count);

}  // namespace ulvo::testbed
