// ulvo-monitor.exe in a process of its own against the testbed's FSUIPC (a window
// on a thread of this process): a command word and controls written to their
// offsets and the block read back decoded, and what it says when FSUIPC is not
// there. Its options and texts are tested natively.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "win/fsuipc_party.h"
#include "win/testbed_process.h"

namespace ulvo::testbed {
namespace {

struct MonitorRun {
    std::string output;  // every line, each ended by "\n"
    std::optional<DWORD> exitCode;
};

MonitorRun RunMonitor(const std::wstring& arguments) {
    TestbedProcess monitor(arguments, L"ulvo-monitor.exe");
    EXPECT_TRUE(monitor.Started());
    monitor.WaitForLine("\n");  // no line holds its line end: reads until the output ends
    return {monitor.Seen(), monitor.WaitForExit(kTestbedAnswerTimeout)};
}

TEST(Monitor, WritesTheCommandWordAndControlsThenPrintsTheBlockDecoded) {
    FsuipcParty fsuipc(FsuipcParty::OwnThread());
    fsuipc.WithSpace([](FsuipcOffsetSpace& space) {
        space.SetU16(0x9400, 0xFFFF);
        space.SetU16(0x9430, 0xFA24);  // -1500 in a signed display
        space.SetU16(0x943A, 0xFFFF);  // a blank window
        space.SetU8(0x9402, 0x81);
        space.SetU16(0x9477, 250);  // factor 1000
        space.SetU8(0x94F0, 254);
    });
    const MonitorRun run =
        RunMonitor(L"--command 1298 --control 0x94F0+=3 --control 0x9428=9 --once");
    EXPECT_EQ(run.exitCode, 0u);
    for (const char* text : {"wrote command 1298 at 0x9400",
                             "wrote 1 at 0x94F0 (0x94F0+=3, was 254)", "COMMAND WORD 0x9400: 1298",
                             "9430: -1500", "943A: blank", "9402:10000001", "9477:  0.250"}) {
        EXPECT_NE(run.output.find(text), std::string::npos) << text << "\n" << run.output;
    }
    EXPECT_EQ(fsuipc.U16(0x9400), 1298);
    EXPECT_EQ(fsuipc.U8(0x94F0), 1);
    EXPECT_EQ(fsuipc.U8(0x9428), 9);
}

TEST(Monitor, SaysSoWhenFsuipcIsNotRunning) {
    const MonitorRun run = RunMonitor(L"--once");
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_EQ(run.output.rfind("FSUIPC is not running", 0), 0u) << run.output;
}

}  // namespace
}  // namespace ulvo::testbed
