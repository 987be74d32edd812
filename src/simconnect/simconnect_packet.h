// SimConnectPacket: a reference-counted message buffer, and the singly linked
// queues that carry packets to the transport and to dispatch. A packet sits in at
// most one queue at a time, so the link lives in the packet.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

namespace ulvo::simconnect {

class SimConnectPacket {
  public:
    // A packet owning `data`; null when there is no memory (the data is freed).
    static SimConnectPacket* Create(std::unique_ptr<uint8_t[]> data, uint32_t size,
                                    uint32_t serial);
    // A packet around a buffer lent by the simulator's in-process channel. Its
    // buffer is never freed with the packet: the owner hands it back to the host.
    static SimConnectPacket* WrapHostBuffer(uint8_t* data, uint32_t size, uint32_t serial);

    void AddRef() { refCount.fetch_add(1, std::memory_order_relaxed); }
    // Destroys the packet at the last reference.
    void Release();

    uint8_t* Data() const { return data; }
    uint32_t Size() const { return size; }
    uint32_t Serial() const { return serial; }
    bool FromHost() const { return fromHost; }
    // Moves the owned data out (the sender keeps it until its write completes).
    std::unique_ptr<uint8_t[]> TakeData();

  private:
    friend class PacketQueue;
    SimConnectPacket(uint8_t* bytes, uint32_t byteCount, uint32_t connectionSerial, bool hostOwned)
        : data(bytes), size(byteCount), serial(connectionSerial), fromHost(hostOwned) {}
    ~SimConnectPacket();

    std::atomic<uint32_t> refCount{1};
    uint8_t* data;
    uint32_t size;
    uint32_t serial;
    bool fromHost;
    SimConnectPacket* next = nullptr;
};

// A FIFO of packet references; not locked (its owner holds a lock around it).
class PacketQueue {
  public:
    PacketQueue() = default;
    PacketQueue(const PacketQueue&) = delete;
    PacketQueue& operator=(const PacketQueue&) = delete;

    // Takes over the caller's reference.
    void Push(SimConnectPacket* packet);
    // Pushes, and when more than `limit` packets are then queued, pops the oldest
    // and returns it (the caller disposes of it); null otherwise.
    SimConnectPacket* PushBounded(SimConnectPacket* packet, uint32_t limit);
    // The oldest packet with its reference, or null.
    SimConnectPacket* Pop();
    uint32_t Count() const { return count; }

  private:
    SimConnectPacket* head = nullptr;
    SimConnectPacket* tail = nullptr;
    uint32_t count = 0;
};

}  // namespace ulvo::simconnect
