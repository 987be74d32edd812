// The value types of the JSON offset protocol and how each one reads from and
// writes into the bytes of an offset (little-endian, as FSUIPC keeps them).
//
//   int, uint   1, 2, 4 or 8 bytes          a whole number
//   float       4 or 8 bytes                a number
//   string      1 to kMaxStringSize bytes   text, NUL-terminated in the offset
//   bits        1 to kMaxBitsSize bytes     size x 8 booleans, bit 0 first
//   lat, lon    4 or 8 bytes                degrees, from the simulator's units
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

namespace ulvo::tools::web {

enum class ValueType : uint8_t { kInt, kUint, kFloat, kString, kBits, kLat, kLon };

constexpr uint32_t kMaxStringSize = 1024;
constexpr uint32_t kMaxBitsSize = 32;

// False for a name that is no type.
bool ParseValueType(std::string_view name, ValueType& type);

// Why `size` bytes of `type` at `address` cannot be declared; empty when they can.
std::string DeclarationProblem(ValueType type, uint32_t size, uint64_t address);

// The value the bytes hold, as a client gets it.
nlohmann::json DecodeValue(ValueType type, uint32_t size, const uint8_t* bytes);

// The bytes (and the mask of the bits to change) that write `value`. Returns why
// it cannot be written, or an empty string.
std::string EncodeValue(ValueType type, uint32_t size, const nlohmann::json& value,
                        std::vector<uint8_t>& bytes, std::vector<uint8_t>& mask);

}  // namespace ulvo::tools::web
