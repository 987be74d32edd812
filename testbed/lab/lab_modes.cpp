#include "lab_modes.h"

#include <cstdio>
#include <random>

#include "core/sample_stats.h"
#include "keyboard.h"
#include "lab_web.h"
#include "monitor/win/console.h"
#include "panel_lab/replay_plan.h"

namespace ulvo::testbed {

namespace {

constexpr double kSettleSeconds = 0.3;  // after the last line, for its echoes to arrive
constexpr double kReplayTail = 1.0;     // seconds a replay runs on after its last value
constexpr double kMeasurePatience = 5.0;

// Services the lab and shows what happened; the runner sees it first. Then the
// web pages' turn, if any.
void Pass(LabSession& lab, LabOutput& output, tools::ScenarioRunner& runner) {
    lab.Service();
    for (const tools::LabEvent& event : lab.TakeEvents()) {
        runner.Observe(event);
        output.Show(event, runner);
    }
    if (output.web != nullptr) {
        for (const tools::LabEvent& event : output.web->Pass()) {
            output.Show(event, runner);
        }
    }
}

std::string Summary(const char* what, const std::vector<double>& samples) {
    const SampleStats stats = Summarize(samples);
    char text[200];
    std::snprintf(text, sizeof text, "%s: %zu samples, median %.2f ms, p99 %.2f ms, max %.2f ms",
                  what, stats.count, stats.median, stats.p99, stats.max);
    return text;
}

void PrintTimes(LabSession& lab, LabOutput& output) {
    output.Print(Summary("set -> readable by FSUIPC clients", lab.SetToReadable()), lab.Seconds());
    output.Print(Summary("client write -> command at the aircraft", lab.WriteToCommand()),
                 lab.Seconds());
    if (!lab.Periods().empty()) {
        output.Print(Summary("plug-in cycle period (idle)", lab.Periods()), lab.Seconds());
    }
}

}  // namespace

int RunScenario(LabSession& lab, LabOutput& output, tools::ScenarioRunner& runner,
                const std::string& name) {
    const bool fromKeyboard = name.empty();
    std::optional<Keyboard> keyboard;
    runner.stopAtFailure = !fromKeyboard;
    if (fromKeyboard) {
        keyboard.emplace();
        output.Print("type a line (help lists them), quit to end", lab.Seconds());
    }
    size_t typed = 0;
    while (!tools::StopRequested() && !runner.QuitRequested()) {
        Pass(lab, output, runner);
        for (const std::string& line : keyboard ? keyboard->Take() : std::deque<std::string>{}) {
            runner.Add(tools::ParseScenarioLine(line, ++typed));
        }
        for (const tools::LabEvent& event : runner.Step(lab.Seconds(), lab)) {
            output.Show(event, runner);
        }
        const std::string status = (fromKeyboard ? "interactive" : "run " + name) + ": " +
                                   std::to_string(runner.Passed()) + " ok, " +
                                   std::to_string(runner.Failed()) + " failed";
        output.Draw(lab.Block(), lab.Seconds(), status);
        if (runner.Done() && (!keyboard || keyboard->Ended())) {
            break;
        }
    }
    for (const double until = lab.Seconds() + kSettleSeconds; lab.Seconds() < until;) {
        Pass(lab, output, runner);
    }
    if (runner.Timing()) {
        PrintTimes(lab, output);
    }
    if (fromKeyboard) {
        return kLabOk;
    }
    output.Print(name + ": " + std::to_string(runner.Passed()) + " expectations met, " +
                     std::to_string(runner.Failed()) + " failed",
                 lab.Seconds());
    if (runner.Failed() != 0) {
        output.Print("first difference: " + runner.Failures().front(), lab.Seconds());
        return kLabExpectationFailed;
    }
    return tools::StopRequested() ? kLabExpectationFailed : kLabOk;
}

int RunReplay(LabSession& lab, LabOutput& output, const tools::Recording& recording,
              const std::string& name) {
    const std::vector<tools::ReplayStep> plan = tools::ReplayPlan(recording);
    tools::ScenarioRunner quiet;  // shows every event
    size_t next = 0;
    size_t refused = 0;
    const double end = plan.empty() ? 0.0 : plan.back().seconds;
    while (!tools::StopRequested() && lab.Seconds() < end + kReplayTail) {
        Pass(lab, output, quiet);
        for (; next < plan.size() && plan[next].seconds <= lab.Seconds(); ++next) {
            const tools::ReplayStep& step = plan[next];
            if (!step.error.empty()) {
                ++refused;
                output.Print("cannot replay " + tools::OffsetText(step.offset) + ": " + step.error,
                             lab.Seconds());
                continue;
            }
            tools::CockpitWrite write = step.write;
            if (step.kind == tools::ReplayStep::Kind::kSteps) {
                write.fsuipcOffset = step.offset;
                write.fsuipcBytes = {uint8_t(lab.Block().U8(step.offset) + step.steps)};
            }
            lab.Apply(write);
        }
        output.Draw(lab.Block(), lab.Seconds(),
                    "replay " + name + ": " + std::to_string(next) + " of " +
                        std::to_string(plan.size()) + " steps");
    }
    output.Print("replayed " + std::to_string(next - refused) + " of " +
                     std::to_string(plan.size()) + " steps",
                 lab.Seconds());
    return refused == 0 && next == plan.size() ? kLabOk : kLabExpectationFailed;
}

int RunMeasure(LabSession& lab, LabOutput& output, size_t count) {
    output.quiet = true;  // thousands of lines would bury the result
    tools::ScenarioRunner none;
    std::mt19937 random(7);
    // Waits for the sample, and for the command word to read idle again: a code
    // written before the plug-in's write-back would be lost under it.
    auto measured = [&](const std::vector<double>& samples, size_t before) {
        const double since = lab.Seconds();
        while ((samples.size() == before || lab.Block().U16(tools::kBlockFirst) != 0xFFFF) &&
               lab.Seconds() < since + kMeasurePatience) {
            Pass(lab, output, none);
        }
        // The next write starts at a random moment of the worker's cycle.
        for (const double until = lab.Seconds() + double(random() % 8000) / 1e6;
             lab.Seconds() < until;) {
            Pass(lab, output, none);
        }
        return samples.size() > before;
    };
    size_t done = 0;
    for (; done < count && !tools::StopRequested(); ++done) {
        const std::string altitude = std::to_string(10000 + done % 2 * 100 + done % 7);
        const std::string code = std::to_string(100 + done % 400);  // plain commands
        lab.Apply(tools::CockpitSet("0x943A", altitude, lab.Block()));
        if (!measured(lab.SetToReadable(), done)) {
            break;
        }
        lab.Apply(tools::CockpitSet("0x9400", code, lab.Block()));
        if (!measured(lab.WriteToCommand(), done)) {
            break;
        }
    }
    // Then the plug-in's cycle with nothing to do: `count` periods between its
    // exchanges, with whatever else runs in this process (the web panel's clients).
    lab.KeepPeriods(true);
    for (const double until = lab.Seconds() + double(count) * 0.02 + kMeasurePatience;
         done == count && lab.Periods().size() < count && lab.Seconds() < until;) {
        Pass(lab, output, none);
    }
    lab.KeepPeriods(false);
    output.quiet = false;
    PrintTimes(lab, output);
    return done == count && lab.Periods().size() >= count ? kLabOk : kLabExpectationFailed;
}

}  // namespace ulvo::testbed
