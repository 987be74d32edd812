#include "fsuipc/fsuipc_link.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "common/little_endian.h"
#include "core/memory_fsuipc.h"

namespace ulvo::fsuipc {
namespace {

using testbed::MemoryFsuipc;

class FsuipcLinkTest : public ::testing::Test {
  protected:
    void OpenLink() {
        ASSERT_TRUE(link.Open(result));
        ASSERT_EQ(result, kOk);
        fsuipc.sleeps.clear();
        fsuipc.sendCalls = 0;
        fsuipc.exchangeCount = 0;
    }

    MemoryFsuipc fsuipc;
    FsuipcLink link{fsuipc};
    uint32_t result = 99;
};

TEST_F(FsuipcLinkTest, OpenHandshakesAndNamesTheSectionAfterProcessAndCount) {
    fsuipc.logExchanges = true;
    ASSERT_TRUE(link.Open(result));
    EXPECT_EQ(result, kOk);
    EXPECT_EQ(link.FsuipcVersion(), 0x50000000u);
    EXPECT_EQ(link.SimulatorVersion(), 0x000Cu);  // the 0xFADE mark is cleared
    EXPECT_EQ(fsuipc.atomNames, std::vector<std::string>{"FsasmLib:IPC:1A2B:1"});
    // One exchange answers both versions; the check runs after one 100 ms sleep.
    ASSERT_EQ(fsuipc.exchanges.size(), 1u);
    EXPECT_EQ(fsuipc.exchanges[0].reads, 2u);
    EXPECT_EQ(fsuipc.exchanges[0].writes,
              (std::vector<testbed::FsuipcWriteLog>{{0x330A, {0xD2, 0x07}}}));
    EXPECT_EQ(fsuipc.sleeps, (std::vector<uint32_t>{100}));

    // Open while open leaves the link and its queue as they are.
    fsuipc.space.SetU16(0x9400, 0x1234);
    uint16_t word = 0;
    ASSERT_TRUE(link.Read(0x9400, 2, &word, result));
    fsuipc.space.SetU32(kFsuipcVersionOffset, 0x19980004);  // a handshake now would fail
    EXPECT_FALSE(link.Open(result));
    EXPECT_EQ(result, 1u);  // already open
    EXPECT_EQ(link.FsuipcVersion(), 0x50000000u);
    EXPECT_EQ(link.SimulatorVersion(), 0x000Cu);
    EXPECT_EQ(link.QueuedBytes(), 22u);
    EXPECT_EQ(fsuipc.atomNames.size(), 1u);
    EXPECT_EQ(fsuipc.sendCalls, 1u);
    EXPECT_TRUE(link.Process(result));
    EXPECT_EQ(word, 0x1234);

    // Close releases atom, view and section in that order, and only once.
    link.Close();
    link.Close();
    EXPECT_FALSE(link.IsOpen());
    EXPECT_EQ(fsuipc.releases, (std::vector<std::string>{"atom", "view", "section"}));
    EXPECT_EQ(fsuipc.liveAtoms + fsuipc.liveViews + fsuipc.liveSections, 0);
    fsuipc.space.SetValidVersions();
    ASSERT_TRUE(link.Open(result));
    EXPECT_EQ(fsuipc.atomNames.back(), "FsasmLib:IPC:1A2B:2");
}

// FSUIPC still starting: 0x3308 reads 0.
TEST(FsuipcLinkHandshake, AsksAgainUntilBothVersionsArriveOrFiveExchangesWentBy) {
    for (const bool warmsUp : {false, true}) {
        SCOPED_TRACE(warmsUp ? "ready after two exchanges" : "never ready");
        MemoryFsuipc fsuipc;
        fsuipc.space.SetU32(kSimulatorVersionOffset, 0);
        fsuipc.logExchanges = true;
        if (warmsUp) {
            fsuipc.onAnswer = [&](uint8_t*) {
                if (fsuipc.exchangeCount == 2) {
                    fsuipc.space.SetValidVersions();
                }
            };
        }
        auto link = std::make_unique<FsuipcLink>(fsuipc);
        uint32_t result = 99;
        EXPECT_EQ(link->Open(result), warmsUp);
        EXPECT_EQ(result, warmsUp ? 0u : 7u);
        const size_t exchanges = warmsUp ? 3 : 5;
        ASSERT_EQ(fsuipc.exchanges.size(), exchanges);
        for (size_t i = 0; i < exchanges; ++i) {
            EXPECT_EQ(fsuipc.exchanges[i].reads, 2u);
            EXPECT_EQ(fsuipc.exchanges[i].writes.size(), i == 0 ? 1u : 0u);
        }
        EXPECT_EQ(fsuipc.sleeps, std::vector<uint32_t>(exchanges, 100));
        EXPECT_EQ(link->IsOpen(), warmsUp);
        EXPECT_EQ(link->SimulatorVersion(), warmsUp ? 0x000Cu : 0u);
        EXPECT_EQ(fsuipc.liveAtoms + fsuipc.liveViews + fsuipc.liveSections, warmsUp ? 3 : 0);
        link.reset();  // an open link destroyed is closed
        EXPECT_EQ(fsuipc.liveAtoms + fsuipc.liveViews + fsuipc.liveSections, 0);
    }
}

TEST(FsuipcLinkOpen, FailuresGiveTheirCodeAndLeaveNothingBehind) {
    struct Case {
        const char* name;
        uint32_t code;
        std::vector<std::string> releases;  // what the failed Open released, in order
        uint32_t nextCount;                 // the count in the next Open's section name
        void (*fault)(MemoryFsuipc&);
    };
    const std::vector<std::string> atom = {"atom"}, atomSection = {"atom", "section"},
                                   atomViewSection = {"atom", "view", "section"};
    const Case cases[] = {
        {"no window", 2, {}, 1, [](auto& f) { f.windowPresent = false; }},
        {"no message", 3, {}, 1, [](auto& f) { f.messageRegisters = false; }},
        {"no atom", 4, {}, 2, [](auto& f) { f.atomsWork = false; }},
        {"no section", 5, atom, 2, [](auto& f) { f.sectionsWork = false; }},
        {"name existed", 5, atomSection, 2, [](auto& f) { f.sectionNameExists = true; }},
        {"no view", 6, atomSection, 2, [](auto& f) { f.viewsWork = false; }},
        {"old FSUIPC", 7, atomViewSection, 2, [](auto& f) { f.space.SetU32(0x3304, 0x19980004); }},
        {"no FADE mark", 7, atomViewSection, 2,
         [](auto& f) { f.space.SetU32(0x3308, 0xFADF000C); }},
        {"bad reply", 13, atomViewSection, 2, [](auto& f) { f.reply = 0; }},
        {"send fails", 12, atomViewSection, 2, [](auto& f) { f.failNextSends = 9; }},
        {"send fails, no error", 11, atomViewSection, 2,
         [](auto& f) { f.failNextSends = 9, f.sendFailureError = 0; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryFsuipc platform;
        c.fault(platform);
        FsuipcLink link(platform);
        uint32_t code = 99;
        EXPECT_FALSE(link.Open(code));
        EXPECT_EQ(code, c.code);
        EXPECT_FALSE(link.IsOpen());
        EXPECT_EQ(link.QueuedBytes(), 0u);
        EXPECT_EQ(platform.releases, c.releases);
        EXPECT_EQ(platform.liveAtoms + platform.liveSections + platform.liveViews, 0);
        const uint64_t sends = platform.sendCalls;
        uint8_t byte = 0;
        EXPECT_FALSE(link.Read(0x9400, 1, &byte, code) || code != 9);
        EXPECT_FALSE(link.Write(0x9400, 1, &byte, code) || code != 9);
        EXPECT_FALSE(link.Process(code) || code != 9);
        EXPECT_EQ(platform.sendCalls, sends);

        platform = MemoryFsuipc();  // healthy again, under the same link
        ASSERT_TRUE(link.Open(code));
        EXPECT_EQ(platform.atomNames.back(), "FsasmLib:IPC:1A2B:" + std::to_string(c.nextCount));
    }
}

TEST_F(FsuipcLinkTest, RequestsMayEndExactlyAtTheLimit) {
    enum Kind { kRead, kWrite };
    struct Case {
        const char* name;
        uint32_t queuedBefore;  // bytes of a write queued first (0 for none)
        Kind kind;
        uint32_t size;
        bool accepted;
    };
    const Case cases[] = {
        {"read from the start, ends at the limit", 0, kRead, 32492, true},
        {"read from the start, one byte more", 0, kRead, 32493, false},
        {"write from the start, ends at the limit", 0, kWrite, 32496, true},
        {"write from the start, one byte more", 0, kWrite, 32497, false},
        {"read after a write, ends at the limit", 100, kRead, 32512 - 112 - 20, true},
        {"read after a write, one byte more", 100, kRead, 32512 - 112 - 20 + 1, false},
        {"write after a write, ends at the limit", 100, kWrite, 32512 - 112 - 16, true},
        {"write after a write, one byte more", 100, kWrite, 32512 - 112 - 16 + 1, false},
        {"size that overflows 32-bit sums: read", 0, kRead, 0xFFFFFFF0u, false},
        {"size that overflows 32-bit sums: write", 0, kWrite, 0xFFFFFFF0u, false},
    };
    OpenLink();
    static uint8_t sink[kRequestLimit];
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.queuedBefore != 0) {
            ASSERT_TRUE(link.Write(0x100, c.queuedBefore, sink, result));
        }
        const uint32_t before = link.QueuedBytes();
        result = 99;
        const bool queued = c.kind == kRead ? link.Read(0, c.size, sink, result)
                                            : link.Write(0, c.size, sink, result);
        EXPECT_EQ(queued, c.accepted);
        EXPECT_EQ(result, c.accepted ? 0u : 15u);  // 15: no room
        const uint32_t header = c.kind == kRead ? kReadHeaderSize : kWriteHeaderSize;
        EXPECT_EQ(link.QueuedBytes(), c.accepted ? before + header + c.size : before);
        const bool anything = link.QueuedBytes() != 0;
        EXPECT_EQ(link.Process(result), anything);
        EXPECT_EQ(result, anything ? 0u : 10u);
    }
    // A full buffer takes nothing more, not even an empty request.
    ASSERT_TRUE(link.Read(0, 32492, sink, result));
    EXPECT_FALSE(link.Read(0, 0, sink, result));
    EXPECT_FALSE(link.Write(0, 0, sink, result));
    EXPECT_EQ(result, 15u);
}

TEST_F(FsuipcLinkTest, RecordsAreLittleEndianPackedEndWithAZeroIdAndRoundTripInOneExchange) {
    OpenLink();
    const std::vector<uint8_t> stale(40, 0xAB);
    ASSERT_TRUE(link.Write(0x100, uint32_t(stale.size()), stale.data(), result));
    ASSERT_TRUE(link.Process(result));

    std::vector<uint8_t> sent;
    fsuipc.onSend = [&](uint8_t* buffer) { sent.assign(buffer, buffer + kBufferSize); };
    fsuipc.space.SetU32(0x9400, 0x44030512);
    const uint8_t bytes[3] = {0x11, 0x22, 0x33};
    uint8_t destination[5] = {};
    ASSERT_TRUE(link.Write(0x9430, 3, bytes, result));
    ASSERT_TRUE(link.Read(0x9400, 5, destination, result));
    EXPECT_EQ(destination[0], 0);  // not before the exchange
    ASSERT_TRUE(link.Process(result));
    EXPECT_EQ(result, kOk);
    EXPECT_EQ(std::vector<uint8_t>(destination, destination + 5),
              (std::vector<uint8_t>{0x12, 0x05, 0x03, 0x44, 0x00}));
    EXPECT_EQ(fsuipc.space.U32(0x9430), 0x00332211u);
    EXPECT_EQ(fsuipc.exchangeCount, 2u);
    EXPECT_EQ(link.QueuedBytes(), 0u);

    const uint64_t address = uint64_t(reinterpret_cast<uintptr_t>(destination));
    std::vector<uint8_t> expected = {
        2, 0, 0, 0, 0x30, 0x94, 0, 0, 3, 0, 0, 0, 0x11, 0x22, 0x33,  // write
        4, 0, 0, 0, 0x00, 0x94, 0, 0, 5, 0, 0, 0,                    // read header ...
    };
    for (int i = 0; i < 8; ++i) {
        expected.push_back(uint8_t(address >> (8 * i)));  // ... its destination ...
    }
    expected.insert(expected.end(), {0, 0, 0, 0, 0});  // ... its zeroed data
    expected.insert(expected.end(), {0, 0, 0, 0});     // the end marker
    ASSERT_GE(sent.size(), expected.size());
    EXPECT_EQ(std::vector<uint8_t>(sent.begin(), sent.begin() + expected.size()), expected);

    EXPECT_FALSE(link.Process(result));
    EXPECT_EQ(result, 10u);  // nothing queued
    EXPECT_EQ(fsuipc.sendCalls, 2u);
    // A read of size 0 queues its 20 bytes and copies nothing; nor does one without a destination.
    uint8_t guard = 0x5A;
    EXPECT_TRUE(link.Read(0x3304, 0, &guard, result));
    EXPECT_EQ(link.QueuedBytes(), 20u);
    EXPECT_TRUE(link.Read(0x9430, 2, nullptr, result));
    EXPECT_TRUE(link.Process(result));
    EXPECT_EQ(guard, 0x5A);
}

TEST_F(FsuipcLinkTest, ReplyWalkTrustsOnlyWhatItQueued) {
    struct Case {
        const char* name;
        uint32_t at;  // of two 4-byte reads, the second's record starts at 24
        uint32_t value;
        uint32_t first;
        uint32_t second;
    };
    const Case cases[] = {
        {"unknown id in the second record", 24, 7, 0xA1B2C3D4, 0},
        {"bigger size", 8, 200, 0, 0},
        {"size past the buffer", 8, 0xFFFFFFF0u, 0, 0},
        {"destination changed", 12, 0x1000, 0xA1B2C3D4, 0x55667788},
    };
    OpenLink();
    fsuipc.space.SetU32(0x40, 0xA1B2C3D4);
    fsuipc.space.SetU32(0x44, 0x55667788);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Each destination: the value, then 64 guard words the walk must leave alone.
        std::vector<uint32_t> first(65, 0xEEEEEEEE), second(65, 0xEEEEEEEE);
        first[0] = second[0] = 0;
        ASSERT_TRUE(link.Read(0x40, 4, first.data(), result));
        ASSERT_TRUE(link.Read(0x44, 4, second.data(), result));
        fsuipc.onAnswer = [&](uint8_t* buffer) { StoreU32(buffer + c.at, c.value); };
        ASSERT_TRUE(link.Process(result));
        EXPECT_EQ(result, kOk);
        EXPECT_EQ(first[0], c.first);
        EXPECT_EQ(second[0], c.second);
        if (c.value == 7) {
            EXPECT_EQ(LoadU32(fsuipc.SharedBuffer() + c.at), 0u);
        }
        EXPECT_EQ(std::count(first.begin() + 1, first.end(), 0xEEEEEEEE) +
                      std::count(second.begin() + 1, second.end(), 0xEEEEEEEE),
                  128);
    }
}

TEST_F(FsuipcLinkTest, ReplyWalkGoesToTheLastBytesOfTheBuffer) {
    OpenLink();
    for (const uint32_t end : {kBufferSize, kBufferSize - 4}) {
        ASSERT_TRUE(link.Write(0x100, 1, "", result));
        fsuipc.onAnswer = [&](uint8_t* buffer) {
            StoreU32(buffer + 8, end - kWriteHeaderSize);  // the write's size
            StoreU32(buffer + kBufferSize - 4, 7);
        };
        ASSERT_TRUE(link.Process(result));
        EXPECT_EQ(LoadU32(fsuipc.SharedBuffer()), kRecordWrite);
        EXPECT_EQ(LoadU32(fsuipc.SharedBuffer() + kBufferSize - 4), end == kBufferSize ? 7u : 0u);
    }
}

TEST_F(FsuipcLinkTest, FailedSendsRetryNineTimesAndDropTheRequests) {
    OpenLink();
    fsuipc.failNextSends = 9;
    uint8_t byte = 0x77;
    ASSERT_TRUE(link.Read(0x3304, 1, &byte, result));
    EXPECT_FALSE(link.Process(result));
    EXPECT_EQ(result, 12u);
    EXPECT_EQ(fsuipc.sendCalls, 9u);
    EXPECT_EQ(fsuipc.sleeps, std::vector<uint32_t>(8, 100));  // between attempts
    EXPECT_EQ(byte, 0x77);
    EXPECT_TRUE(link.IsOpen());
    EXPECT_EQ(link.QueuedBytes(), 0u);
    fsuipc.failNextSends = 8;
    byte = 0;
    ASSERT_TRUE(link.Read(0x3304, 1, &byte, result));
    EXPECT_TRUE(link.Process(result));
    EXPECT_EQ(byte, 0x00);  // low byte of 0x50000000

    // A reply other than 1 gives 13 and copies nothing.
    fsuipc.reply = 2;
    byte = 0x77;
    ASSERT_TRUE(link.Read(0x3304, 1, &byte, result));
    EXPECT_FALSE(link.Process(result));
    EXPECT_EQ(result, 13u);
    EXPECT_EQ(byte, 0x77);
    EXPECT_EQ(link.QueuedBytes(), 0u);
}

TEST(FsuipcLinkReadAll, QueuesExactlyWhatOneReadPerRequestQueues) {
    struct Case {
        const char* name;
        bool open;
        uint32_t filledTo;  // bytes queued by a write before the reads (0 for none)
        std::vector<uint32_t> sizes;
    };
    const Case cases[] = {
        {"the command word's reads", true, 0, {2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
        {"after writes", true, 2000, {2, 1, 4, 0, 8, 9, 40}},
        {"no reads", true, 100, {}},
        {"the last one does not fit", true, kRequestLimit - 20 - 2 - 21, {2, 2}},
        {"a longer one does not fit, a shorter one does", true, kRequestLimit - 21 - 22, {1, 3, 2}},
        {"the first does not fit, the second does", true, kRequestLimit - 22, {3, 2}},
        {"none fits", true, kRequestLimit - 20, {1, 1}},
        {"closed link", false, 0, {2, 1}},
    };
    // What queueing reports and what the destinations (each with a guard byte) receive.
    auto run = [](const Case& c, bool batch) {
        static uint8_t filler[kRequestLimit];
        MemoryFsuipc platform;
        for (uint32_t offset = 0; offset < 64; ++offset) {
            platform.space.SetU8(0x9400 + offset, uint8_t(offset + 1));
        }
        FsuipcLink link(platform);
        uint32_t code = 99;
        EXPECT_TRUE(!c.open || link.Open(code));
        EXPECT_TRUE(c.filledTo == 0 ||
                    link.Write(0x7000, c.filledTo - kWriteHeaderSize, filler, code));
        std::vector<std::vector<uint8_t>> destinations;
        std::vector<ReadRequest> requests;
        bool queued = true;
        code = 99;
        uint32_t offset = 0x9400;
        for (uint32_t size : c.sizes) {
            destinations.emplace_back(size + 1, 0xCC);
            requests.push_back({offset, size, destinations.back().data()});
            queued = (batch || link.Read(offset, size, destinations.back().data(), code)) && queued;
            offset += size;
        }
        queued = batch ? link.ReadAll(requests, code) : queued;
        const auto reported = std::make_tuple(queued, code, link.QueuedBytes());
        EXPECT_TRUE(link.QueuedBytes() == 0 || link.Process(code));
        return std::make_pair(reported, destinations);
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(run(c, true), run(c, false));
    }
}

}  // namespace
}  // namespace ulvo::fsuipc
