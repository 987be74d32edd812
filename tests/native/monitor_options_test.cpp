#include <gtest/gtest.h>

#include "monitor/monitor_options.h"

namespace ulvo::tools {
namespace {

TEST(MonitorOptions, AcceptsWhatTheUsageShows) {
    const MonitorOptions options =
        ParseMonitorOptions({"--once", "--command", "1298", "--control", "0x94F8=3", "--control",
                             "94f0+=2", "--control", "0x9470-=0x7F", "--interval", "100"});
    ASSERT_EQ(options.error, "");
    EXPECT_TRUE(options.once);
    EXPECT_EQ(options.command, 1298);
    EXPECT_EQ(options.intervalMs, 100u);
    ASSERT_EQ(options.controls.size(), 3u);
    EXPECT_EQ(ControlWriteText(options.controls[0]), "0x94F8=3");
    EXPECT_EQ(ControlWriteText(options.controls[1]), "0x94F0+=2");
    EXPECT_EQ(ControlWriteText(options.controls[2]), "0x9470-=127");
    EXPECT_EQ(ParseMonitorOptions({"--command", "0x512"}).command, 0x512);
    EXPECT_TRUE(ParseMonitorOptions({"--help"}).help);
    const MonitorOptions defaults = ParseMonitorOptions({});
    EXPECT_FALSE(defaults.once);
    EXPECT_EQ(defaults.intervalMs, 250u);
    const MonitorOptions record = ParseMonitorOptions({"--record", "flight.txt"});
    EXPECT_EQ(record.recordFile, "flight.txt");
    EXPECT_EQ(record.intervalMs, kRecordIntervalMs);
    EXPECT_EQ(ParseMonitorOptions({"--interval", "100", "--record", "f"}).intervalMs, 100u);
}

TEST(MonitorOptions, RefusesWhatTheyCannotDo) {
    const struct {
        std::vector<std::string> arguments;
        const char* error;
    } cases[] = {
        {{"--command", "32768"}, "a command code is a number from 0 to 32767"},
        {{"--command", "-1"}, "a command code is a number from 0 to 32767"},
        {{"--command", "12x"}, "a command code is a number from 0 to 32767"},
        {{"--command"}, "--command needs a value"},
        {{"--control", "0x9430=3"},
         "0x9430 is not a control byte "
         "(0x9428, 0x942E, 0x942F, 0x9470, 0x9491-0x9496, 0x94F0-0x94FB)"},
        {{"--control", "0x94F8=256"}, "a control byte takes a value from 0 to 255"},
        {{"--control", "0x94F8"}, "--control needs OFFSET=VALUE, OFFSET+=STEPS or OFFSET-=STEPS"},
        {{"--control", "0x9428+=1"}, "0x9428 is not a counter: set it with ="},
        {{"--control", "0x94F8+=128"}, "a counter moves by 1 to 127 steps at a time"},
        {{"--control", "0x94F8-=0"}, "a counter moves by 1 to 127 steps at a time"},
        {{"--interval", "5"}, "the interval is 20 to 60000 milliseconds"},
        {{"--verbose"}, "unknown argument: --verbose"},
        {{"--record"}, "--record needs a value"},
        {{"--record", "f", "--once"}, "--record only reads: it takes --interval, nothing else"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseMonitorOptions(c.arguments).error, c.error) << c.arguments[0];
    }
}

}  // namespace
}  // namespace ulvo::tools
