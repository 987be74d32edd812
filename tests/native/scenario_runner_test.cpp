#include <gtest/gtest.h>

#include "panel_lab/scenario_runner.h"

namespace ulvo::tools {
namespace {

struct TableLab final : LabPort {
    BlockSnapshot block;
    std::vector<CockpitWrite> applied;
    std::vector<std::string> asked;

    BlockSnapshot Block() override { return block; }
    void Apply(const CockpitWrite& write) override { applied.push_back(write); }
    std::string Door(const std::string& door, const std::string& action) override {
        asked.push_back(door + " " + action);
        return "asked";
    }
    void Jetway(const std::string& which, double value) override {
        asked.push_back(which + " " + std::to_string(int(value)));
    }
};

TEST(ScenarioRunner, RunsLinesAtTheirTimeAndChecksWhatWasSeen) {
    TableLab lab;
    ScenarioRunner runner(ParseScenario(
        "set 0x943A 12000\nat 1 jetway power on\nexpect command 1215\nexpect 0x9402.7 on\n"));
    EXPECT_EQ(runner.Step(0.0, lab), std::vector<std::string>{"set 0x943A 12000"});
    ASSERT_EQ(lab.applied.size(), 1u);
    EXPECT_TRUE(lab.asked.empty());  // not yet 1 s

    runner.Step(1.0, lab);
    EXPECT_EQ(lab.asked, std::vector<std::string>{"power 5"});
    EXPECT_TRUE(runner.Step(1.5, lab).empty());  // waits for the command
    runner.Observe({LabEvent::Kind::kCommand, 1299, 2, ""});
    runner.Observe({LabEvent::Kind::kCommand, 1215, 0, ""});
    lab.block.bytes[0x9402 - kBlockFirst] = 0x80;
    EXPECT_EQ(runner.Step(1.6, lab), (std::vector<std::string>{"ok line 3 (expect command 1215)",
                                                               "ok line 4 (expect 0x9402.7 on)"}));
    EXPECT_TRUE(runner.Done());
    EXPECT_EQ(runner.Passed(), 2u);
}

TEST(ScenarioRunner, FailsAtTheFirstDifferenceNamingWhatWasSeen) {
    TableLab lab;
    ScenarioRunner runner(
        ParseScenario("expect command 1232 12100 within 1\nexpect 0x943A 12000\nset 0x943A 1\n"));
    runner.Observe({LabEvent::Kind::kCommand, 1232, 12000, ""});
    runner.Step(0.0, lab);
    EXPECT_EQ(runner.Step(1.0, lab),
              std::vector<std::string>{"FAILED line 1 (expect command 1232 12100 within 1): not "
                                       "within 1.0 s: the aircraft received 1232 altitude set "
                                       "value = 12000"});
    EXPECT_TRUE(runner.Done());  // the rest is not run
    EXPECT_TRUE(lab.applied.empty());

    // At the prompt the lab goes on, and an expect of a value says what it reads.
    ScenarioRunner prompt;
    prompt.stopAtFailure = false;
    prompt.Add(ParseScenarioLine("expect 0x943A 12000 within 0", 5));
    prompt.Add(ParseScenarioLine("set 0x943A 123456", 6));
    EXPECT_EQ(prompt.Step(0.0, lab),
              (std::vector<std::string>{
                  "FAILED line 5 (expect 0x943A 12000 within 0): not within 0.0 s: 0x943A reads 0",
                  "FAILED line 6 (set 0x943A 123456): 0x943A (Display05) takes 0 to 99999, blank "
                  "or 88888, not 123456"}));
}

}  // namespace
}  // namespace ulvo::tools
