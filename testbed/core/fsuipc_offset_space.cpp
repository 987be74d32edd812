#include "core/fsuipc_offset_space.h"

#include <algorithm>

#include "common/little_endian.h"
#include "fsuipc/fsuipc_link.h"
#include "fsuipc/record_bytes.h"

namespace ulvo::testbed {

using namespace ulvo::fsuipc;

void FsuipcOffsetSpace::Execute(uint8_t* buffer, size_t size, FsuipcExchangeLog* log) {
    size_t position = 0;
    while (position + 4 <= size) {
        uint8_t* const record = buffer + position;
        const uint32_t id = LoadU32(record);
        uint32_t header;
        if (id == kRecordRead) {
            header = kReadHeaderSize;
        } else if (id == kRecordWrite) {
            header = kWriteHeaderSize;
        } else {
            return;
        }
        if (position + header > size) {
            return;
        }
        const uint32_t offset = LoadU32(record + 4);
        const uint32_t length = LoadU32(record + 8);
        const uint64_t end = uint64_t(position) + header + length;
        if (end > size) {
            return;
        }
        uint8_t* const data = record + header;
        const bool inside = offset < kSize && length <= kSize - offset;
        if (id == kRecordRead) {
            if (inside) {
                CopyRecordBytes(data, bytes.data() + offset, length);
            } else {
                ReadPartly(offset, length, data);
            }
        } else if (offset == kClientLibraryVersionOffset && length == 2) {
            clientLibraryVersion = LoadU16(data);
        } else if (inside) {
            CopyRecordBytes(bytes.data() + offset, data, length);
        } else {
            WritePartly(offset, length, data);
        }
        if (log != nullptr) {
            Log(*log, id, offset, data, length);
        }
        position = size_t(end);
    }
}

// A read reaching past the offset space: the part outside reads as zero.
void FsuipcOffsetSpace::ReadPartly(uint32_t offset, uint32_t length, uint8_t* data) const {
    const uint32_t inside = offset >= kSize ? 0 : kSize - offset;
    std::copy_n(bytes.begin() + (inside != 0 ? offset : 0), inside, data);
    std::fill(data + inside, data + length, 0);
}

// A write reaching past the offset space: the part outside is not stored.
void FsuipcOffsetSpace::WritePartly(uint32_t offset, uint32_t length, const uint8_t* data) {
    const uint32_t inside = offset >= kSize ? 0 : std::min<uint32_t>(length, kSize - offset);
    std::copy_n(data, inside, bytes.begin() + (inside != 0 ? offset : 0));
}

void FsuipcOffsetSpace::Log(FsuipcExchangeLog& log, uint32_t id, uint32_t offset,
                            const uint8_t* data, uint32_t length) {
    ++log.records;
    if (id == kRecordRead) {
        ++log.reads;
        log.bytes += kReadHeaderSize + length;
    } else {
        log.bytes += kWriteHeaderSize + length;
        log.writes.push_back(FsuipcWriteLog{offset, std::vector<uint8_t>(data, data + length)});
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
