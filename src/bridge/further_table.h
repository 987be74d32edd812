// The 67 further values: aircraft fields published straight from SdkBlock, one
// record per value, in the order they are tested and written. Whole-number sources
// are 32-bit integers published as their low byte; real sources are doubles,
// multiplied by the record's factor, truncated toward zero and published as their
// low 16 bits (two's complement).
#pragma once

#include <array>
#include <cstdint>

#include "bridge/bridge_state.h"

namespace ulvo::bridge {

enum class FurtherSource : uint8_t {
    kWhole,  // 32-bit signed integer
    kReal,   // double, 8 bytes
};

struct FurtherRecord {
    uint8_t order;    // position in the writing order, 1 .. 67
    uint16_t offset;  // FSUIPC offset
    uint8_t size;     // bytes written: 1 or 2
    uint16_t source;  // SdkBlock offset of the source field
    FurtherSource type;
    uint16_t factor;  // a real source is multiplied by this before truncation
};

// clang-format off
inline constexpr std::array<FurtherRecord, kFurtherCount> kFurtherRecords = [] {
    constexpr FurtherSource kWhole = FurtherSource::kWhole;
    constexpr FurtherSource kReal = FurtherSource::kReal;
    return std::array<FurtherRecord, kFurtherCount>{{
    // Order Offset Size Source Type  Factor
    { 1, 0x9472, 1, 0xFAC, kWhole,    1},
    { 2, 0x9473, 1, 0x658, kWhole,    1},
    { 3, 0x9474, 1, 0x65C, kWhole,    1},
    { 4, 0x9475, 1, 0x660, kWhole,    1},
    { 5, 0x9476, 1, 0x118, kWhole,    1},
    { 6, 0x9477, 2, 0xF88, kReal,  1000},
    { 7, 0x9479, 2, 0xF90, kReal,  1000},
    { 8, 0x947B, 1, 0x230, kWhole,    1},
    { 9, 0x947C, 1, 0xC7C, kWhole,    1},
    {10, 0x9480, 2, 0x008, kReal,     1},
    {11, 0x9482, 2, 0x010, kReal,     1},
    {12, 0x9484, 1, 0x020, kWhole,    1},
    {13, 0x9485, 1, 0x040, kWhole,    1},
    {14, 0x9486, 1, 0x044, kWhole,    1},
    {15, 0x9487, 1, 0x0BC, kWhole,    1},
    {16, 0x9488, 2, 0x0F8, kReal,     1},
    {17, 0x948A, 2, 0x100, kReal,    10},
    {18, 0x948C, 2, 0x110, kReal,     1},
    {19, 0x9497, 1, 0x580, kWhole,    1},
    {20, 0x9498, 1, 0x584, kWhole,    1},
    {21, 0x9499, 1, 0x588, kWhole,    1},
    {22, 0x949A, 1, 0x5A4, kWhole,    1},
    {23, 0x949B, 1, 0x5B4, kWhole,    1},
    {24, 0x949C, 1, 0x5B8, kWhole,    1},
    {25, 0x949D, 2, 0x5F0, kReal,     1},
    {26, 0x949F, 2, 0x6A8, kReal,     1},
    {27, 0x94A1, 2, 0x6C0, kReal,     1},
    {28, 0x94A3, 1, 0x6D0, kWhole,    1},
    {29, 0x94A4, 1, 0x6E0, kWhole,    1},
    {30, 0x94A5, 2, 0x6E8, kReal,     1},
    {31, 0x94A7, 1, 0x71C, kWhole,    1},
    {32, 0x94A8, 1, 0x720, kWhole,    1},
    {33, 0x94B1, 1, 0x914, kWhole,    1},
    {34, 0x94B2, 1, 0x918, kWhole,    1},
    {35, 0x94B3, 1, 0x91C, kWhole,    1},
    {36, 0x94B4, 1, 0x920, kWhole,    1},
    {37, 0x94B5, 1, 0x924, kWhole,    1},
    {38, 0x94B6, 1, 0x928, kWhole,    1},
    {39, 0x94B7, 1, 0x92C, kWhole,    1},
    {40, 0x94B8, 1, 0x930, kWhole,    1},
    {41, 0x94B9, 1, 0x934, kWhole,    1},
    {42, 0x94BA, 1, 0x938, kWhole,    1},
    {43, 0x94BB, 1, 0x93C, kWhole,    1},
    {44, 0x94BC, 1, 0x940, kWhole,    1},
    {45, 0x94BD, 1, 0x944, kWhole,    1},
    {46, 0x94D2, 2, 0xB20, kReal,    10},
    {47, 0x94D4, 1, 0xB98, kWhole,    1},
    {48, 0x94D6, 2, 0xC18, kReal,     1},
    {49, 0x94D8, 2, 0xC98, kReal,     1},
    {50, 0x94DA, 1, 0xD40, kWhole,    1},
    {51, 0x94DB, 1, 0xD50, kWhole,    1},
    {52, 0x94DC, 1, 0xD54, kWhole,    1},
    {53, 0x94DD, 1, 0xD58, kWhole,    1},
    {54, 0x94DE, 1, 0xE88, kWhole,    1},
    {55, 0x94DF, 1, 0xE8C, kWhole,    1},
    {56, 0x94E0, 1, 0xE90, kWhole,    1},
    {57, 0x94E1, 1, 0xE94, kWhole,    1},
    {58, 0x94E2, 1, 0xE98, kWhole,    1},
    {59, 0x94E3, 1, 0xE9C, kWhole,    1},
    {60, 0x94E4, 1, 0xEA0, kWhole,    1},
    {61, 0x94E5, 1, 0xEA4, kWhole,    1},
    {62, 0x94EA, 1, 0xEF0, kWhole,    1},
    {63, 0x94EC, 1, 0x610, kWhole,    1},
    {64, 0x94ED, 1, 0x638, kWhole,    1},
    {65, 0x94EE, 1, 0x624, kWhole,    1},
    {66, 0x9490, 1, 0xA7C, kWhole,    1},
    {67, 0x942B, 1, 0x1BC, kWhole,    1},
    }};
}();
// clang-format on

}  // namespace ulvo::bridge
