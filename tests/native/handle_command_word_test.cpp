#include "bridge/handle_command_word.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/little_endian.h"
#include "core/memory_fsuipc.h"
#include "core/recording_command_port.h"

namespace ulvo::bridge {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Command = testbed::RecordingCommandPort::Command;
using Log = testbed::FsuipcExchangeLog;

// The word and the control bytes, 23 reads of 20 header bytes and 24 data bytes.
const Log kReads{23, 23, 23 * 20 + 24, {}};
const Log kWriteBack{1, 0, 14, {{0x9400, {0xFF, 0xFF}}}};

// FSUIPC answers exchange n with replies[n] (1 when not listed) and logs the
// exchanges it executed.
class HandleCommandWordTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fsuipc.space.SetU16(0x9400, 0xFFFF);
        uint32_t result = 0;
        ASSERT_TRUE(link.Open(result));
        fsuipc.sendCalls = 0;
        fsuipc.logExchanges = true;
        fsuipc.exchanges.clear();
        fsuipc.onSend = [this](uint8_t*) {
            const size_t n = fsuipc.sendCalls - 1;
            fsuipc.reply = n < replies.size() ? replies[n] : 1;
        };
    }

    void Cycle() { HandleCommandWord(cycle); }

    testbed::MemoryFsuipc fsuipc;
    std::vector<uintptr_t> replies;
    fsuipc::FsuipcLink link{fsuipc};
    testbed::RecordingCommandPort port;
    WorkerFields plugin;
    BridgeTables tables;
    BridgeCycle cycle{plugin, tables, link, port};
};

TEST_F(HandleCommandWordTest, IdleCycleReadsTheWordAndTheControlBytesInOneExchange) {
    // Every control offset holds a byte of its own; 0x9429 must not reach control9428.
    const uint32_t slotOffsets[kControlSlotCount] = {
        0x94F0, 0x94F1, 0x94F2, 0x94F3, 0x94F4, 0x94F5, 0x94F6, 0x94F7, 0x94F8, 0x94F9, 0x94FA,
        0x94FB, 0x9470, 0x942E, 0x942F, 0x9491, 0x9492, 0x9493, 0x9494, 0x9495, 0x9496};
    for (uint32_t offset : slotOffsets) {
        fsuipc.space.SetU8(offset, uint8_t(0x80 ^ offset));
    }
    fsuipc.space.SetU8(0x9428, 0xC8);
    fsuipc.space.SetU8(0x9429, 0xAB);

    Cycle();

    EXPECT_EQ(fsuipc.exchanges, std::vector<Log>{kReads});
    EXPECT_EQ(plugin.commandWord, -1);
    EXPECT_EQ(plugin.control9428, 0x00C8);
    for (size_t slot = 0; slot < kControlSlotCount; ++slot) {
        SCOPED_TRACE(slot);
        EXPECT_EQ(tables.controlInputs[slot], uint32_t(uint8_t(0x80 ^ slotOffsets[slot])));
    }
    EXPECT_EQ(plugin.fsuipcResult, 0u);
    EXPECT_THAT(port.posts, IsEmpty());
    EXPECT_EQ(fsuipc.space.U16(0x9400), 0xFFFF);
}

TEST_F(HandleCommandWordTest, DispatchesEachCommandWordAndClearsWhatItPerformed) {
    struct Case {
        uint16_t word;  // as FSUIPC holds it
        int32_t selector;
        int16_t levelBefore;
        std::vector<Command> posts;
        int16_t levelAfter;
        bool performed;
    };
    const Case cases[] = {
        {0xFFFF, 0, 1, {}, 1, false},  // idle
        {0x8000, 0, 1, {}, 1, false},  // negative: left in place
        {0, 0, 1, {{0, 0}}, 1, true},
        {1299, 0, 1, {{1299, 0}}, 1, true},  // the level is not involved
        {32767, 0, 1, {{32767, 0}}, 1, true},
        {1232, 0, 1, {{1232, 0}}, 1, true},
        {1298, 0, 1, {{1299, 2}}, 2, true},
        {1298, 0, 3, {{1299, 3}}, 3, true},
        {1297, 0, 2, {{1299, 1}}, 1, true},
        {1297, 0, 0, {{1299, 0}}, 0, true},
        {636, 0, 1, {}, 1, true},  // selector at its end: nothing to post, still cleared
        {636, 1, 1, {{638, 0}}, 1, true},
        {636, 2, 1, {{639, 0}}, 1, true},
        {636, 3, 1, {}, 1, true},
        {636, -1, 1, {}, 1, true},
        {637, 0, 1, {{639, 0}}, 1, true},
        {637, 1, 1, {{640, 0}}, 1, true},
        {637, 2, 1, {}, 1, true},
        {637, 0x10000, 1, {}, 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "word " << c.word << " selector " << c.selector
                                        << " level " << c.levelBefore);
        fsuipc.exchanges.clear();
        port.posts.clear();
        fsuipc.space.SetU16(0x9400, c.word);
        StoreU32(tables.sdkBlock.data() + kSelectorPositionOffset, uint32_t(c.selector));
        plugin.stepLevel = c.levelBefore;

        Cycle();

        EXPECT_EQ(port.posts, c.posts);
        EXPECT_EQ(plugin.stepLevel, c.levelAfter);
        EXPECT_EQ(plugin.fsuipcResult, 0u);
        if (c.performed) {
            EXPECT_THAT(fsuipc.exchanges, ElementsAre(kReads, kWriteBack));
            EXPECT_EQ(fsuipc.space.U16(0x9400), 0xFFFF);
            EXPECT_EQ(plugin.commandWord, -1);
        } else {
            EXPECT_THAT(fsuipc.exchanges, ElementsAre(kReads));
            EXPECT_EQ(fsuipc.space.U16(0x9400), c.word);
            EXPECT_EQ(plugin.commandWord, int16_t(c.word));
        }
    }
    // Out of the aircraft's reach a command is consumed all the same.
    port.ready = false;
    port.posts.clear();
    fsuipc.space.SetU16(0x9400, 1298);
    Cycle();
    EXPECT_THAT(port.posts, IsEmpty());
    EXPECT_EQ(plugin.stepLevel, 2);
    EXPECT_EQ(fsuipc.space.U16(0x9400), 0xFFFF);
}

TEST_F(HandleCommandWordTest, WritesQueuedEarlierInTheCycleTravelFirstInTheSameExchange) {
    const uint8_t display[2] = {0x34, 0x12};
    uint32_t result = 99;
    ASSERT_TRUE(link.Write(0x9430, 2, display, result));
    Cycle();
    const Log expected{24, 23, kReads.bytes + 14, {{0x9430, {0x34, 0x12}}}};
    EXPECT_EQ(fsuipc.exchanges, std::vector<Log>{expected});
}

TEST_F(HandleCommandWordTest, FailedFirstExchangeOfTheFirstCyclePostsCommandZeroOnce) {
    fsuipc.space.SetU8(0x94F0, 0x55);
    fsuipc.space.SetU8(0x9428, 0x66);
    replies = {0};  // FSUIPC answers the first exchange with a failure

    Cycle();
    EXPECT_THAT(port.posts, ElementsAre(Command{0, 0}));
    // The failed exchange left every destination as it was.
    EXPECT_EQ(tables.controlInputs[0], 0u);
    EXPECT_EQ(plugin.control9428, 0u);
    // The write-back still went out in a second exchange.
    EXPECT_EQ(fsuipc.sendCalls, 2u);
    EXPECT_THAT(fsuipc.exchanges, ElementsAre(kWriteBack));
    EXPECT_EQ(plugin.fsuipcResult, 0u);

    Cycle();
    EXPECT_EQ(port.posts.size(), 1u);
    EXPECT_EQ(tables.controlInputs[0], 0x55u);
    EXPECT_EQ(plugin.control9428, 0x66u);
}

TEST_F(HandleCommandWordTest, AWriteBackThatNeverReachesFsuipcPerformsTheCommandAgain) {
    fsuipc.space.SetU16(0x9400, 1232);
    replies = {1, 0};  // the write-back's exchange fails

    Cycle();
    EXPECT_EQ(plugin.fsuipcResult, uint32_t(fsuipc::kBadReply));
    EXPECT_EQ(fsuipc.space.U16(0x9400), 1232);
    Cycle();
    Cycle();
    EXPECT_THAT(port.posts, ElementsAre(Command{1232, 0}, Command{1232, 0}));
    EXPECT_EQ(fsuipc.space.U16(0x9400), 0xFFFF);
    EXPECT_EQ(fsuipc.sendCalls, 5u);
}

// FSUIPC slower than the time-out: the send is made again, and the late answer
// executes the records a second time; the command is still performed once.
TEST_F(HandleCommandWordTest, ALateAnswerToARetriedExchangePerformsTheCommandOnce) {
    fsuipc.space.SetU16(0x9400, 1232);
    fsuipc.failNextSends = 1;
    fsuipc.onSend = [this](uint8_t* buffer) {
        if (fsuipc.sendCalls == 1) {
            fsuipc.space.Execute(buffer, fsuipc::kBufferSize, nullptr);
        }
    };
    Cycle();
    Cycle();
    EXPECT_THAT(port.posts, ElementsAre(Command{1232, 0}));
    EXPECT_EQ(fsuipc.space.U16(0x9400), 0xFFFF);
    EXPECT_THAT(fsuipc.exchanges, ElementsAre(kReads, kWriteBack, kReads));
}

TEST_F(HandleCommandWordTest, ClosedLinkLeavesNineAndPerformsOnlyTheInitialWord) {
    link.Close();
    tables.controlInputs[3] = 7;

    Cycle();
    EXPECT_EQ(plugin.fsuipcResult, uint32_t(fsuipc::kNotOpen));
    EXPECT_THAT(port.posts, ElementsAre(Command{0, 0}));
    EXPECT_EQ(plugin.commandWord, -1);

    Cycle();
    EXPECT_EQ(port.posts.size(), 1u);
    EXPECT_EQ(plugin.fsuipcResult, uint32_t(fsuipc::kNotOpen));
    EXPECT_EQ(tables.controlInputs[3], 7u);
    EXPECT_EQ(fsuipc.sendCalls, 0u);
}

}  // namespace
}  // namespace ulvo::bridge
