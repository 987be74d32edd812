// Messages the simulator's SimConnect side sends, for the testbed's server and
// for tests.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace ulvo::testbed {

// A message of `size` bytes with message id `id` at offset 8 (for sizes of 12
// or more) and bytes counting up from `fill` after the id.
std::vector<uint8_t> ServerMessage(uint32_t size, uint32_t id, uint8_t fill = 0);
// The simulator's open reply: id 2, `size` bytes (308 normally), cookie at 300.
std::vector<uint8_t> OpenReply(uint32_t cookie, uint32_t size = 308, uint32_t id = 2);

// The parts one after the other.
inline std::vector<uint8_t> Join(const std::vector<std::vector<uint8_t>>& parts) {
    std::vector<uint8_t> joined;
    for (const std::vector<uint8_t>& part : parts) {
        joined.insert(joined.end(), part.begin(), part.end());
    }
    return joined;
}

}  // namespace ulvo::testbed
