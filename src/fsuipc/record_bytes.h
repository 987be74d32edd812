// Byte copies of the sizes FSUIPC records carry. The bridge's records hold one or
// two bytes; a memcpy of a size known only at run time is a library call, which
// for such sizes costs more than the copy itself.
#pragma once

#include <cstdint>
#include <cstring>

namespace ulvo::fsuipc {

// Copies exactly `size` bytes (the destination may be a field of that size).
inline void CopyRecordBytes(void* destination, const void* source, uint32_t size) {
    switch (size) {
        case 1:
            std::memcpy(destination, source, 1);
            return;
        case 2:
            std::memcpy(destination, source, 2);
            return;
        default:
            std::memcpy(destination, source, size);
    }
}

}  // namespace ulvo::fsuipc
