#include "core/memory_client_platform.h"

#include <algorithm>
#include <cstring>

#include "simconnect/status_codes.h"

namespace ulvo::testbed {

using simconnect::ConnectionKind;
using simconnect::IoDirection;

// The client's side of a server end.
class MemoryTransport final : public simconnect::Transport {
  public:
    explicit MemoryTransport(std::shared_ptr<MemoryServerEnd> serverEnd)
        : end(std::move(serverEnd)) {}
    ~MemoryTransport() override {
        end->closed = true;
        end->client = nullptr;
    }

    ConnectionKind Kind() const override { return end->kind; }
    int AddressFamily() const override { return end->family; }
    uintptr_t Handle() const override { return reinterpret_cast<uintptr_t>(end.get()); }
    void Prepare(bool disableNagle) override { end->noDelay = disableNagle; }
    uint32_t StartWrite(const uint8_t* data, uint32_t length) override {
        if (const uint32_t status = std::exchange(end->failNextWrite, 0u)) {
            return status;
        }
        end->writes.emplace_back(data, data + length);
        end->writeLength = length;
        return 0;
    }
    uint32_t StartRead(uint8_t* space, uint32_t capacity) override {
        if (const uint32_t status = std::exchange(end->failNextRead, 0u)) {
            return status;
        }
        end->readSpace = space;
        end->readCapacity = capacity;
        return 0;
    }
    void Close() override { end->closed = true; }

  private:
    std::shared_ptr<MemoryServerEnd> end;
};

size_t MemoryServerEnd::Deliver(std::span<const uint8_t> bytes, size_t chunk, uint32_t status) {
    size_t offset = 0;
    while (offset < bytes.size() && client != nullptr && !closed && readSpace != nullptr) {
        const size_t n =
            std::min({std::max<size_t>(chunk, 1), bytes.size() - offset, size_t(readCapacity)});
        std::memcpy(readSpace, bytes.data() + offset, n);
        offset += n;
        readSpace = nullptr;
        client->Complete(IoDirection::Receive, status, uint32_t(n));
    }
    return offset;
}

bool MemoryServerEnd::FailRead(uint32_t status) {
    if (readSpace == nullptr || client == nullptr) {
        return false;
    }
    readSpace = nullptr;
    client->Complete(IoDirection::Receive, status, 0);
    return true;
}

bool MemoryServerEnd::CompleteWrite() {
    if (writeLength == 0 || client == nullptr) {
        return false;
    }
    client->Complete(IoDirection::Send, 0, std::exchange(writeLength, 0u));
    return true;
}

bool MemoryServerEnd::CompleteAborted() {
    bool completed = false;
    if (readSpace != nullptr && client != nullptr) {
        readSpace = nullptr;
        client->Complete(IoDirection::Receive, simconnect::kStatusCancelled, 0);
        completed = true;
    }
    if (writeLength != 0 && client != nullptr) {
        writeLength = 0;
        client->Complete(IoDirection::Send, simconnect::kStatusCancelled, 0);
        completed = true;
    }
    return completed;
}

std::unique_ptr<simconnect::Transport> MemoryClientPlatform::Open(
    simconnect::SimConnectConnection& connection, ConnectionKind kind, int family) {
    ends.push_back(std::make_shared<MemoryServerEnd>(connection, kind, family));
    ends.back()->failNextWrite = failFirstWrite;
    ends.back()->failNextRead = failFirstRead;
    return std::make_unique<MemoryTransport>(ends.back());
}

std::unique_ptr<simconnect::Transport> MemoryClientPlatform::OpenPipe(
    const std::wstring& path, simconnect::SimConnectConnection& connection) {
    return pipes.count(path) != 0 ? Open(connection, ConnectionKind::Pipe, 0) : nullptr;
}

std::unique_ptr<simconnect::Transport> MemoryClientPlatform::OpenSocket(
    simconnect::IpFamily family, const std::wstring& address, const std::wstring& port,
    simconnect::SimConnectConnection& connection) {
    if (sockets.count(address + L" " + port) == 0) {
        return nullptr;
    }
    return Open(connection, ConnectionKind::Socket, family == simconnect::IpFamily::IPv4 ? 2 : 23);
}

void MemoryClientPlatform::SendChannelRecord(uintptr_t window, uint8_t* record) {
    if (host != nullptr && window == simulatorWindow) {
        host->OnRecord(record);
    }
}

void MemoryClientPlatform::Sleep(uint32_t milliseconds) {
    sleeps.push_back(milliseconds);
    RunCompletions();
}

void MemoryClientPlatform::RunCompletions() {
    for (bool ran = !holdCompletions; ran;) {
        ran = false;
        for (size_t i = 0; i < ends.size(); ++i) {
            MemoryServerEnd& end = *ends[i];
            if (end.closed) {
                ran |= end.CompleteAborted();
            } else {
                ran |= end.CompleteWrite();
            }
        }
    }
}

}  // namespace ulvo::testbed
