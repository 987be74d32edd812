#include <gtest/gtest.h>

#include <functional>

#include "bridge/display_table.h"
#include "bridge/write_further_offsets.h"
#include "core/memory_bridge.h"

namespace ulvo::bridge {
namespace {

using testbed::MemoryBridge;
using Writes = MemoryBridge::Writes;

struct RefusalCase {
    const char* name;
    uint32_t size;  // data bytes of the step's record
    uint32_t offset;
    std::function<void(MemoryBridge&, int32_t)> set;  // shows a value in the aircraft
    std::function<double(const MemoryBridge&)> lastSent;
};

const RefusalCase kCases[] = {
    {"display", 2, 0x9434,
     [](auto& rig, int32_t v) {
         rig.SetFields(kDisplayRows[2].digit[0].field, {0, 0, v});
     },
     [](auto& rig) { return rig.tables->displayLastSent[2]; }},
    {"bit-word", 1, 0x941F, [](auto& rig, int32_t v) { rig.SetI32(0xC10, v); },
     [](auto& rig) { return rig.tables->bitWordLastSent[30]; }},
    {"further whole value", 1, 0x947B, [](auto& rig, int32_t v) { rig.SetI32(0x230, v); },
     [](auto& rig) { return rig.tables->furtherLastSent.whole[7]; }},
    {"further real value", 2, 0x9480, [](auto& rig, int32_t v) { rig.SetF64(0x008, v); },
     [](auto& rig) { return rig.tables->furtherLastSent.real[9]; }},
};

TEST(PublishRefusedRecords, ClosedLinkOrFullBufferMovesLastSentAndSendsOnlyLaterChanges) {
    for (const RefusalCase& c : kCases) {
        SCOPED_TRACE(c.name);
        MemoryBridge rig;
        rig.SetI32(0x1F4, 10);  // Display06's sign position blank: a zero block publishes nothing
        c.set(rig, 3);
        rig.plugin.fsuipcResult = 99;
        rig.PublishSteps();
        EXPECT_EQ(rig.plugin.fsuipcResult, 0u);
        EXPECT_EQ(c.lastSent(rig), 3.0);
        EXPECT_EQ(rig.fsuipc.sendCalls, 0u);
        rig.Open();
        EXPECT_EQ(rig.Cycle(), Writes{});  // the missed change is not sent late

        // One byte short of room for this record: header, data and end marker.
        rig.FillQueueTo(fsuipc::kRequestLimit - 16 - c.size + 1);
        const uint32_t filled = rig.link.QueuedBytes();
        c.set(rig, 4);
        rig.PublishSteps();
        EXPECT_EQ(rig.plugin.fsuipcResult, 0u);
        EXPECT_EQ(rig.link.QueuedBytes(), filled);
        EXPECT_EQ(c.lastSent(rig), 4.0);
        rig.Exchange();
        EXPECT_EQ(rig.fsuipc.space.U8(c.offset), 0);
        EXPECT_EQ(rig.Cycle(), Writes{});

        // With exactly enough room the record fits.
        rig.FillQueueTo(fsuipc::kRequestLimit - 16 - c.size);
        c.set(rig, 5);
        rig.PublishSteps();
        EXPECT_EQ(rig.plugin.fsuipcResult, 1u);
        const Writes writes = rig.Exchange();
        ASSERT_FALSE(writes.empty());
        EXPECT_EQ(writes.back().offset, c.offset);
        EXPECT_EQ(writes.back().bytes.size(), c.size);
        EXPECT_EQ(writes.back().bytes[0], 5);
    }
}

TEST(PublishRefusedRecords, ASmallerRecordMayFitAfterALargerOneWasRefused) {
    MemoryBridge rig;
    rig.SetI32(0x1F4, 10);
    rig.Open();
    rig.FillQueueTo(fsuipc::kRequestLimit - 16 - 1);  // room for one byte of data
    rig.SetF64(0xF88, 0.25);                          // record 6, two bytes: refused
    rig.SetI32(0x230, 9);                             // record 8, one byte: fits
    WriteFurtherOffsets(rig.cycle);
    EXPECT_EQ(rig.plugin.fsuipcResult, 1u);
    rig.Exchange();
    EXPECT_EQ(rig.fsuipc.space.U8(0x947B), 9);
    EXPECT_EQ(rig.fsuipc.space.U16(0x9477), 0);
    EXPECT_EQ(rig.tables->furtherLastSent.real[5], 0.25);
    EXPECT_EQ(rig.Cycle(), Writes{});
}

}  // namespace
}  // namespace ulvo::bridge
