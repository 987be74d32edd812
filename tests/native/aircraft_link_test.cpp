#include "aircraft/aircraft_link.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "core/memory_aircraft.h"

namespace ulvo::aircraft {
namespace {

using testbed::MemoryAircraft;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Lines = std::vector<std::string>;

struct RecordingLog final : LogSink {
    void LogLine(std::string_view text) override { lines.emplace_back(text); }
    Lines Take() { return std::exchange(lines, {}); }
    Lines lines;
};

TEST(AircraftLink, AttachesBothSectionsThenFindsTheCommandChannel) {
    MemoryAircraft platform;
    AircraftLink link(platform);
    RecordingLog log;
    ASSERT_TRUE(link.Attach(log));
    EXPECT_THAT(log.lines,
                ElementsAre("Ulvo 737 SDK filemap opened.", "Ulvo 737 SDK buffer opened.",
                            "Ulvo 737 SDK 2nd filemp opened.", "Ulvo 737 SDK 2nd buffer opened.",
                            "All connections opened and started."));
    EXPECT_THAT(platform.calls, ElementsAre("open Ulvo737NG_SDK_FileMappingObject", "map sdk 4273",
                                            "open Ulvo737NG_SDK2_FileMappingObject",
                                            "map sdk2 6773", "find window", "register message"));
    EXPECT_EQ(link.SdkView(), platform.sdkSection.data());
    EXPECT_EQ(link.Sdk2View(), platform.sdk2Section.data());
    EXPECT_TRUE(link.Ready());

    platform.calls.clear();
    link.Detach(log);
    EXPECT_THAT(log.Take(),
                ElementsAre("Ulvo 737 SDK filemap opened.", "Ulvo 737 SDK buffer opened.",
                            "Ulvo 737 SDK 2nd filemp opened.", "Ulvo 737 SDK 2nd buffer opened.",
                            "All connections opened and started.", "Closing ulvo SDK buffer.",
                            "Closing ulvo SDK filemap.", "Closing ulvo SDK 2nd buffer.",
                            "Closing ulvo SDK 2nd filemap."));
    EXPECT_THAT(platform.calls, ElementsAre("unmap sdk", "close sdk", "unmap sdk2", "close sdk2"));
    EXPECT_EQ(link.SdkView(), nullptr);
    EXPECT_EQ(link.Sdk2View(), nullptr);
    EXPECT_EQ(link.SdkMapping(), 0u);
    EXPECT_EQ(link.Sdk2Mapping(), 0u);
    EXPECT_EQ(platform.liveSections + platform.liveViews, 0);

    // Detached, a second close has nothing to say.
    link.Detach(log);
    EXPECT_THAT(log.lines, IsEmpty());
    // The command channel survives the detach.
    EXPECT_TRUE(link.Ready());
}

TEST(AircraftLink, AFailedAttachUndoesItsOwnStepAndLeavesTheRestToTheClose) {
    struct Case {
        const char* name;
        std::function<void(MemoryAircraft&)> fault;
        Lines attachLines;
        int sectionsLeft;  // what stands after the failed attach
        int viewsLeft;
        Lines closeLines;  // what detaching then writes
    };
    const Case cases[] = {
        {"first section missing",
         [](MemoryAircraft& a) { a.sdkSectionPresent = false; },
         {"Ulvo 737 SDK filemap did not open."},
         0,
         0,
         {}},
        {"first view fails",
         [](MemoryAircraft& a) { a.sdkViewMaps = false; },
         {"Ulvo 737 SDK filemap opened.", "Ulvo 737 SDK buffer did not open. Closing filemap"},
         0,
         0,
         {}},
        {"second section missing",
         [](MemoryAircraft& a) { a.sdk2SectionPresent = false; },
         {"Ulvo 737 SDK filemap opened.", "Ulvo 737 SDK buffer opened.",
          "Ulvo 737 SDK 2nd filemap did not open."},
         1,
         1,
         {"Closing ulvo SDK buffer.", "Closing ulvo SDK filemap."}},
        {"second view fails",
         [](MemoryAircraft& a) { a.sdk2ViewMaps = false; },
         {"Ulvo 737 SDK filemap opened.", "Ulvo 737 SDK buffer opened.",
          "Ulvo 737 SDK 2nd filemp opened.",
          "Ulvo 737 SDK 2nd buffer did not open. Closing filemap and 1st buffer and 1st filemap"},
         0,
         0,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryAircraft platform;
        c.fault(platform);
        AircraftLink link(platform);
        RecordingLog log;
        EXPECT_FALSE(link.Attach(log));
        EXPECT_EQ(log.Take(), c.attachLines);
        EXPECT_EQ(platform.liveSections, c.sectionsLeft);
        EXPECT_EQ(platform.liveViews, c.viewsLeft);
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

TEST(AircraftLink, SecondViewFailureUnmapsAndClosesInItsOwnOrder) {
    MemoryAircraft platform;
    platform.sdk2ViewMaps = false;
    AircraftLink link(platform);
    RecordingLog log;
    EXPECT_FALSE(link.Attach(log));
    EXPECT_THAT(platform.calls,
                ElementsAre("open Ulvo737NG_SDK_FileMappingObject", "map sdk 4273",
                            "open Ulvo737NG_SDK2_FileMappingObject", "map sdk2 6773", "unmap sdk",
                            "close sdk", "close sdk2"));
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
    EXPECT_THAT(platform.calls, ElementsAre("open Ulvo737NG_SDK_FileMappingObject", "map sdk 4273",
                                            "open Ulvo737NG_SDK2_FileMappingObject",
                                            "map sdk2 6773", "find window"));
    EXPECT_EQ(link.SimWindow(), MemoryAircraft::kWindow);
    link.Detach(log);

    // Once known, neither is looked up again, even if the window went away.
    platform.windowPresent = false;
    platform.messageRegisters = false;
    platform.calls.clear();
    ASSERT_TRUE(link.Attach(log));
    EXPECT_EQ(platform.calls.size(), 4u);
    EXPECT_TRUE(link.Ready());
}

TEST(PostAircraftCommand, ScalesFractionsAndTruncatesTowardZero) {
    const struct {
        double value;
        int32_t posted;
    } cases[] = {
        {0.5, 50},
        {0.999, 99},
        {1.0, 1},
        {0.0, 0},
        {-0.5, 0},
        {2.7, 2},
        {-3.0, -3},
        {-2.7, -2},
        {0.004, 0},
        {1e12, std::numeric_limits<int32_t>::max()},
        {-1e12, std::numeric_limits<int32_t>::min()},
        {std::nan(""), 0},
    };
    MemoryAircraft platform;
    AircraftLink link(platform);
    RecordingLog log;
    ASSERT_TRUE(link.Attach(log));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        platform.posts.clear();
        PostAircraftCommand(link, 0xFFFFFFFFu, c.value);
        ASSERT_EQ(platform.posts.size(), 1u);
        EXPECT_EQ(platform.posts[0].window, MemoryAircraft::kWindow);
        EXPECT_EQ(platform.posts[0].message, MemoryAircraft::kMessage);
        EXPECT_EQ(platform.posts[0].code, 0xFFFFFFFFu);
        EXPECT_EQ(platform.posts[0].value, c.posted);
    }
}

}  // namespace
}  // namespace ulvo::aircraft
