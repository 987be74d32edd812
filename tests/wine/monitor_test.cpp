// ulvo-monitor.exe in a process of its own against the testbed's FSUIPC (a window
// on a thread of this process): the decoded snapshot, a command word and a counter
// reaching their offsets, and what it says when FSUIPC is not there.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "win/fsuipc_party.h"
#include "win/testbed_process.h"

namespace ulvo::testbed {
namespace {

struct MonitorRun {
    std::vector<std::string> lines;
    std::optional<DWORD> exitCode;

    bool Has(const std::string& text) const {
        for (const std::string& line : lines) {
            if (line.find(text) != std::string::npos) {
                return true;
            }
        }
        return false;
    }
};

MonitorRun RunMonitor(const std::wstring& arguments) {
    TestbedProcess monitor(arguments, L"ulvo-monitor.exe");
    MonitorRun run;
    EXPECT_TRUE(monitor.Started());
    while (auto line = monitor.ReadLine(kTestbedAnswerTimeout)) {
        run.lines.push_back(*line);
    }
    run.exitCode = monitor.WaitForExit(kTestbedAnswerTimeout);
    return run;
}

FsuipcParty::Options OwnThread() {
    FsuipcParty::Options options;
    options.thread = FsuipcParty::Thread::kOwn;
    return options;
}

TEST(Monitor, PrintsTheBlockDecodedAsTheReferenceSays) {
    FsuipcParty fsuipc(OwnThread());
    fsuipc.WithSpace([](FsuipcOffsetSpace& space) {
        space.SetU16(0x9400, 0xFFFF);
        space.SetU16(0x9430, 0xFA24);  // -1500 in a signed display
        space.SetU16(0x943A, 0xFFFF);  // a blank window
        space.SetU16(0x9440, 0xFFFE);  // 88888
        space.SetU8(0x9402, 0x81);
        space.SetU16(0x9477, 250);  // factor 1000
        space.SetU8(0x94F8, 7);
    });
    const MonitorRun run = RunMonitor(L"--once");
    EXPECT_EQ(run.exitCode, 0u);
    const char* expected[] = {"COMMAND WORD 0x9400: idle",
                              "9430: -1500",
                              "943A: blank",
                              "9440: 88888",
                              "9402:10000001",
                              "9477:  0.250",
                              "94F8:  7"};
    for (const char* text : expected) {
        EXPECT_TRUE(run.Has(text)) << text;
    }
}

TEST(Monitor, WritesTheCommandWordAndMovesACounter) {
    FsuipcParty fsuipc(OwnThread());
    fsuipc.WithSpace([](FsuipcOffsetSpace& space) {
        space.SetU16(0x9400, 0xFFFF);
        space.SetU8(0x94F0, 254);
    });
    const MonitorRun run =
        RunMonitor(L"--command 1298 --control 0x94F0+=3 --control 0x9428=9 --once");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_TRUE(run.Has("wrote command 1298 at 0x9400"));
    EXPECT_TRUE(run.Has("wrote 1 at 0x94F0 (0x94F0+=3, was 254)"));
    EXPECT_TRUE(run.Has("COMMAND WORD 0x9400: 1298"));  // read back after the write
    fsuipc.WithSpace([](FsuipcOffsetSpace& space) {
        EXPECT_EQ(space.U16(0x9400), 1298);
        EXPECT_EQ(space.U8(0x94F0), 1);
        EXPECT_EQ(space.U8(0x9428), 9);
    });
}

TEST(Monitor, SaysSoWhenFsuipcIsNotRunning) {
    const MonitorRun run = RunMonitor(L"--once");
    EXPECT_EQ(run.exitCode, 1u);
    ASSERT_FALSE(run.lines.empty());
    EXPECT_EQ(run.lines.front().rfind("FSUIPC is not running", 0), 0u) << run.lines.front();
}

TEST(Monitor, RefusesWrongArgumentsBeforeTouchingFsuipc) {
    FsuipcParty fsuipc(OwnThread());
    const MonitorRun run = RunMonitor(L"--control 0x9430=1");
    EXPECT_EQ(run.exitCode, 2u);
    EXPECT_TRUE(run.Has("0x9430 is not a control byte"));
    EXPECT_EQ(fsuipc.ExchangeCount(), 0u);
}

}  // namespace
}  // namespace ulvo::testbed
