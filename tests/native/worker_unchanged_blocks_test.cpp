// A worker cycle whose blocks are unchanged since the steps last worked on them
// lets decoding, packing and the display and bit-word writers return at once.
// These tests check that this changes nothing FSUIPC receives: the worker, over
// random aircraft histories with repeated blocks, sends exactly the records that
// running every step in full each cycle sends.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <random>
#include <utility>
#include <vector>

#include "aircraft/aircraft_views.h"
#include "bridge/cycle_steps.h"
#include "bridge/display_table.h"
#include "bridge/further_table.h"
#include "bridge/handle_command_word.h"
#include "bridge/worker_main.h"
#include "common/little_endian.h"
#include "core/memory_bridge.h"

namespace ulvo::bridge {
namespace {

struct Sections final : aircraft::AircraftViews {
    std::vector<uint8_t> sdk = std::vector<uint8_t>(aircraft::kSdkViewSize);
    std::vector<uint8_t> sdk2 = std::vector<uint8_t>(aircraft::kSdk2ViewSize);
    const uint8_t* SdkView() const override { return sdk.data(); }
    const uint8_t* Sdk2View() const override { return sdk2.data(); }
};

TEST(RefreshBlock, CopiesOnlyAChangedViewAndTellsWhich) {
    const struct {
        const char* name;
        bool present;
        bool differs;
        aircraft::BlockRefresh expected;
    } cases[] = {
        {"no view", false, false, aircraft::BlockRefresh::kNoView},
        {"same bytes", true, false, aircraft::BlockRefresh::kUnchanged},
        {"last copied byte differs", true, true, aircraft::BlockRefresh::kChanged},
    };
    struct Views final : aircraft::AircraftViews {
        const uint8_t* view = nullptr;
        const uint8_t* SdkView() const override { return view; }
        const uint8_t* Sdk2View() const override { return view; }
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<uint8_t> section(aircraft::kSdk2ViewSize, 0x5A);
        section.back() = 0x77;  // the byte past the block is never copied
        auto sdk = std::make_unique<aircraft::SdkBlock>();
        auto sdk2 = std::make_unique<aircraft::Sdk2Block>();
        sdk->fill(0x5A);
        sdk2->fill(0x5A);
        if (c.differs) {
            section[aircraft::kSdkBlockSize - 1] = 0x01;
            section[aircraft::kSdk2BlockSize - 1] = 0x01;
        }
        Views views;
        views.view = c.present ? section.data() : nullptr;
        EXPECT_EQ(aircraft::RefreshSdkBlock(views, *sdk), c.expected);
        EXPECT_EQ(aircraft::RefreshSdk2Block(views, *sdk2), c.expected);
        if (c.present) {
            EXPECT_EQ(0, std::memcmp(sdk->data(), section.data(), sdk->size()));
            EXPECT_EQ(0, std::memcmp(sdk2->data(), section.data(), sdk2->size()));
        } else {
            EXPECT_EQ(sdk->back(), 0x5A);
        }
    }
}

// Field values that hit the decoding rules: digits, blanks, the minus sign (12),
// all eights, booleans and anything at all; real sources include not-a-number.
int32_t RandomField(std::mt19937& rng) {
    switch (rng() % 5) {
        case 0:
            return int32_t(rng() % 10);
        case 1:
            return 8;
        case 2:
            return 10 + int32_t(rng() % 3);
        case 3:
            return int32_t(rng() % 2);
        default:
            return int32_t(rng());
    }
}

double RandomReal(std::mt19937& rng) {
    switch (rng() % 4) {
        case 0:
            return std::numeric_limits<double>::quiet_NaN();
        case 1:
            return -0.0;
        case 2:
            return double(int32_t(rng() % 2000) - 1000) / 7.0;
        default:
            return double(rng() % 3);
    }
}

// One step of an aircraft's history: mostly nothing changes, as between two of
// the aircraft's frames; otherwise one field, one real source, a five-digit
// window at 88888 under a minus sign, or everything.
void ChangeAircraft(Sections& sections, std::mt19937& rng) {
    const auto field = [&](size_t blockSize) { return (rng() % (blockSize / 4)) * 4; };
    switch (rng() % 10) {
        case 0:
            StoreU32(&sections.sdk[field(aircraft::kSdkBlockSize)], uint32_t(RandomField(rng)));
            break;
        case 1:
            StoreU32(&sections.sdk2[field(aircraft::kSdk2BlockSize)], uint32_t(RandomField(rng)));
            break;
        case 2: {
            const FurtherRecord& record = kFurtherRecords[rng() % kFurtherRecords.size()];
            if (record.type == FurtherSource::kReal) {
                StoreF64(&sections.sdk[record.source], RandomReal(rng));
            }
            break;
        }
        case 3: {
            // Display00 or Display01 (their first position then holds 8, not the
            // minus), or Display12 whose sign field is apart; minus or not.
            const DisplayRow& row = kDisplayRows[std::array<size_t, 3>{0, 1, 12}[rng() % 3]];
            for (size_t d = 0; d < row.digits; ++d) {
                StoreU32(&sections.sdk[row.digit[d].field], 8);
            }
            StoreU32(&sections.sdk[kMinusRules[rng() % kMinusRules.size()].signField],
                     rng() % 2 == 0 ? kMinusCode : 10);
            break;
        }
        case 4:
            for (size_t at = 0; at + 4 <= aircraft::kSdkBlockSize; at += 4) {
                StoreU32(&sections.sdk[at], uint32_t(RandomField(rng)));
            }
            for (size_t at = 0; at + 4 <= aircraft::kSdk2BlockSize; at += 4) {
                StoreU32(&sections.sdk2[at], uint32_t(RandomField(rng)));
            }
            for (const FurtherRecord& record : kFurtherRecords) {
                if (record.type == FurtherSource::kReal) {
                    StoreF64(&sections.sdk[record.source], RandomReal(rng));
                }
            }
            break;
        default:
            break;  // unchanged
    }
}

// What an FSUIPC client does between two cycles: mostly nothing, so that the
// hold-offs of the set-value knobs (seeded from Display00 to Display07) run out
// between turns; otherwise it turns a knob or another control, or writes a
// command word.
void ClientActs(testbed::FsuipcOffsetSpace& space, std::mt19937& rng) {
    const auto turn = [&](const CommandRead& read) {
        space.SetU8(read.offset, uint8_t(space.U8(read.offset) + rng() % 5 - 2));
    };
    switch (rng() % 12) {
        case 0:  // a set-value knob, 0x94F0 to 0x94F7
            turn(kCommandReads[2 + rng() % 8]);
            break;
        case 1:
            turn(kCommandReads[1 + rng() % (kCommandReads.size() - 1)]);
            break;
        case 2:
            space.SetU16(kCommandWordOffset,
                         uint16_t(std::array<int, 4>{1297, 1298, 1001, int(rng())}[rng() % 4]));
            break;
        default:
            break;
    }
}

// The write records of each exchange: (offset, bytes) in buffer order.
using ExchangeWrites = std::vector<std::vector<std::pair<uint32_t, std::vector<uint8_t>>>>;

ExchangeWrites WritesOf(const testbed::MemoryFsuipc& fsuipc) {
    ExchangeWrites writes;
    for (const testbed::FsuipcExchangeLog& exchange : fsuipc.exchanges) {
        writes.emplace_back();
        for (const testbed::FsuipcWriteLog& write : exchange.writes) {
            writes.back().emplace_back(write.offset, write.bytes);
        }
    }
    return writes;
}

// The in-memory FSUIPC of a bridge, open, idle (0x9400 holds -1) and logging.
struct Rig : testbed::MemoryBridge {
    Rig() {
        fsuipc.space.SetU16(kCommandWordOffset, 0xFFFF);
        OpenLink();
        fsuipc.logExchanges = true;
        fsuipc.exchanges.clear();
    }
};

// A bridge's world between two cycles: the aircraft and an FSUIPC client act, and
// from `closeAt` on the link is closed, so that every write record is dropped
// while its last-sent copy still moves on.
struct World {
    World(Rig& rig_, uint32_t seed, size_t closeAt_) : rig(rig_), rng(seed), closeAt(closeAt_) {}

    // Returns whether the aircraft changed.
    bool Between(size_t cycle) {
        const Sections before = sections;
        ChangeAircraft(sections, rng);
        ClientActs(rig.fsuipc.space, rng);
        if (cycle + 1 == closeAt) {
            rig.link.Close();
        }
        return before.sdk != sections.sdk || before.sdk2 != sections.sdk2;
    }

    Rig& rig;
    Sections sections;
    std::mt19937 rng;
    size_t closeAt;
};

std::vector<bool> unchangedFlags;  // blocksAlreadyPublished as each cycle's steps saw it

void RecordFlag(BridgeCycle& cycle) {
    unchangedFlags.push_back(cycle.tables.blocksAlreadyPublished);
}

struct HistoryClock final : WorkerClock {
    std::atomic<int32_t>* running = nullptr;
    World* world = nullptr;
    std::vector<bool>* changed = nullptr;  // whether each wait changed the aircraft
    size_t cycle = 0;
    size_t cycles = 0;
    int64_t now = 0;

    int64_t SteadyNanoseconds() override { return now; }
    void SleepNanoseconds(int64_t nanoseconds) override {
        now += nanoseconds;
        changed->push_back(world->Between(cycle));
        if (++cycle == cycles) {
            running->store(0);
        }
    }
};

// The worker on a rig, its aircraft and a client living through a random history
// while it waits; a last step records the flag each cycle's steps saw.
struct WorkerOnHistory {
    explicit WorkerOnHistory(uint32_t seed, size_t closeAt = SIZE_MAX) : world(rig, seed, closeAt) {
        clock.running = &running;
        clock.world = &world;
        clock.changed = &changed;
        steps.push_back({"RecordFlag", RecordFlag});
        unchangedFlags.clear();
    }

    void Run(size_t cycles) {
        clock.cycle = 0;
        clock.cycles = cycles;
        WorkerMain(context, clock, steps);
    }

    Rig rig;
    World world;
    std::vector<bool> changed;
    std::atomic<int32_t> running{0};
    HistoryClock clock;
    std::vector<CycleStep> steps{CycleSteps().begin(), CycleSteps().end()};
    WorkerContext context{running, world.sections, rig.cycle};
};

template <typename T>
bool SameBytes(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;  // NaN and -0.0 included
}

// Everything the steps keep between cycles, compared byte for byte.
void ExpectSameState(const testbed::MemoryBridge& worker, const testbed::MemoryBridge& full) {
    const BridgeTables& a = *worker.tables;
    const BridgeTables& b = *full.tables;
    EXPECT_TRUE(SameBytes(a.displayValues, b.displayValues));
    EXPECT_TRUE(SameBytes(a.displayLastSent, b.displayLastSent));
    EXPECT_EQ(a.bitWords, b.bitWords);
    EXPECT_EQ(a.bitWordLastSent, b.bitWordLastSent);
    EXPECT_TRUE(SameBytes(a.furtherLastSent, b.furtherLastSent));
    EXPECT_EQ(a.controlInputs, b.controlInputs);
    EXPECT_EQ(a.controlLast, b.controlLast);
    const WorkerFields& p = worker.plugin;
    const WorkerFields& q = full.plugin;
    EXPECT_EQ(p.fsuipcResult, q.fsuipcResult);
    EXPECT_EQ(p.commandWord, q.commandWord);
    EXPECT_EQ(p.stepLevel, q.stepLevel);
    EXPECT_TRUE(SameBytes(p.knobDelta, q.knobDelta));
    EXPECT_TRUE(SameBytes(p.dialValues, q.dialValues));
    EXPECT_EQ(p.dialHoldOff, q.dialHoldOff);
    EXPECT_EQ(p.stagedValue, q.stagedValue);
}

// What FSUIPC received, what the aircraft was sent and every kept value are those
// of the same history with every step in full each cycle. Half the seeds close the
// link two thirds in, so that records are dropped.
TEST(WorkerUnchangedBlocks, SendTheSameRecordsAndCommandsAsEveryStepInFull) {
    constexpr size_t kCycles = 200;
    for (uint32_t seed = 1; seed <= 80; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        const size_t closeAt = seed % 2 == 0 ? kCycles * 2 / 3 : SIZE_MAX;
        WorkerOnHistory worker(seed, closeAt);
        worker.Run(kCycles);
        EXPECT_FALSE(worker.rig.tables->blocksAlreadyPublished);  // cleared when the run ends

        Rig full;
        World replay(full, seed, closeAt);
        for (size_t cycle = 0; cycle < kCycles; ++cycle) {
            std::memcpy(full.tables->sdkBlock.data(), replay.sections.sdk.data(),
                        aircraft::kSdkBlockSize);
            std::memcpy(full.tables->sdk2Block.data(), replay.sections.sdk2.data(),
                        aircraft::kSdk2BlockSize);
            for (const CycleStep& step : CycleSteps()) {
                step.run(full.cycle);
            }
            replay.Between(cycle);
        }

        EXPECT_EQ(WritesOf(worker.rig.fsuipc), WritesOf(full.fsuipc));
        EXPECT_EQ(worker.rig.aircraft.posts, full.aircraft.posts);
        ExpectSameState(worker.rig, full);
        // The short way was taken exactly in the cycles after one that changed nothing.
        ASSERT_EQ(unchangedFlags.size(), kCycles);
        EXPECT_FALSE(unchangedFlags[0]);
        for (size_t cycle = 1; cycle < kCycles; ++cycle) {
            EXPECT_EQ(unchangedFlags[cycle], !worker.changed[cycle - 1]) << "cycle " << cycle;
        }
        ASSERT_FALSE(HasFailure());
    }
}

// A run starts in full even when its blocks hold what the last run published: in
// between, the one-second check may have copied Sdk2Block on its own.
TEST(WorkerUnchangedBlocks, EachRunStartsWithTheWholeSteps) {
    WorkerOnHistory worker(7);
    for (int run = 0; run < 3; ++run) {
        worker.Run(1);
    }
    EXPECT_EQ(unchangedFlags, (std::vector<bool>{false, false, false}));
}

}  // namespace
}  // namespace ulvo::bridge
