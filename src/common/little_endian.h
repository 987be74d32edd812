// Little-endian loads and stores on byte buffers. Every value that crosses a
// process boundary in this system (aircraft sections, FSUIPC records, SimConnect
// messages) is little-endian and may sit at any byte offset.
//
// On a little-endian host each access is one unaligned load or store (a memcpy of
// a fixed size). Composing bytes would give the same value, but the compiler does
// not always merge the byte accesses, and these run in the worker's hot path.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

namespace ulvo {

namespace little_endian_detail {

template <typename T>
inline T Load(const uint8_t* p) {
    T value = 0;
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(&value, p, sizeof value);
    } else {
        for (size_t i = 0; i < sizeof value; ++i) {
            value = T(value | (T(p[i]) << (8 * i)));
        }
    }
    return value;
}

template <typename T>
inline void Store(uint8_t* p, T value) {
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(p, &value, sizeof value);
    } else {
        for (size_t i = 0; i < sizeof value; ++i) {
            p[i] = uint8_t(value >> (8 * i));
        }
    }
}

}  // namespace little_endian_detail

inline uint16_t LoadU16(const uint8_t* p) {
    return little_endian_detail::Load<uint16_t>(p);
}

inline uint32_t LoadU32(const uint8_t* p) {
    return little_endian_detail::Load<uint32_t>(p);
}

inline int32_t LoadI32(const uint8_t* p) {
    return int32_t(LoadU32(p));
}

inline uint64_t LoadU64(const uint8_t* p) {
    return little_endian_detail::Load<uint64_t>(p);
}

inline double LoadF64(const uint8_t* p) {
    return std::bit_cast<double>(LoadU64(p));
}

inline void StoreU16(uint8_t* p, uint16_t v) {
    little_endian_detail::Store(p, v);
}

inline void StoreU32(uint8_t* p, uint32_t v) {
    little_endian_detail::Store(p, v);
}

inline void StoreU64(uint8_t* p, uint64_t v) {
    little_endian_detail::Store(p, v);
}

inline void StoreF64(uint8_t* p, double value) {
    StoreU64(p, std::bit_cast<uint64_t>(value));
}

inline void StoreF32(uint8_t* p, float value) {
    StoreU32(p, std::bit_cast<uint32_t>(value));
}

}  // namespace ulvo
