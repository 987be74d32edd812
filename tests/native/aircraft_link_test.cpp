#include "aircraft/aircraft_link.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/expected_log_lines.h"
#include "core/memory_aircraft.h"
#include "core/recording_log.h"

namespace ulvo::aircraft {
namespace {

using testbed::kConnectionsClosedLines;
using testbed::kConnectionsOpenedLines;
using testbed::MemoryAircraft;
using testbed::Part;
using testbed::RecordingLog;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Lines = std::vector<std::string>;

TEST(AircraftLink, AttachesBothSectionsThenFindsTheCommandChannel) {
    MemoryAircraft platform;
    AircraftLink link(platform);
    RecordingLog log;
    ASSERT_TRUE(link.Attach(log));
    EXPECT_EQ(log.Take(), Part(kConnectionsOpenedLines, 2, 7));
    EXPECT_THAT(platform.calls, ElementsAre("open Ulvo737NG_SDK_FileMappingObject", "map sdk 4273",
                                            "open Ulvo737NG_SDK2_FileMappingObject",
                                            "map sdk2 6773", "find window", "register message"));
    EXPECT_EQ(link.SdkView(), platform.sdkSection.data());
    EXPECT_EQ(link.Sdk2View(), platform.sdk2Section.data());
    EXPECT_TRUE(link.Ready());

    platform.calls.clear();
    link.Detach(log);
    EXPECT_EQ(log.Take(), Part(kConnectionsClosedLines, 2, 6));
    EXPECT_THAT(platform.calls, ElementsAre("unmap sdk", "close sdk", "unmap sdk2", "close sdk2"));
    EXPECT_EQ(link.Sdk2View(), nullptr);  // the first view and mapping: in the table below
    EXPECT_EQ(link.Sdk2Mapping(), 0u);
    EXPECT_EQ(platform.liveSections + platform.liveViews, 0);

    // Detached, a second close has nothing to say.
    link.Detach(log);
    EXPECT_THAT(log.lines, IsEmpty());
    // The command channel survives the detach.
    EXPECT_TRUE(link.Ready());
}

TEST(AircraftLink, AFailedAttachUndoesItsOwnStepAndLeavesTheRestToTheClose) {
    const struct {
        const char* name;
        bool MemoryAircraft::*cleared;  // the fault: this flag false
        size_t step;                    // 2 to 5, as in the lists of expected lines
        int sectionsLeft;               // what stands after the failed attach
        int viewsLeft;
        Lines undone;      // the attach's own undoing, in order
        Lines closeLines;  // what detaching then writes
    } cases[] = {
        {"first section missing", &MemoryAircraft::sdkSectionPresent, 2, 0, 0,
         Lines{"open Ulvo737NG_SDK_FileMappingObject"}, Lines{}},
        {"first view fails", &MemoryAircraft::sdkViewMaps, 3, 0, 0,
         Lines{"map sdk 4273", "close sdk"}, Lines{}},
        {"second section missing", &MemoryAircraft::sdk2SectionPresent, 4, 1, 1,
         Lines{"open Ulvo737NG_SDK2_FileMappingObject"}, Part(kConnectionsClosedLines, 2, 4)},
        {"second view fails", &MemoryAircraft::sdk2ViewMaps, 5, 0, 0,
         Lines{"map sdk2 6773", "unmap sdk", "close sdk", "close sdk2"}, Lines{}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryAircraft platform;
        platform.*c.cleared = false;
        AircraftLink link(platform);
        RecordingLog log;
        EXPECT_FALSE(link.Attach(log));
        EXPECT_EQ(log.Take(), testbed::Then(Part(kConnectionsOpenedLines, 2, c.step),
                                            {testbed::kOpenFailedLines[c.step]}));
        EXPECT_EQ(platform.liveSections, c.sectionsLeft);
        EXPECT_EQ(platform.liveViews, c.viewsLeft);
        EXPECT_EQ(Lines(platform.calls.end() - c.undone.size(), platform.calls.end()), c.undone);
        EXPECT_EQ(link.Sdk2View(), nullptr);
        // A failed attach never looks up the command channel.
        EXPECT_FALSE(link.Ready());
        link.Detach(log);
        EXPECT_EQ(log.lines, c.closeLines);
        EXPECT_EQ(platform.liveSections + platform.liveViews, 0);
        EXPECT_EQ(link.SdkView(), nullptr);
        EXPECT_EQ(link.SdkMapping(), 0u);
        EXPECT_EQ(link.Sdk2Mapping(), 0u);
    }
}

TEST(AircraftLink, WindowAndMessageAreLookedUpOnlyUntilFound) {
    MemoryAircraft platform;
    platform.windowPresent = false;
    AircraftLink link(platform);
    RecordingLog log;

    ASSERT_TRUE(link.Attach(log));
    EXPECT_EQ(link.SimWindow(), 0u);
    EXPECT_EQ(link.SdkMessage(), MemoryAircraft::kMessage);
    // Not found yet: commands are dropped silently.
    PostAircraftCommand(link, 1299, 2);
    EXPECT_THAT(platform.posts, IsEmpty());
    link.Detach(log);

    platform.windowPresent = true;
    platform.calls.clear();
    ASSERT_TRUE(link.Attach(log));
    EXPECT_EQ(platform.calls.size(), 5u);  // the message is not registered again
    EXPECT_EQ(platform.calls.back(), "find window");
    EXPECT_EQ(link.SimWindow(), MemoryAircraft::kWindow);
    link.Detach(log);

    // Once known, neither is looked up again, even if the window went away; a
    // command goes to that window with that message.
    platform.windowPresent = false;
    platform.messageRegisters = false;
    platform.calls.clear();
    ASSERT_TRUE(link.Attach(log));
    EXPECT_EQ(platform.calls.size(), 4u);
    PostAircraftCommand(link, 0xFFFFFFFFu, -2.7);
    ASSERT_EQ(platform.posts.size(), 1u);
    EXPECT_EQ(platform.posts[0].window, MemoryAircraft::kWindow);
    EXPECT_EQ(platform.posts[0].message, MemoryAircraft::kMessage);
    EXPECT_EQ(platform.posts[0].code, 0xFFFFFFFFu);
    EXPECT_EQ(platform.posts[0].value, -2);
}

}  // namespace
}  // namespace ulvo::aircraft
