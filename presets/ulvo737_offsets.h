// ulvo737_offsets.h: the Ulvo2FSUIPC offsets 0x9400-0x94FB for firmware and
// programs. Generated from the plug-in's tables by Ulvo2FSUIPC; do not edit.
// C++11, no includes, no dependencies.
//
// Reading a Value: take `size` bytes at `offset` (little-endian) as a number,
// signed when `isSigned`; keep (number & mask) >> shift; when wrapBelow is not 0,
// a number below it is the value minus 65536 (a signed window above 32767);
// divide by `divisor` for the value in its unit. Displays read 65535 when blank
// and 65534 for 88888 (-1 and -2 on a signed one).
//
// Writing: a Command's code goes into the two-byte command word; wait until it
// reads kCommandIdle before the next one. A Counter or a Knob is one byte that
// you move by the steps turned, wrapping at 256, less than 128 steps per 5 ms.
// A Direct byte takes a value 0 to 255.
#ifndef ULVO737_OFFSETS_H
#define ULVO737_OFFSETS_H

namespace ulvo737 {

struct Value {
    unsigned short offset;
    unsigned char size;
    bool isSigned;
    unsigned short mask;
    unsigned char shift;
    unsigned short divisor;
    long wrapBelow;
};
struct Command {
    unsigned short offset;
    unsigned short code;
};
struct Counter {
    unsigned short offset;
    unsigned short commandDown;
    unsigned short commandUp;
};
struct Knob {
    unsigned short offset;
    unsigned short command;
};
struct Direct {
    unsigned short offset;
    unsigned short command;
};

constexpr unsigned short kCommandWord = 0x9400;
constexpr short kCommandIdle = -1;

// Displays
// Display00 cabin flight altitude window
constexpr Value display00{0x9430, 2, true, 0xFFFF, 0, 1, -9999};
// Display01 landing altitude window
constexpr Value display01{0x9432, 2, true, 0xFFFF, 0, 1, -9999};
// Display02
constexpr Value display02{0x9434, 2, false, 0xFFFF, 0, 1, 0};
// Display03 speed window
constexpr Value display03{0x9436, 2, false, 0xFFFF, 0, 1, 0};
// Display04
constexpr Value display04{0x9438, 2, false, 0xFFFF, 0, 1, 0};
// Display05 altitude window
constexpr Value display05{0x943A, 2, false, 0xFFFF, 0, 1, 0};
// Display06 vertical speed window
constexpr Value display06{0x943C, 2, false, 0xFFFF, 0, 1, 0};
// Display07
constexpr Value display07{0x943E, 2, false, 0xFFFF, 0, 1, 0};
// Display08
constexpr Value display08{0x9440, 2, false, 0xFFFF, 0, 1, 0};
// Display09
constexpr Value display09{0x9442, 2, false, 0xFFFF, 0, 1, 0};
// Display10
constexpr Value display10{0x9444, 2, false, 0xFFFF, 0, 1, 0};
// Display11
constexpr Value display11{0x9446, 2, false, 0xFFFF, 0, 1, 0};
// Display12
constexpr Value display12{0x9448, 2, true, 0xFFFF, 0, 1, 0};
// Display13
constexpr Value display13{0x944A, 2, false, 0xFFFF, 0, 1, 0};
// Display14
constexpr Value display14{0x944C, 2, false, 0xFFFF, 0, 1, 0};
// Display15
constexpr Value display15{0x944E, 2, false, 0xFFFF, 0, 1, 0};
// Display16
constexpr Value display16{0x9450, 2, false, 0xFFFF, 0, 1, 0};
// Display17
constexpr Value display17{0x9452, 2, false, 0xFFFF, 0, 1, 0};
// Display18
constexpr Value display18{0x9454, 2, false, 0xFFFF, 0, 1, 0};
// Display19
constexpr Value display19{0x9456, 2, false, 0xFFFF, 0, 1, 0};
// Display20
constexpr Value display20{0x9458, 2, false, 0xFFFF, 0, 1, 0};
// Display21
constexpr Value display21{0x945A, 2, false, 0xFFFF, 0, 1, 0};
// Display22
constexpr Value display22{0x945C, 2, false, 0xFFFF, 0, 1, 0};
// Display23
constexpr Value display23{0x945E, 2, false, 0xFFFF, 0, 1, 0};
// Display24
constexpr Value display24{0x9460, 2, false, 0xFFFF, 0, 1, 0};
// Display25
constexpr Value display25{0x9462, 2, false, 0xFFFF, 0, 1, 0};
// Display26
constexpr Value display26{0x9464, 2, false, 0xFFFF, 0, 1, 0};
// Display27
constexpr Value display27{0x9466, 2, false, 0xFFFF, 0, 1, 0};
// Display28
constexpr Value display28{0x9468, 2, false, 0xFFFF, 0, 1, 0};
// Display29
constexpr Value display29{0x946A, 2, false, 0xFFFF, 0, 1, 0};
// Display30
constexpr Value display30{0x946C, 2, false, 0xFFFF, 0, 1, 0};
// Display31
constexpr Value display31{0x946E, 2, false, 0xFFFF, 0, 1, 0};

// Lamps and switches
// BitWord00 bit 0
constexpr Value bitword00_bit0{0x9402, 1, false, 0x01, 0, 1, 0};
// BitWord00 bit 1
constexpr Value bitword00_bit1{0x9402, 1, false, 0x02, 1, 1, 0};
// BitWord00 bit 2
constexpr Value bitword00_bit2{0x9402, 1, false, 0x04, 2, 1, 0};
// BitWord00 bit 3
constexpr Value bitword00_bit3{0x9402, 1, false, 0x08, 3, 1, 0};
// BitWord00 bit 4
constexpr Value bitword00_bit4{0x9402, 1, false, 0x10, 4, 1, 0};
// BitWord00 bit 5
constexpr Value bitword00_bit5{0x9402, 1, false, 0x20, 5, 1, 0};
// BitWord00 bit 6
constexpr Value bitword00_bit6{0x9402, 1, false, 0x40, 6, 1, 0};
// BitWord00 bit 7
constexpr Value bitword00_bit7{0x9402, 1, false, 0x80, 7, 1, 0};
// BitWord01 bit 0
constexpr Value bitword01_bit0{0x9403, 1, false, 0x01, 0, 1, 0};
// BitWord01 bit 1
constexpr Value bitword01_bit1{0x9403, 1, false, 0x02, 1, 1, 0};
// BitWord01 bit 2
constexpr Value bitword01_bit2{0x9403, 1, false, 0x04, 2, 1, 0};
// BitWord01 bit 3
constexpr Value bitword01_bit3{0x9403, 1, false, 0x08, 3, 1, 0};
// BitWord01 bit 4
constexpr Value bitword01_bit4{0x9403, 1, false, 0x10, 4, 1, 0};
// BitWord01 bit 5
constexpr Value bitword01_bit5{0x9403, 1, false, 0x20, 5, 1, 0};
// BitWord01 bit 6
constexpr Value bitword01_bit6{0x9403, 1, false, 0x40, 6, 1, 0};
// BitWord01 bit 7
constexpr Value bitword01_bit7{0x9403, 1, false, 0x80, 7, 1, 0};
// BitWord02 bit 0
constexpr Value bitword02_bit0{0x9404, 1, false, 0x01, 0, 1, 0};
// BitWord02 bit 1
constexpr Value bitword02_bit1{0x9404, 1, false, 0x02, 1, 1, 0};
// BitWord02 bit 2
constexpr Value bitword02_bit2{0x9404, 1, false, 0x04, 2, 1, 0};
// BitWord02 bit 3
constexpr Value bitword02_bit3{0x9404, 1, false, 0x08, 3, 1, 0};
// BitWord03 bit 0
constexpr Value bitword03_bit0{0x9405, 1, false, 0x01, 0, 1, 0};
// BitWord03 bit 1
constexpr Value bitword03_bit1{0x9405, 1, false, 0x02, 1, 1, 0};
// BitWord03 bit 2
constexpr Value bitword03_bit2{0x9405, 1, false, 0x04, 2, 1, 0};
// BitWord03 bit 3
constexpr Value bitword03_bit3{0x9405, 1, false, 0x08, 3, 1, 0};
// BitWord03 bit 4
constexpr Value bitword03_bit4{0x9405, 1, false, 0x10, 4, 1, 0};
// BitWord03 bit 5
constexpr Value bitword03_bit5{0x9405, 1, false, 0x20, 5, 1, 0};
// BitWord03 bit 6
constexpr Value bitword03_bit6{0x9405, 1, false, 0x40, 6, 1, 0};
// BitWord03 bit 7
constexpr Value bitword03_bit7{0x9405, 1, false, 0x80, 7, 1, 0};
// BitWord04 bit 0
constexpr Value bitword04_bit0{0x9406, 1, false, 0x01, 0, 1, 0};
// BitWord04 bit 1
constexpr Value bitword04_bit1{0x9406, 1, false, 0x02, 1, 1, 0};
// BitWord04 bit 2
constexpr Value bitword04_bit2{0x9406, 1, false, 0x04, 2, 1, 0};
// BitWord04 bit 3
constexpr Value bitword04_bit3{0x9406, 1, false, 0x08, 3, 1, 0};
// BitWord04 bit 4
constexpr Value bitword04_bit4{0x9406, 1, false, 0x10, 4, 1, 0};
// BitWord04 bit 5
constexpr Value bitword04_bit5{0x9406, 1, false, 0x20, 5, 1, 0};
// BitWord04 bit 6
constexpr Value bitword04_bit6{0x9406, 1, false, 0x40, 6, 1, 0};
// BitWord04 bit 7
constexpr Value bitword04_bit7{0x9406, 1, false, 0x80, 7, 1, 0};
// BitWord05 bits 0-1
constexpr Value bitword05_bits0_1{0x9407, 1, false, 0x03, 0, 1, 0};
// BitWord05 bits 2-3
constexpr Value bitword05_bits2_3{0x9407, 1, false, 0x0C, 2, 1, 0};
// BitWord05 bits 4-5
constexpr Value bitword05_bits4_5{0x9407, 1, false, 0x30, 4, 1, 0};
// BitWord05 bits 6-7
constexpr Value bitword05_bits6_7{0x9407, 1, false, 0xC0, 6, 1, 0};
// BitWord06 bit 0
constexpr Value bitword06_bit0{0x9408, 1, false, 0x01, 0, 1, 0};
// BitWord06 bit 1
constexpr Value bitword06_bit1{0x9408, 1, false, 0x02, 1, 1, 0};
// BitWord06 bit 2
constexpr Value bitword06_bit2{0x9408, 1, false, 0x04, 2, 1, 0};
// BitWord07 bit 0
constexpr Value bitword07_bit0{0x9409, 1, false, 0x01, 0, 1, 0};
// BitWord07 bit 1
constexpr Value bitword07_bit1{0x9409, 1, false, 0x02, 1, 1, 0};
// BitWord07 bit 2
constexpr Value bitword07_bit2{0x9409, 1, false, 0x04, 2, 1, 0};
// BitWord07 bit 3
constexpr Value bitword07_bit3{0x9409, 1, false, 0x08, 3, 1, 0};
// BitWord07 bit 4
constexpr Value bitword07_bit4{0x9409, 1, false, 0x10, 4, 1, 0};
// BitWord07 bit 5
constexpr Value bitword07_bit5{0x9409, 1, false, 0x20, 5, 1, 0};
// BitWord07 bit 6
constexpr Value bitword07_bit6{0x9409, 1, false, 0x40, 6, 1, 0};
// BitWord08 bit 0
constexpr Value bitword08_bit0{0x940A, 1, false, 0x01, 0, 1, 0};
// BitWord08 bit 1
constexpr Value bitword08_bit1{0x940A, 1, false, 0x02, 1, 1, 0};
// BitWord08 bit 2
constexpr Value bitword08_bit2{0x940A, 1, false, 0x04, 2, 1, 0};
// BitWord08 bit 3
constexpr Value bitword08_bit3{0x940A, 1, false, 0x08, 3, 1, 0};
// BitWord08 bit 4
constexpr Value bitword08_bit4{0x940A, 1, false, 0x10, 4, 1, 0};
// BitWord08 bit 5
constexpr Value bitword08_bit5{0x940A, 1, false, 0x20, 5, 1, 0};
// BitWord08 bit 6
constexpr Value bitword08_bit6{0x940A, 1, false, 0x40, 6, 1, 0};
// BitWord08 bit 7
constexpr Value bitword08_bit7{0x940A, 1, false, 0x80, 7, 1, 0};
// BitWord09 bit 0
constexpr Value bitword09_bit0{0x940B, 1, false, 0x01, 0, 1, 0};
// BitWord09 bit 1
constexpr Value bitword09_bit1{0x940B, 1, false, 0x02, 1, 1, 0};
// BitWord09 bits 2-3
constexpr Value bitword09_bits2_3{0x940B, 1, false, 0x0C, 2, 1, 0};
// BitWord09 bits 4-5
constexpr Value bitword09_bits4_5{0x940B, 1, false, 0x30, 4, 1, 0};
// BitWord09 bit 6
constexpr Value bitword09_bit6{0x940B, 1, false, 0x40, 6, 1, 0};
// BitWord09 bit 7
constexpr Value bitword09_bit7{0x940B, 1, false, 0x80, 7, 1, 0};
// BitWord10 bit 0
constexpr Value bitword10_bit0{0x940C, 1, false, 0x01, 0, 1, 0};
// BitWord10 bit 1
constexpr Value bitword10_bit1{0x940C, 1, false, 0x02, 1, 1, 0};
// BitWord10 bit 2
constexpr Value bitword10_bit2{0x940C, 1, false, 0x04, 2, 1, 0};
// BitWord10 bit 3
constexpr Value bitword10_bit3{0x940C, 1, false, 0x08, 3, 1, 0};
// BitWord10 bit 4
constexpr Value bitword10_bit4{0x940C, 1, false, 0x10, 4, 1, 0};
// BitWord10 bit 5
constexpr Value bitword10_bit5{0x940C, 1, false, 0x20, 5, 1, 0};
// BitWord10 bit 6
constexpr Value bitword10_bit6{0x940C, 1, false, 0x40, 6, 1, 0};
// BitWord10 bit 7
constexpr Value bitword10_bit7{0x940C, 1, false, 0x80, 7, 1, 0};
// BitWord11 bit 0
constexpr Value bitword11_bit0{0x940D, 1, false, 0x01, 0, 1, 0};
// BitWord11 bit 1
constexpr Value bitword11_bit1{0x940D, 1, false, 0x02, 1, 1, 0};
// BitWord12 bit 0
constexpr Value bitword12_bit0{0x940E, 1, false, 0x01, 0, 1, 0};
// BitWord12 bit 1
constexpr Value bitword12_bit1{0x940E, 1, false, 0x02, 1, 1, 0};
// BitWord12 bit 2
constexpr Value bitword12_bit2{0x940E, 1, false, 0x04, 2, 1, 0};
// BitWord12 bit 3
constexpr Value bitword12_bit3{0x940E, 1, false, 0x08, 3, 1, 0};
// BitWord12 bit 4
constexpr Value bitword12_bit4{0x940E, 1, false, 0x10, 4, 1, 0};
// BitWord12 bit 5
constexpr Value bitword12_bit5{0x940E, 1, false, 0x20, 5, 1, 0};
// BitWord12 bit 6
constexpr Value bitword12_bit6{0x940E, 1, false, 0x40, 6, 1, 0};
// BitWord12 bit 7
constexpr Value bitword12_bit7{0x940E, 1, false, 0x80, 7, 1, 0};
// BitWord13 bit 0
constexpr Value bitword13_bit0{0x940F, 1, false, 0x01, 0, 1, 0};
// BitWord13 bit 1
constexpr Value bitword13_bit1{0x940F, 1, false, 0x02, 1, 1, 0};
// BitWord13 bit 2
constexpr Value bitword13_bit2{0x940F, 1, false, 0x04, 2, 1, 0};
// BitWord13 bit 3
constexpr Value bitword13_bit3{0x940F, 1, false, 0x08, 3, 1, 0};
// BitWord13 bit 4
constexpr Value bitword13_bit4{0x940F, 1, false, 0x10, 4, 1, 0};
// BitWord13 bit 5
constexpr Value bitword13_bit5{0x940F, 1, false, 0x20, 5, 1, 0};
// BitWord13 bit 6
constexpr Value bitword13_bit6{0x940F, 1, false, 0x40, 6, 1, 0};
// BitWord13 bit 7
constexpr Value bitword13_bit7{0x940F, 1, false, 0x80, 7, 1, 0};
// BitWord14 bit 0
constexpr Value bitword14_bit0{0x9410, 1, false, 0x01, 0, 1, 0};
// BitWord14 bit 1
constexpr Value bitword14_bit1{0x9410, 1, false, 0x02, 1, 1, 0};
// BitWord14 bit 2
constexpr Value bitword14_bit2{0x9410, 1, false, 0x04, 2, 1, 0};
// BitWord14 bit 3
constexpr Value bitword14_bit3{0x9410, 1, false, 0x08, 3, 1, 0};
// BitWord14 bit 4
constexpr Value bitword14_bit4{0x9410, 1, false, 0x10, 4, 1, 0};
// BitWord14 bit 5
constexpr Value bitword14_bit5{0x9410, 1, false, 0x20, 5, 1, 0};
// BitWord14 bit 6
constexpr Value bitword14_bit6{0x9410, 1, false, 0x40, 6, 1, 0};
// BitWord14 bit 7
constexpr Value bitword14_bit7{0x9410, 1, false, 0x80, 7, 1, 0};
// BitWord15 bit 0
constexpr Value bitword15_bit0{0x9411, 1, false, 0x01, 0, 1, 0};
// BitWord15 bit 1
constexpr Value bitword15_bit1{0x9411, 1, false, 0x02, 1, 1, 0};
// BitWord15 bit 2
constexpr Value bitword15_bit2{0x9411, 1, false, 0x04, 2, 1, 0};
// BitWord15 bit 3
constexpr Value bitword15_bit3{0x9411, 1, false, 0x08, 3, 1, 0};
// BitWord15 bit 4
constexpr Value bitword15_bit4{0x9411, 1, false, 0x10, 4, 1, 0};
// BitWord15 bit 5
constexpr Value bitword15_bit5{0x9411, 1, false, 0x20, 5, 1, 0};
// BitWord15 bit 6
constexpr Value bitword15_bit6{0x9411, 1, false, 0x40, 6, 1, 0};
// BitWord15 bit 7
constexpr Value bitword15_bit7{0x9411, 1, false, 0x80, 7, 1, 0};
// BitWord16 bit 0
constexpr Value bitword16_bit0{0x9412, 1, false, 0x01, 0, 1, 0};
// BitWord16 bit 1
constexpr Value bitword16_bit1{0x9412, 1, false, 0x02, 1, 1, 0};
// BitWord16 bit 2
constexpr Value bitword16_bit2{0x9412, 1, false, 0x04, 2, 1, 0};
// BitWord17 bit 0
constexpr Value bitword17_bit0{0x9413, 1, false, 0x01, 0, 1, 0};
// BitWord17 bit 1
constexpr Value bitword17_bit1{0x9413, 1, false, 0x02, 1, 1, 0};
// BitWord17 bit 2
constexpr Value bitword17_bit2{0x9413, 1, false, 0x04, 2, 1, 0};
// BitWord17 bit 3
constexpr Value bitword17_bit3{0x9413, 1, false, 0x08, 3, 1, 0};
// BitWord17 bit 4
constexpr Value bitword17_bit4{0x9413, 1, false, 0x10, 4, 1, 0};
// BitWord17 bit 5
constexpr Value bitword17_bit5{0x9413, 1, false, 0x20, 5, 1, 0};
// BitWord17 bit 6
constexpr Value bitword17_bit6{0x9413, 1, false, 0x40, 6, 1, 0};
// BitWord17 bit 7
constexpr Value bitword17_bit7{0x9413, 1, false, 0x80, 7, 1, 0};
// BitWord18 bit 0
constexpr Value bitword18_bit0{0x9414, 1, false, 0x01, 0, 1, 0};
// BitWord18 bit 1
constexpr Value bitword18_bit1{0x9414, 1, false, 0x02, 1, 1, 0};
// BitWord18 bit 2
constexpr Value bitword18_bit2{0x9414, 1, false, 0x04, 2, 1, 0};
// BitWord18 bit 3
constexpr Value bitword18_bit3{0x9414, 1, false, 0x08, 3, 1, 0};
// BitWord18 bit 4
constexpr Value bitword18_bit4{0x9414, 1, false, 0x10, 4, 1, 0};
// BitWord18 bit 5
constexpr Value bitword18_bit5{0x9414, 1, false, 0x20, 5, 1, 0};
// BitWord18 bit 6
constexpr Value bitword18_bit6{0x9414, 1, false, 0x40, 6, 1, 0};
// BitWord18 bit 7
constexpr Value bitword18_bit7{0x9414, 1, false, 0x80, 7, 1, 0};
// BitWord19 bit 0
constexpr Value bitword19_bit0{0x9415, 1, false, 0x01, 0, 1, 0};
// BitWord19 bit 1
constexpr Value bitword19_bit1{0x9415, 1, false, 0x02, 1, 1, 0};
// BitWord19 bit 2
constexpr Value bitword19_bit2{0x9415, 1, false, 0x04, 2, 1, 0};
// BitWord19 bit 3
constexpr Value bitword19_bit3{0x9415, 1, false, 0x08, 3, 1, 0};
// BitWord21 bit 0
constexpr Value bitword21_bit0{0x9416, 1, false, 0x01, 0, 1, 0};
// BitWord21 bit 1
constexpr Value bitword21_bit1{0x9416, 1, false, 0x02, 1, 1, 0};
// BitWord21 bit 2
constexpr Value bitword21_bit2{0x9416, 1, false, 0x04, 2, 1, 0};
// BitWord21 bit 3
constexpr Value bitword21_bit3{0x9416, 1, false, 0x08, 3, 1, 0};
// BitWord21 bit 4
constexpr Value bitword21_bit4{0x9416, 1, false, 0x10, 4, 1, 0};
// BitWord21 bit 5
constexpr Value bitword21_bit5{0x9416, 1, false, 0x20, 5, 1, 0};
// BitWord22 bit 0
constexpr Value bitword22_bit0{0x9417, 1, false, 0x01, 0, 1, 0};
// BitWord22 bit 1
constexpr Value bitword22_bit1{0x9417, 1, false, 0x02, 1, 1, 0};
// BitWord22 bit 2
constexpr Value bitword22_bit2{0x9417, 1, false, 0x04, 2, 1, 0};
// BitWord22 bit 3
constexpr Value bitword22_bit3{0x9417, 1, false, 0x08, 3, 1, 0};
// BitWord22 bit 4
constexpr Value bitword22_bit4{0x9417, 1, false, 0x10, 4, 1, 0};
// BitWord22 bit 5
constexpr Value bitword22_bit5{0x9417, 1, false, 0x20, 5, 1, 0};
// BitWord22 bit 6
constexpr Value bitword22_bit6{0x9417, 1, false, 0x40, 6, 1, 0};
// BitWord22 bit 7
constexpr Value bitword22_bit7{0x9417, 1, false, 0x80, 7, 1, 0};
// BitWord23 bit 0
constexpr Value bitword23_bit0{0x9418, 1, false, 0x01, 0, 1, 0};
// BitWord23 bit 1
constexpr Value bitword23_bit1{0x9418, 1, false, 0x02, 1, 1, 0};
// BitWord23 bit 2
constexpr Value bitword23_bit2{0x9418, 1, false, 0x04, 2, 1, 0};
// BitWord23 bit 3
constexpr Value bitword23_bit3{0x9418, 1, false, 0x08, 3, 1, 0};
// BitWord23 bit 4
constexpr Value bitword23_bit4{0x9418, 1, false, 0x10, 4, 1, 0};
// BitWord23 bit 5
constexpr Value bitword23_bit5{0x9418, 1, false, 0x20, 5, 1, 0};
// BitWord23 bit 6
constexpr Value bitword23_bit6{0x9418, 1, false, 0x40, 6, 1, 0};
// BitWord23 bit 7
constexpr Value bitword23_bit7{0x9418, 1, false, 0x80, 7, 1, 0};
// BitWord24 bit 0
constexpr Value bitword24_bit0{0x9419, 1, false, 0x01, 0, 1, 0};
// BitWord24 bit 1
constexpr Value bitword24_bit1{0x9419, 1, false, 0x02, 1, 1, 0};
// BitWord24 bit 2
constexpr Value bitword24_bit2{0x9419, 1, false, 0x04, 2, 1, 0};
// BitWord24 bit 3
constexpr Value bitword24_bit3{0x9419, 1, false, 0x08, 3, 1, 0};
// BitWord25 bits 0-1
constexpr Value bitword25_bits0_1{0x941A, 1, false, 0x03, 0, 1, 0};
// BitWord25 bits 2-3
constexpr Value bitword25_bits2_3{0x941A, 1, false, 0x0C, 2, 1, 0};
// BitWord25 bits 4-5
constexpr Value bitword25_bits4_5{0x941A, 1, false, 0x30, 4, 1, 0};
// BitWord25 bits 6-7
constexpr Value bitword25_bits6_7{0x941A, 1, false, 0xC0, 6, 1, 0};
// BitWord26 bit 0
constexpr Value bitword26_bit0{0x941B, 1, false, 0x01, 0, 1, 0};
// BitWord26 bits 1-2
constexpr Value bitword26_bits1_2{0x941B, 1, false, 0x06, 1, 1, 0};
// BitWord26 bit 3
constexpr Value bitword26_bit3{0x941B, 1, false, 0x08, 3, 1, 0};
// BitWord27 bit 0
constexpr Value bitword27_bit0{0x941C, 1, false, 0x01, 0, 1, 0};
// BitWord27 bit 1
constexpr Value bitword27_bit1{0x941C, 1, false, 0x02, 1, 1, 0};
// BitWord27 bit 2
constexpr Value bitword27_bit2{0x941C, 1, false, 0x04, 2, 1, 0};
// BitWord27 bit 3
constexpr Value bitword27_bit3{0x941C, 1, false, 0x08, 3, 1, 0};
// BitWord27 bit 4
constexpr Value bitword27_bit4{0x941C, 1, false, 0x10, 4, 1, 0};
// BitWord27 bit 5
constexpr Value bitword27_bit5{0x941C, 1, false, 0x20, 5, 1, 0};
// BitWord28 bit 0
constexpr Value bitword28_bit0{0x941D, 1, false, 0x01, 0, 1, 0};
// BitWord28 bit 1
constexpr Value bitword28_bit1{0x941D, 1, false, 0x02, 1, 1, 0};
// BitWord28 bit 2
constexpr Value bitword28_bit2{0x941D, 1, false, 0x04, 2, 1, 0};
// BitWord28 bit 3
constexpr Value bitword28_bit3{0x941D, 1, false, 0x08, 3, 1, 0};
// BitWord28 bit 4
constexpr Value bitword28_bit4{0x941D, 1, false, 0x10, 4, 1, 0};
// BitWord28 bit 5
constexpr Value bitword28_bit5{0x941D, 1, false, 0x20, 5, 1, 0};
// BitWord29 bit 0
constexpr Value bitword29_bit0{0x941E, 1, false, 0x01, 0, 1, 0};
// BitWord29 bit 1
constexpr Value bitword29_bit1{0x941E, 1, false, 0x02, 1, 1, 0};
// BitWord29 bit 2
constexpr Value bitword29_bit2{0x941E, 1, false, 0x04, 2, 1, 0};
// BitWord29 bit 3
constexpr Value bitword29_bit3{0x941E, 1, false, 0x08, 3, 1, 0};
// BitWord29 bit 4
constexpr Value bitword29_bit4{0x941E, 1, false, 0x10, 4, 1, 0};
// BitWord29 bit 5
constexpr Value bitword29_bit5{0x941E, 1, false, 0x20, 5, 1, 0};
// BitWord29 bit 6
constexpr Value bitword29_bit6{0x941E, 1, false, 0x40, 6, 1, 0};
// BitWord29 bit 7
constexpr Value bitword29_bit7{0x941E, 1, false, 0x80, 7, 1, 0};
// BitWord30 whole byte
constexpr Value bitword30_byte{0x941F, 1, false, 0xFF, 0, 1, 0};
// BitWord31 bit 0
constexpr Value bitword31_bit0{0x9420, 1, false, 0x01, 0, 1, 0};
// BitWord31 bit 1
constexpr Value bitword31_bit1{0x9420, 1, false, 0x02, 1, 1, 0};
// BitWord31 bit 2
constexpr Value bitword31_bit2{0x9420, 1, false, 0x04, 2, 1, 0};
// BitWord31 bit 3
constexpr Value bitword31_bit3{0x9420, 1, false, 0x08, 3, 1, 0};
// BitWord31 bit 4
constexpr Value bitword31_bit4{0x9420, 1, false, 0x10, 4, 1, 0};
// BitWord31 bit 5
constexpr Value bitword31_bit5{0x9420, 1, false, 0x20, 5, 1, 0};
// BitWord31 bit 6
constexpr Value bitword31_bit6{0x9420, 1, false, 0x40, 6, 1, 0};
// BitWord31 bit 7
constexpr Value bitword31_bit7{0x9420, 1, false, 0x80, 7, 1, 0};
// BitWord32 bit 0
constexpr Value bitword32_bit0{0x9421, 1, false, 0x01, 0, 1, 0};
// BitWord32 bit 1
constexpr Value bitword32_bit1{0x9421, 1, false, 0x02, 1, 1, 0};
// BitWord32 bit 2
constexpr Value bitword32_bit2{0x9421, 1, false, 0x04, 2, 1, 0};
// BitWord32 bit 3
constexpr Value bitword32_bit3{0x9421, 1, false, 0x08, 3, 1, 0};
// BitWord32 bit 4
constexpr Value bitword32_bit4{0x9421, 1, false, 0x10, 4, 1, 0};
// BitWord32 bit 5
constexpr Value bitword32_bit5{0x9421, 1, false, 0x20, 5, 1, 0};
// BitWord32 bit 6
constexpr Value bitword32_bit6{0x9421, 1, false, 0x40, 6, 1, 0};
// BitWord32 bit 7
constexpr Value bitword32_bit7{0x9421, 1, false, 0x80, 7, 1, 0};
// BitWord33 bit 0
constexpr Value bitword33_bit0{0x9422, 1, false, 0x01, 0, 1, 0};
// BitWord33 bit 1
constexpr Value bitword33_bit1{0x9422, 1, false, 0x02, 1, 1, 0};
// BitWord33 bit 2
constexpr Value bitword33_bit2{0x9422, 1, false, 0x04, 2, 1, 0};
// BitWord34 bit 0
constexpr Value bitword34_bit0{0x9423, 1, false, 0x01, 0, 1, 0};
// BitWord34 bit 1
constexpr Value bitword34_bit1{0x9423, 1, false, 0x02, 1, 1, 0};
// BitWord34 bit 2
constexpr Value bitword34_bit2{0x9423, 1, false, 0x04, 2, 1, 0};
// BitWord34 bit 3
constexpr Value bitword34_bit3{0x9423, 1, false, 0x08, 3, 1, 0};
// BitWord34 bit 4
constexpr Value bitword34_bit4{0x9423, 1, false, 0x10, 4, 1, 0};
// BitWord34 bit 5
constexpr Value bitword34_bit5{0x9423, 1, false, 0x20, 5, 1, 0};
// BitWord34 bit 6
constexpr Value bitword34_bit6{0x9423, 1, false, 0x40, 6, 1, 0};
// BitWord34 bit 7
constexpr Value bitword34_bit7{0x9423, 1, false, 0x80, 7, 1, 0};
// BitWord35 bit 0
constexpr Value bitword35_bit0{0x9424, 1, false, 0x01, 0, 1, 0};
// BitWord35 bit 1
constexpr Value bitword35_bit1{0x9424, 1, false, 0x02, 1, 1, 0};
// BitWord35 bit 2
constexpr Value bitword35_bit2{0x9424, 1, false, 0x04, 2, 1, 0};
// BitWord35 bit 3
constexpr Value bitword35_bit3{0x9424, 1, false, 0x08, 3, 1, 0};
// BitWord35 bit 4
constexpr Value bitword35_bit4{0x9424, 1, false, 0x10, 4, 1, 0};
// BitWord35 bit 5
constexpr Value bitword35_bit5{0x9424, 1, false, 0x20, 5, 1, 0};
// BitWord35 bit 6
constexpr Value bitword35_bit6{0x9424, 1, false, 0x40, 6, 1, 0};
// BitWord35 bit 7
constexpr Value bitword35_bit7{0x9424, 1, false, 0x80, 7, 1, 0};
// BitWord36 bit 0
constexpr Value bitword36_bit0{0x9425, 1, false, 0x01, 0, 1, 0};
// BitWord36 bit 1
constexpr Value bitword36_bit1{0x9425, 1, false, 0x02, 1, 1, 0};
// BitWord36 bit 2
constexpr Value bitword36_bit2{0x9425, 1, false, 0x04, 2, 1, 0};
// BitWord36 bit 3
constexpr Value bitword36_bit3{0x9425, 1, false, 0x08, 3, 1, 0};
// BitWord36 bit 4
constexpr Value bitword36_bit4{0x9425, 1, false, 0x10, 4, 1, 0};
// BitWord36 bit 5
constexpr Value bitword36_bit5{0x9425, 1, false, 0x20, 5, 1, 0};
// BitWord36 bit 6
constexpr Value bitword36_bit6{0x9425, 1, false, 0x40, 6, 1, 0};
// BitWord36 bit 7
constexpr Value bitword36_bit7{0x9425, 1, false, 0x80, 7, 1, 0};
// BitWord37 bit 0
constexpr Value bitword37_bit0{0x9426, 1, false, 0x01, 0, 1, 0};
// BitWord37 bit 1
constexpr Value bitword37_bit1{0x9426, 1, false, 0x02, 1, 1, 0};
// BitWord37 bit 2
constexpr Value bitword37_bit2{0x9426, 1, false, 0x04, 2, 1, 0};
// BitWord38 bit 0
constexpr Value bitword38_bit0{0x9427, 1, false, 0x01, 0, 1, 0};
// BitWord38 bit 1
constexpr Value bitword38_bit1{0x9427, 1, false, 0x02, 1, 1, 0};
// BitWord38 bit 2
constexpr Value bitword38_bit2{0x9427, 1, false, 0x04, 2, 1, 0};
// BitWord38 bit 3
constexpr Value bitword38_bit3{0x9427, 1, false, 0x08, 3, 1, 0};
// BitWord38 bit 4
constexpr Value bitword38_bit4{0x9427, 1, false, 0x10, 4, 1, 0};
// BitWord38 bit 5
constexpr Value bitword38_bit5{0x9427, 1, false, 0x20, 5, 1, 0};
// BitWord38 bit 6
constexpr Value bitword38_bit6{0x9427, 1, false, 0x40, 6, 1, 0};
// BitWord38 bit 7
constexpr Value bitword38_bit7{0x9427, 1, false, 0x80, 7, 1, 0};
// BitWord20 bit 0
constexpr Value bitword20_bit0{0x9429, 1, false, 0x01, 0, 1, 0};
// BitWord20 bit 1
constexpr Value bitword20_bit1{0x9429, 1, false, 0x02, 1, 1, 0};
// BitWord20 bit 2
constexpr Value bitword20_bit2{0x9429, 1, false, 0x04, 2, 1, 0};
// BitWord20 bit 3
constexpr Value bitword20_bit3{0x9429, 1, false, 0x08, 3, 1, 0};
// BitWord45 bit 0
constexpr Value bitword45_bit0{0x942A, 1, false, 0x01, 0, 1, 0};
// BitWord45 bit 1
constexpr Value bitword45_bit1{0x942A, 1, false, 0x02, 1, 1, 0};
// BitWord39 bit 0
constexpr Value bitword39_bit0{0x947D, 1, false, 0x01, 0, 1, 0};
// BitWord39 bit 1
constexpr Value bitword39_bit1{0x947D, 1, false, 0x02, 1, 1, 0};
// BitWord39 bit 2
constexpr Value bitword39_bit2{0x947D, 1, false, 0x04, 2, 1, 0};
// BitWord39 bit 3
constexpr Value bitword39_bit3{0x947D, 1, false, 0x08, 3, 1, 0};
// BitWord39 bit 4
constexpr Value bitword39_bit4{0x947D, 1, false, 0x10, 4, 1, 0};
// BitWord39 bit 5
constexpr Value bitword39_bit5{0x947D, 1, false, 0x20, 5, 1, 0};
// BitWord39 bit 6
constexpr Value bitword39_bit6{0x947D, 1, false, 0x40, 6, 1, 0};
// BitWord40 bit 0
constexpr Value bitword40_bit0{0x947E, 1, false, 0x01, 0, 1, 0};
// BitWord40 bit 1
constexpr Value bitword40_bit1{0x947E, 1, false, 0x02, 1, 1, 0};
// BitWord40 bit 2
constexpr Value bitword40_bit2{0x947E, 1, false, 0x04, 2, 1, 0};
// BitWord40 bit 3
constexpr Value bitword40_bit3{0x947E, 1, false, 0x08, 3, 1, 0};
// BitWord40 bit 4
constexpr Value bitword40_bit4{0x947E, 1, false, 0x10, 4, 1, 0};
// BitWord40 bit 5
constexpr Value bitword40_bit5{0x947E, 1, false, 0x20, 5, 1, 0};
// BitWord40 bit 6
constexpr Value bitword40_bit6{0x947E, 1, false, 0x40, 6, 1, 0};
// BitWord41 bit 0
constexpr Value bitword41_bit0{0x947F, 1, false, 0x01, 0, 1, 0};
// BitWord41 bit 1
constexpr Value bitword41_bit1{0x947F, 1, false, 0x02, 1, 1, 0};
// BitWord41 bit 2
constexpr Value bitword41_bit2{0x947F, 1, false, 0x04, 2, 1, 0};
// BitWord41 bit 3
constexpr Value bitword41_bit3{0x947F, 1, false, 0x08, 3, 1, 0};
// BitWord41 bit 4
constexpr Value bitword41_bit4{0x947F, 1, false, 0x10, 4, 1, 0};
// BitWord41 bit 5
constexpr Value bitword41_bit5{0x947F, 1, false, 0x20, 5, 1, 0};
// BitWord43 bit 1
constexpr Value bitword43_bit1{0x948E, 1, false, 0x02, 1, 1, 0};
// BitWord43 bit 2
constexpr Value bitword43_bit2{0x948E, 1, false, 0x04, 2, 1, 0};
// BitWord43 bit 3
constexpr Value bitword43_bit3{0x948E, 1, false, 0x08, 3, 1, 0};
// BitWord43 bit 4
constexpr Value bitword43_bit4{0x948E, 1, false, 0x10, 4, 1, 0};
// BitWord43 bit 5
constexpr Value bitword43_bit5{0x948E, 1, false, 0x20, 5, 1, 0};
// BitWord43 bit 6
constexpr Value bitword43_bit6{0x948E, 1, false, 0x40, 6, 1, 0};
// BitWord43 bit 7
constexpr Value bitword43_bit7{0x948E, 1, false, 0x80, 7, 1, 0};
// BitWord44 bits 0-3
constexpr Value bitword44_bits0_3{0x948F, 1, false, 0x0F, 0, 1, 0};
// BitWord44 bits 4-7
constexpr Value bitword44_bits4_7{0x948F, 1, false, 0xF0, 4, 1, 0};
// BitWord42 bit 0
constexpr Value bitword42_bit0{0x94BE, 1, false, 0x01, 0, 1, 0};
// BitWord42 bit 1
constexpr Value bitword42_bit1{0x94BE, 1, false, 0x02, 1, 1, 0};
// BitWord42 bit 2
constexpr Value bitword42_bit2{0x94BE, 1, false, 0x04, 2, 1, 0};
// BitWord42 bit 3
constexpr Value bitword42_bit3{0x94BE, 1, false, 0x08, 3, 1, 0};
// BitWord42 bit 4
constexpr Value bitword42_bit4{0x94BE, 1, false, 0x10, 4, 1, 0};
// BitWord42 bit 5
constexpr Value bitword42_bit5{0x94BE, 1, false, 0x20, 5, 1, 0};

// Further values
// Further value 0x942B
constexpr Value further_942b{0x942B, 1, false, 0xFF, 0, 1, 0};
// Further value 0x9472
constexpr Value further_9472{0x9472, 1, false, 0xFF, 0, 1, 0};
// Further value 0x9473
constexpr Value further_9473{0x9473, 1, false, 0xFF, 0, 1, 0};
// Further value 0x9474
constexpr Value further_9474{0x9474, 1, false, 0xFF, 0, 1, 0};
// Further value 0x9475
constexpr Value further_9475{0x9475, 1, false, 0xFF, 0, 1, 0};
// Further value 0x9476
constexpr Value further_9476{0x9476, 1, false, 0xFF, 0, 1, 0};
// Further value 0x9477
constexpr Value further_9477{0x9477, 2, true, 0xFFFF, 0, 1000, 0};
// Further value 0x9479
constexpr Value further_9479{0x9479, 2, true, 0xFFFF, 0, 1000, 0};
// Further value 0x947B
constexpr Value further_947b{0x947B, 1, false, 0xFF, 0, 1, 0};
// Further value 0x947C
constexpr Value further_947c{0x947C, 1, false, 0xFF, 0, 1, 0};
// Further value 0x9480
constexpr Value further_9480{0x9480, 2, true, 0xFFFF, 0, 1, 0};
// Further value 0x9482
constexpr Value further_9482{0x9482, 2, true, 0xFFFF, 0, 1, 0};
// Further value 0x9484
constexpr Value further_9484{0x9484, 1, false, 0xFF, 0, 1, 0};
// Further value 0x9485
constexpr Value further_9485{0x9485, 1, false, 0xFF, 0, 1, 0};
// Further value 0x9486
constexpr Value further_9486{0x9486, 1, false, 0xFF, 0, 1, 0};
// Further value 0x9487
constexpr Value further_9487{0x9487, 1, false, 0xFF, 0, 1, 0};
// Further value 0x9488
constexpr Value further_9488{0x9488, 2, true, 0xFFFF, 0, 1, 0};
// Further value 0x948A
constexpr Value further_948a{0x948A, 2, true, 0xFFFF, 0, 10, 0};
// Further value 0x948C
constexpr Value further_948c{0x948C, 2, true, 0xFFFF, 0, 1, 0};
// Further value 0x9490
constexpr Value further_9490{0x9490, 1, false, 0xFF, 0, 1, 0};
// Further value 0x9497
constexpr Value further_9497{0x9497, 1, false, 0xFF, 0, 1, 0};
// Further value 0x9498
constexpr Value further_9498{0x9498, 1, false, 0xFF, 0, 1, 0};
// Further value 0x9499
constexpr Value further_9499{0x9499, 1, false, 0xFF, 0, 1, 0};
// Further value 0x949A
constexpr Value further_949a{0x949A, 1, false, 0xFF, 0, 1, 0};
// Further value 0x949B
constexpr Value further_949b{0x949B, 1, false, 0xFF, 0, 1, 0};
// Further value 0x949C
constexpr Value further_949c{0x949C, 1, false, 0xFF, 0, 1, 0};
// Further value 0x949D
constexpr Value further_949d{0x949D, 2, true, 0xFFFF, 0, 1, 0};
// Further value 0x949F
constexpr Value further_949f{0x949F, 2, true, 0xFFFF, 0, 1, 0};
// Further value 0x94A1
constexpr Value further_94a1{0x94A1, 2, true, 0xFFFF, 0, 1, 0};
// Further value 0x94A3
constexpr Value further_94a3{0x94A3, 1, false, 0xFF, 0, 1, 0};
// Further value 0x94A4
constexpr Value further_94a4{0x94A4, 1, false, 0xFF, 0, 1, 0};
// Further value 0x94A5
constexpr Value further_94a5{0x94A5, 2, true, 0xFFFF, 0, 1, 0};
// Further value 0x94A7
constexpr Value further_94a7{0x94A7, 1, false, 0xFF, 0, 1, 0};
// Further value 0x94A8
constexpr Value further_94a8{0x94A8, 1, false, 0xFF, 0, 1, 0};
// Further value 0x94B1
constexpr Value further_94b1{0x94B1, 1, false, 0xFF, 0, 1, 0};
// Further value 0x94B2
constexpr Value further_94b2{0x94B2, 1, false, 0xFF, 0, 1, 0};
// Further value 0x94B3
constexpr Value further_94b3{0x94B3, 1, false, 0xFF, 0, 1, 0};
// Further value 0x94B4
constexpr Value further_94b4{0x94B4, 1, false, 0xFF, 0, 1, 0};
// Further value 0x94B5
constexpr Value further_94b5{0x94B5, 1, false, 0xFF, 0, 1, 0};
// Further value 0x94B6
constexpr Value further_94b6{0x94B6, 1, false, 0xFF, 0, 1, 0};
// Further value 0x94B7
constexpr Value further_94b7{0x94B7, 1, false, 0xFF, 0, 1, 0};
// Further value 0x94B8
constexpr Value further_94b8{0x94B8, 1, false, 0xFF, 0, 1, 0};
// Further value 0x94B9
constexpr Value further_94b9{0x94B9, 1, false, 0xFF, 0, 1, 0};
// Further value 0x94BA
constexpr Value further_94ba{0x94BA, 1, false, 0xFF, 0, 1, 0};
// Further value 0x94BB
constexpr Value further_94bb{0x94BB, 1, false, 0xFF, 0, 1, 0};
// Further value 0x94BC
constexpr Value further_94bc{0x94BC, 1, false, 0xFF, 0, 1, 0};
// Further value 0x94BD
constexpr Value further_94bd{0x94BD, 1, false, 0xFF, 0, 1, 0};
// Further value 0x94D2
constexpr Value further_94d2{0x94D2, 2, true, 0xFFFF, 0, 10, 0};
// Further value 0x94D4
constexpr Value further_94d4{0x94D4, 1, false, 0xFF, 0, 1, 0};
// Further value 0x94D6
constexpr Value further_94d6{0x94D6, 2, true, 0xFFFF, 0, 1, 0};
// Further value 0x94D8
constexpr Value further_94d8{0x94D8, 2, true, 0xFFFF, 0, 1, 0};
// Further value 0x94DA
constexpr Value further_94da{0x94DA, 1, false, 0xFF, 0, 1, 0};
// Further value 0x94DB
constexpr Value further_94db{0x94DB, 1, false, 0xFF, 0, 1, 0};
// Further value 0x94DC
constexpr Value further_94dc{0x94DC, 1, false, 0xFF, 0, 1, 0};
// Further value 0x94DD
constexpr Value further_94dd{0x94DD, 1, false, 0xFF, 0, 1, 0};
// Further value 0x94DE
constexpr Value further_94de{0x94DE, 1, false, 0xFF, 0, 1, 0};
// Further value 0x94DF
constexpr Value further_94df{0x94DF, 1, false, 0xFF, 0, 1, 0};
// Further value 0x94E0
constexpr Value further_94e0{0x94E0, 1, false, 0xFF, 0, 1, 0};
// Further value 0x94E1
constexpr Value further_94e1{0x94E1, 1, false, 0xFF, 0, 1, 0};
// Further value 0x94E2
constexpr Value further_94e2{0x94E2, 1, false, 0xFF, 0, 1, 0};
// Further value 0x94E3
constexpr Value further_94e3{0x94E3, 1, false, 0xFF, 0, 1, 0};
// Further value 0x94E4
constexpr Value further_94e4{0x94E4, 1, false, 0xFF, 0, 1, 0};
// Further value 0x94E5
constexpr Value further_94e5{0x94E5, 1, false, 0xFF, 0, 1, 0};
// Further value 0x94EA
constexpr Value further_94ea{0x94EA, 1, false, 0xFF, 0, 1, 0};
// Further value 0x94EC
constexpr Value further_94ec{0x94EC, 1, false, 0xFF, 0, 1, 0};
// Further value 0x94ED
constexpr Value further_94ed{0x94ED, 1, false, 0xFF, 0, 1, 0};
// Further value 0x94EE
constexpr Value further_94ee{0x94EE, 1, false, 0xFF, 0, 1, 0};

// Commands
// Command 1297 level down
constexpr Command command_1297_level_down{0x9400, 1297};
// Command 1298 level up
constexpr Command command_1298_level_up{0x9400, 1298};
// Command 636 selector down
constexpr Command command_636_selector_down{0x9400, 636};
// Command 637 selector up
constexpr Command command_637_selector_up{0x9400, 637};

// Knobs
// 0x94F0 altitude knob
constexpr Knob knob_94f0{0x94F0, 1232};
// 0x94F1 knob of command 1233
constexpr Knob knob_94f1{0x94F1, 1233};
// 0x94F2 knob of command 1234
constexpr Knob knob_94f2{0x94F2, 1234};
// 0x94F3 speed knob
constexpr Knob knob_94f3{0x94F3, 1235};
// 0x94F4 vertical speed knob
constexpr Knob knob_94f4{0x94F4, 1236};
// 0x94F5 knob of command 1237
constexpr Knob knob_94f5{0x94F5, 1237};
// 0x94F6 cabin flight altitude knob
constexpr Knob knob_94f6{0x94F6, 1238};
// 0x94F7 landing altitude knob
constexpr Knob knob_94f7{0x94F7, 1239};

// Step counters
// 0x9470 counter of commands 1300 and 1301
constexpr Counter counter_9470{0x9470, 1300, 1301};
// 0x9491 counter of commands 751 and 752
constexpr Counter counter_9491{0x9491, 751, 752};
// 0x9492 counter of commands 753 and 754
constexpr Counter counter_9492{0x9492, 753, 754};
// 0x9493 counter of commands 755 and 756
constexpr Counter counter_9493{0x9493, 755, 756};
// 0x9494 counter of commands 757 and 758
constexpr Counter counter_9494{0x9494, 757, 758};
// 0x9495 counter of commands 759 and 760
constexpr Counter counter_9495{0x9495, 759, 760};
// 0x9496 counter of commands 761 and 762
constexpr Counter counter_9496{0x9496, 761, 762};
// 0x94F8 counter of commands 627 and 628
constexpr Counter counter_94f8{0x94F8, 627, 628};
// 0x94F9 counter of commands 621 and 622
constexpr Counter counter_94f9{0x94F9, 621, 622};
// 0x94FA counter of commands 673 and 674
constexpr Counter counter_94fa{0x94FA, 673, 674};
// 0x94FB counter of commands 667 and 668
constexpr Counter counter_94fb{0x94FB, 667, 668};

// Direct values
// 0x9428 value of command 1267
constexpr Direct direct_9428{0x9428, 1267};
// 0x942E value of command 1299
constexpr Direct direct_942e{0x942E, 1299};
// 0x942F value of command 1296
constexpr Direct direct_942f{0x942F, 1296};

}  // namespace ulvo737

#endif  // ULVO737_OFFSETS_H
