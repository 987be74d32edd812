#include <gtest/gtest.h>

#include "web/cockpit_page.h"

namespace ulvo::tools::web {
namespace {

using nlohmann::json;

TEST(CockpitPage, TheLayoutComesFromTheTables) {
    const json layout = CockpitLayout();
    ASSERT_EQ(layout["displays"].size(), 32u);
    EXPECT_EQ(layout["displays"][5]["offset"], "0x943A");
    EXPECT_EQ(layout["displays"][5]["digits"], 5);
    // The minus shows in the first digit of the cabin altitude window, and in a
    // position of its own before the two digits of Display12.
    EXPECT_EQ(layout["displays"][0]["minus"], "first digit");
    EXPECT_EQ(layout["displays"][12]["minus"], "before");
    EXPECT_EQ(layout["displays"][5]["minus"], "");
    EXPECT_EQ(layout["bitWords"].size(), 46u);
    EXPECT_EQ(layout["bitWords"][0]["cells"][3], json::parse(R"({"bit":3,"width":1,
        "label":"0x034","values":"on or off"})"));
    EXPECT_EQ(layout["further"].size(), 67u);
    EXPECT_EQ(layout["controls"].size(), 22u);
    EXPECT_EQ(layout["controls"][0]["kind"], "direct");
    // Names and units as the offset reference gives them.
    EXPECT_EQ(layout["displays"][5]["name"], "Display05 altitude window");
    EXPECT_EQ(layout["controls"][10]["name"], "0x94F0 altitude knob");
    const json& level = layout["commandWord"]["commands"][1];
    EXPECT_EQ(level["code"], 1298);
    EXPECT_EQ(level["name"], "level up");
    EXPECT_EQ(layout["commandWord"]["commands"][2]["name"], "selector down");
}

TEST(CockpitPage, ValuesAreSentWhenTheyChange) {
    BlockSnapshot before;
    before.bytes[0x943A - kBlockFirst] = 0xFF;
    before.bytes[0x943B - kBlockFirst] = 0xFF;
    EXPECT_EQ(BlockValues(before, nullptr).size(), 32u + 46 + 67 + 22 + 1);
    BlockSnapshot now = before;
    now.bytes[0x943A - kBlockFirst] = 0xE0;
    now.bytes[0x943B - kBlockFirst] = 0x2E;
    now.bytes[0x9402 - kBlockFirst] = 0x81;
    EXPECT_EQ(BlockValues(now, &before), json::parse(R"({
        "0x943A":{"text":"12000","raw":12000},
        "0x9402":{"text":"10000001","raw":129}})"));
    EXPECT_EQ(BlockValues(before, nullptr)["0x943A"]["text"], "blank");
}

TEST(CockpitPage, TheClicksBecomeWrites) {
    const struct {
        const char* message;
        WriteRequest write;
        const char* done;  // what the page is told
    } taken[] = {
        {R"({"action":"command","code":1298})", WriteRequest{0x9400, {0x12, 0x05}, {}, 0},
         "wrote command 1298 at 0x9400"},
        {R"({"action":"step","offset":"0x94F0","steps":-1})", WriteRequest{0x94F0, {}, {}, -1},
         "moved 0x94F0 by -1"},
        {R"({"action":"control","offset":"0x9428","value":9})", WriteRequest{0x9428, {9}, {}, 0},
         "wrote 9 at 0x9428"},
    };
    for (const auto& c : taken) {
        SCOPED_TRACE(c.message);
        const PageAction action = ParsePageAction(c.message);
        EXPECT_EQ(action.error, "");
        EXPECT_EQ(action.done, c.done);
        EXPECT_EQ(action.write, c.write);
    }
    const struct {
        const char* message;
        const char* error;
    } refused[] = {
        {R"({"action":"command","code":32768})", "a command code is a number from 0 to 32767"},
        {R"({"action":"step","offset":"0x9428","steps":1})",
         "0x9428 is a counter that moves 1 to 127 steps"},
        {R"({"action":"step","offset":"0x94F0","steps":128})",
         "0x94F0 is a counter that moves 1 to 127 steps"},
        {R"({"action":"control","offset":"0x943A","value":1})", "not an action of the page"},
        {R"({"action":"control","offset":"0x9428","value":256})", "a control byte takes 0 to 255"},
        {R"(nonsense)", "not an action of the page"},
    };
    for (const auto& c : refused) {
        EXPECT_EQ(ParsePageAction(c.message).error, c.error) << c.message;
    }
    const PageAction line = ParsePageAction(R"({"action":"line","text":"set 0x943A 12000"})");
    EXPECT_EQ(line.kind, PageAction::Kind::kLine);
    EXPECT_EQ(line.line, "set 0x943A 12000");
}

}  // namespace
}  // namespace ulvo::tools::web
