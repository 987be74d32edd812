#include "panel_lab/scenario.h"

#include <gtest/gtest.h>

namespace ulvo::tools {
namespace {

using Kind = ScenarioLine::Kind;

TEST(Scenario, ReadsEachKindOfLine) {
    const std::pair<const char*, Kind> cases[] = {
        {"at 2.5 set 0x943A 12000  # the altitude", Kind::kSet},
        {"fsuipc set 0x0BC8 2 -1", Kind::kFsuipcSet},
        {"fsuipc set 0x0BC8 1 255", Kind::kFsuipcSet},
        {"fsuipc restart", Kind::kFsuipcRestart},
        {"gsx cargo toggle", Kind::kGsxDoor},
        {"jetway air 3.5", Kind::kJetway},
        {"aircraft reload", Kind::kAircraftReload},
        {"aircraft other", Kind::kAircraftOther},
        {"aircraft selector 2", Kind::kSelector},
        {"simconnect fail", Kind::kSimConnectFail},
        {"pattern walk 0.1", Kind::kPattern},
        {"watch 0x943A \"0x94F0 altitude knob\" BitWord00", Kind::kWatch},
        {"timing on", Kind::kTiming},
        {"repeat 20 every 0.05 set 0x94F0 +1", Kind::kSet},
        {"expect 0x9402 129 within 5", Kind::kExpectValue},
        {"expect raw 0x9430 0xFFFF", Kind::kExpectRaw},
        {"expect command 628 x3", Kind::kExpectCommand},
        {"expect no command within 1", Kind::kExpectNoCommand},
        {"at 3 expect event SELECT_1", Kind::kExpectEvent},
        {"expect log Jetway Power status changed to value: 5", Kind::kExpectLog},
        {"# only a comment", Kind::kNone},
    };
    for (const auto& [text, kind] : cases) {
        const ScenarioLine line = ParseScenarioLine(text, 7);
        EXPECT_EQ(line.error, "") << text;
        EXPECT_EQ(line.kind, kind) << text;
    }
    const ScenarioLine repeat = ParseScenarioLine("at 1 repeat 20 every 0.05 set 0x94F0 +1", 1);
    EXPECT_EQ(repeat.at, 1.0);
    EXPECT_EQ(repeat.repeat, 20u);
    EXPECT_EQ(repeat.every, 0.05);
    EXPECT_EQ(repeat.value, "+1");
    const ScenarioLine command = ParseScenarioLine("expect command 1232 12100 x2 within 10", 1);
    EXPECT_EQ(command.code, 1232u);
    EXPECT_EQ(command.commandValue, 12100);
    EXPECT_EQ(command.count, 2u);
    EXPECT_EQ(command.seconds, 10.0);
    const ScenarioLine fsuipc = ParseScenarioLine("fsuipc set 0x0BC8 2 -1", 1);
    EXPECT_EQ(fsuipc.raw & 0xFFFF, 0xFFFFu);
    EXPECT_EQ(ParseScenarioLine("expect log Main exit toggle requested.", 1).name,
              "Main exit toggle requested.");
    EXPECT_EQ(ParseScenarioLine("jetway power on", 1).amount, 5.0);
    EXPECT_EQ(ParseScenarioLine("watch display05 0x9402.3", 1).watch,
              (std::vector<uint32_t>{0x943A, 0x9402}));
}

TEST(Scenario, SaysWhyALineCannotBeUsed) {
    const std::pair<const char*, const char*> cases[] = {
        {"set 0x943A", "set takes an offset and a value: set 0x943A 12000"},
        {"set 0x9415 00000011", "0x9415 (BitWord19) shows one of bits 0-2 at a time, not 00000011"},
        {"expect 0x94F0 +1", "steps move a counter: expect its value (0 to 255)"},
        {"expect 0x9402 300", "0x9402 (BitWord00) takes bits 0-7 on or off, not 300"},
        {"expect raw 0x9402 0x1FF", "0x1FF does not fit in the 1 bytes of 0x9402 (BitWord00)"},
        {"at soon set 0x943A 1", "at takes seconds and a line: at 2.5 set 0x943A 12000"},
        {"repeat 3 set 0x94F0 +1",
         "repeat takes a count, every and seconds, and a line: repeat 20 every 0.05 set 0x94F0 +1"},
        {"repeat 2 every 1 wait 1", "wait cannot follow at or repeat"},
        {"wait -1", "wait takes seconds: wait 1.5"},
        {"fsuipc set 0x9400 2 1",
         "fsuipc set writes offsets outside the plug-in's block (set takes those), below 0x10000"},
        {"fsuipc set 0x0BC8 1 256", "256 does not fit in 1 bytes"},
        {"aircraft selector 3", "aircraft takes reload, other, or selector 0, 1 or 2"},
        {"watch altitude", "altitude is neither an offset of the block nor a name in offsets.csv"},
        {"gsx window open", "gsx takes a door (exit, service or cargo) and open, close or toggle"},
        {"expect command 628 x0",
         "expect command takes a command code, optionally its value, and x3 for exactly three"},
        {"fly to Oslo", "unknown line: fly to Oslo (type help for the lines the lab knows)"},
    };
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
