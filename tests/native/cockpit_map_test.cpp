#include "offsets/cockpit_map.h"

#include <gtest/gtest.h>

#include "aircraft/sdk_blocks.h"
#include "common/little_endian.h"
#include "core/published_offsets.h"

namespace ulvo::tools {
namespace {

// An aircraft that takes the map's writes as the lab does, and what FSUIPC then
// shows once the plug-in published it.
struct Aircraft {
    std::vector<uint8_t> sdk = std::vector<uint8_t>(aircraft::kSdkViewSize);
    std::vector<uint8_t> sdk2 = std::vector<uint8_t>(aircraft::kSdk2ViewSize);

    Aircraft() { Apply(InitialCockpit()); }
    void Apply(const std::vector<FieldWrite>& fields) {
        for (const FieldWrite& field : fields) {
            uint8_t* at = (field.block == AircraftBlock::kSdk ? sdk : sdk2).data() + field.field;
            if (field.real) {
                StoreF64(at, field.value);
            } else if (!field.onlyWhen || int32_t(LoadU32(at)) == *field.onlyWhen) {
                StoreU32(at, uint32_t(int32_t(field.value)));
            }
        }
    }
    uint32_t Published(const OffsetEntry& entry) const {
        const testbed::FsuipcOffsetSpace space = testbed::PublishedSpace(sdk, sdk2);
        return entry.size == 1 ? space.U8(entry.offset) : space.U16(entry.offset);
    }
};

// Every value a recording can hold at an offset the aircraft fills is either
// published exactly or refused.
TEST(CockpitMap, RawValuesReplayExactly) {
    std::vector<uint32_t> wide;
    for (uint32_t raw = 0; raw < 0x10000; raw += raw < 256 ? 1 : 251) {
        wide.push_back(raw);
    }
    wide.insert(wide.end(), {0xD8F1, 0xFF9D, 0xFFFE, 0xFFFF});
    for (const OffsetEntry& entry : BlockLayout()) {
        if (entry.role != OffsetRole::kBitWord && entry.role != OffsetRole::kDisplay &&
            entry.role != OffsetRole::kFurther) {
            continue;
        }
        size_t accepted = 0;
        for (uint32_t i = 0; i < (entry.size == 1 ? 0x100u : wide.size()); ++i) {
            const uint32_t raw = entry.size == 1 ? i : wide[i];
            const CockpitWrite write = CockpitSetRaw(entry, raw);
            if (write.error.empty()) {
                ++accepted;
                Aircraft cockpit;
                cockpit.Apply(write.fields);
                EXPECT_EQ(cockpit.Published(entry), raw) << RangeText(entry) << " " << raw;
            }
        }
        EXPECT_GT(accepted, 1u) << RangeText(entry);
    }
}

// A set makes the plug-in publish what the value reads; one position of a
// three-position switch goes off only where it is the one selected.
TEST(CockpitMap, SetPublishesWhatTheValueReads) {
    const std::pair<const char*, const char*> sets[] = {
        {"0x943A", "12000"}, {"0x9430", "-1500"}, {"0x9448", "-25"},    {"0x943A", "blank"},
        {"0x943A", "70000"}, {"0x945A", "120"},   {"0x9402", "129"},    {"0x940F.6", "on"},
        {"0x9407.2", "2"},   {"0x948E.1", "on"},  {"0x9477", "-0.001"}, {"0x948A", "12.34"},
        {"0x9472", "300"},   {"0x941F", "200"},
    };
    for (const auto& [text, value] : sets) {
        SCOPED_TRACE(testing::Message() << text << " " << value);
        const CockpitWrite write = CockpitSet(text, value, {});
        ASSERT_EQ(write.error, "");
        Aircraft cockpit;
        cockpit.Apply(write.fields);
        BlockSnapshot block;
        const OffsetEntry& entry = *write.target.entry;
        const uint32_t published = cockpit.Published(entry);
        for (uint32_t i = 0; i < entry.size; ++i) {
            block.bytes[entry.offset - kBlockFirst + i] = uint8_t(published >> (8 * i));
        }
        EXPECT_EQ(ReadingAt(write.target, block), write.reads);
    }

    Aircraft cockpit;
    const OffsetEntry& selector = *EntryAt(0x9415);
    cockpit.Apply(CockpitSet("0x9415", "00001001", {}).fields);  // position 1, bit 3 on
    cockpit.Apply(CockpitSet("0x9415.1", "off", {}).fields);
    EXPECT_EQ(cockpit.Published(selector), 0b1001u);
    cockpit.Apply(CockpitSet("0x9415.0", "off", {}).fields);
    EXPECT_EQ(cockpit.Published(selector), 0b1000u);
    cockpit.Apply(CockpitSet("0x9415", "00000100", {}).fields);  // position 3, bit 3 off
    cockpit.Apply(CockpitSet("0x9415", "00001000", {}).fields);
    EXPECT_EQ(cockpit.Published(selector), 0b1000u);
}

TEST(CockpitMap, RefusesWhatNoFieldOfTheAircraftCanShow) {
    EXPECT_EQ(CockpitSet("0x9415", "00000011", {}).error,
              "0x9415 (BitWord19) shows one of bits 0-2 at a time, not 00000011");
    EXPECT_EQ(CockpitSet("0x9404", "16", {}).error,
              "a field can never set bit 4 of 0x9404 (BitWord02): it takes bits 0-3 on or off, "
              "not 16");
}

TEST(CockpitMap, ClientOffsetsAreWrittenIntoFsuipc) {
    // Counters wrap as the plug-in counts them.
    BlockSnapshot current;
    current.bytes[0x94F0 - kBlockFirst] = 254;
    current.bytes[0x94F8 - kBlockFirst] = 1;
    EXPECT_EQ(CockpitSet("0x94F0", "+3", current).fsuipcBytes, std::vector<uint8_t>{1});
    EXPECT_EQ(CockpitSet("0x94F8", "-2", current).fsuipcBytes, std::vector<uint8_t>{255});
    EXPECT_EQ(CockpitSet("0x9400", "1298", current).fsuipcBytes,
              (std::vector<uint8_t>{0x12, 0x05}));
    EXPECT_TRUE(CockpitSet("0x9428", "9", current).fields.empty());
}

}  // namespace
}  // namespace ulvo::tools
