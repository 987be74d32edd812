// The aircraft link over its Win32 platform against the testbed's aircraft: the
// named sections mapped to their last byte, the simulator window and the posted
// command message. The link's logic is tested natively
// (tests/native/aircraft_link_test.cpp).
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

namespace ulvo::aircraft {
namespace {

using testbed::AircraftParty;
using ::testing::ElementsAre;
using Command = AircraftParty::Command;

struct RecordingLog final : LogSink {
    void LogLine(std::string_view text) override { lines.emplace_back(text); }
    std::vector<std::string> lines;
};

TEST(AircraftPlatformWin, ReadsTheAircraftsSectionsAndPostsToItsWindow) {
    testbed::SimWindow simWindow;
    AircraftParty party(&simWindow, {});
    ASSERT_TRUE(party.SetI32(AircraftParty::Block::Sdk, kSdkBlockSize - 4, -7));
    ASSERT_TRUE(party.SetI32(AircraftParty::Block::Sdk2, kSdk2BlockSize - 4, 99));

    Win32AircraftPlatform platform;
    AircraftLink link(platform);
    RecordingLog log;
    ASSERT_TRUE(link.Attach(log));
    EXPECT_EQ(link.SimWindow(), reinterpret_cast<WindowRef>(simWindow.Handle()));
    SdkBlock sdkBlock{};
    Sdk2Block sdk2Block{};
    ASSERT_TRUE(CopySdkBlock(link, sdkBlock));
    ASSERT_TRUE(CopySdk2Block(link, sdk2Block));
    EXPECT_EQ(FieldI32(sdkBlock, kSdkBlockSize - 4), -7);
    EXPECT_EQ(FieldI32(sdk2Block, kSdk2BlockSize - 4), 99);

    // The code travels zero-extended, the value sign-extended.
    PostAircraftCommand(link, 0xF0000001u, -3);
    PostAircraftCommand(link, 1299, 0.5);
    ASSERT_TRUE(testbed::PumpUntil([&] { return party.Commands().size() >= 2; },
                                   std::chrono::milliseconds(5000)));
    EXPECT_THAT(party.Commands(), ElementsAre(Command{0xF0000001u, -3}, Command{1299, 50}));
    link.Detach(log);
    EXPECT_EQ(link.SdkView(), nullptr);
}

TEST(AircraftPlatformWin, ASectionSmallerThanItsViewDoesNotMap) {
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

}  // namespace
}  // namespace ulvo::aircraft
