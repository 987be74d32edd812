// Cuts the incoming byte stream of one connection into messages by their u32 size
// prefix. Reads land at WriteSpace(); Extract() then reports one message at a time
// (taken with TakeMessage()) until it needs more data or refuses the stream.
//
// The receive buffer starts at 2048 bytes and grows in steps of 2048, only when it
// is full and nothing of it has been consumed, up to 1 MiB.
#pragma once

#include <cstdint>
#include <memory>

namespace ulvo::simconnect {

constexpr uint32_t kDefaultMaxReceiveSize = 41088;
constexpr uint32_t kReceiveBufferInitial = 2048;
constexpr uint32_t kReceiveBufferStep = 2048;
constexpr uint32_t kReceiveBufferLimit = 0x100000;

enum class ExtractReport {
    Message,       // a message (possibly empty, after skipped zero bytes) is in the holder
    NeedMoreData,  // post the next read
    TooLarge,      // size field above MaxReceiveSize, or above what the buffer may grow to
    BadSize,       // size field 1 to 3
    NoMemory,      // no memory for the message or for a larger buffer
};

struct OwnedMessage {
    std::unique_ptr<uint8_t[]> data;  // null for an empty message
    uint32_t size = 0;
};

class ReceiveExtractor {
  public:
    explicit ReceiveExtractor(uint32_t limit = kDefaultMaxReceiveSize) : maxReceiveSize(limit) {}

    // Allocates the initial buffer; false when there is no memory.
    bool Allocate();
    void SetMaxReceiveSize(uint32_t limit) { maxReceiveSize = limit; }

    // Where the next read goes, and how much it may deliver. After a report of
    // NeedMoreData there is always room.
    uint8_t* WriteSpace() { return buffer.get() + writePosition; }
    uint32_t WriteSpaceSize() const { return capacity - writePosition; }
    // Accounts for `bytes` received at WriteSpace() (at most WriteSpaceSize()).
    void CommitReceived(uint32_t bytes);

    ExtractReport Extract();
    // Moves the extracted message out; the holder becomes empty.
    OwnedMessage TakeMessage();

    // Puts both positions back at the start (a connection being established).
    void Rewind() { readPosition = writePosition = 0; }

    uint32_t Capacity() const { return capacity; }
    uint32_t ReadPosition() const { return readPosition; }
    uint32_t WritePosition() const { return writePosition; }

  private:
    ExtractReport ExtractOne();
    bool MessageWaiting() const;
    // Moves unread bytes to the start or grows a full buffer; false with the report.
    bool MakeRoom(ExtractReport& failure);
    uint32_t Unread() const { return writePosition - readPosition; }

    uint32_t maxReceiveSize;
    std::unique_ptr<uint8_t[]> buffer;
    uint32_t capacity = 0;
    uint32_t readPosition = 0;
    uint32_t writePosition = 0;

    // The message being extracted.
    std::unique_ptr<uint8_t[]> holderData;
    uint32_t holderSize = 0;
    uint32_t holderCapacity = 0;
};

}  // namespace ulvo::simconnect
