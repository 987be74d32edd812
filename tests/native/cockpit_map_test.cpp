#include <gtest/gtest.h>

#include <cstring>

#include "aircraft/sdk_blocks.h"
#include "common/little_endian.h"
#include "core/published_offsets.h"
#include "panel_lab/cockpit_map.h"

namespace ulvo::tools {
namespace {

// What FSUIPC shows at `entry` once the plug-in published the cockpit of a fresh
// lab changed by `write`.
uint32_t Published(const OffsetEntry& entry, const CockpitWrite& write) {
    std::vector<uint8_t> sdk(aircraft::kSdkViewSize), sdk2(aircraft::kSdk2ViewSize);
    std::vector<FieldWrite> fields = InitialCockpit();
    fields.insert(fields.end(), write.fields.begin(), write.fields.end());
    for (const FieldWrite& field : fields) {
        uint8_t* at = (field.block == AircraftBlock::kSdk ? sdk : sdk2).data() + field.field;
        if (field.real) {
            StoreF64(at, field.value);
        } else {
            StoreU32(at, uint32_t(int32_t(field.value)));
        }
    }
    const testbed::FsuipcOffsetSpace space = testbed::PublishedSpace(sdk, sdk2);
    return entry.size == 1 ? space.U8(entry.offset) : space.U16(entry.offset);
}

// Every value the map accepts for an offset is published exactly.
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
        for (uint32_t raw = 0; raw < (entry.size == 1 ? 0x100u : wide.size()); ++raw) {
            const uint32_t value = entry.size == 1 ? raw : wide[raw];
            const CockpitWrite write = CockpitSetRaw(entry, value);
            if (write.error.empty()) {
                ++accepted;
                EXPECT_EQ(Published(entry, write), value) << RangeText(entry) << " " << value;
            }
        }
        EXPECT_GT(accepted, 1u) << RangeText(entry);
    }
}

TEST(CockpitMap, SetPublishesTheValueOrSaysWhyNot) {
    // clang-format off
    const struct {
        const char* target;
        const char* value;
        uint32_t published;
        const char* error;
    } cases[] = {
        {"0x943A", "12000",  12000,  ""},
        {"0x943A", "blank",  0xFFFF, ""},
        {"0x943A", "88888",  0xFFFE, ""},
        {"0x9448", "-25",    0xFFE7, ""},
        {"0x9430", "-1",     0xFFFF, ""},  // as a blank window: the reference says so
        {"0x9402.3", "on",   0x08,   ""},
        {"0x9402.7", "1",    0x80,   ""},
        {"0x9407.0", "3",    0x03,   ""},
        {"0x9477", "0.25",   250,    ""},
        {"0x943A", "123456", 0, "0x943A (Display05) takes 0 to 99999, blank or 88888, not 123456"},
        {"0x9436", "88888",  0, "0x9436 (Display03) takes 0 to 999 or blank, not 88888"},
        {"0x9448", "-100",   0, "0x9448 (Display12) takes -99 to 99 or blank, not -100"},
        {"0x9404.5", "on",   0, "bit 5 of 0x9404 (BitWord02) is never set: the byte takes bits 0-3 on or off"},
        {"0x9407.1", "1",    0, "bit 1 of 0x9407 (BitWord05) belongs to the number at bit 0: set 0x9407.0 (0 to 3)"},
        {"0x9407.0", "4",    0, "bit 0 of 0x9407 (BitWord05) takes 0 to 3, not 4"},
        {"0x9415", "00000011", 0, "0x9415 (BitWord19) takes bits 0-2 on or off, one of bits 0-2 at a time; bit 3 on or off, not 00000011"},
        {"0x9477", "40",     0, "0x9477 (further value) takes -32.768 to 32.767, not 40"},
        {"0x9472", "256",    0, "0x9472 (further value) takes 0 to 255, not 256"},
        {"0x94F0", "+200",   0, "0x94F0 (control byte) moves by 1 to 127 steps at a time, not +200"},
        {"0x943B", "1",      0, "0x943B is the second byte of 0x943A: set 0x943A"},
        {"0x942C", "1",      0, "0x942C-0x942D is not used by the plug-in"},
        {"0x9000", "1",      0, "0x9000 is not in the plug-in's block 0x9400-0x94FB"},
        {"0x943A.2", "on",   0, "0x943A (Display05) has no bits of its own: it takes 0 to 99999, blank or 88888"},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.target << " " << c.value);
        const CockpitWrite write = CockpitSet(c.target, c.value, {});
        EXPECT_EQ(write.error, c.error);
        uint32_t offset = 0;
        int bit = 0;
        if (write.error.empty() && ParseTarget(c.target, offset, bit)) {
            EXPECT_EQ(Published(*EntryAt(offset), write), c.published);
        }
    }
}

TEST(CockpitMap, ClientOffsetsAreWrittenIntoFsuipc) {
    BlockSnapshot current;
    current.bytes[0x94F0 - kBlockFirst] = 254;
    EXPECT_EQ(CockpitSet("0x94F0", "+3", current).fsuipcBytes, std::vector<uint8_t>{1});
    EXPECT_EQ(CockpitSet("0x9400", "1298", current).fsuipcBytes,
              (std::vector<uint8_t>{0x12, 0x05}));
    EXPECT_EQ(CockpitSet("0x9400", "idle", current).fsuipcBytes,
              (std::vector<uint8_t>{0xFF, 0xFF}));
    EXPECT_TRUE(CockpitSet("0x9428", "9", current).fields.empty());
}

}  // namespace
}  // namespace ulvo::tools
