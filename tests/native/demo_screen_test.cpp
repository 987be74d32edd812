// The demo's screen: it fits the terminal it is drawn on, keeps the newest events
// in view, gives up the further values first when the terminal is low, and the
// plain printout names what changed.
#include <gtest/gtest.h>

#include "common/little_endian.h"
#include "core/demo_screen.h"
#include "offsets/ansi.h"

namespace ulvo::testbed {
namespace {

DemoFrame BusyFrame() {
    DemoFrame frame;
    frame.step = "7/10  A panel turns the altitude knob 5 steps up, and a very long step title";
    frame.seconds = 12.5;
    StoreU16(frame.block.bytes.data() + 0x3A, 12500);
    for (int i = 0; i < 40; ++i) {
        frame.commands.push_back(CommandText(1232, 12000 + 100 * i));
        frame.simConnect.push_back("client 1 #" + std::to_string(i + 1) +
                                   " MapClientEventToSimEvent event 0 \"TOGGLE_AIRCRAFT_EXIT\"");
        frame.log.push_back("log line " + std::to_string(i));
    }
    frame.checksPassed = 12;
    frame.checksFailed = 1;
    frame.lastCheck = "FAILED: something that did not happen";
    return frame;
}

TEST(DemoScreen, FitsEveryTerminalSize) {
    struct Size {
        size_t width, height;
    };
    const Size sizes[] = {{60, 24}, {80, 24}, {80, 50}, {100, 40}, {120, 45}, {200, 60}};
    const DemoFrame frame = BusyFrame();
    for (const Size& size : sizes) {
        for (bool colour : {false, true}) {
            const auto lines = RenderDemoFrame(frame, size.width, size.height, colour);
            EXPECT_LE(lines.size(), size.height) << size.width << "x" << size.height;
            size_t painted = 0;
            for (const std::string& line : lines) {
                EXPECT_LE(tools::ansi::VisibleWidth(line), size.width) << line;
                painted += line.find('\x1b') != std::string::npos;
            }
            EXPECT_EQ(painted > 0, colour);
            // The checks line is always the last one, whatever had to give way.
            EXPECT_NE(lines.back().find("checks passed 12, FAILED 1"), std::string::npos);
        }
    }
}

TEST(DemoScreen, ShowsTheNewestEventsAndOnlyActiveValuesWhenLow) {
    const DemoFrame frame = BusyFrame();
    auto contains = [](const std::vector<std::string>& lines, const std::string& text) {
        for (const std::string& line : lines) {
            if (line.find(text) != std::string::npos) {
                return true;
            }
        }
        return false;
    };
    const auto tall = RenderDemoFrame(frame, 120, 60, false);
    EXPECT_TRUE(contains(tall, "FURTHER VALUES"));
    EXPECT_TRUE(contains(tall, "1232 = 15900"));  // the newest command
    EXPECT_FALSE(contains(tall, "1232 = 12000"));
    EXPECT_TRUE(contains(tall, "log line 39"));
    EXPECT_TRUE(contains(tall, "943A: 12500"));

    EXPECT_TRUE(contains(tall, "9434:     0"));

    const auto low = RenderDemoFrame(frame, 80, 24, false);
    EXPECT_TRUE(contains(low, "DISPLAYS 0x9430-0x946F, only those not 0:"));
    EXPECT_TRUE(contains(low, "943A: 12500"));
    EXPECT_FALSE(contains(low, "9434:     0"));
    EXPECT_TRUE(contains(low, "FURTHER VALUES: all 0"));
    EXPECT_TRUE(contains(low, "1232 = 15900"));
    EXPECT_TRUE(contains(low, "log line 39"));
}

TEST(DemoScreen, NamesChangedValuesAndSplitsTheLog) {
    tools::BlockSnapshot before, after;
    StoreU16(after.bytes.data() + 0x3A, 12000);  // 0x943A
    after.bytes[0x02] = 0x81;                    // 0x9402
    StoreU16(after.bytes.data(), 0xFFFF);        // 0x9400
    EXPECT_EQ(ChangedValues(before, after),
              (std::vector<std::string>{"0x9400 0 -> idle", "0x9402 00000000 -> 10000001",
                                        "0x943A 0 -> 12000"}));
    EXPECT_TRUE(ChangedValues(after, after).empty());
    EXPECT_EQ(LogLines("Logfile opened\r\nVehicle load detected: "),
              (std::vector<std::string>{"Logfile opened", "Vehicle load detected: "}));
    EXPECT_EQ(LogLines("a\r\n\r\nb\r\n"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_TRUE(LogLines("").empty());
}

}  // namespace
}  // namespace ulvo::testbed
