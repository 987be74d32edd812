#include "simconnect/receive_extractor.h"

#include <cstring>
#include <new>

#include "common/little_endian.h"

namespace ulvo::simconnect {

bool ReceiveExtractor::Allocate() {
    buffer.reset(new (std::nothrow) uint8_t[kReceiveBufferInitial]);
    capacity = buffer ? kReceiveBufferInitial : 0;
    readPosition = writePosition = 0;
    return buffer != nullptr;
}

void ReceiveExtractor::CommitReceived(uint32_t bytes) {
    writePosition += bytes <= WriteSpaceSize() ? bytes : WriteSpaceSize();
}

ExtractReport ReceiveExtractor::Extract() {
    const ExtractReport report = ExtractOne();
    if ((report == ExtractReport::Message || report == ExtractReport::NeedMoreData) &&
        !MessageWaiting()) {
        // Only NeedMoreData can find the buffer full with nothing consumed: a
        // reported message always consumed bytes. So a failure here loses nothing.
        ExtractReport failure;
        if (!MakeRoom(failure)) {
            return failure;
        }
    }
    return report;
}

ExtractReport ReceiveExtractor::ExtractOne() {
    if (Unread() < 4) {
        return ExtractReport::NeedMoreData;
    }
    const uint32_t size = LoadU32(buffer.get() + readPosition);
    // A message that would need a receive buffer above 1 MiB (possible only when
    // MaxReceiveSize is configured above that) can never be completed: it is
    // refused like one above MaxReceiveSize, and the connection closes instead of
    // waiting for room that never comes.
    if (size > maxReceiveSize || size > kReceiveBufferLimit) {
        return ExtractReport::TooLarge;
    }
    if (size >= 1 && size <= 3) {
        return ExtractReport::BadSize;
    }
    if (size == 0) {
        while (readPosition < writePosition && buffer[readPosition] == 0) {
            ++readPosition;
        }
        if (readPosition == writePosition) {
            Rewind();
        }
        holderSize = 0;
        return ExtractReport::Message;
    }
    if (size > holderCapacity) {
        holderData.reset(new (std::nothrow) uint8_t[size]);
        holderCapacity = holderData ? size : 0;
        if (!holderData) {
            holderSize = 0;
            return ExtractReport::NoMemory;
        }
    }
    holderSize = size;
    if (Unread() < size) {
        return ExtractReport::NeedMoreData;
    }
    std::memcpy(holderData.get(), buffer.get() + readPosition, size);
    readPosition += size;
    if (readPosition == writePosition) {
        Rewind();
    }
    return ExtractReport::Message;
}

// True when the next extraction would report something other than NeedMoreData.
bool ReceiveExtractor::MessageWaiting() const {
    if (Unread() < 4) {
        return false;
    }
    const uint32_t size = LoadU32(buffer.get() + readPosition);
    return size < 4 || size > maxReceiveSize || size > kReceiveBufferLimit || size <= Unread();
}

bool ReceiveExtractor::MakeRoom(ExtractReport& failure) {
    if (writePosition < capacity) {
        return true;
    }
    if (readPosition > 0) {
        std::memmove(buffer.get(), buffer.get() + readPosition, Unread());
        writePosition -= readPosition;
        readPosition = 0;
        return true;
    }
    if (capacity >= kReceiveBufferLimit) {
        failure = ExtractReport::TooLarge;
        return false;
    }
    const uint32_t grown = capacity + kReceiveBufferStep <= kReceiveBufferLimit
                               ? capacity + kReceiveBufferStep
                               : kReceiveBufferLimit;
    std::unique_ptr<uint8_t[]> larger(new (std::nothrow) uint8_t[grown]);
    if (!larger) {
        failure = ExtractReport::NoMemory;
        return false;
    }
    if (writePosition > 0) {
        std::memcpy(larger.get(), buffer.get(), writePosition);
    }
    buffer = std::move(larger);
    capacity = grown;
    return true;
}

OwnedMessage ReceiveExtractor::TakeMessage() {
    OwnedMessage message;
    if (holderSize > 0) {
        message.data = std::move(holderData);
        message.size = holderSize;
    }
    holderData.reset();
    holderSize = holderCapacity = 0;
    return message;
}

}  // namespace ulvo::simconnect
