#include "bridge/control_forwarding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <span>
#include <vector>

#include "bridge/control_table.h"
#include "bridge/handle_command_word.h"
#include "core/memory_bridge.h"

namespace ulvo::bridge {
namespace {

using Commands = std::vector<testbed::RecordingCommandPort::Command>;

Commands Repeat(uint32_t code, int count) {
    return Commands(size_t(count), {code, 0});
}

class ControlForwardingTest : public ::testing::Test {
  protected:
    void Cycle() { ForwardControlChanges(bridge.cycle); }

    void SetControl(uint16_t offset, uint32_t value) {
        tables.controlInputs[SlotOf(offset)] = value;
    }

    static int SlotOf(uint16_t offset) {
        for (const CommandRead& read : kCommandReads) {
            if (read.offset == offset && read.target == CommandReadTarget::ControlSlot) {
                return read.slot;
            }
        }
        ADD_FAILURE() << "not a control offset: " << offset;
        return 0;
    }

    // Moves a set-value control by `steps` (wrapping the byte) and runs a cycle.
    Commands Turn(uint16_t offset, int steps) {
        uint32_t& slot = tables.controlInputs[SlotOf(offset)];
        slot = uint32_t(int32_t(slot) + steps) & 0xFF;
        Cycle();
        return port.Take();
    }

    testbed::MemoryBridge bridge;
    WorkerFields& plugin = bridge.plugin;
    BridgeTables& tables = *bridge.tables;
    testbed::RecordingCommandPort& port = bridge.aircraft;
};

TEST(CountSteps, TakesTheShortWayRoundAndCounts128InItsOwnDirection) {
    struct Case {
        uint32_t last, now;
        double steps;
    };
    const Case cases[] = {
        {0, 3, 3},       {3, 0, -3},       {250, 5, 11},   {5, 250, -11}, {0, 128, 128},
        {128, 0, -128},  {0, 129, -127},   {129, 0, 127},  {255, 0, 1},   {0, 255, -1},
        {127, 255, 128}, {255, 127, -128}, {1, 130, -127},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CountSteps(c.now, c.last), c.steps) << c.last << " -> " << c.now;
    }
}

TEST_F(ControlForwardingTest, StepControlsPostOneCommandPerStep) {
    struct Case {
        uint16_t offset;
        uint32_t from, to;
        Commands expected;
    };
    const Case cases[] = {
        {0x94F8, 0, 3, Repeat(628, 3)},      {0x94F9, 250, 5, Repeat(622, 11)},
        {0x94FA, 5, 250, Repeat(673, 11)},   {0x94FB, 0, 128, Repeat(668, 128)},
        {0x9470, 0, 129, Repeat(1300, 127)}, {0x9491, 128, 0, Repeat(751, 128)},
        {0x9496, 255, 0, Repeat(762, 1)},    {0x9494, 7, 7, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.offset);
        SetControl(c.offset, c.from);
        tables.controlLast[SlotOf(c.offset)] = c.from;
        SetControl(c.offset, c.to);
        Cycle();
        EXPECT_EQ(port.Take(), c.expected);
        EXPECT_EQ(tables.controlLast[SlotOf(c.offset)], c.to);
        EXPECT_EQ(plugin.knobDelta, 0.0);
    }
}

TEST_F(ControlForwardingTest, DirectValuesThenFirstStepsThenSetValuesThenLastSteps) {
    tables.displayValues[2] = 100;
    plugin.control9428 = 7;
    SetControl(0x942F, 4);
    SetControl(0x942E, 2);
    SetControl(0x9496, 1);
    SetControl(0x94F1, 1);
    SetControl(0x94FB, 1);
    Cycle();
    EXPECT_EQ(port.Take(),
              (Commands{{1299, 2}, {1296, 4}, {1267, 7}, {668, 0}, {1233, 101}, {762, 0}}));
    EXPECT_EQ(plugin.stepLevel, 1);  // 1299 here is a direct value, not a level step
    plugin.control9428 = 0;          // a change back to 0 is a change too
    Cycle();
    EXPECT_EQ(port.Take(), (Commands{{1267, 0}}));
    EXPECT_EQ(plugin.control9428Last, 0);
}

TEST_F(ControlForwardingTest, NothingIsComparedUntilWindowAndMessageAreKnown) {
    port.ready = false;
    SetControl(0x94F8, 3);
    SetControl(0x942E, 9);
    SetControl(0x94F0, 1);
    plugin.dialHoldOff[0] = 5;
    Cycle();
    EXPECT_TRUE(port.Take().empty());
    EXPECT_EQ(tables.controlLast[8], 0u);
    EXPECT_EQ(plugin.dialHoldOff[0], 5);
    SetControl(0x94F8, 5);  // moves on while waiting: nothing is lost
    port.ready = true;
    tables.displayValues[5] = 1000;
    Cycle();
    Commands expected = Repeat(628, 5);
    expected.insert(expected.begin(), {1299, 9});
    expected.push_back({1232, 1100});
    EXPECT_EQ(port.Take(), expected);
    EXPECT_EQ(plugin.dialValues[3], 1100);  // 1232 keeps its value in entry 3
}

TEST_F(ControlForwardingTest, HoldOffRunsOutAfterFiftyCyclesAndReseeds) {
    tables.displayValues[2] = 200;
    EXPECT_EQ(Turn(0x94F1, +1), (Commands{{1233, 201}}));
    tables.displayValues[2] = 300;
    for (int i = 0; i < 48; ++i) {
        Cycle();
    }
    // The 49th cycle after a change still finds the counter above 0.
    EXPECT_EQ(Turn(0x94F1, +1), (Commands{{1233, 202}}));
    for (int i = 0; i < 49; ++i) {
        Cycle();
    }
    EXPECT_EQ(plugin.dialHoldOff[0], 1);
    // The 50th counts down to 0 first and starts again from the display.
    EXPECT_EQ(Turn(0x94F1, -1), (Commands{{1233, 299}}));
}

TEST_F(ControlForwardingTest, SetValueExamples) {
    struct Case {
        const char* name;
        uint16_t offset;
        int displayIndex;
        double display;
        int32_t sign1F4;
        int32_t hundreds1C0;
        int steps;
        int32_t expected;
    };
    const Case cases[] = {
        {"1232 blank display is limited to 42000", 0x94F0, 5, 65535, 0, 0, +1, 42000},
        {"1232 blank display stepping down too", 0x94F0, 5, 65535, 0, 0, -2, 42000},
        {"1232 below zero", 0x94F0, 5, 100, 0, 0, -2, 0},
        {"1233 blank display kept", 0x94F1, 2, 65535, 0, 0, +1, 65535},
        {"1234 plain step", 0x94F2, 7, 180, 0, 0, -5, 175},
        {"1234 blank display kept", 0x94F2, 7, 65535, 0, 0, -1, 65535},
        {"1236 negative sign", 0x94F4, 6, 1500, 12, 0, +1, -1400},
        {"1236 positive sign", 0x94F4, 6, 1500, 10, 0, +1, 1600},
        {"1236 lower limit", 0x94F4, 6, 7800, 12, 0, -2, -7900},
        {"1236 upper limit", 0x94F4, 6, 5950, 0, 0, +1, 6000},
        {"1236 blank display taken as 0", 0x94F4, 6, 65535, 0, 0, -1, -100},
        {"1237 blank display taken as 0", 0x94F5, 4, 65535, 0, 0, +3, 3},
        {"1237 plain step", 0x94F5, 4, 30, 0, 0, +2, 32},
        {"1238 upper limit", 0x94F6, 0, 41800, 0, 0, +1, 42000},
        {"1238 negative display", 0x94F6, 0, -500, 0, 0, -1, -1000},
        {"1238 plain step", 0x94F6, 0, 1000, 0, 0, +1, 1500},
        {"1239 blank display taken as 0", 0x94F7, 1, 65535, 0, 0, -1, -50},
        {"1239 upper limit", 0x94F7, 1, 13990, 0, 0, +1, 14000},
        {"1235 whole knots", 0x94F3, 3, 250, 0, 5, +1, 251},
        {"1235 hundredths reaching 1", 0x94F3, 3, 99, 0, 10, +1, 1},
        {"1235 hundredths down", 0x94F3, 3, 78, 0, 11, -3, 75},
        {"1235 hundredths blank is not 65535 once scaled", 0x94F3, 3, 65535, 0, 10, +1, 655},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        plugin = WorkerFields{};
        tables = BridgeTables{};
        tables.displayValues[c.displayIndex] = c.display;
        bridge.SetI32(kSignFieldOfDisplay06, c.sign1F4);
        bridge.SetI32(kHundredsFieldOfDisplay03, c.hundreds1C0);
        const Commands commands = Turn(c.offset, c.steps);
        ASSERT_EQ(commands.size(), 1u);
        EXPECT_EQ(commands[0].second, c.expected);
    }
}

TEST_F(ControlForwardingTest, HundredthsTrainAddsOneHundredthPerStep) {
    bridge.SetI32(kHundredsFieldOfDisplay03, 10);
    tables.displayValues[3] = 78;
    Commands posted;
    for (int i = 0; i < 4; ++i) {
        const Commands commands = Turn(0x94F3, +1);
        posted.insert(posted.end(), commands.begin(), commands.end());
    }
    EXPECT_EQ(posted, (Commands{{1235, 79}, {1235, 80}, {1235, 81}, {1235, 82}}));
    EXPECT_NEAR(plugin.dialValues[1], 0.82, 1e-12);
}

// Invariants that catch a wrong row: the controls are worked in the orders 1 to
// 23 (8 is the hold-off countdown), each once; a step control's up command
// follows its down command; each set-value control has an entry of its own.
TEST(ControlTable, OrdersCommandsAndEntriesFitTogether) {
    std::vector<int> orders;
    for (const DirectControl& control : kDirectControls) {
        orders.push_back(control.order);
    }
    using Steps = std::span<const StepControl>;
    for (Steps table : {Steps(kStepControlsFirst), Steps(kStepControlsLast)}) {
        for (const StepControl& control : table) {
            orders.push_back(control.order);
            EXPECT_EQ(control.commandUp, control.commandDown + 1) << control.offset;
        }
    }
    std::set<uint8_t> entries;
    for (const SetValueControl& control : kSetValueControls) {
        orders.push_back(control.order);
        EXPECT_LT(control.entry, kDialCount);
        EXPECT_TRUE(entries.insert(control.entry).second) << control.command;
    }
    std::sort(orders.begin(), orders.end());
    EXPECT_EQ(orders, (std::vector<int>{1,  2,  3,  4,  5,  6,  7,  9,  10, 11, 12,
                                        13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23}));
}

}  // namespace
}  // namespace ulvo::bridge
