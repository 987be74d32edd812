// Little-endian loads and stores on byte buffers. Every value that crosses a
// process boundary in this system (aircraft sections, FSUIPC records, SimConnect
// messages) is little-endian and may sit at any byte offset.
#pragma once

#include <cstdint>
#include <cstring>

namespace ulvo {

inline uint16_t LoadU16(const uint8_t* p) {
    return uint16_t(p[0] | (p[1] << 8));
}

inline uint32_t LoadU32(const uint8_t* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

inline int32_t LoadI32(const uint8_t* p) {
    return int32_t(LoadU32(p));
}

inline uint64_t LoadU64(const uint8_t* p) {
    return uint64_t(LoadU32(p)) | (uint64_t(LoadU32(p + 4)) << 32);
}

inline double LoadF64(const uint8_t* p) {
    uint64_t bits = LoadU64(p);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

inline void StoreU16(uint8_t* p, uint16_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}

inline void StoreU32(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    p[3] = uint8_t(v >> 24);
}

inline void StoreU64(uint8_t* p, uint64_t v) {
    StoreU32(p, uint32_t(v));
    StoreU32(p + 4, uint32_t(v >> 32));
}

inline void StoreF64(uint8_t* p, double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    StoreU64(p, bits);
}

inline void StoreF32(uint8_t* p, float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    StoreU32(p, bits);
}

}  // namespace ulvo
