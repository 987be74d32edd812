// The simulator's side of the SimConnect in-process channel, without its window:
// it answers the client's records (kind 5 gets the unregister entry written into
// its last 8 bytes, kind 4 hands over the dispatch entry, kind 1 opens the
// channel), binds the channel with its four entry points (alloc, free, send,
// release) and can deliver messages in its own buffers. Every record and every
// entry call is recorded. One host per process, as in the simulator: its entry
// points are plain functions that find the active host.
#pragma once

#include <cstdint>
#include <mutex>
#include <set>
#include <vector>

namespace ulvo::testbed {

class HostChannel {
  public:
    using Bytes = std::vector<uint8_t>;

    // With `bindOnOpen`, a kind-1 record is bound at once, inside the client's send.
    explicit HostChannel(bool bindOnOpen);
    ~HostChannel();
    HostChannel(const HostChannel&) = delete;
    HostChannel& operator=(const HostChannel&) = delete;

    // A record the client sent to the simulator window.
    void OnRecord(uint8_t* record);

    // The records received, as their bytes when they arrived, in order.
    std::vector<Bytes> Records() { return Read(records); }
    uintptr_t DispatchEntry() { return Read(dispatchEntry); }
    uint32_t Cookie() { return Read(cookie); }
    uint32_t Serial() { return Read(serial); }

    // Calls the bind callback of the last kind-1 record with the host's entries,
    // for that record's cookie and serial, or for the ones given.
    int32_t Bind();
    int32_t Bind(uint32_t cookie, uint32_t serial);
    // Lends a buffer holding `message` through the deliver callback.
    void Deliver(const Bytes& message);
    // Calls the dispatch entry as the simulator does: null handle, -2, -3.
    int32_t CallDispatchEntry();

    // What the client did with the host's entries.
    std::vector<Bytes> Sent() { return Read(sent); }
    size_t Allocations() { return Read(allocations); }
    size_t Frees() { return Read(frees); }
    size_t Releases() { return Read(releases); }
    size_t LentBuffers() { return Read(lent).size(); }  // delivered, not yet released
    std::vector<uintptr_t> Unregistrations() { return Read(unregistrations); }

  private:
    // A copy of a field, taken under the lock (entry calls come from any thread).
    template <typename T>
    T Read(const T& field) {
        std::lock_guard<std::mutex> lock(mutex);
        return field;
    }

    static void* Alloc(uint32_t cookie, uint32_t serial, uint32_t size);
    static void Free(uint32_t cookie, uint32_t serial, void* buffer);
    static void Send(uint32_t cookie, uint32_t serial, uint32_t size, void* buffer);
    static void Release(uint32_t cookie, uint32_t serial, void* buffer);
    static void Unregister(void* dispatchEntry);

    bool bindOnOpen;
    std::mutex mutex;
    std::vector<Bytes> records;
    uintptr_t dispatchEntry = 0;
    uint32_t cookie = 0;
    uint32_t serial = 0;
    uintptr_t bindCallback = 0;
    uintptr_t deliverCallback = 0;
    std::vector<Bytes> sent;
    std::set<uint8_t*> allocated;
    std::set<uint8_t*> lent;
    size_t allocations = 0;
    size_t frees = 0;
    size_t releases = 0;
    std::vector<uintptr_t> unregistrations;
};

}  // namespace ulvo::testbed
