// Byte-vector helpers shared by the SimConnect tests.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace ulvo::simconnect {

using Bytes = std::vector<uint8_t>;

inline Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes joined;
    for (const Bytes& part : parts) {
        joined.insert(joined.end(), part.begin(), part.end());
    }
    return joined;
}

}  // namespace ulvo::simconnect
