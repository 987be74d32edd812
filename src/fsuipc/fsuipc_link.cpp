#include "fsuipc/fsuipc_link.h"

#include <cstdio>
#include <cstring>

#include "common/little_endian.h"

namespace ulvo::fsuipc {

namespace {

// The most read records one exchange can carry.
constexpr size_t kMaxQueuedReads = kRequestLimit / kReadHeaderSize;

}  // namespace

FsuipcLink::FsuipcLink(FsuipcPlatform& platform_) : platform(platform_) {
    // Reserved once, so that queuing reads never allocates on the worker's path.
    queuedReads.reserve(kMaxQueuedReads);
}

FsuipcLink::~FsuipcLink() {
    Close();
}

bool FsuipcLink::Read(uint32_t offset, uint32_t size, void* destination, uint32_t& result) {
    if (ipcView == nullptr) {
        result = kNotOpen;
        return false;
    }
    const uint64_t position = uint64_t(ipcNext - ipcView);
    if (position + kReadHeaderSize + size > kRequestLimit) {
        result = kNoRoom;
        return false;
    }
    StoreU32(ipcNext, kRecordRead);
    StoreU32(ipcNext + 4, offset);
    StoreU32(ipcNext + 8, size);
    StoreU64(ipcNext + 12, uint64_t(reinterpret_cast<uintptr_t>(destination)));
    std::memset(ipcNext + kReadHeaderSize, 0, size);
    queuedReads.push_back(QueuedRead{uint32_t(position), size, destination});
    ipcNext += kReadHeaderSize + size;
    result = kOk;
    return true;
}

bool FsuipcLink::Write(uint32_t offset, uint32_t size, const void* data, uint32_t& result) {
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
    StoreU32(ipcNext, kRecordWrite);
    StoreU32(ipcNext + 4, offset);
    StoreU32(ipcNext + 8, size);
    if (data != nullptr) {
        std::memcpy(ipcNext + kWriteHeaderSize, data, size);
    } else {
        std::memset(ipcNext + kWriteHeaderSize, 0, size);
    }
    ipcNext += kWriteHeaderSize + size;
    result = kOk;
    return true;
}

bool FsuipcLink::Process(uint32_t& result) {
    if (ipcView == nullptr) {
        result = kNotOpen;
        return false;
    }
    if (ipcNext == ipcView) {
        result = kNothingQueued;
        return false;
    }
    StoreU32(ipcNext, kRecordEnd);
    ipcNext = ipcView;

    FsuipcPlatform::SendOutcome outcome;
    for (int attempt = 1; attempt <= kSendAttempts; ++attempt) {
        outcome = platform.SendWithTimeout(ipcWindow, ipcMessage, ipcAtom);
        if (outcome.delivered) {
            break;
        }
        // The 100 ms pause lies between attempts: after the ninth failure the
        // caller learns the outcome at once instead of after a pointless wait.
        if (attempt < kSendAttempts) {
            platform.Sleep(kSendRetryDelayMs);
        }
    }
    if (!outcome.delivered) {
        queuedReads.clear();
        result = outcome.lastError != 0 ? kSendFailedWithError : kSendFailed;
        return false;
    }
    if (outcome.reply != 1) {
        queuedReads.clear();
        result = kBadReply;
        return false;
    }
    WalkReply();
    queuedReads.clear();
    ipcNext = ipcView;
    result = kOk;
    return true;
}

// Walks the records FSUIPC answered: writes are skipped, reads are copied out, the
// end marker stops the walk, and any other id is overwritten with 0 and stops it.
// The buffer is shared with another party, so nothing in it is trusted beyond the
// buffer's bounds: a read is copied only when it stands where it was queued with
// the size it was queued with, and always to the destination kept here. A record
// that does not fit the buffer or does not match its queued read stops the walk
// like an unknown id.
void FsuipcLink::WalkReply() {
    size_t nextRead = 0;
    uint32_t position = 0;
    while (position + 4 <= kBufferSize) {
        uint8_t* record = ipcView + position;
        const uint32_t id = LoadU32(record);
        if (id == kRecordEnd) {
            return;
        }
        const uint32_t header = id == kRecordWrite ? kWriteHeaderSize : kReadHeaderSize;
        const bool known = id == kRecordWrite || id == kRecordRead;
        const bool headerFits = uint64_t(position) + header <= kBufferSize;
        const uint32_t size = known && headerFits ? LoadU32(record + 8) : 0;
        const uint64_t end = uint64_t(position) + header + size;
        const bool fits = known && headerFits && end <= kBufferSize;
        const bool matches = id != kRecordRead || (nextRead < queuedReads.size() &&
                                                   queuedReads[nextRead].position == position &&
                                                   queuedReads[nextRead].size == size);
        if (!fits || !matches) {
            StoreU32(record, kRecordEnd);
            return;
        }
        if (id == kRecordRead) {
            void* destination = queuedReads[nextRead++].destination;
            if (destination != nullptr && size != 0) {
                std::memcpy(destination, record + kReadHeaderSize, size);
            }
        }
        position = uint32_t(end);
    }
}

bool FsuipcLink::Open(uint32_t& result) {
    if (ipcView != nullptr) {
        result = kAlreadyOpen;
        return false;
    }
    fsuipcVersion = 0;
    simulatorVersion = 0;

    ipcWindow = platform.FindServerWindow();
    if (ipcWindow == 0) {
        result = kNoWindow;
        return false;
    }
    ipcMessage = platform.RegisterIpcMessage();
    if (ipcMessage == 0) {
        result = kNoMessage;
        return false;
    }

    ++ipcOpenCount;
    char name[64];
    std::snprintf(name, sizeof name, "FsasmLib:IPC:%X:%X", platform.CurrentProcessId(),
                  ipcOpenCount);

    ipcAtom = platform.AddGlobalAtom(name);
    if (ipcAtom == 0) {
        Close();
        result = kNoAtom;
        return false;
    }
    const FsuipcPlatform::Section section = platform.CreateSection(name, kBufferSize);
    ipcMapping = section.handle;
    if (ipcMapping == 0 || section.nameExisted) {
        Close();
        result = kNoSection;
        return false;
    }
    ipcView = platform.MapView(ipcMapping);
    if (ipcView == nullptr) {
        Close();
        result = kNoView;
        return false;
    }
    ipcNext = ipcView;
    queuedReads.clear();

    for (int attempt = 1; attempt <= kHandshakeAttempts; ++attempt) {
        if (fsuipcVersion != 0 && simulatorVersion != 0) {
            break;
        }
        uint32_t code = kOk;
        bool queued = Read(kFsuipcVersionOffset, 4, &fsuipcVersion, code) &&
                      Read(kSimulatorVersionOffset, 4, &simulatorVersion, code);
        if (queued && attempt == 1) {
            const uint16_t version = kClientLibraryVersion;
            queued = Write(kClientLibraryVersionOffset, 2, &version, code);
        }
        if (!queued || !Process(code)) {
            Close();
            result = code;
            return false;
        }
        platform.Sleep(kHandshakeDelayMs);
    }

    if (fsuipcVersion < kMinimumFsuipcVersion ||
        (simulatorVersion >> 16) != kSimulatorVersionMark) {
        Close();
        result = kBadVersion;
        return false;
    }
    simulatorVersion &= 0xFFFF;
    result = kOk;
    return true;
}

void FsuipcLink::Close() {
    if (ipcAtom != 0) {
        platform.DeleteGlobalAtom(ipcAtom);
        ipcAtom = 0;
    }
    ipcWindow = 0;
    ipcMessage = 0;
    if (ipcView != nullptr) {
        platform.UnmapView(ipcView);
        ipcView = nullptr;
    }
    if (ipcMapping != 0) {
        platform.CloseSection(ipcMapping);
        ipcMapping = 0;
    }
    queuedReads.clear();
}

}  // namespace ulvo::fsuipc
