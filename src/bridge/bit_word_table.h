// The 46 annunciator and switch bit-words: for each word, what lands at each bit
// position of its published byte, and the FSUIPC offset of that byte. One row per
// word, BitWordNN = row NN; the source fields are 32-bit integers in SdkBlock,
// except for BitWord38, whose fields are in Sdk2Block.
//
// A word is the sum of its fields, each times 2 to the power of its position, in
// unsigned 32-bit arithmetic that wraps. Fields are not masked: a 1-bit field that
// holds 2 carries into the position above, and a top field spills above bit 7.
#pragma once

#include <array>
#include <cstdint>

#include "bridge/bridge_state.h"

namespace ulvo::bridge {

enum class BitSource : uint8_t {
    kZero,            // "0": no field lands here
    kField,           // the field times 2^position; covers `width` positions
    kCovered,         // "·": covered by the wider field to its right
    kFieldEquals,     // "F = v": 2^position when the field equals `value`
    kUpperBits,       // "bits 1-7 of F": ((F >> 1) & 0x7F) times 2^position
    kWholeValue,      // "F (whole value)": the field itself, at position 0
    kFieldNotEquals,  // "F != v": 2^position when the field differs from `value`
    kNeverSet,        // "0 (never set)": a position this word never sets
};

struct BitCell {
    BitSource source = BitSource::kZero;
    uint16_t field = 0;  // offset of the 32-bit field in the row's block
    uint8_t width = 0;   // positions covered: 1, 2 or 4 (8 for a whole value)
    int32_t value = 0;   // the compared value of kFieldEquals and kFieldNotEquals
};

enum class BitWordBlock : uint8_t { kSdk, kSdk2 };

// Rows that do not follow the plain rule, marked so the special ones stand out.
enum class BitWordSpecial : uint8_t {
    kNone,
    kUpperBitsPair,  // BitWord13: bits 1-7 of two fields at bits 6 and 7
    kThreePosition,  // BitWord19, BitWord20: a 0-3 selector as one of bits 0-2
    kWholeValue,     // BitWord30: one field taken whole
    kSignNotBlank,   // BitWord43: bit 0 never set, bit 1 from the Display06 sign
    kTwoNibbles,     // BitWord44: two 4-bit numbers
};

struct BitWordRow {
    uint8_t index;             // BitWordNN
    uint16_t publishedOffset;  // FSUIPC offset of the published low byte
    BitWordBlock block;
    BitWordSpecial special;
    std::array<BitCell, 8> bits;  // bit 0 .. bit 7
};

// Cell builders, named after the way the table shows each cell. They live in their
// own namespace so the short names stay inside the table below.
namespace bit_cells {
constexpr BitCell F(uint16_t field) {
    return {BitSource::kField, field, 1, 0};
}
constexpr BitCell F2(uint16_t field) {
    return {BitSource::kField, field, 2, 0};
}
constexpr BitCell F4(uint16_t field) {
    return {BitSource::kField, field, 4, 0};
}
constexpr BitCell Is(uint16_t field, int32_t value) {
    return {BitSource::kFieldEquals, field, 1, value};
}
constexpr BitCell IsNot(uint16_t field, int32_t value) {
    return {BitSource::kFieldNotEquals, field, 1, value};
}
constexpr BitCell UpperBits(uint16_t field) {
    return {BitSource::kUpperBits, field, 1, 0};
}
constexpr BitCell Whole(uint16_t field) {
    return {BitSource::kWholeValue, field, 8, 0};
}
constexpr BitCell O{BitSource::kZero, 0, 0, 0};
constexpr BitCell Cov{BitSource::kCovered, 0, 0, 0};
constexpr BitCell Never{BitSource::kNeverSet, 0, 0, 0};

constexpr BitWordBlock kSdk = BitWordBlock::kSdk;
constexpr BitWordBlock kSdk2 = BitWordBlock::kSdk2;
constexpr BitWordSpecial kPlain = BitWordSpecial::kNone;
}  // namespace bit_cells

// clang-format off
inline constexpr std::array<BitWordRow, kBitWordCount> kBitWordRows = [] {
    using namespace bit_cells;
    return std::array<BitWordRow, kBitWordCount>{{
    // Word  Offset  Block  Rule                           bit 0            bit 1          bit 2          bit 3          bit 4          bit 5          bit 6             bit 7
    { 0, 0x9402, kSdk,  kPlain,                         {F(0x018),       F(0x024),      F(0x030),      F(0x034),      F(0x038),      F(0x058),      F(0x05C),         F(0x060)}},
    { 1, 0x9403, kSdk,  kPlain,                         {F(0x064),       F(0x068),      F(0x06C),      F(0x07C),      F(0x080),      F(0x084),      F(0x088),         F(0x0CC)}},
    { 2, 0x9404, kSdk,  kPlain,                         {F(0x0D0),       F(0x0D4),      F(0x0F0),      F(0x0F4),      O,             O,             O,                O}},
    { 3, 0x9405, kSdk,  kPlain,                         {F(0x11C),       F(0x120),      F(0x124),      F(0x128),      F(0x12C),      F(0x130),      F(0x134),         F(0x138)}},
    { 4, 0x9406, kSdk,  kPlain,                         {F(0x150),       F(0x154),      F(0x158),      F(0x15C),      F(0x160),      F(0x164),      F(0x168),         F(0x16C)}},
    { 5, 0x9407, kSdk,  kPlain,                         {F2(0x178),      Cov,           F2(0x180),     Cov,           F2(0x188),     Cov,           F2(0x190),        Cov}},
    { 6, 0x9408, kSdk,  kPlain,                         {F(0x17C),       F(0x184),      F(0x18C),      O,             O,             O,             O,                O}},
    { 7, 0x9409, kSdk,  kPlain,                         {F(0x1B4),       F(0x1CC),      F(0x1DC),      F(0x208),      F(0x20C),      F(0x220),      F(0x238),         O}},
    { 8, 0x940A, kSdk,  kPlain,                         {F(0x248),       F(0x24C),      F(0x250),      F(0x25C),      F(0x260),      F(0x264),      F(0x268),         F(0x26C)}},
    { 9, 0x940B, kSdk,  kPlain,                         {F(0x270),       F(0x274),      F2(0x280),     Cov,           F2(0x284),     Cov,           F(0x288),         F(0x28C)}},
    {10, 0x940C, kSdk,  kPlain,                         {F(0x294),       F(0x298),      F(0x2D4),      F(0x2D8),      F(0x314),      F(0x320),      F(0x33C),         F(0x348)}},
    {11, 0x940D, kSdk,  kPlain,                         {F(0x364),       F(0x370),      O,             O,             O,             O,             O,                O}},
    {12, 0x940E, kSdk,  kPlain,                         {F(0x510),       F(0x514),      F(0x518),      F(0x52C),      F(0x530),      F(0x534),      F(0x544),         F(0x550)}},
    {13, 0x940F, kSdk,  BitWordSpecial::kUpperBitsPair, {F(0x554),       F(0x558),      F(0x55C),      F(0x560),      F(0x564),      F(0x568),      UpperBits(0x5CC), UpperBits(0x5D0)}},
    {14, 0x9410, kSdk,  kPlain,                         {F(0x5BC),       F(0x5C0),      F(0x5C4),      F(0x5C8),      F(0x5E0),      F(0x5E4),      F(0x5E8),         F(0x5EC)}},
    {15, 0x9411, kSdk,  kPlain,                         {F(0x608),       F(0x614),      F(0x618),      F(0x61C),      F(0x620),      F(0x62C),      F(0x630),         F(0x634)}},
    {16, 0x9412, kSdk,  kPlain,                         {F(0x640),       F(0x644),      F(0x650),      O,             O,             O,             O,                O}},
    {17, 0x9413, kSdk,  kPlain,                         {F(0x66C),       F(0x670),      F(0x674),      F(0x678),      F(0x68C),      F(0x694),      F(0x698),         F(0x69C)}},
    {18, 0x9414, kSdk,  kPlain,                         {F(0x6A0),       F(0x6A4),      F(0x6D4),      F(0x6D8),      F(0x6DC),      F(0x6E4),      F(0x6F0),         F(0x6F4)}},
    {19, 0x9415, kSdk,  BitWordSpecial::kThreePosition, {Is(0x6F8, 1),   Is(0x6F8, 2),  Is(0x6F8, 3),  F(0x6FC),      O,             O,             O,                O}},
    {20, 0x9429, kSdk,  BitWordSpecial::kThreePosition, {Is(0x708, 1),   Is(0x708, 2),  Is(0x708, 3),  F(0x704),      O,             O,             O,                O}},
    {21, 0x9416, kSdk,  kPlain,                         {F(0x7DC),       F(0x7E0),      F(0x7E4),      F(0x7E8),      F(0x7EC),      F(0x7F0),      O,                O}},
    {22, 0x9417, kSdk,  kPlain,                         {F(0x7F4),       F(0x804),      F(0x808),      F(0x80C),      F(0x810),      F(0x814),      F(0x818),         F(0x81C)}},
    {23, 0x9418, kSdk,  kPlain,                         {F(0x968),       F(0x96C),      F(0x970),      F(0x974),      F(0x978),      F(0x97C),      F(0x980),         F(0x984)}},
    {24, 0x9419, kSdk,  kPlain,                         {F(0x988),       F(0x98C),      F(0x990),      F(0xA90),      O,             O,             O,                O}},
    {25, 0x941A, kSdk,  kPlain,                         {F2(0xB14),      Cov,           F2(0xB18),     Cov,           F2(0xB28),     Cov,           F2(0xB2C),        Cov}},
    {26, 0x941B, kSdk,  kPlain,                         {F(0xB30),       F2(0xB34),     Cov,           F(0xB38),      O,             O,             O,                O}},
    {27, 0x941C, kSdk,  kPlain,                         {F(0xB40),       F(0xB44),      F(0xB50),      F(0xB54),      F(0xB58),      F(0xB5C),      O,                O}},
    {28, 0x941D, kSdk,  kPlain,                         {F(0xBBC),       F(0xBC0),      F(0xBC4),      F(0xBC8),      F(0xBCC),      F(0xBD0),      O,                O}},
    {29, 0x941E, kSdk,  kPlain,                         {F(0xBE4),       F(0xBE8),      F(0xBEC),      F(0xBF0),      F(0xBF4),      F(0xBF8),      F(0xC00),         F(0xC08)}},
    {30, 0x941F, kSdk,  BitWordSpecial::kWholeValue,    {Whole(0xC10),   Cov,           Cov,           Cov,           Cov,           Cov,           Cov,              Cov}},
    {31, 0x9420, kSdk,  kPlain,                         {F(0xC20),       F(0xC24),      F(0xC28),      F(0xC2C),      F(0xC30),      F(0xC34),      F(0xC38),         F(0xC3C)}},
    {32, 0x9421, kSdk,  kPlain,                         {F(0xC40),       F(0xC44),      F(0xC48),      F(0xC4C),      F(0xC50),      F(0xC54),      F(0xC58),         F(0xC5C)}},
    {33, 0x9422, kSdk,  kPlain,                         {F(0xC60),       F(0xC68),      F(0xC7C),      O,             O,             O,             O,                O}},
    {34, 0x9423, kSdk,  kPlain,                         {F(0xC8C),       F(0xC90),      F(0xCA0),      F(0xCA8),      F(0xCAC),      F(0xCB0),      F(0xCB4),         F(0xCB8)}},
    {35, 0x9424, kSdk,  kPlain,                         {F(0xCBC),       F(0xCC0),      F(0xCC4),      F(0xCD4),      F(0xCD8),      F(0xCDC),      F(0xCE0),         F(0xCE4)}},
    {36, 0x9425, kSdk,  kPlain,                         {F(0xCE8),       F(0xCEC),      F(0xCF0),      F(0xCF4),      F(0xCF8),      F(0xCFC),      F(0xD00),         F(0xD04)}},
    {37, 0x9426, kSdk,  kPlain,                         {F(0xD08),       F(0xD0C),      F(0xD10),      O,             O,             O,             O,                O}},
    {38, 0x9427, kSdk2, kPlain,                         {F(0x1A48),      F(0x1A4C),     F(0x1A50),     F(0x1A54),     F(0x1A58),     F(0x1A5C),     F(0x1A60),        F(0x1A64)}},
    {39, 0x947D, kSdk,  kPlain,                         {F(0x390),       F(0x394),      F(0x398),      F(0x39C),      F(0x3A0),      F(0x3A4),      F(0x3A8),         O}},
    {40, 0x947E, kSdk,  kPlain,                         {F(0x3AC),       F(0x3B0),      F(0x3B4),      F(0x3B8),      F(0x3BC),      F(0x3C0),      F(0x3C4),         O}},
    {41, 0x947F, kSdk,  kPlain,                         {F(0x3C8),       F(0x3CC),      F(0x3D0),      F(0x3D4),      F(0x3D8),      F(0x3DC),      O,                O}},
    {42, 0x94BE, kSdk,  kPlain,                         {F(0x948),       F(0x94C),      F(0x950),      F(0x954),      F(0x958),      F(0x95C),      O,                O}},
    {43, 0x948E, kSdk,  BitWordSpecial::kSignNotBlank,  {Never,          IsNot(0x1F4, 10), F(0x2B4),   F(0x2F4),      F(0x1B8),      F(0xEE4),      F(0xEE8),         F(0xEEC)}},
    {44, 0x948F, kSdk,  BitWordSpecial::kTwoNibbles,    {F4(0x9B4),      Cov,           Cov,           Cov,           F4(0x9F0),     Cov,           Cov,              Cov}},
    {45, 0x942A, kSdk,  kPlain,                         {F(0x690),       F(0x194),      O,             O,             O,             O,             O,                O}},
    }};
}();
// clang-format on

// The order in which the words are tested and written, with the FSUIPC offset of
// each word's byte. The slots are not contiguous: 0x9428 between them is a control
// byte that other clients write, and 0x942B carries a further value.
struct BitWordRecord {
    uint8_t order;    // #
    uint8_t word;     // BitWordNN
    uint16_t offset;  // FSUIPC offset, 1 byte
};

// clang-format off
inline constexpr std::array<BitWordRecord, kBitWordCount> kBitWordRecords{{
    // #  Word    Offset
    { 1,  0, 0x9402},
    { 2,  1, 0x9403},
    { 3,  2, 0x9404},
    { 4,  3, 0x9405},
    { 5,  4, 0x9406},
    { 6,  5, 0x9407},
    { 7,  6, 0x9408},
    { 8,  7, 0x9409},
    { 9,  8, 0x940A},
    {10,  9, 0x940B},
    {11, 10, 0x940C},
    {12, 11, 0x940D},
    {13, 12, 0x940E},
    {14, 13, 0x940F},
    {15, 14, 0x9410},
    {16, 15, 0x9411},
    {17, 16, 0x9412},
    {18, 17, 0x9413},
    {19, 18, 0x9414},
    {20, 19, 0x9415},
    {21, 21, 0x9416},
    {22, 22, 0x9417},
    {23, 23, 0x9418},
    {24, 24, 0x9419},
    {25, 25, 0x941A},
    {26, 26, 0x941B},
    {27, 27, 0x941C},
    {28, 28, 0x941D},
    {29, 29, 0x941E},
    {30, 30, 0x941F},
    {31, 31, 0x9420},
    {32, 32, 0x9421},
    {33, 33, 0x9422},
    {34, 34, 0x9423},
    {35, 35, 0x9424},
    {36, 36, 0x9425},
    {37, 37, 0x9426},
    {38, 38, 0x9427},
    {39, 20, 0x9429},
    {40, 45, 0x942A},
    {41, 39, 0x947D},
    {42, 40, 0x947E},
    {43, 41, 0x947F},
    {44, 43, 0x948E},
    {45, 44, 0x948F},
    {46, 42, 0x94BE},
}};
// clang-format on

}  // namespace ulvo::bridge
