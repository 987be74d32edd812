// ulvo-panel-lab.exe as users run it, in a process of its own around the real
// DLL: a scenario checked whole before it runs and its exit codes, the monitor
// as the user's FSUIPC client beside it, a recording replayed and recorded
// again, and the refusals to start beside another FSUIPC or with a SimConnect
// configuration that points elsewhere. Files lie in a folder whose name holds
// letters outside ASCII. The example scenarios run as tests of their own; the
// lines and their rules are tested natively.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "monitor/win/wide_paths.h"
#include "offsets/recording.h"
#include "win/fsuipc_party.h"
#include "win/testbed_process.h"
#include "wine/simconnect_environment.h"

namespace ulvo::testbed {
namespace {

// A folder "Jörg\Flüge" in the temporary folder, removed with what it holds.
struct Folder {
    Folder() {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        user = std::wstring(temp) + L"ulvo-lab-J\u00F6rg-" + std::to_wstring(GetCurrentProcessId());
        path = user + L"\\Fl\u00FCge";
        CreateDirectoryW(user.c_str(), nullptr);
        CreateDirectoryW(path.c_str(), nullptr);
    }
    ~Folder() {
        for (const std::wstring& file : files) {
            DeleteFileW(file.c_str());
        }
        RemoveDirectoryW(path.c_str());
        RemoveDirectoryW(user.c_str());
    }
    // The file's path, quoted for a command line; the file holds `text`, if any.
    std::wstring File(const wchar_t* name, const std::string& text = "") {
        files.push_back(path + L"\\" + name);
        if (!text.empty()) {
            std::FILE* file = tools::CreateForWriting(files.back());
            std::fputs(text.c_str(), file);
            std::fclose(file);
        }
        return L"\"" + files.back() + L"\"";
    }
    tools::Recording Recording(const wchar_t* name) const {
        std::string text;
        tools::ReadWholeFile(path + L"\\" + name, text);
        return tools::ParseRecording(text);
    }

    std::wstring user, path;
    std::vector<std::wstring> files;
};

TEST(PanelLab, AScenarioIsCheckedWholeThenRunAndEndsWithItsExitCode) {
    Folder folder;
    const struct {
        const char* text;
        const char* said;
        DWORD exitCode;
    } cases[] = {
        {"set 0x943A 123456\nwait 1\nexpect 0x9402 300\n",
         "line 3 (expect 0x9402 300): 0x9402 (BitWord00) takes bits 0-7 on or off, not 300", 2},
        // The second set is in force before the expect is judged.
        {"set 0x943A 5000\nwait 0.5\nset 0x943A 12000\nexpect 0x943A 5000 within 0.5\n",
         "first difference: line 4 (expect 0x943A 5000 within 0.5): not within 0.5 s: 0x943A "
         "reads 12000",
         1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.said);
        TestbedProcess lab(L"--plain run " + folder.File(L"a.txt", c.text), L"ulvo-panel-lab.exe");
        EXPECT_TRUE(lab.WaitForLine(c.said)) << lab.Seen();
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

// The command word is left out: whether the recorder's first sample came before
// or after the plug-in's first cycle cleared it differs from run to run.
TEST(PanelLab, ReplayingARecordingAndRecordingItAgainGivesTheSameChanges) {
    Folder folder;
    const std::wstring first = folder.File(L"first.rec");
    const std::wstring again = folder.File(L"again.rec");
    {
        TestbedProcess recorder(L"--record " + first, L"ulvo-monitor.exe");
        TestbedProcess lab(L"--plain", L"ulvo-panel-lab.exe");
        ASSERT_TRUE(recorder.WaitForLine("recording the offset block")) << recorder.Seen();
        // The first change comes late enough for the second recorder to be ready.
        for (const char* line :
             {"wait 2", "set 0x943A 12000", "wait 0.3", "set 0x9402.3 on", "wait 0.3",
              "set 0x9477 0.25", "wait 0.3", "set 0x94F0 +2", "wait 0.3", "set 0x9430 -1500",
              "wait 0.3", "set 0x943A blank", "wait 0.3", "quit"}) {
            lab.WriteLine(line);
        }
        EXPECT_EQ(lab.WaitForExit(kTestbedAnswerTimeout), 0u);
        EXPECT_EQ(recorder.WaitForExit(kTestbedAnswerTimeout), 0u);
    }
    {
        TestbedProcess recorder(L"--record " + again, L"ulvo-monitor.exe");
        TestbedProcess lab(L"--plain replay " + first, L"ulvo-panel-lab.exe");
        EXPECT_TRUE(lab.WaitForLine("replayed")) << lab.Seen();
        EXPECT_EQ(lab.WaitForExit(kTestbedAnswerTimeout), 0u) << lab.Seen();
        EXPECT_EQ(recorder.WaitForExit(kTestbedAnswerTimeout), 0u);
    }
    const tools::Recording recorded = folder.Recording(L"first.rec");
    const tools::Recording replayed = folder.Recording(L"again.rec");
    ASSERT_TRUE(recorded.error.empty() && replayed.error.empty());
    auto histories = tools::ValueHistories(recorded);
    EXPECT_EQ(histories.at(0x943A), (std::vector<uint32_t>{0, 12000, 0xFFFF}));
    EXPECT_EQ(histories.at(0x94F0), (std::vector<uint32_t>{0, 2}));
    auto replayedHistories = tools::ValueHistories(replayed);
    histories.erase(0x9400);
    replayedHistories.erase(0x9400);
    EXPECT_EQ(histories, replayedHistories);
}

TEST(PanelLab, RefusesToStartBesideAnotherFsuipc) {
    FsuipcParty fsuipc(FsuipcParty::OwnThread());
    TestbedProcess lab(L"--plain", L"ulvo-panel-lab.exe");
    EXPECT_TRUE(lab.WaitForLine("FSUIPC or the simulator is already running")) << lab.Seen();
    EXPECT_EQ(lab.WaitForExit(kTestbedAnswerTimeout), 3u);
}

using PanelLabSimConnect = simconnect::SimConnectEnvironment;

// Before the plug-in is loaded: its SimConnect traffic, GSX's doors among it,
// would go to the simulator PC.
TEST_F(PanelLabSimConnect, RefusesToStartWhenSimConnectPointsElsewhere) {
    WriteConfig(simconnect::ConfigFolder::Documents,
                "[SimConnect]\r\nProtocol=IPv4\r\nAddress=192.168.1.20\r\nPort=500\r\n");
    TestbedProcess lab(L"--plain", L"ulvo-panel-lab.exe");
    EXPECT_TRUE(lab.WaitForLine("[SimConnect] Address=192.168.1.20")) << lab.Seen();
    EXPECT_EQ(lab.WaitForExit(kTestbedAnswerTimeout), 3u);
    EXPECT_EQ(lab.Seen().find("Logfile opened"), std::string::npos) << lab.Seen();
}

}  // namespace
}  // namespace ulvo::testbed
