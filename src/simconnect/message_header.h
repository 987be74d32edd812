// Framing of outgoing SimConnect messages. Every message starts with a u32 size
// that counts the whole message; outgoing ones carry a 16-byte header:
// size, version 0x1F, message id 0xF0000000 + call number, send id.
#pragma once

#include <cstdint>

namespace ulvo::simconnect {

constexpr uint32_t kHeaderSize = 16;
constexpr uint32_t kProtocolVersion = 0x1F;
constexpr uint32_t kMessageIdBase = 0xF0000000;
constexpr uint32_t kSendIdOffset = 12;

// Incoming messages shorter than this carry no message id and are never dispatched.
constexpr uint32_t kMinimumDispatchSize = 12;
constexpr uint32_t kIncomingIdOffset = 8;

// Per-client send ids: the first message carries 1, and 0 is skipped on wrap-around.
class SendIdCounter {
  public:
    uint32_t Next() {
        ++last;
        if (last == 0) {
            last = 1;
        }
        return last;
    }
    // For tests of the wrap-around.
    void SetLast(uint32_t value) { last = value; }

  private:
    uint32_t last = 0;
};

// Writes size, version and message id; the send id was set when the message was staged.
void WriteHeader(uint8_t* message, uint32_t size, uint32_t callNumber);
void WriteSendId(uint8_t* message, uint32_t sendId);

}  // namespace ulvo::simconnect
