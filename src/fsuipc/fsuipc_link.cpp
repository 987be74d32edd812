#include "fsuipc/fsuipc_link.h"

#include <cstdio>
#include <cstring>

#include "common/little_endian.h"
#include "fsuipc/record_bytes.h"

namespace ulvo::fsuipc {

namespace {

// The most read records one exchange can carry.
constexpr size_t kMaxQueuedReads = kRequestLimit / kReadHeaderSize;

}  // namespace

FsuipcLink::FsuipcLink(FsuipcPlatform& platform_)
    : platform(platform_), queuedReads(std::make_unique<QueuedRead[]>(kMaxQueuedReads)) {}

FsuipcLink::~FsuipcLink() {
    Close();
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
        queuedReadCount = 0;
        result = outcome.lastError != 0 ? kSendFailedWithError : kSendFailed;
        return false;
    }
    if (outcome.reply != 1) {
        queuedReadCount = 0;
        result = kBadReply;
        return false;
    }
    WalkReply();
    queuedReadCount = 0;
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
// like an unknown id. (A read that matches fits: it was queued within the limit.)
void FsuipcLink::WalkReply() {
    const QueuedRead* nextRead = queuedReads.get();
    const QueuedRead* const readsEnd = nextRead + queuedReadCount;
    uint8_t* const view = ipcView;  // a local: copying out cannot change it
    uint32_t position = 0;
    while (position + 4 <= kBufferSize) {
        uint8_t* record = view + position;
        const uint32_t id = LoadU32(record);
        if (id == kRecordRead) {
            if (nextRead == readsEnd || nextRead->position != position ||
                LoadU32(record + 8) != nextRead->size) {
                StoreU32(record, kRecordEnd);
                return;
            }
            if (nextRead->destination != nullptr && nextRead->size != 0) {
                CopyRecordBytes(nextRead->destination, record + kReadHeaderSize, nextRead->size);
            }
            position += kReadHeaderSize + nextRead->size;
            ++nextRead;
        } else if (id == kRecordWrite && position + kWriteHeaderSize <= kBufferSize &&
                   uint64_t(position) + kWriteHeaderSize + LoadU32(record + 8) <= kBufferSize) {
            position += kWriteHeaderSize + LoadU32(record + 8);
        } else {
            if (id != kRecordEnd) {
                StoreU32(record, kRecordEnd);
            }
            return;
        }
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
    queuedReadCount = 0;

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
    queuedReadCount = 0;
}

}  // namespace ulvo::fsuipc
