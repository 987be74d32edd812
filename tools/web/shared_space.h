// The offsets between the program's thread that owns FSUIPC and the web server's
// thread: the server says which ranges its clients want and queues their writes;
// the program's thread carries both out in one exchange whenever it exchanges
// with FSUIPC anyway, and publishes what it read. Neither thread waits for the
// other longer than a copy.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "web/offset_space.h"

namespace ulvo::tools::web {

// FSUIPC as the program reaches it: requests are queued, then sent in one exchange.
class FsuipcAccess {
  public:
    virtual ~FsuipcAccess() = default;
    // False when the exchange has no room left: it is sent, and the request queued again.
    virtual bool QueueRead(uint32_t offset, uint32_t size, uint8_t* data) = 0;
    virtual bool QueueWrite(uint32_t offset, const uint8_t* data, uint32_t size) = 0;
    // Sends what is queued; false when FSUIPC did not answer.
    virtual bool Send() = 0;
};

class SharedSpace {
  public:
    // Reads larger than this are split, so that each fits an exchange.
    static constexpr uint32_t kReadPiece = 4096;

    SharedSpace();

    // --- the server's side ---
    // What the clients want read besides the plug-in's block, which is always read.
    void Want(std::vector<OffsetRange> ranges);
    void Ask(WriteRequest write);
    std::shared_ptr<const SpaceImage> Latest() const;
    // Run on the owner's thread after each publication (the server wakes up).
    void OnPublished(std::function<void()> wake);

    // --- the owner's side ---
    // Writes what was asked for, reads what is wanted, publishes it. False when
    // FSUIPC failed; what was asked for is then dropped.
    bool Exchange(FsuipcAccess& access);

  private:
    mutable std::mutex mutex;
    std::vector<OffsetRange> wanted;
    std::vector<WriteRequest> writes;
    std::shared_ptr<const SpaceImage> latest;
    std::function<void()> published;
};

}  // namespace ulvo::tools::web
