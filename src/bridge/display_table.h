// The aircraft's 32 numeric display windows: the digit fields of each in SdkBlock,
// in the order they are decoded, with their weights, and the FSUIPC slot where the
// decoded value is published. One row per display, DisplayNN = row NN.
//
// Every digit field is a signed 32-bit integer holding the digit shown (0 to 9) or
// a code of 10 or more for a position that shows no digit (blank, or a sign).
#pragma once

#include <array>
#include <cstdint>

#include "bridge/bridge_state.h"

namespace ulvo::bridge {

constexpr size_t kMaxDisplayDigits = 5;

struct DisplayDigit {
    uint16_t field;   // SdkBlock offset of the 32-bit digit field
    uint16_t weight;  // what a digit in this position is worth
};

struct DisplayRow {
    uint8_t index;                                      // DisplayNN
    uint8_t digits;                                     // number of digit positions
    uint16_t publishedOffset;                           // FSUIPC offset of the 2-byte slot
    std::array<DisplayDigit, kMaxDisplayDigits> digit;  // decoding order; `digits` used
    const char* note;  // what a reader of the slot should know, or ""

    // The position decoded last: when it shows no digit the window reads blank.
    constexpr uint16_t LastField() const { return digit[digits - 1].field; }
    // Five-digit windows can show 88888 (the lamp test); it is published as 65534.
    constexpr bool FiveDigit() const { return digits == 5; }
};

// clang-format off
inline constexpr std::array<DisplayRow, kDisplayCount> kDisplayRows{{
    // Value  Digits  Slot    Fields and weights, in decoding order
    { 0, 5, 0x9430, {{{0x08C, 10000}, {0x090, 1000}, {0x094, 100}, {0x098, 10}, {0x09C, 1}}}, "negative when 0x08C shows a minus (11): cabin flight altitude"},
    { 1, 5, 0x9432, {{{0x0A4, 10000}, {0x0A8, 1000}, {0x0AC, 100}, {0x0B0, 10}, {0x0B4, 1}}}, "negative when 0x0A4 shows a minus (11): landing altitude"},
    { 2, 3, 0x9434, {{{0x1A8, 100}, {0x1AC, 10}, {0x1B0, 1}}}, ""},
    { 3, 3, 0x9436, {{{0x1C0, 100}, {0x1C4, 10}, {0x1C8, 1}}}, "speed window; a Mach number shows as its digits (0.78 as 78)"},
    { 4, 3, 0x9438, {{{0x1D0, 100}, {0x1D4, 10}, {0x1D8, 1}}}, ""},
    { 5, 5, 0x943A, {{{0x1E0, 10000}, {0x1E4, 1000}, {0x1E8, 100}, {0x1EC, 10}, {0x1F0, 1}}}, "altitude window"},
    { 6, 4, 0x943C, {{{0x1F8, 1000}, {0x1FC, 100}, {0x200, 10}, {0x204, 1}}}, "vertical speed, magnitude only; its sign position shows in bit 1 of 0x948E"},
    { 7, 3, 0x943E, {{{0x210, 100}, {0x214, 10}, {0x218, 1}}}, ""},
    { 8, 5, 0x9440, {{{0x29C, 10000}, {0x2A0, 1000}, {0x2A4, 100}, {0x2A8, 10}, {0x2AC, 1}}}, ""},
    { 9, 5, 0x9442, {{{0x2B8, 10000}, {0x2BC, 1000}, {0x2C0, 100}, {0x2C4, 10}, {0x2C8, 1}}}, ""},
    {10, 5, 0x9444, {{{0x2DC, 10000}, {0x2E0, 1000}, {0x2E4, 100}, {0x2E8, 10}, {0x2EC, 1}}}, ""},
    {11, 5, 0x9446, {{{0x2F8, 10000}, {0x2FC, 1000}, {0x300, 100}, {0x304, 10}, {0x308, 1}}}, ""},
    {12, 2, 0x9448, {{{0x4DC, 10}, {0x4E0, 1}}}, "negative when 0x4D8 shows a minus (11)"},
    {13, 3, 0x944A, {{{0x4E4, 100}, {0x4E8, 10}, {0x4EC, 1}}}, ""},
    {14, 2, 0x944C, {{{0x4F0, 10}, {0x4F4, 1}}}, ""},
    {15, 3, 0x944E, {{{0x4F8, 100}, {0x4FC, 10}, {0x500, 1}}}, ""},
    {16, 3, 0x9450, {{{0x504, 100}, {0x508, 10}, {0x50C, 1}}}, ""},
    {17, 4, 0x9452, {{{0x898, 1000}, {0x89C, 100}, {0x8A0, 10}, {0x8A4, 1}}}, ""},
    {18, 4, 0x9454, {{{0x8AC, 1000}, {0x8B0, 100}, {0x8B4, 10}, {0x8B8, 1}}}, ""},
    {19, 4, 0x9456, {{{0x8D4, 1000}, {0x8D8, 100}, {0x8DC, 10}, {0x8E0, 1}}}, ""},
    {20, 4, 0x9458, {{{0x8E8, 1000}, {0x8EC, 100}, {0x8F0, 10}, {0x8F4, 1}}}, ""},
    {21, 5, 0x945A, {{{0x9A0, 1}, {0x9A4, 10}, {0x9A8, 100}, {0x9AC, 1000}, {0x9B0, 10000}}}, "units first in the block"},
    {22, 5, 0x945C, {{{0x9BC, 1}, {0x9C0, 10}, {0x9C4, 100}, {0x9C8, 1000}, {0x9CC, 10000}}}, "units first in the block"},
    {23, 5, 0x945E, {{{0x9DC, 1}, {0x9E0, 10}, {0x9E4, 100}, {0x9E8, 1000}, {0x9EC, 10000}}}, "units first in the block"},
    {24, 5, 0x9460, {{{0x9F8, 1}, {0x9FC, 10}, {0xA00, 100}, {0xA04, 1000}, {0xA08, 10000}}}, "units first in the block"},
    {25, 5, 0x9462, {{{0xA18, 10000}, {0xA1C, 1000}, {0xA20, 100}, {0xA24, 10}, {0xA28, 1}}}, ""},
    {26, 5, 0x9464, {{{0xA30, 10000}, {0xA34, 1000}, {0xA38, 100}, {0xA3C, 10}, {0xA40, 1}}}, ""},
    {27, 5, 0x9466, {{{0xA4C, 10000}, {0xA50, 1000}, {0xA54, 100}, {0xA58, 10}, {0xA5C, 1}}}, ""},
    {28, 5, 0x9468, {{{0xA64, 10000}, {0xA68, 1000}, {0xA6C, 100}, {0xA70, 10}, {0xA74, 1}}}, ""},
    {29, 4, 0x946A, {{{0xA80, 1000}, {0xA84, 100}, {0xA88, 10}, {0xA8C, 1}}}, ""},
    {30, 5, 0x946C, {{{0xB70, 10000}, {0xB74, 1000}, {0xB78, 100}, {0xB7C, 10}, {0xB80, 1}}}, ""},
    {31, 5, 0x946E, {{{0xB84, 10000}, {0xB88, 1000}, {0xB8C, 100}, {0xB90, 10}, {0xB94, 1}}}, ""},
}};
// clang-format on

// A position at or above this value shows no digit; below it (negative values
// included) it is a digit.
constexpr int32_t kFirstNonDigit = 10;
// The value of a display whose last-decoded position shows no digit.
constexpr double kBlankDisplay = 65535.0;
// A five-digit window showing 88888 is published as 65534.
constexpr double kAllEights = 88888.0;
constexpr double kAllEightsMarker = 65534.0;

// The three displays that can carry a minus sign, in the order they are applied:
// the display is negated when its sign field holds 11.
struct MinusRule {
    uint8_t display;     // DisplayNN
    uint16_t signField;  // SdkBlock offset of the signed 32-bit sign field
};
constexpr int32_t kMinusCode = 11;
inline constexpr std::array<MinusRule, 3> kMinusRules{{
    {12, 0x4D8},
    {1, 0x0A4},
    {0, 0x08C},
}};

}  // namespace ulvo::bridge
