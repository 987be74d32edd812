// Field reads for the unrolled loops of the bridge steps. The portable byte-wise
// readers of aircraft/sdk_blocks.h stop being inlined once an unrolled step has
// grown large, costing a call per field; a memcpy is always one plain load. Both
// targets are little-endian, like the aircraft's blocks.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace ulvo::bridge {

static_assert(std::endian::native == std::endian::little);

template <size_t N>
inline uint32_t BlockU32(const std::array<uint8_t, N>& block, uint32_t offset) {
    uint32_t value;
    std::memcpy(&value, block.data() + offset, sizeof value);
    return value;
}

template <size_t N>
inline double BlockF64(const std::array<uint8_t, N>& block, uint32_t offset) {
    double value;
    std::memcpy(&value, block.data() + offset, sizeof value);
    return value;
}

}  // namespace ulvo::bridge
