// The aircraft's two state blocks as the rest of the library sees them: private
// copies of the shared sections, refreshed at the start of every worker cycle.
// A field is named by its block, its byte offset and its type; multi-byte fields
// are little-endian, as the aircraft writes them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "common/little_endian.h"

namespace ulvo::aircraft {

// Each view maps one byte more than is copied.
constexpr size_t kSdkBlockSize = 4272;
constexpr size_t kSdk2BlockSize = 6772;
constexpr size_t kSdkViewSize = 4273;
constexpr size_t kSdk2ViewSize = 6773;

using SdkBlock = std::array<uint8_t, kSdkBlockSize>;
using Sdk2Block = std::array<uint8_t, kSdk2BlockSize>;

// Sdk2Block: 1 while the aircraft behind the sections is loaded and live.
constexpr uint32_t kAircraftStateOffset = 0x1A70;

// Field readers. Offsets come from the tables in code, whose invariants the tests
// check, so that every field lies inside its block.
template <size_t N>
int32_t FieldI32(const std::array<uint8_t, N>& block, uint32_t offset) {
    return LoadI32(block.data() + offset);
}

template <size_t N>
double FieldF64(const std::array<uint8_t, N>& block, uint32_t offset) {
    return LoadF64(block.data() + offset);
}

}  // namespace ulvo::aircraft
