// The control bytes that other FSUIPC clients write and the aircraft commands
// their changes become. Slots index ControlInputs and ControlLast (slot order:
// 0x94F0-0x94FB, 0x9470, 0x942E, 0x942F, 0x9491-0x9496).
#pragma once

#include <cstdint>

namespace ulvo::bridge {

// A byte whose new value is posted as the value of one command. The third direct
// value, 0x9428, is not a ControlInputs slot but the plug-in field control9428.
struct DirectControl {
    uint8_t order;
    int8_t slot;  // -1: control9428
    uint16_t offset;
    uint32_t command;
};

// A step counter: each counted step becomes one command, down or up.
struct StepControl {
    uint8_t order;
    uint8_t slot;
    uint16_t offset;
    uint32_t commandDown;
    uint32_t commandUp;
};

// How a set-value control treats a base of 65535.0 (a display whose last digit
// position is blank).
enum class BlankBase : uint8_t {
    kKept,        // the set value stays unchanged and the step is not added
    kTakenAsZero  // the base counts as 0
};

// Rules that only one set-value control has.
enum class SetValueRule : uint8_t {
    kPlain,
    kNegatedWhenSignIs12,    // seed negated when SdkBlock 0x1F4 holds 12 (vertical speed)
    kHundredthsWhenBlank1C0  // steps of 0.01 when SdkBlock 0x1C0 is above 9 (Mach speed)
};

// A step counter that moves a set value kept by the plug-in, seeded from a display.
struct SetValueControl {
    uint8_t order;
    uint8_t slot;
    uint16_t offset;
    uint32_t command;
    uint8_t entry;         // index into dialValues and dialHoldOff
    uint8_t seedDisplay;   // DisplayNN the set value starts from
    double amountPerStep;  // before the hundredths rule
    BlankBase blankBase;
    bool limited;
    double lowerLimit;
    double upperLimit;
    SetValueRule rule;
};

constexpr int16_t kDialHoldOffCycles = 50;
constexpr uint32_t kSignFieldOfDisplay06 = 0x1F4;      // SdkBlock, 32-bit
constexpr uint32_t kHundredsFieldOfDisplay03 = 0x1C0;  // SdkBlock, 32-bit signed
constexpr int32_t kMinusSignCode = 12;

// clang-format off
constexpr DirectControl kDirectControls[] = {
    // order, slot, offset, command
    {1,  13, 0x942E, 1299},
    {2,  14, 0x942F, 1296},
    {3,  -1, 0x9428, 1267},
};

// Worked before the hold-off countdown (order 8) ...
constexpr StepControl kStepControlsFirst[] = {
    // order, slot, offset, down, up
    {4,   8, 0x94F8,  627,  628},
    {5,   9, 0x94F9,  621,  622},
    {6,  10, 0x94FA,  673,  674},
    {7,  11, 0x94FB,  667,  668},
};

// ... and after the set-value controls.
constexpr StepControl kStepControlsLast[] = {
    {17, 12, 0x9470, 1300, 1301},
    {18, 15, 0x9491,  751,  752},
    {19, 16, 0x9492,  753,  754},
    {20, 17, 0x9493,  755,  756},
    {21, 18, 0x9494,  757,  758},
    {22, 19, 0x9495,  759,  760},
    {23, 20, 0x9496,  761,  762},
};

constexpr SetValueControl kSetValueControls[] = {
    // order, slot, offset, command, entry, seed, amount, blank base, limited, lower, upper, rule
    { 9, 0, 0x94F0, 1232, 3, 5, 100.0, BlankBase::kKept,        true,      0.0, 42000.0, SetValueRule::kPlain},
    {10, 1, 0x94F1, 1233, 0, 2,   1.0, BlankBase::kKept,        false,     0.0,     0.0, SetValueRule::kPlain},
    {11, 2, 0x94F2, 1234, 5, 7,   1.0, BlankBase::kKept,        false,     0.0,     0.0, SetValueRule::kPlain},
    {12, 3, 0x94F3, 1235, 1, 3,   1.0, BlankBase::kTakenAsZero, false,     0.0,     0.0, SetValueRule::kHundredthsWhenBlank1C0},
    {13, 4, 0x94F4, 1236, 4, 6, 100.0, BlankBase::kTakenAsZero, true,  -7900.0,  6000.0, SetValueRule::kNegatedWhenSignIs12},
    {14, 5, 0x94F5, 1237, 2, 4,   1.0, BlankBase::kTakenAsZero, false,     0.0,     0.0, SetValueRule::kPlain},
    {15, 6, 0x94F6, 1238, 6, 0, 500.0, BlankBase::kTakenAsZero, true,  -1000.0, 42000.0, SetValueRule::kPlain},
    {16, 7, 0x94F7, 1239, 7, 1,  50.0, BlankBase::kTakenAsZero, true,  -1000.0, 14000.0, SetValueRule::kPlain},
};
// clang-format on

}  // namespace ulvo::bridge
