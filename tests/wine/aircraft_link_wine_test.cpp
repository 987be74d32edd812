// The aircraft link's Win32 edge against the testbed's aircraft: the named
// sections, the simulator window and the posted command message.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "aircraft/aircraft_link.h"
#include "aircraft/win/aircraft_platform_win.h"
#include "win/aircraft_party.h"
#include "win/message_pump.h"
#include "win/sim_window.h"
#include "win/testbed.h"

namespace ulvo::aircraft {
namespace {

using testbed::AircraftParty;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Command = AircraftParty::Command;

struct RecordingLog final : LogSink {
    void LogLine(std::string_view text) override { lines.emplace_back(text); }
    std::vector<std::string> lines;
};

bool PumpUntilCommands(const AircraftParty& party, size_t count) {
    return testbed::PumpUntil([&] { return party.Commands().size() >= count; },
                              std::chrono::milliseconds(5000));
}

TEST(AircraftLinkWin32, ReadsTheAircraftsSectionsAndPostsToItsWindow) {
    testbed::SimWindow simWindow;
    AircraftParty party(&simWindow, {});
    ASSERT_TRUE(party.SetF64(AircraftParty::Block::Sdk, 0xFA8, 12.34));
    ASSERT_TRUE(party.SetI32(AircraftParty::Block::Sdk, kSdkBlockSize - 4, -7));
    ASSERT_TRUE(party.SetI32(AircraftParty::Block::Sdk2, kSdk2BlockSize - 8, 99));
    // The byte beyond each block is mapped but no field of it is settable.
    EXPECT_FALSE(party.SetI32(AircraftParty::Block::Sdk, kSdkBlockSize - 3, 1));

    Win32AircraftPlatform platform;
    AircraftLink link(platform);
    RecordingLog log;
    ASSERT_TRUE(link.Attach(log));
    EXPECT_EQ(link.SimWindow(), reinterpret_cast<WindowRef>(simWindow.Handle()));
    EXPECT_EQ(link.SdkMessage(), party.CommandMessage());

    SdkBlock sdkBlock{};
    Sdk2Block sdk2Block{};
    ASSERT_TRUE(CopySdkBlock(link, sdkBlock));
    ASSERT_TRUE(CopySdk2Block(link, sdk2Block));
    EXPECT_EQ(FieldF64(sdkBlock, 0xFA8), 12.34);
    EXPECT_EQ(FieldI32(sdkBlock, kSdkBlockSize - 4), -7);
    EXPECT_EQ(FieldI32(sdk2Block, kSdk2BlockSize - 8), 99);
    EXPECT_EQ(FieldI32(sdk2Block, kAircraftStateOffset), 1);

    // The code travels zero-extended, the value sign-extended.
    PostAircraftCommand(link, 1299, 0.5);
    PostAircraftCommand(link, 0xF0000001u, -3);
    PostAircraftCommand(link, 640, 2.7);
    ASSERT_TRUE(PumpUntilCommands(party, 3));
    EXPECT_THAT(party.Commands(),
                ElementsAre(Command{1299, 50}, Command{0xF0000001u, -3}, Command{640, 2}));

    link.Detach(log);
    EXPECT_EQ(link.SdkView(), nullptr);
    EXPECT_EQ(link.Sdk2View(), nullptr);
    EXPECT_EQ(log.lines.size(), 5u + 4u);
}

TEST(AircraftLinkWin32, MissingSectionsAreLoggedAndLeaveNothingOpen) {
    struct Case {
        const char* name;
        AircraftParty::Options options;
        std::vector<std::string> lines;  // attach, then detach
    };
    const Case cases[] = {
        {"no aircraft", {false, false}, {"Ulvo 737 SDK filemap did not open."}},
        {"first section missing", {false, true}, {"Ulvo 737 SDK filemap did not open."}},
        {"second section missing",
         {true, false},
         {"Ulvo 737 SDK filemap opened.", "Ulvo 737 SDK buffer opened.",
          "Ulvo 737 SDK 2nd filemap did not open.", "Closing ulvo SDK buffer.",
          "Closing ulvo SDK filemap."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testbed::TestbedOptions options;
        options.aircraft = c.options;
        testbed::Testbed testbed(options);
        Win32AircraftPlatform platform;
        AircraftLink link(platform);
        RecordingLog log;
        EXPECT_FALSE(link.Attach(log));
        link.Detach(log);
        EXPECT_EQ(log.lines, c.lines);
        EXPECT_EQ(link.SdkView(), nullptr);
        EXPECT_EQ(link.SdkMapping(), 0u);
        EXPECT_EQ(link.Sdk2Mapping(), 0u);
    }
}

TEST(AircraftLinkWin32, ASectionSmallerThanItsViewDoesNotMap) {
    // An aircraft that maps fewer bytes than the plug-in reads: the view fails and
    // the first section is closed again.
    HANDLE small =
        CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096, kSdkSectionName);
    ASSERT_NE(small, nullptr);
    Win32AircraftPlatform platform;
    AircraftLink link(platform);
    RecordingLog log;
    EXPECT_FALSE(link.Attach(log));
    EXPECT_THAT(log.lines, ElementsAre("Ulvo 737 SDK filemap opened.",
                                       "Ulvo 737 SDK buffer did not open. Closing filemap"));
    EXPECT_EQ(link.SdkMapping(), 0u);
    CloseHandle(small);
}

TEST(AircraftLinkWin32, CommandsAreDroppedUntilTheSimulatorWindowIsFound) {
    Win32AircraftPlatform platform;
    AircraftLink link(platform);
    RecordingLog log;
    {
        AircraftParty aircraftAlone(nullptr, {});
        ASSERT_TRUE(link.Attach(log));
        EXPECT_EQ(link.SimWindow(), 0u);
        EXPECT_NE(link.SdkMessage(), 0u);
        EXPECT_FALSE(link.Ready());
        PostAircraftCommand(link, 1, 0);  // dropped
        link.Detach(log);
    }
    testbed::SimWindow simWindow;
    AircraftParty party(&simWindow, {});
    ASSERT_TRUE(link.Attach(log));
    EXPECT_EQ(link.SimWindow(), reinterpret_cast<WindowRef>(simWindow.Handle()));
    PostAircraftCommand(link, 2, 0);
    ASSERT_TRUE(PumpUntilCommands(party, 1));
    testbed::PumpPending();
    EXPECT_THAT(party.Commands(), ElementsAre(Command{2, 0}));
}

}  // namespace
}  // namespace ulvo::aircraft
