// FsuipcLink: the client side of the FSUIPC IPC protocol.
//
// Requests are queued as records in a 32768-byte shared buffer, sent to FSUIPC's
// window in one message, executed there in order, and the read results are copied
// to where each requester asked for them. Read and Write only queue; Process makes
// the exchange. Every operation returns true or false and stores a result code
// (FsuipcResult) into the caller's variable.
//
// The link is not thread-safe: Open and Close run on the host thread while nothing
// else uses the link, Read, Write and Process on the worker thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>

#include "common/little_endian.h"
#include "fsuipc/fsuipc_platform.h"
#include "fsuipc/record_bytes.h"

namespace ulvo::fsuipc {

// Result codes stored by every operation. 8 and 14 are never produced.
enum FsuipcResult : uint32_t {
    kOk = 0,
    kAlreadyOpen = 1,
    kNoWindow = 2,
    kNoMessage = 3,
    kNoAtom = 4,
    kNoSection = 5,
    kNoView = 6,
    kBadVersion = 7,
    kNotOpen = 9,
    kNothingQueued = 10,
    kSendFailed = 11,           // 9 attempts failed and the system reported no error
    kSendFailedWithError = 12,  // 9 attempts failed with a system error
    kBadReply = 13,             // FSUIPC answered with something other than 1
    kNoRoom = 15,
};

// Shared buffer geometry and record layout (all fields little-endian, packed).
constexpr uint32_t kBufferSize = 32768;
constexpr uint32_t kRequestLimit = 0x7F00;  // requests may use bytes [0, 32512)
constexpr uint32_t kRecordEnd = 0;
constexpr uint32_t kRecordWrite = 2;  // id, offset, size, data
constexpr uint32_t kRecordRead = 4;   // id, offset, size, u64 destination, data
constexpr uint32_t kWriteHeaderSize = 12;
constexpr uint32_t kReadHeaderSize = 20;

// Handshake offsets and values.
constexpr uint32_t kFsuipcVersionOffset = 0x3304;
constexpr uint32_t kSimulatorVersionOffset = 0x3308;
constexpr uint32_t kClientLibraryVersionOffset = 0x330A;
constexpr uint16_t kClientLibraryVersion = 2002;
constexpr uint32_t kMinimumFsuipcVersion = 0x19980005;
constexpr uint32_t kSimulatorVersionMark = 0xFADE;

constexpr int kSendAttempts = 9;
constexpr uint32_t kSendRetryDelayMs = 100;
constexpr int kHandshakeAttempts = 5;
constexpr uint32_t kHandshakeDelayMs = 100;

// One read for FsuipcLink::ReadAll.
struct ReadRequest {
    uint32_t offset;
    uint32_t size;
    void* destination;
};

class FsuipcLink {
  public:
    explicit FsuipcLink(FsuipcPlatform& platform);
    ~FsuipcLink();
    FsuipcLink(const FsuipcLink&) = delete;
    FsuipcLink& operator=(const FsuipcLink&) = delete;

    // Connects: finds the window, creates the named section and checks versions.
    bool Open(uint32_t& result);

    // Queues a read of `size` bytes at `offset`; the data reaches `destination`
    // only during the next successful Process. Fails with kNotOpen or kNoRoom.
    bool Read(uint32_t offset, uint32_t size, void* destination, uint32_t& result);

    // Queues the reads in order, exactly as one Read call for each would, and
    // leaves the last call's code in `result` (untouched for no reads). True when
    // every read was queued. Fills the buffer without one call per record.
    bool ReadAll(std::span<const ReadRequest> reads, uint32_t& result);

    // Queues a write of `size` bytes at `offset`, copying `data` now.
    // The room test keeps 4 bytes for the end marker. Fails with kNotOpen or kNoRoom.
    bool Write(uint32_t offset, uint32_t size, const void* data, uint32_t& result);

    // Sends everything queued in one exchange and copies the read results.
    // Whatever the outcome, the queue is empty afterwards.
    bool Process(uint32_t& result);

    // Releases the atom, the view and the section. Safe to call at any time.
    void Close();

    bool IsOpen() const { return ipcView != nullptr; }
    uint32_t FsuipcVersion() const { return fsuipcVersion; }
    uint32_t SimulatorVersion() const { return simulatorVersion; }
    uint32_t OpenCount() const { return ipcOpenCount; }
    // Bytes queued since the last exchange (0 right after Open or Process, and
    // while closed: Close leaves ipcNext behind, the next Open resets it).
    uint32_t QueuedBytes() const { return ipcView != nullptr ? uint32_t(ipcNext - ipcView) : 0; }

  private:
    // A read as queued: the reply walk trusts only this copy, never the
    // destination or size that come back in the shared buffer.
    struct QueuedRead {
        uint32_t position;
        uint32_t size;
        void* destination;
    };

    static void ZeroReadData(uint8_t* data, uint32_t size);
    static void StoreReadRecord(uint8_t* record, uint32_t offset, uint32_t size, void* destination);
    void WalkReply();

    FsuipcPlatform& platform;
    WindowRef ipcWindow = 0;
    uint32_t ipcMessage = 0;
    uint16_t ipcAtom = 0;
    SectionRef ipcMapping = 0;
    uint8_t* ipcView = nullptr;
    uint8_t* ipcNext = nullptr;
    uint32_t ipcOpenCount = 0;
    uint32_t fsuipcVersion = 0;
    uint32_t simulatorVersion = 0;
    // Room for the most reads one exchange can carry, allocated once, so that
    // queuing never allocates on the worker's path.
    std::unique_ptr<QueuedRead[]> queuedReads;
    uint32_t queuedReadCount = 0;
};

// Read and Write are defined here so that a caller queuing records of known
// sizes in a loop (the command word step's 23 reads) has them inlined.

// Zeroes the data of a read record. The reads a cycle makes are one or two bytes
// long: one eight-byte store covers them. It may reach past the record but never
// past the buffer (requests end by 0x7F00, 256 bytes before its end), and what
// lies past the last record is overwritten by the next record or the end marker.
inline void FsuipcLink::ZeroReadData(uint8_t* data, uint32_t size) {
    static_assert(kBufferSize - kRequestLimit >= 8);
    if (size <= 8) {
        const uint64_t zero = 0;
        std::memcpy(data, &zero, sizeof zero);
    } else {
        std::memset(data, 0, size);
    }
}

inline void FsuipcLink::StoreReadRecord(uint8_t* record, uint32_t offset, uint32_t size,
                                        void* destination) {
    StoreU32(record, kRecordRead);
    StoreU32(record + 4, offset);
    StoreU32(record + 8, size);
    StoreU64(record + 12, uint64_t(reinterpret_cast<uintptr_t>(destination)));
    ZeroReadData(record + kReadHeaderSize, size);
}

inline bool FsuipcLink::Read(uint32_t offset, uint32_t size, void* destination, uint32_t& result) {
    if (ipcView == nullptr) {
        result = kNotOpen;
        return false;
    }
    const uint64_t position = uint64_t(ipcNext - ipcView);
    if (position + kReadHeaderSize + size > kRequestLimit) {
        result = kNoRoom;
        return false;
    }
    StoreReadRecord(ipcNext, offset, size, destination);
    queuedReads[queuedReadCount++] = QueuedRead{uint32_t(position), size, destination};
    ipcNext += kReadHeaderSize + size;
    result = kOk;
    return true;
}

inline bool FsuipcLink::ReadAll(std::span<const ReadRequest> reads, uint32_t& result) {
    size_t queued = 0;
    if (ipcView != nullptr) {
        // While they fit, straight into the buffer. The positions are kept in
        // locals, which the stores into the buffer cannot touch.
        uint8_t* next = ipcNext;
        QueuedRead* list = queuedReads.get() + queuedReadCount;
        for (; queued < reads.size(); ++queued) {
            const ReadRequest& read = reads[queued];
            const uint64_t position = uint64_t(next - ipcView);
            if (position + kReadHeaderSize + read.size > kRequestLimit) {
                break;
            }
            StoreReadRecord(next, read.offset, read.size, read.destination);
            *list++ = QueuedRead{uint32_t(position), read.size, read.destination};
            next += kReadHeaderSize + read.size;
        }
        ipcNext = next;
        queuedReadCount += uint32_t(queued);
        if (queued != 0) {
            result = kOk;
        }
    }
    // The rest one by one: each fails, or, where a shorter read still fits, is
    // queued after all.
    bool all = queued == reads.size();
    for (; queued < reads.size(); ++queued) {
        const ReadRequest& read = reads[queued];
        all = Read(read.offset, read.size, read.destination, result) && all;
    }
    return all;
}

inline bool FsuipcLink::Write(uint32_t offset, uint32_t size, const void* data, uint32_t& result) {
    if (ipcView == nullptr) {
        result = kNotOpen;
        return false;
    }
    // The write header plus room for the end marker.
    const uint64_t position = uint64_t(ipcNext - ipcView);
    if (position + kWriteHeaderSize + 4 + size > kRequestLimit) {
        result = kNoRoom;
        return false;
    }
    uint8_t* const record = ipcNext;
    StoreU32(record, kRecordWrite);
    StoreU32(record + 4, offset);
    StoreU32(record + 8, size);
    if (data != nullptr) {
        CopyRecordBytes(record + kWriteHeaderSize, data, size);
    } else {
        std::memset(record + kWriteHeaderSize, 0, size);
    }
    ipcNext = record + kWriteHeaderSize + size;
    result = kOk;
    return true;
}

}  // namespace ulvo::fsuipc
