// The FSUIPC side of an exchange, for the testbed and for native tests: a
// 65536-byte offset space that executes the request records of a shared buffer
// in order (reads fill their data, writes store theirs) and can log each exchange.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <vector>

namespace ulvo::testbed {

struct FsuipcWriteLog {
    uint32_t offset = 0;
    std::vector<uint8_t> bytes;
    bool operator==(const FsuipcWriteLog&) const = default;
};

// "0x9430: 52 18", for test messages.
inline std::ostream& operator<<(std::ostream& out, const FsuipcWriteLog& written) {
    out << std::hex << "0x" << written.offset << ":";
    for (uint8_t byte : written.bytes) {
        out << " " << unsigned(byte);
    }
    return out << std::dec;
}

struct FsuipcExchangeLog {
    uint32_t records = 0;  // read and write records executed
    uint32_t reads = 0;
    uint32_t bytes = 0;  // of the records executed, headers included (the end marker not)
    std::vector<FsuipcWriteLog> writes;  // in buffer order
    bool operator==(const FsuipcExchangeLog&) const = default;
};

class FsuipcOffsetSpace {
  public:
    static constexpr uint32_t kSize = 65536;

    // Executes the records of `buffer` (of `size` bytes) in order, stopping at the
    // end marker, at an unknown id or at a record that does not fit the buffer.
    // Parts of a read or write that fall outside the offset space read as zero and
    // are not stored. Fills `log` when it is given.
    void Execute(uint8_t* buffer, size_t size, FsuipcExchangeLog* log);

    uint8_t U8(uint32_t offset) const { return bytes[offset % kSize]; }
    uint16_t U16(uint32_t offset) const;
    uint32_t U32(uint32_t offset) const;
    void SetU8(uint32_t offset, uint8_t value) { bytes[offset % kSize] = value; }
    void SetU16(uint32_t offset, uint16_t value);
    void SetU32(uint32_t offset, uint32_t value);

    // Valid handshake values at 0x3304 and 0x3308.
    void SetValidVersions();

    std::array<uint8_t, kSize> bytes{};
    // What clients wrote to 0x330A. FSUIPC keeps it apart: a read of 0x3308 always
    // shows the simulator version with its 0xFADE mark in the high half.
    uint16_t clientLibraryVersion = 0;

  private:
    void ReadPartly(uint32_t offset, uint32_t length, uint8_t* data) const;
    void WritePartly(uint32_t offset, uint32_t length, const uint8_t* data);
    static void Log(FsuipcExchangeLog& log, uint32_t id, uint32_t offset, const uint8_t* data,
                    uint32_t length);
};

}  // namespace ulvo::testbed
