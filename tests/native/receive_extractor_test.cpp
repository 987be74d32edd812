#include "simconnect/receive_extractor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "common/little_endian.h"
#include "core/simconnect_server_messages.h"

namespace ulvo::simconnect {
namespace {

using testbed::Join;
using Bytes = std::vector<uint8_t>;

// A message of `size` bytes: the size prefix, then bytes counting up from `fill`.
Bytes Message(uint32_t size, uint8_t fill = 0x40) {
    Bytes bytes(size);
    for (uint32_t i = 4; i < size; ++i) {
        bytes[i] = uint8_t(fill + i);
    }
    StoreU32(bytes.data(), size);
    return bytes;
}

Bytes Prefix(const Bytes& bytes, size_t n) {
    return Bytes(bytes.begin(), bytes.begin() + n);
}

constexpr ExtractReport kMore = ExtractReport::NeedMoreData;
constexpr ExtractReport kTooLarge = ExtractReport::TooLarge;
constexpr ExtractReport kBadSize = ExtractReport::BadSize;

struct Outcome {
    std::vector<Bytes> messages;
    ExtractReport end = kMore;
};

// Delivers `stream` in reads of at most `chunk` bytes (and never more than the
// buffer offers), extracting after each read as the connection does.
Outcome Feed(ReceiveExtractor& extractor, const Bytes& stream, size_t chunk) {
    Outcome outcome;
    for (size_t offset = 0; offset < stream.size() && outcome.end == kMore;) {
        EXPECT_GT(extractor.WriteSpaceSize(), 0u);
        const size_t n =
            std::min({chunk, stream.size() - offset, size_t(extractor.WriteSpaceSize())});
        std::memcpy(extractor.WriteSpace(), stream.data() + offset, n);
        extractor.CommitReceived(uint32_t(n));
        offset += n;
        while ((outcome.end = extractor.Extract()) == ExtractReport::Message) {
            OwnedMessage message = extractor.TakeMessage();
            outcome.messages.push_back(
                message.data ? Bytes(message.data.get(), message.data.get() + message.size)
                             : Bytes());
        }
    }
    return outcome;
}

TEST(ReceiveExtractor, GivesTheSameMessagesForEveryReadSize) {
    const std::vector<Bytes> three = {Message(12, 1), Message(308, 2), Message(16, 3)};
    const Bytes tooLarge = {0x81, 0xA0, 0, 0, 0x55};  // size 41089, one above the default
    const struct {
        const char* name;
        Bytes stream;
        std::vector<Bytes> messages;
        ExtractReport end;
        uint32_t maxReceiveSize = kDefaultMaxReceiveSize;
    } cases[] = {
        {"one message", Message(24), {Message(24)}, kMore},
        {"three messages", Join(three), three, kMore},
        {"size field only", Message(4), {Message(4)}, kMore},
        {"a partial message waits", Prefix(Message(40), 39), {}, kMore},
        {"larger than MaxReceiveSize", Join({Message(12), tooLarge}), {Message(12)}, kTooLarge},
        {"size field 1", Join({Message(8), Bytes{1, 0, 0, 0}}), {Message(8)}, kBadSize},
        {"size field 3", Bytes{3, 0, 0, 0, 9, 9}, {}, kBadSize},
        {"a message at MaxReceiveSize", Message(5000), {Message(5000)}, kMore, 5000},
        {"a configured larger size", Message(70000), {Message(70000)}, kMore, 100000},
    };
    for (const auto& c : cases) {
        for (size_t chunk : {size_t(1), size_t(3), size_t(7), size_t(64), size_t(5000)}) {
            SCOPED_TRACE(testing::Message() << c.name << ", reads of " << chunk);
            ReceiveExtractor extractor(c.maxReceiveSize);
            ASSERT_TRUE(extractor.Allocate());
            const Outcome outcome = Feed(extractor, c.stream, chunk);
            EXPECT_EQ(outcome.messages, c.messages);
            EXPECT_EQ(outcome.end, c.end);
        }
    }
}

// A run of zero bytes where a size field should be is skipped as one empty
// message (no data).
TEST(ReceiveExtractor, SkipsZeroBytesFoundWhereASizeFieldShouldBe) {
    struct Case {
        const char* name;
        std::vector<Bytes> reads;
        std::vector<Bytes> messages;
        ExtractReport end;
    };
    const Case cases[] = {
        {"in one read",
         {Join({Bytes(9, 0), Message(20), Bytes(4, 0), Message(12)})},
         {{}, Message(20), {}, Message(12)},
         kMore},
        {"trailing zeros", {Join({Message(16), Bytes(6, 0)})}, {Message(16), {}}, kMore},
        {"a run ends a read", {Bytes(7, 0), Message(20)}, {{}, Message(20)}, kMore},
        // Fewer than four zero bytes are no size field yet: they wait for the next
        // read and become the low bytes of a size read across the boundary.
        {"three zeros left over", {Bytes(3, 0), Message(20)}, {}, kTooLarge},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ReceiveExtractor extractor;
        ASSERT_TRUE(extractor.Allocate());
        Outcome all;
        for (const Bytes& read : c.reads) {
            Outcome outcome = Feed(extractor, read, read.size());
            all.messages.insert(all.messages.end(), outcome.messages.begin(),
                                outcome.messages.end());
            all.end = outcome.end;
        }
        EXPECT_EQ(all.messages, c.messages);
        EXPECT_EQ(all.end, c.end);
        EXPECT_EQ(extractor.WritePosition(), c.end == kMore ? 0u : 3u + 20);
    }
}

TEST(ReceiveExtractor, GrowsInSteps_OnlyWhenFullWithNothingConsumed_UpToOneMebibyte) {
    ReceiveExtractor extractor;
    ASSERT_TRUE(extractor.Allocate());
    EXPECT_EQ(extractor.Capacity(), 2048u);
    // A 41088-byte message needs 21 steps of 2048: the buffer ends at 43008.
    const Outcome outcome = Feed(extractor, Message(41088), 100000);
    ASSERT_EQ(outcome.messages.size(), 1u);
    EXPECT_EQ(extractor.Capacity(), 43008u);

    // A full buffer whose start was consumed moves the rest down instead of
    // growing, even when the rest is less than a size field.
    ReceiveExtractor other;
    ASSERT_TRUE(other.Allocate());
    const Bytes stream = Join({Message(1000, 1), Message(1046, 2), Message(1000, 3)});
    std::memcpy(other.WriteSpace(), stream.data(), 2048);
    other.CommitReceived(2048);
    ASSERT_EQ(other.Extract(), ExtractReport::Message);
    ASSERT_EQ(other.Extract(), ExtractReport::Message);
    EXPECT_EQ(other.Extract(), ExtractReport::NeedMoreData);
    EXPECT_EQ(other.Capacity(), 2048u);
    EXPECT_EQ(other.ReadPosition(), 0u);
    ASSERT_EQ(other.WritePosition(), 2u);
    std::memcpy(other.WriteSpace(), stream.data() + 2048, 998);
    other.CommitReceived(998);
    ASSERT_EQ(other.Extract(), ExtractReport::Message);
    const OwnedMessage third = other.TakeMessage();
    EXPECT_EQ(Bytes(third.data.get(), third.data.get() + third.size), Message(1000, 3));

    // It never grows past 1 MiB (reachable only when MaxReceiveSize is configured above it).
    ReceiveExtractor above(2000000), atLimit(2000000);
    ASSERT_TRUE(above.Allocate() && atLimit.Allocate());
    EXPECT_EQ(Feed(above, Message(0x100001), 65536).end, kTooLarge);
    const Outcome whole = Feed(atLimit, Message(0x100000), 65536);
    EXPECT_EQ(whole.messages.size(), 1u);
    EXPECT_EQ(whole.end, kMore);
    EXPECT_EQ(atLimit.Capacity(), 0x100000u);
}

}  // namespace
}  // namespace ulvo::simconnect
