// The FSUIPC offsets as the web server's clients see them: a picture of the
// 65536-byte offset space, refreshed by the program that owns the FSUIPC link,
// and the writes the clients ask for, which that program carries out at its next
// exchange. The protocol code reads and writes through OffsetSpace only, so it runs
// the same over the monitor's FSUIPC link, the lab's stand-in and a test's array.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <vector>

namespace ulvo::tools::web {

constexpr uint32_t kSpaceSize = 0x10000;

// A write the clients asked for: the bits set in `mask` of each byte take the bits
// of `bytes`, the others keep what FSUIPC holds when the write is carried out. Or
// a counter to move by `steps` (wrapping at 256).
struct WriteRequest {
    uint32_t offset = 0;
    std::vector<uint8_t> bytes;
    std::vector<uint8_t> mask;  // one per byte; 0xFF writes the whole byte
    int steps = 0;              // a counter: the byte at `offset` moves by this many

    bool operator==(const WriteRequest&) const = default;
};

class OffsetSpace {
  public:
    virtual ~OffsetSpace() = default;
    // Copies `size` bytes from `offset` into `data`; false while some of them have
    // not been read from FSUIPC yet (a range a client declared only just now).
    virtual bool Read(uint32_t offset, uint32_t size, uint8_t* data) const = 0;
    // Asks for a write, carried out at the next exchange with FSUIPC.
    virtual void Write(WriteRequest write) = 0;
};

// What a write does to the bytes FSUIPC holds at its offset.
void ApplyWrite(const WriteRequest& write, uint8_t* current);

// A range of offsets the clients want to read.
struct OffsetRange {
    uint32_t offset = 0;
    uint32_t size = 0;

    bool operator==(const OffsetRange&) const = default;
};

// Sorted, with overlapping and touching ranges joined.
std::vector<OffsetRange> JoinRanges(std::vector<OffsetRange> ranges);

// The offset space as last read: the bytes, and which of them were read at all.
struct SpaceImage {
    std::array<uint8_t, kSpaceSize> bytes{};
    std::bitset<kSpaceSize> known;

    bool Known(uint32_t offset, uint32_t size) const;
    void Store(uint32_t offset, const uint8_t* data, uint32_t size);
};

}  // namespace ulvo::tools::web
