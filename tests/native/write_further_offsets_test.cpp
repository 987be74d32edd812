#include "bridge/write_further_offsets.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "core/memory_bridge.h"

namespace ulvo::bridge {
namespace {

using testbed::MemoryBridge;
using Writes = MemoryBridge::Writes;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(WriteFurtherOffsets, FormsTheDataFromTheSource) {
    const struct {
        const char* name;
        uint32_t source;  // SdkBlock offset
        bool real;        // a double source, else a 32-bit integer
        double value;
        uint32_t offset;  // FSUIPC offset written
        std::vector<uint8_t> bytes;
        int32_t staged;
    } cases[] = {
        {"low byte of 300", 0xFAC, false, 300, 0x9472, {0x2C}, 300},
        {"low byte of -1", 0x658, false, -1, 0x9473, {0xFF}, -1},
        {"last record", 0x1BC, false, 7, 0x942B, {0x07}, 7},
        {"record out of offset order", 0xA7C, false, 0x1234, 0x9490, {0x34}, 0x1234},
        {"times 1000", 0xF88, true, 0.25, 0x9477, {0xFA, 0x00}, 250},
        {"times 1000, negative, toward zero", 0xF88, true, -0.001, 0x9477, {0xFF, 0xFF}, -1},
        {"times 1000, below one", 0xF88, true, 0.0009, 0x9477, {0x00, 0x00}, 0},
        {"second times 1000", 0xF90, true, 1.5, 0x9479, {0xDC, 0x05}, 1500},
        {"times 10", 0x100, true, 12.34, 0x948A, {0x7B, 0x00}, 123},
        {"second times 10", 0xB20, true, 1.7, 0x94D2, {0x11, 0x00}, 17},
        {"low 16 bits of 70000", 0x008, true, 70000.0, 0x9480, {0x70, 0x11}, 70000},
        {"negative toward zero", 0x008, true, -1.5, 0x9480, {0xFF, 0xFF}, -1},
        // Outside the 32-bit range the value saturates; NaN gives 0.
        {"too large after the factor", 0xF90, true, 3e6, 0x9479, {0xFF, 0xFF}, 2147483647},
        {"infinity", 0x0F8, true, kInf, 0x9488, {0xFF, 0xFF}, 2147483647},
        {"minus infinity", 0x0F8, true, -kInf, 0x9488, {0x00, 0x00}, -2147483647 - 1},
        {"not a number", 0x0F8, true, kNaN, 0x9488, {0x00, 0x00}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryBridge rig;
        rig.Open();
        if (c.real) {
            rig.SetF64(c.source, c.value);
        } else {
            rig.SetI32(c.source, int32_t(c.value));
        }
        rig.plugin.fsuipcResult = 99;
        EXPECT_EQ(rig.Run(WriteFurtherOffsets), (Writes{{c.offset, c.bytes}}));
        EXPECT_EQ(rig.queuedBytes, 12 + c.bytes.size());
        EXPECT_EQ(rig.plugin.stagedValue, c.staged);
        EXPECT_EQ(rig.plugin.fsuipcResult, 1u);
    }
}

TEST(WriteFurtherOffsets, TestsTheSourceForChange) {
    MemoryBridge rig;
    rig.Open();
    EXPECT_EQ(rig.Run(WriteFurtherOffsets), Writes{});  // zeros from the start

    // Records follow their order, not the offsets', and the last one stays staged.
    rig.SetI32(0x1BC, 3);    // record 67, 0x942B
    rig.SetI32(0xFAC, 5);    // record 1, 0x9472
    rig.SetF64(0x110, 9.9);  // record 18, 0x948C
    EXPECT_EQ(rig.Run(WriteFurtherOffsets),
              (Writes{{0x9472, {0x05}}, {0x948C, {0x09, 0x00}}, {0x942B, {0x03}}}));
    EXPECT_EQ(rig.plugin.stagedValue, 3);
    EXPECT_EQ(rig.Run(WriteFurtherOffsets), Writes{});
    rig.SetI32(0xFAC, 0);
    EXPECT_EQ(rig.Run(WriteFurtherOffsets), (Writes{{0x9472, {0x00}}}));

    // Same byte, different source: written again.
    rig.SetI32(0xFAC, 256);
    EXPECT_EQ(rig.Run(WriteFurtherOffsets), (Writes{{0x9472, {0x00}}}));
    rig.SetI32(0xFAC, 512);
    EXPECT_EQ(rig.Run(WriteFurtherOffsets), (Writes{{0x9472, {0x00}}}));
    rig.SetF64(0x008, 1.2);
    EXPECT_EQ(rig.Run(WriteFurtherOffsets), (Writes{{0x9480, {0x01, 0x00}}}));
    rig.SetF64(0x008, 1.7);
    EXPECT_EQ(rig.Run(WriteFurtherOffsets), (Writes{{0x9480, {0x01, 0x00}}}));
    EXPECT_EQ(rig.tables->furtherLastSent.real[9], 1.7);  // the source, not the data

    // Doubles compare as doubles: -0.0 equals 0.0.
    rig.SetF64(0x008, 0.0);
    EXPECT_EQ(rig.Run(WriteFurtherOffsets), (Writes{{0x9480, {0x00, 0x00}}}));
    rig.SetF64(0x008, -0.0);
    EXPECT_EQ(rig.Run(WriteFurtherOffsets), Writes{});
    // NaN equals nothing, not even itself: it is sent every cycle.
    rig.SetF64(0x6E8, kNaN);
    EXPECT_EQ(rig.Run(WriteFurtherOffsets), (Writes{{0x94A5, {0x00, 0x00}}}));
    EXPECT_EQ(rig.Run(WriteFurtherOffsets), (Writes{{0x94A5, {0x00, 0x00}}}));
}

}  // namespace
}  // namespace ulvo::bridge
