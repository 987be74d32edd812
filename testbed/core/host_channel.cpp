#include "core/host_channel.h"

#include <algorithm>
#include <cstring>

#include "common/little_endian.h"

namespace ulvo::testbed {

namespace {

constexpr uint32_t kLargestRecord = 32;

HostChannel* active = nullptr;

using BindEntry = int32_t (*)(const void* record);
using DeliverEntry = void (*)(uint32_t cookie, uint32_t serial, uint32_t size, void* buffer);
using DispatchEntryCall = int32_t (*)(void* handle, void* proc, void* context);

template <typename Function>
uint64_t AddressOf(Function* function) {
    return uint64_t(reinterpret_cast<uintptr_t>(function));
}

}  // namespace

HostChannel::HostChannel(bool bind) : bindOnOpen(bind) {
    active = this;
}

HostChannel::~HostChannel() {
    active = nullptr;
    for (uint8_t* buffer : allocated) {
        delete[] buffer;
    }
    for (uint8_t* buffer : lent) {
        delete[] buffer;
    }
}

void HostChannel::OnRecord(uint8_t* record) {
    const uint32_t size = std::min(LoadU32(record), kLargestRecord);
    const uint32_t kind = LoadU32(record + 4);
    bool bindNow = false;
    {
        std::lock_guard<std::mutex> lock(mutex);
        records.emplace_back(record, record + size);
        switch (kind) {
            case 5:
                StoreU64(record + 16, AddressOf(&HostChannel::Unregister));
                break;
            case 4:
                dispatchEntry = uintptr_t(LoadU64(record + 16));
                break;
            case 1:
                cookie = LoadU32(record + 8);
                serial = LoadU32(record + 12);
                bindCallback = uintptr_t(LoadU64(record + 16));
                deliverCallback = uintptr_t(LoadU64(record + 24));
                bindNow = bindOnOpen;
                break;
            default:
                break;
        }
    }
    if (bindNow) {
        Bind();
    }
}

int32_t HostChannel::Bind() {
    std::unique_lock<std::mutex> lock(mutex);
    const uint32_t boundCookie = cookie;
    const uint32_t boundSerial = serial;
    lock.unlock();
    return Bind(boundCookie, boundSerial);
}

int32_t HostChannel::Bind(uint32_t bindCookie, uint32_t bindSerial) {
    uintptr_t callback;
    {
        std::lock_guard<std::mutex> lock(mutex);
        callback = bindCallback;
    }
    if (callback == 0) {
        return -1;
    }
    alignas(8) uint8_t record[48];
    StoreU32(record, 48);
    StoreU32(record + 4, 2);
    StoreU32(record + 8, bindCookie);
    StoreU32(record + 12, bindSerial);
    StoreU64(record + 16, AddressOf(&HostChannel::Alloc));
    StoreU64(record + 24, AddressOf(&HostChannel::Free));
    StoreU64(record + 32, AddressOf(&HostChannel::Send));
    StoreU64(record + 40, AddressOf(&HostChannel::Release));
    return reinterpret_cast<BindEntry>(callback)(record);
}

void HostChannel::Deliver(const Bytes& message) {
    auto* buffer = new uint8_t[message.size()];
    std::memcpy(buffer, message.data(), message.size());
    uintptr_t callback;
    uint32_t deliverCookie;
    uint32_t deliverSerial;
    {
        std::lock_guard<std::mutex> lock(mutex);
        lent.insert(buffer);
        callback = deliverCallback;
        deliverCookie = cookie;
        deliverSerial = serial;
    }
    if (callback != 0) {
        reinterpret_cast<DeliverEntry>(callback)(deliverCookie, deliverSerial,
                                                 uint32_t(message.size()), buffer);
    }
}

int32_t HostChannel::CallDispatchEntry() {
    const uintptr_t entry = DispatchEntry();
    if (entry == 0) {
        return -1;
    }
    return reinterpret_cast<DispatchEntryCall>(entry)(nullptr, reinterpret_cast<void*>(-2),
                                                      reinterpret_cast<void*>(-3));
}

void* HostChannel::Alloc(uint32_t, uint32_t, uint32_t size) {
    if (active == nullptr) {
        return nullptr;
    }
    auto* buffer = new uint8_t[size];
    std::memset(buffer, 0xCD, size);  // the client must zero what it is lent
    std::lock_guard<std::mutex> lock(active->mutex);
    active->allocated.insert(buffer);
    ++active->allocations;
    return buffer;
}

void HostChannel::Free(uint32_t, uint32_t, void* buffer) {
    if (active == nullptr) {
        return;
    }
    std::lock_guard<std::mutex> lock(active->mutex);
    if (active->allocated.erase(static_cast<uint8_t*>(buffer)) == 1) {
        ++active->frees;
        delete[] static_cast<uint8_t*>(buffer);
    }
}

void HostChannel::Send(uint32_t, uint32_t, uint32_t size, void* buffer) {
    if (active == nullptr) {
        return;
    }
    std::lock_guard<std::mutex> lock(active->mutex);
    auto* bytes = static_cast<uint8_t*>(buffer);
    if (active->allocated.erase(bytes) == 1) {
        active->sent.emplace_back(bytes, bytes + size);
        delete[] bytes;
    }
}

void HostChannel::Release(uint32_t, uint32_t, void* buffer) {
    if (active == nullptr) {
        return;
    }
    std::lock_guard<std::mutex> lock(active->mutex);
    if (active->lent.erase(static_cast<uint8_t*>(buffer)) == 1) {
        ++active->releases;
        delete[] static_cast<uint8_t*>(buffer);
    }
}

void HostChannel::Unregister(void* dispatchEntry) {
    if (active == nullptr) {
        return;
    }
    std::lock_guard<std::mutex> lock(active->mutex);
    active->unregistrations.push_back(reinterpret_cast<uintptr_t>(dispatchEntry));
}

}  // namespace ulvo::testbed
