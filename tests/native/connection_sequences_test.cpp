#include "plugin/connection_sequences.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

#include "core/expected_log_lines.h"
#include "core/plugin_connections.h"

namespace ulvo::plugin {
namespace {

using testbed::PluginConnections;

using ::testing::ElementsAreArray;
using Lines = std::vector<std::string>;

const Lines& kOpenedLines = testbed::kConnectionsOpenedLines;
const Lines& kClosedAllLines = testbed::kConnectionsClosedLines;
using testbed::Part;
using testbed::Then;

class ConnectionSequencesTest : public ::testing::Test, public PluginConnections {};

TEST_F(ConnectionSequencesTest, OpensSimConnectThenFsuipcThenBothSections) {
    EXPECT_TRUE(OpenConnections(connections));
    EXPECT_THAT(log.Take(), ElementsAreArray(kOpenedLines));
    EXPECT_TRUE(fsuipc.IsOpen());
    EXPECT_EQ(fsuipcResult, 0u);
    EXPECT_TRUE(aircraft.Ready());
    EXPECT_EQ(thread.starts, 0);  // the one-second step starts the worker
    EXPECT_TRUE(AnyConnectionStands(connections));

    // Closing keeps the command channel and the ground-services state.
    groundFields.exitCooldown = 3;
    groundFields.lastJetwayPower = 5.0;
    CloseConnections(connections);
    EXPECT_TRUE(aircraft.Ready());
    ASSERT_TRUE(OpenConnections(connections));
    EXPECT_EQ(groundFields.exitCooldown, 3);
    EXPECT_EQ(groundFields.lastJetwayPower, 5.0);
    EXPECT_EQ(fsuipcPlatform.atomNames.size(), 2u);  // a fresh section name per open
}

TEST_F(ConnectionSequencesTest, AFailingStepLogsOneLineThenClosesWhatStands) {
    const struct {
        const char* name;
        size_t step;  // as in the lists of expected lines
        size_t closeLines;
        uint32_t fsuipcResult;
        size_t aircraftCalls;  // platform calls the aircraft saw
        void (*breakIt)(PluginConnections&);
    } cases[] = {
        {"SimConnect unavailable: nothing else is tried", 0, 1, 0, 0,
         [](auto& f) { f.simconnect.openResult = int32_t(0x80004005); }},
        {"FSUIPC unavailable: the reason stays in the result", 1, 2, fsuipc::kNoWindow, 0,
         [](auto& f) { f.fsuipcPlatform.windowPresent = false; }},
        {"FSUIPC too old", 1, 2, fsuipc::kBadVersion, 0,
         [](auto& f) { f.fsuipcPlatform.space.SetU32(0x3304, 0x19980004); }},
        {"second section missing: the first is closed again", 4, 4, 0, 5,
         [](auto& f) { f.aircraftPlatform.sdk2SectionPresent = false; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PluginConnections f;
        c.breakIt(f);
        EXPECT_FALSE(OpenConnections(f.connections));
        EXPECT_THAT(f.log.Take(), ElementsAreArray(Then(Then(Part(kOpenedLines, 0, c.step),
                                                             {testbed::kOpenFailedLines[c.step]}),
                                                        Part(kClosedAllLines, 0, c.closeLines))));
        EXPECT_EQ(f.fsuipcResult, c.fsuipcResult);
        EXPECT_EQ(f.aircraftPlatform.calls.size(), c.aircraftCalls);
        EXPECT_FALSE(AnyConnectionStands(f.connections));
        EXPECT_EQ(
            f.fsuipcPlatform.liveAtoms + f.fsuipcPlatform.liveSections + f.fsuipcPlatform.liveViews,
            0);
        EXPECT_EQ(f.aircraftPlatform.liveSections + f.aircraftPlatform.liveViews, 0);
    }
}

TEST_F(ConnectionSequencesTest, CloseReleasesNothingWhileTheWorkerStillRuns) {
    ASSERT_TRUE(OpenConnections(connections));
    log.Take();
    ASSERT_TRUE(thread.Start());
    workerRunning.store(1);
    // A worker stuck in slow FSUIPC exchanges: 2 s of waiting, twice the 1000 ms a
    // stop ordinarily takes.
    thread.waitsUntilEnd = 400;
    bool releasedEarly = false;
    bool flagLeftSet = false;
    thread.onWait = [&] {
        releasedEarly |= !fsuipc.IsOpen() || aircraft.SdkView() == nullptr ||
                         aircraft.Sdk2View() == nullptr || groundFields.simConnect == nullptr ||
                         log.lines.size() != 1;
        if (thread.waits.size() == 3) {
            workerRunning.store(1);  // the worker's own set, landing after the clear
        } else {
            flagLeftSet |= workerRunning.load() != 0;
        }
    };
    CloseConnections(connections);
    EXPECT_FALSE(releasedEarly);
    EXPECT_FALSE(flagLeftSet);
    EXPECT_EQ(thread.waits.size(), 400u);
    EXPECT_GT(std::accumulate(thread.waits.begin(), thread.waits.end(), 0u), 1000u);
    EXPECT_EQ(thread.releases, 1);
    EXPECT_FALSE(thread.Exists());
    EXPECT_THAT(log.Take(), ElementsAreArray(Then({testbed::kWorkerClosingLine}, kClosedAllLines)));
}

TEST_F(ConnectionSequencesTest, TheThreadLineFollowsTheFlagAndEveryThreadIsReleased) {
    const struct {
        const char* name;
        bool threadExists;
        int32_t flag;
        bool threadLine;
        size_t waits;
    } cases[] = {
        {"running worker", true, 1, true, 1},
        {"a worker that stopped by itself, or is still starting: no line", true, 0, false, 1},
        {"no thread, no flag: neither line nor wait", false, 0, false, 0},
        {"a flag without a thread: the line, no wait", false, 1, true, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PluginConnections f;
        f.thread.exists = c.threadExists;
        f.workerRunning.store(c.flag);
        CloseConnections(f.connections);
        Lines expected = Part(kClosedAllLines, 0, 1);
        if (c.threadLine) {
            expected.insert(expected.begin(), testbed::kWorkerClosingLine);
        }
        EXPECT_THAT(f.log.lines, ElementsAreArray(expected));
        EXPECT_EQ(f.thread.waits.size(), c.waits);
        EXPECT_EQ(f.thread.releases, c.threadExists ? 1 : 0);
        EXPECT_FALSE(f.thread.Exists());
        EXPECT_EQ(f.workerRunning.load(), 0);
    }
}

TEST_F(ConnectionSequencesTest, AnyConnectionStandsNamesEachThingTheCloseReleases) {
    using Leave = void (*)(PluginConnections&);
    const Leave cases[] = {
        [](PluginConnections& f) { f.workerRunning.store(1); },
        [](PluginConnections& f) { f.thread.exists = true; },
        [](PluginConnections& f) { f.fsuipc.Open(f.fsuipcResult); },
        [](PluginConnections& f) { groundservices::SimConnectSetUp(f.connections.groundServices); },
        // The first section only.
        [](PluginConnections& f) {
            f.aircraftPlatform.sdk2SectionPresent = false;
            f.aircraft.Attach(f.log);
        },
    };
    for (const Leave leave : cases) {
        PluginConnections f;
        EXPECT_FALSE(AnyConnectionStands(f.connections));
        leave(f);
        EXPECT_TRUE(AnyConnectionStands(f.connections));
        CloseConnections(f.connections);
        EXPECT_FALSE(AnyConnectionStands(f.connections));
    }
}

}  // namespace
}  // namespace ulvo::plugin
