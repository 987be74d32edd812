#include <gtest/gtest.h>

#include "offsets/recording.h"

namespace ulvo::tools {
namespace {

TEST(Recording, WritesChangesAndReadsThemBack) {
    BlockSnapshot before, now;
    now.bytes[0x943A - kBlockFirst] = 0xE0;  // 12000
    now.bytes[0x943B - kBlockFirst] = 0x2E;
    now.bytes[0x9402 - kBlockFirst] = 0x81;
    EXPECT_EQ(RecordingLines(2.5, now, &before),
              "2.500 0x9402 0x81 10000001\n2.500 0x943A 0x2EE0 12000\n");
    const std::string text = RecordingHeader() + RecordingLines(0, before, nullptr) +
                             RecordingLines(2.5, now, &before) + "\r\n";
    const Recording recording = ParseRecording(text);
    EXPECT_EQ(recording.error, "");
    size_t used = 0;
    for (const OffsetEntry& entry : BlockLayout()) {
        used += entry.role == OffsetRole::kUnused ? 0 : 1;
    }
    EXPECT_EQ(recording.values.size(), used + 2);  // every value at the start, then 2 changes
    const auto histories = ValueHistories(recording);
    EXPECT_EQ(histories.at(0x943A), (std::vector<uint32_t>{0, 12000}));
    EXPECT_EQ(histories.at(0x9400), std::vector<uint32_t>{0});

    EXPECT_EQ(ParseRecording("# header\n1.0 0x9402 0x01\nnonsense\n").error,
              "line 3 is not \"SECONDS OFFSET BYTES [VALUE]\": nonsense");
}

}  // namespace
}  // namespace ulvo::tools
