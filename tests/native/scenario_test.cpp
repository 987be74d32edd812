#include <gtest/gtest.h>

#include "panel_lab/scenario.h"

namespace ulvo::tools {
namespace {

using Kind = ScenarioLine::Kind;

TEST(Scenario, ReadsEachKindOfLine) {
    // clang-format off
    const struct {
        const char* text;
        Kind kind;
        double at;  // -1: none
        const char* target;
        const char* value;
        const char* name;
    } cases[] = {
        {"at 2.5 set 0x943A 12000  # the altitude", Kind::kSet, 2.5, "0x943A", "12000", ""},
        {"  set 0x9402.3 on", Kind::kSet, -1, "0x9402.3", "on", ""},
        {"expect 0x9477 0.25 within 5", Kind::kExpectValue, -1, "0x9477", "0.25", ""},
        {"at 3 expect event SELECT_1", Kind::kExpectEvent, 3, "", "", "SELECT_1"},
        {"expect log Jetway Power status changed to value: 5", Kind::kExpectLog, -1, "", "", "Jetway Power status changed to value: 5"},
        {"gsx cargo toggle", Kind::kGsxDoor, -1, "", "toggle", "cargo"},
        {"jetway air 3.5", Kind::kJetway, -1, "", "3.5", "air"},
        {"# only a comment", Kind::kNone, -1, "", "", ""},
    };
    // clang-format on
    for (const auto& c : cases) {
        const ScenarioLine line = ParseScenarioLine(c.text, 7);
        EXPECT_EQ(line.error, "") << c.text;
        EXPECT_EQ(line.kind, c.kind) << c.text;
        EXPECT_EQ(line.at.value_or(-1), c.at) << c.text;
        EXPECT_EQ(line.target, c.target) << c.text;
        EXPECT_EQ(line.value, c.value) << c.text;
        EXPECT_EQ(line.name, c.name) << c.text;
    }
    const ScenarioLine command = ParseScenarioLine("expect command 1232 12100 within 10", 1);
    EXPECT_EQ(command.code, 1232u);
    EXPECT_EQ(command.commandValue, 12100);
    EXPECT_EQ(command.seconds, 10.0);
    EXPECT_FALSE(ParseScenarioLine("expect command 1215", 1).commandValue);
    EXPECT_EQ(ParseScenarioLine("expect event SELECT_2", 1).seconds, kExpectWithin);
    EXPECT_EQ(ParseScenarioLine("jetway power on", 1).jetwayValue, 5.0);
    EXPECT_EQ(ParseScenarioLine("wait 1.5", 1).seconds, 1.5);
}

TEST(Scenario, SaysWhyALineCannotBeUsed) {
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {
        {"set 0x943A", "set takes an offset and a value: set 0x943A 12000"},
        {"at soon set 0x943A 1", "at takes seconds and an action: at 2.5 set 0x943A 12000"},
        {"wait -1", "wait takes seconds: wait 1.5"},
        {"gsx window open", "gsx takes a door (exit, service or cargo) and open, close or toggle"},
        {"expect command twelve", "expect command takes a command code and optionally its value"},
        {"fly to Oslo", "unknown line: fly to Oslo (type help for the lines the lab knows)"},
    };
    // clang-format on
    for (const auto& [text, error] : cases) {
        EXPECT_EQ(ParseScenarioLine(text, 1).error, error) << text;
    }
    // A file keeps its line numbers and drops only blank lines and comments.
    const auto lines = ParseScenario("# climb\n\nset 0x943A 1\r\nbogus\n");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].number, 3u);
    EXPECT_EQ(lines[1].number, 4u);
    EXPECT_NE(lines[1].error, "");
}

}  // namespace
}  // namespace ulvo::tools
