// The five publishing steps on random aircraft blocks: any block content gives
// defined values (the sanitizer build runs this too), the FSUIPC offsets end up
// showing every value as last handed over, and a repeated block sends nothing but
// the not-a-number sources.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>

#include "bridge/bit_word_table.h"
#include "bridge/display_table.h"
#include "bridge/further_table.h"
#include "common/numeric.h"
#include "core/random_aircraft.h"
#include "publish_rig.h"

namespace ulvo::bridge {
namespace {

// The 16 bits a slot shows for a whole number, saturated to the 32-bit range.
uint16_t Low16(double value) {
    return uint16_t(TruncateToI32(value));
}

bool SameValue(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

enum class Step { kDisplays = 3, kBitWords = 4, kFurther = 5 };

std::map<uint32_t, Step> StepByOffset() {
    std::map<uint32_t, Step> steps;
    for (const DisplayRow& row : kDisplayRows) {
        steps[row.publishedOffset] = Step::kDisplays;
    }
    for (const BitWordRecord& record : kBitWordRecords) {
        steps[record.offset] = Step::kBitWords;
    }
    for (const FurtherRecord& record : kFurtherRecords) {
        steps[record.offset] = Step::kFurther;
    }
    return steps;
}

// What FSUIPC shows now matches what was last handed over, for every value.
void ExpectOffsetsShowLastSent(const PublishRig& rig) {
    const BridgeTables& t = *rig.tables;
    const auto& space = rig.fsuipc.space;
    for (const DisplayRow& row : kDisplayRows) {
        const double value = t.displayValues[row.index];
        EXPECT_EQ(value, std::trunc(value)) << "Display" << int(row.index);
        EXPECT_FALSE(row.FiveDigit() && value == kAllEights);
        EXPECT_EQ(t.displayLastSent[row.index], value);
        EXPECT_EQ(space.U16(row.publishedOffset), Low16(value)) << "Display" << int(row.index);
    }
    for (const BitWordRecord& record : kBitWordRecords) {
        EXPECT_EQ(t.bitWordLastSent[record.word], t.bitWords[record.word]);
        EXPECT_EQ(space.U8(record.offset), uint8_t(t.bitWords[record.word]))
            << "BitWord" << int(record.word);
    }
    for (size_t i = 0; i < kFurtherRecords.size(); ++i) {
        const FurtherRecord& record = kFurtherRecords[i];
        if (record.type == FurtherSource::kWhole) {
            const int32_t source = aircraft::FieldI32(t.sdkBlock, record.source);
            EXPECT_EQ(t.furtherLastSent.whole[i], source);
            EXPECT_EQ(space.U8(record.offset), uint8_t(source)) << "record " << i + 1;
        } else {
            const double source = aircraft::FieldF64(t.sdkBlock, record.source);
            EXPECT_TRUE(SameValue(t.furtherLastSent.real[i], source));
            EXPECT_EQ(space.U16(record.offset), Low16(source * record.factor))
                << "record " << i + 1 << " source " << source;
        }
    }
}

TEST(PublishChainRandom, AnyBlockGivesDefinedConsistentOffsets) {
    const std::map<uint32_t, Step> stepByOffset = StepByOffset();
    for (uint32_t seed = 1; seed <= 200; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        std::mt19937 rng(seed);
        PublishRig rig;
        rig.Open();
        for (int cycle = 0; cycle < 4; ++cycle) {
            testbed::FillRandomly(rig.tables->sdkBlock.data(), rig.tables->sdk2Block.data(), rng);
            const Writes writes = rig.Cycle();
            // The steps' records leave in step order.
            Step previous = Step::kDisplays;
            for (const Written& written : writes) {
                const Step step = stepByOffset.at(written.offset);
                EXPECT_GE(int(step), int(previous));
                previous = step;
            }
            ExpectOffsetsShowLastSent(rig);

            // The same block again: only sources that are not a number are sent.
            size_t notANumber = 0;
            for (const FurtherRecord& record : kFurtherRecords) {
                if (record.type == FurtherSource::kReal &&
                    std::isnan(aircraft::FieldF64(rig.tables->sdkBlock, record.source))) {
                    ++notANumber;
                }
            }
            const Writes again = rig.Cycle();
            EXPECT_EQ(again.size(), notANumber);
            for (const Written& written : again) {
                EXPECT_EQ(written.bytes, (std::vector<uint8_t>{0, 0}));
            }
            ASSERT_FALSE(HasFailure());
        }
    }
}

}  // namespace
}  // namespace ulvo::bridge
