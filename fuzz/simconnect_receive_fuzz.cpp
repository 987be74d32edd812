// Fuzzes the receive extractor with any byte stream, any MaxReceiveSize and any
// cutting of the stream into reads. Input: byte 0 picks MaxReceiveSize, bytes 1-4
// seed the read sizes, the rest is the stream.
//
// Checked: no crash, leak or stall (room for the next read after need-more-data),
// the buffer never passes 1 MiB, and every message is the stream's next bytes
// (after skipped zero bytes) with a size field that matches and is allowed.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "common/little_endian.h"
#include "simconnect/receive_extractor.h"

using ulvo::LoadU32;
using namespace ulvo::simconnect;

namespace {

constexpr uint32_t kLimits[] = {kDefaultMaxReceiveSize, 4, 12, 100, 2048, 5000, 100000, 0xFFFFFFFF};

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// Follows the stream as the extractor should consume it.
struct Cursor {
    const uint8_t* stream;
    size_t size;
    size_t position = 0;

    void ExpectMessage(const uint8_t* message, uint32_t length) {
        size_t zeros = 0;
        while (position + zeros < size && stream[position + zeros] == 0) {
            ++zeros;
        }
        // Zero bytes left over from an earlier read may start the message.
        size_t leading = 0;
        while (leading < length && message[leading] == 0) {
            ++leading;
        }
        Check(leading < 4 && leading <= zeros);
        position += zeros - leading;
        Check(position + length <= size);
        Check(std::memcmp(stream + position, message, length) == 0);
        position += length;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 5) {
        return 0;
    }
    const uint32_t limit = kLimits[data[0] % (sizeof kLimits / sizeof kLimits[0])];
    uint32_t seed = LoadU32(data + 1) | 1;
    const uint8_t* stream = data + 5;
    const size_t streamSize = size - 5;

    ReceiveExtractor extractor(limit);
    Check(extractor.Allocate());
    Cursor cursor{stream, streamSize};
    size_t offset = 0;
    while (offset < streamSize) {
        Check(extractor.WriteSpaceSize() > 0);
        seed = seed * 1103515245u + 12345u;
        size_t n = 1 + (seed >> 16) % 300;
        if (n > streamSize - offset) {
            n = streamSize - offset;
        }
        if (n > extractor.WriteSpaceSize()) {
            n = extractor.WriteSpaceSize();
        }
        std::memcpy(extractor.WriteSpace(), stream + offset, n);
        extractor.CommitReceived(uint32_t(n));
        offset += n;
        for (;;) {
            const ExtractReport report = extractor.Extract();
            Check(extractor.Capacity() <= kReceiveBufferLimit);
            if (report == ExtractReport::Message) {
                const OwnedMessage message = extractor.TakeMessage();
                if (message.data) {
                    Check(message.size >= 4 && message.size <= limit);
                    Check(LoadU32(message.data.get()) == message.size);
                    cursor.ExpectMessage(message.data.get(), message.size);
                }
                continue;
            }
            if (report != ExtractReport::NeedMoreData) {
                return 0;  // the connection would close here
            }
            break;
        }
    }
    return 0;
}
