#include "web/shared_space.h"

#include <algorithm>

#include "offsets/block_layout.h"

namespace ulvo::tools::web {

namespace {

// Queues a request, sending what is queued first when the exchange is full.
template <typename Queue>
bool QueueOrSend(FsuipcAccess& access, Queue queue) {
    return queue() || (access.Send() && queue());
}

}  // namespace

SharedSpace::SharedSpace() : wanted{{kBlockFirst, kBlockSize}}, latest(new SpaceImage) {}

void SharedSpace::Want(std::vector<OffsetRange> ranges) {
    ranges.push_back({kBlockFirst, kBlockSize});
    std::lock_guard<std::mutex> lock(mutex);
    wanted = JoinRanges(std::move(ranges));
}

void SharedSpace::Ask(WriteRequest write) {
    std::lock_guard<std::mutex> lock(mutex);
    writes.push_back(std::move(write));
}

std::shared_ptr<const SpaceImage> SharedSpace::Latest() const {
    std::lock_guard<std::mutex> lock(mutex);
    return latest;
}

void SharedSpace::OnPublished(std::function<void()> wake) {
    std::lock_guard<std::mutex> lock(mutex);
    published = std::move(wake);
}

bool SharedSpace::Exchange(FsuipcAccess& access) {
    std::vector<OffsetRange> ranges;
    std::vector<WriteRequest> asked;
    std::shared_ptr<const SpaceImage> before;
    std::function<void()> wake;
    {
        std::lock_guard<std::mutex> lock(mutex);
        ranges = wanted;
        asked.swap(writes);
        before = latest;
        wake = published;
    }
    auto image = std::make_shared<SpaceImage>(*before);
    // A write that keeps some bits, or moves a counter, starts from what FSUIPC
    // holds: read it first where it was never read.
    std::vector<OffsetRange> unknown;
    for (const WriteRequest& write : asked) {
        const uint32_t size = write.steps != 0 ? 1 : uint32_t(write.bytes.size());
        if (!image->Known(write.offset, size)) {
            unknown.push_back({write.offset, size});
        }
    }
    for (const OffsetRange& range : JoinRanges(unknown)) {
        uint8_t* data = image->bytes.data() + range.offset;
        if (!QueueOrSend(access,
                         [&] { return access.QueueRead(range.offset, range.size, data); })) {
            return false;
        }
    }
    if (!unknown.empty()) {
        if (!access.Send()) {
            return false;
        }
        for (const OffsetRange& range : JoinRanges(unknown)) {
            image->Store(range.offset, image->bytes.data() + range.offset, range.size);
        }
    }
    // Each write in the order asked, over what the writes before it left.
    for (const WriteRequest& write : asked) {
        uint8_t* current = image->bytes.data() + write.offset;
        ApplyWrite(write, current);
        const uint32_t size = write.steps != 0 ? 1 : uint32_t(write.bytes.size());
        if (!QueueOrSend(access, [&] { return access.QueueWrite(write.offset, current, size); })) {
            return false;
        }
    }
    for (const OffsetRange& range : ranges) {
        for (uint32_t at = range.offset; at < range.offset + range.size; at += kReadPiece) {
            const uint32_t size = std::min(kReadPiece, range.offset + range.size - at);
            uint8_t* data = image->bytes.data() + at;
            if (!QueueOrSend(access, [&] { return access.QueueRead(at, size, data); })) {
                return false;
            }
        }
    }
    if (!access.Send()) {
        return false;
    }
    for (const OffsetRange& range : ranges) {
        image->Store(range.offset, image->bytes.data() + range.offset, range.size);
    }
    {
        std::lock_guard<std::mutex> lock(mutex);
        latest = std::move(image);
    }
    if (wake) {
        wake();
    }
    return true;
}

}  // namespace ulvo::tools::web
