#include "simconnect/simconnect_packet.h"

#include <new>

namespace ulvo::simconnect {

SimConnectPacket* SimConnectPacket::Create(std::unique_ptr<uint8_t[]> data, uint32_t size,
                                           uint32_t serial) {
    auto* packet = new (std::nothrow) SimConnectPacket(data.get(), size, serial, false);
    if (packet != nullptr) {
        data.release();
    }
    return packet;
}

SimConnectPacket* SimConnectPacket::WrapHostBuffer(uint8_t* data, uint32_t size, uint32_t serial) {
    return new (std::nothrow) SimConnectPacket(data, size, serial, true);
}

SimConnectPacket::~SimConnectPacket() {
    if (!fromHost) {
        delete[] data;
    }
}

void SimConnectPacket::Release() {
    if (refCount.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        delete this;
    }
}

std::unique_ptr<uint8_t[]> SimConnectPacket::TakeData() {
    if (fromHost) {
        return nullptr;
    }
    std::unique_ptr<uint8_t[]> owned(data);
    data = nullptr;
    return owned;
}

void PacketQueue::Push(SimConnectPacket* packet) {
    packet->next = nullptr;
    if (tail != nullptr) {
        tail->next = packet;
    } else {
        head = packet;
    }
    tail = packet;
    ++count;
}

SimConnectPacket* PacketQueue::PushBounded(SimConnectPacket* packet, uint32_t limit) {
    Push(packet);
    return count > limit ? Pop() : nullptr;
}

SimConnectPacket* PacketQueue::Pop() {
    SimConnectPacket* packet = head;
    if (packet != nullptr) {
        head = packet->next;
        if (head == nullptr) {
            tail = nullptr;
        }
        packet->next = nullptr;
        --count;
    }
    return packet;
}

}  // namespace ulvo::simconnect
