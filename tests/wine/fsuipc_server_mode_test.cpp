// testbed.exe's FSUIPC modes as processes of their own: the server's command
// protocol over its pipes, its end when its input ends, and the latency mode.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "win/testbed_process.h"

namespace ulvo::testbed {
namespace {

std::string Ask(TestbedProcess& server, const std::string& command) {
    EXPECT_TRUE(server.WriteLine(command));
    return server.ReadLine(kTestbedAnswerTimeout).value_or("<no answer>");
}

TEST(FsuipcServerMode, AnswersCommandsAndEndsWhenItsInputEnds) {
    TestbedProcess server(L"fsuipc-server");
    ASSERT_TRUE(server.Started());
    EXPECT_EQ(server.ReadLine(kTestbedAnswerTimeout).value_or(""),
              "ready " + std::to_string(server.ProcessId()));
    struct Case {
        const char* command;
        const char* answer;
    };
    const Case cases[] = {
        {"get 3304 4", "bytes 00000050"},  // valid versions from the start
        {"get 3308 4", "bytes 0C00DEFA"},
        {"set 9400 1205", "ok"},
        {"get 9400 2", "bytes 1205"},
        {"badversion 3308", "ok"},
        {"get 3308 4", "bytes 0C003412"},
        {"badversion 3304", "ok"},
        {"get 3304 4", "bytes 04009819"},
        {"count", "count 0"},
        {"bogus", "error unknown command"},
        {"set FFFF 0102", "error set needs an offset and hex bytes inside the offset space"},
        {"log on", "ok"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Ask(server, c.command), c.answer) << c.command;
    }
    server.CloseInput();
    EXPECT_EQ(server.WaitForExit(kTestbedAnswerTimeout), 0u);
}

TEST(FsuipcServerMode, QuitsOnRequestAndRefusesUnknownOptions) {
    TestbedProcess server(L"fsuipc-server");
    ASSERT_TRUE(server.ReadLine(kTestbedAnswerTimeout).has_value());
    EXPECT_EQ(Ask(server, "quit"), "bye");
    EXPECT_EQ(server.WaitForExit(kTestbedAnswerTimeout), 0u);

    TestbedProcess wrong(L"fsuipc-server --fast");
    EXPECT_EQ(wrong.WaitForExit(kTestbedAnswerTimeout), 2u);
}

TEST(FsuipcLatencyMode, ReportsEveryPlacement) {
    TestbedProcess latency(L"fsuipc-latency 20");
    const char* placements[] = {"same thread", "other thread", "other process"};
    for (const char* placement : placements) {
        const std::string line = latency.ReadLine(kTestbedAnswerTimeout).value_or("");
        EXPECT_EQ(line.rfind(placement, 0), 0u) << line;
        EXPECT_NE(line.find("exchanges 20  median"), std::string::npos) << line;
    }
    EXPECT_EQ(latency.WaitForExit(kTestbedAnswerTimeout), 0u);
}

}  // namespace
}  // namespace ulvo::testbed
