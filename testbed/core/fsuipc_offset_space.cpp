#include "core/fsuipc_offset_space.h"

#include <algorithm>

#include "common/little_endian.h"
#include "fsuipc/fsuipc_link.h"

namespace ulvo::testbed {

using namespace ulvo::fsuipc;

void FsuipcOffsetSpace::Execute(uint8_t* buffer, size_t size, FsuipcExchangeLog* log) {
    size_t position = 0;
    while (position + 4 <= size) {
        const uint32_t id = LoadU32(buffer + position);
        const uint32_t header = id == kRecordWrite ? kWriteHeaderSize : kReadHeaderSize;
        if ((id != kRecordWrite && id != kRecordRead) || position + header > size) {
            return;
        }
        const uint32_t offset = LoadU32(buffer + position + 4);
        const uint32_t length = LoadU32(buffer + position + 8);
        if (uint64_t(position) + header + length > size) {
            return;
        }
        uint8_t* data = buffer + position + header;
        const uint32_t inside = offset >= kSize ? 0 : std::min<uint32_t>(length, kSize - offset);
        if (id == kRecordRead) {
            if (inside != 0) {
                std::copy_n(bytes.begin() + offset, inside, data);
            }
            std::fill(data + inside, data + length, 0);
        } else if (offset == kClientLibraryVersionOffset && length == 2) {
            clientLibraryVersion = LoadU16(data);
        } else if (inside != 0) {
            std::copy_n(data, inside, bytes.begin() + offset);
        }
        if (log != nullptr) {
            ++log->records;
            if (id == kRecordRead) {
                ++log->reads;
            } else {
                log->writes.push_back(
                    FsuipcWriteLog{offset, std::vector<uint8_t>(data, data + length)});
            }
        }
        position += header + length;
    }
}

uint16_t FsuipcOffsetSpace::U16(uint32_t offset) const {
    return uint16_t(U8(offset) | (U8(offset + 1) << 8));
}

uint32_t FsuipcOffsetSpace::U32(uint32_t offset) const {
    return uint32_t(U16(offset)) | (uint32_t(U16(offset + 2)) << 16);
}

void FsuipcOffsetSpace::SetU16(uint32_t offset, uint16_t value) {
    SetU8(offset, uint8_t(value));
    SetU8(offset + 1, uint8_t(value >> 8));
}

void FsuipcOffsetSpace::SetU32(uint32_t offset, uint32_t value) {
    SetU16(offset, uint16_t(value));
    SetU16(offset + 2, uint16_t(value >> 16));
}

void FsuipcOffsetSpace::SetValidVersions() {
    SetU32(kFsuipcVersionOffset, 0x50000000);  // a current FSUIPC
    SetU32(kSimulatorVersionOffset, 0xFADE000C);
}

}  // namespace ulvo::testbed
