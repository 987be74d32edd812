#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cstring>
#include <random>
#include <tuple>
#include <utility>
#include <vector>

#include "bridge/cycle_steps.h"
#include "bridge/display_table.h"
#include "bridge/further_table.h"
#include "bridge/handle_command_word.h"
#include "bridge/worker_main.h"
#include "common/little_endian.h"
#include "core/memory_bridge.h"
#include "core/memory_worker.h"
#include "core/random_aircraft.h"

namespace ulvo::bridge {
namespace {

using testbed::RandomField;

// Mostly nothing; else one field, one real source, 88888 under a minus, or everything.
void ChangeAircraft(testbed::MemorySections& sections, std::mt19937& rng) {
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
                StoreF64(&sections.sdk[record.source], testbed::RandomReal(rng));
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
            testbed::FillRandomly(sections.sdk.data(), sections.sdk2.data(), rng);
            break;
        default:
            break;  // unchanged
    }
}

// Mostly nothing, so that the knobs' hold-offs run out between turns.
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

std::vector<bool> unchangedFlags;  // blocksAlreadyPublished as each cycle's steps saw it

void RecordFlag(BridgeCycle& cycle) {
    unchangedFlags.push_back(cycle.tables.blocksAlreadyPublished);
}
void ClearFlag(BridgeCycle& cycle) {
    cycle.tables.blocksAlreadyPublished = false;
}

// From `closeAt` on, the link is closed: records drop while last-sent copies move
// on. `full`: every step in full each cycle.
struct WorkerOnHistory : testbed::MemoryBridge {
    WorkerOnHistory(uint32_t seed, size_t closeAt = SIZE_MAX, bool full = false) : rng(seed) {
        fsuipc.space.SetU16(kCommandWordOffset, 0xFFFF);
        Open();
        if (full) {
            steps.insert(steps.begin(), {"ClearFlag", ClearFlag});
        }
        steps.push_back({"RecordFlag", RecordFlag});
        clock.onSleep = [this, closeAt] {
            const testbed::MemorySections before = sections;
            ChangeAircraft(sections, rng);
            ClientActs(fsuipc.space, rng);
            changed.push_back(before.sdk != sections.sdk || before.sdk2 != sections.sdk2);
            if (++done == closeAt) {
                link.Close();
            }
            if (done == cycles) {
                running.store(0);
            }
        };
    }

    void Run(size_t runCycles) {
        done = 0;
        cycles = runCycles;
        unchangedFlags.clear();
        WorkerMain(context, clock, steps);
    }

    testbed::MemorySections sections;
    std::mt19937 rng;
    std::vector<bool> changed;  // whether each wait changed the aircraft
    size_t done = 0;            // cycles of this run
    size_t cycles = 0;
    std::atomic<int32_t> running{0};
    testbed::ScriptedClock clock;
    std::vector<CycleStep> steps{CycleSteps().begin(), CycleSteps().end()};
    WorkerContext context{running, sections, cycle};
};

TEST(WorkerUnchangedBlocks, SendTheSameRecordsAndCommandsAsEveryStepInFull) {
    constexpr size_t kCycles = 200;
    for (uint32_t seed = 1; seed <= 80; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        const size_t closeAt = seed % 2 == 0 ? kCycles * 2 / 3 : SIZE_MAX;
        WorkerOnHistory full(seed, closeAt, true);
        full.Run(kCycles);
        WorkerOnHistory worker(seed, closeAt);
        worker.Run(kCycles);
        EXPECT_FALSE(worker.tables->blocksAlreadyPublished);  // cleared when the run ends

        EXPECT_TRUE(worker.fsuipc.exchanges == full.fsuipc.exchanges);
        EXPECT_EQ(worker.aircraft.posts, full.aircraft.posts);
        // Byte for byte (NaN and -0.0 included); both tables were zero-filled when made.
        EXPECT_EQ(std::memcmp(worker.tables.get(), full.tables.get(), sizeof(BridgeTables)), 0);
        const auto fields = [](const WorkerFields& f) {
            return std::tie(f.fsuipcResult, f.commandWord, f.control9428, f.control9428Last,
                            f.stepLevel, f.knobDelta, f.dialValues, f.dialHoldOff, f.stagedValue);
        };
        EXPECT_TRUE(fields(worker.plugin) == fields(full.plugin));
        // The short way was taken exactly in the cycles after one that changed nothing.
        ASSERT_EQ(unchangedFlags.size(), kCycles);
        EXPECT_FALSE(unchangedFlags[0]);
        for (size_t cycle = 1; cycle < kCycles; ++cycle) {
            EXPECT_EQ(unchangedFlags[cycle], !worker.changed[cycle - 1]) << "cycle " << cycle;
        }
        ASSERT_FALSE(HasFailure());
    }
}

// In between runs, the one-second check may have copied Sdk2Block on its own.
TEST(WorkerUnchangedBlocks, EachRunStartsWithTheWholeSteps) {
    WorkerOnHistory worker(7);
    for (int run = 0; run < 3; ++run) {
        worker.Run(1);
        EXPECT_EQ(unchangedFlags, std::vector<bool>{false});
    }
}

}  // namespace
}  // namespace ulvo::bridge
