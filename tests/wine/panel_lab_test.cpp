// ulvo-panel-lab.exe as users run it, in a process of its own around the real
// DLL: a scenario that passes and one that fails, the monitor as the user's
// FSUIPC client beside it, a recording replayed and recorded again, and the
// refusal beside another FSUIPC. Scenarios and recordings are tested natively.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "offsets/recording.h"
#include "win/fsuipc_party.h"
#include "win/testbed_process.h"

namespace ulvo::testbed {
namespace {

// A file in the temporary folder, removed when the test ends.
struct TempFile {
    explicit TempFile(const std::string& name, const std::string& text = "") {
        char folder[MAX_PATH];
        GetTempPathA(MAX_PATH, folder);
        path =
            std::string(folder) + "ulvo-lab-" + std::to_string(GetCurrentProcessId()) + "-" + name;
        std::ofstream(path, std::ios::binary) << text;
    }
    ~TempFile() { DeleteFileA(path.c_str()); }
    std::string path;
};

std::wstring Wide(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

tools::Recording ReadRecording(const std::string& path) {
    std::stringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return tools::ParseRecording(text.str());
}

TEST(PanelLab, AScenarioPassesWhenItsExpectationsHoldAndFailsWithTheFirstDifference) {
    const struct {
        const char* text;
        const char* outcome;
        DWORD exitCode;
    } cases[] = {
        {"set 0x943A 12000\nset 0x9402.3 on\nset 0x9477 0.25\nexpect 0x943A 12000\n"
         "expect 0x9402 00001000\nexpect 0x9477 0.25\nset 0x94F0 +1\nexpect command 1232 12100\n",
         "4 expectations met, 0 failed", 0},
        {"set 0x943A 12000\nexpect 0x943A 12500 within 0.5\n",
         "first difference: line 2 (expect 0x943A 12500 within 0.5): not within 0.5 s: 0x943A "
         "reads 12000",
         1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.outcome);
        const TempFile scenario("scenario.txt", c.text);
        TestbedProcess lab(L"--plain run " + Wide(scenario.path), L"ulvo-panel-lab.exe");
        EXPECT_TRUE(lab.WaitForLine(c.outcome)) << lab.Seen();
        EXPECT_EQ(lab.WaitForExit(kTestbedAnswerTimeout), c.exitCode) << lab.Seen();
    }
}

TEST(PanelLab, MonitorReadsWhatTheLabSetAndItsCommandReachesTheAircraft) {
    TestbedProcess lab(L"--plain", L"ulvo-panel-lab.exe");
    ASSERT_TRUE(lab.WaitForLine("ready")) << lab.Seen();
    lab.WriteLine("set 0x943A 12000");
    lab.WriteLine("expect 0x943A 12000");
    ASSERT_TRUE(lab.WaitForLine("ok line 2")) << lab.Seen();

    TestbedProcess monitor(L"--command 1298 --once", L"ulvo-monitor.exe");
    EXPECT_TRUE(monitor.WaitForLine("943A: 12000")) << monitor.Seen();
    EXPECT_EQ(monitor.WaitForExit(kTestbedAnswerTimeout), 0u);
    // 1298 steps the level from 1 to 2, which the aircraft receives as 1299 = 2.
    EXPECT_TRUE(lab.WaitForLine("command 1299 level = 2")) << lab.Seen();
    lab.WriteLine("quit");
    EXPECT_EQ(lab.WaitForExit(kTestbedAnswerTimeout), 0u);
}

TEST(PanelLab, ReplayingARecordingAndRecordingItAgainGivesTheSameChanges) {
    const TempFile first("first.rec");
    const TempFile again("again.rec");
    {
        TestbedProcess recorder(L"--record " + Wide(first.path), L"ulvo-monitor.exe");
        TestbedProcess lab(L"--plain", L"ulvo-panel-lab.exe");
        ASSERT_TRUE(recorder.WaitForLine("recording the offset block")) << recorder.Seen();
        // The first change comes late enough for the second recorder to be ready.
        for (const char* line : {"wait 2", "set 0x943A 12000", "wait 0.3", "set 0x9402.3 on",
                                 "wait 0.3", "set 0x9477 0.25", "wait 0.3", "set 0x9430 -1500",
                                 "wait 0.3", "set 0x943A blank", "wait 0.3", "quit"}) {
            lab.WriteLine(line);
        }
        EXPECT_EQ(lab.WaitForExit(kTestbedAnswerTimeout), 0u);
        EXPECT_EQ(recorder.WaitForExit(kTestbedAnswerTimeout), 0u);
    }
    {
        TestbedProcess recorder(L"--record " + Wide(again.path), L"ulvo-monitor.exe");
        TestbedProcess lab(L"--plain replay " + Wide(first.path), L"ulvo-panel-lab.exe");
        EXPECT_TRUE(lab.WaitForLine("replayed")) << lab.Seen();
        EXPECT_EQ(lab.WaitForExit(kTestbedAnswerTimeout), 0u) << lab.Seen();
        EXPECT_EQ(recorder.WaitForExit(kTestbedAnswerTimeout), 0u);
    }
    const tools::Recording recorded = ReadRecording(first.path);
    const tools::Recording replayed = ReadRecording(again.path);
    ASSERT_TRUE(recorded.error.empty() && replayed.error.empty());
    const auto histories = tools::ValueHistories(recorded);
    EXPECT_EQ(histories.at(0x943A), (std::vector<uint32_t>{0, 12000, 0xFFFF}));
    EXPECT_EQ(histories.at(0x9430), (std::vector<uint32_t>{0, 0xFA24}));
    EXPECT_EQ(histories, tools::ValueHistories(replayed));
}

TEST(PanelLab, RefusesToStartBesideAnotherFsuipc) {
    FsuipcParty fsuipc(FsuipcParty::OwnThread());
    TestbedProcess lab(L"--plain", L"ulvo-panel-lab.exe");
    EXPECT_TRUE(lab.WaitForLine("FSUIPC or the simulator is already running")) << lab.Seen();
    EXPECT_EQ(lab.WaitForExit(kTestbedAnswerTimeout), 3u);
}

}  // namespace
}  // namespace ulvo::testbed
