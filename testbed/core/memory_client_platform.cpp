#include "core/memory_client_platform.h"

#include <algorithm>
#include <cstring>

#include "simconnect/status_codes.h"

namespace ulvo::testbed {

using simconnect::ConnectionKind;
using simconnect::IoDirection;

// The client's side of a server end. Starts and closes come from the client's
// threads; what they leave due goes to the platform's runner.
class MemoryTransport final : public simconnect::Transport {
  public:
    explicit MemoryTransport(std::shared_ptr<MemoryServerEnd> serverEnd)
        : end(std::move(serverEnd)) {}
    ~MemoryTransport() override {
        std::lock_guard lock(end->platform.mutex);
        end->closed = true;
        end->client = nullptr;
    }

    ConnectionKind Kind() const override { return end->kind; }
    int AddressFamily() const override { return end->family; }
    uintptr_t Handle() const override { return reinterpret_cast<uintptr_t>(end.get()); }
    void Prepare(bool disableNagle) override { end->noDelay = disableNagle; }
    uint32_t StartWrite(const uint8_t* data, uint32_t length) override {
        {
            std::lock_guard lock(end->platform.mutex);
            if (const uint32_t status = std::exchange(end->failNextWrite, 0u)) {
                return status;
            }
            end->writes.emplace_back(data, data + length);
            end->writeLength = length;
            end->PostDue();
        }
        end->platform.runner.Pause();
        return 0;
    }
    uint32_t StartRead(uint8_t* space, uint32_t capacity) override {
        {
            std::lock_guard lock(end->platform.mutex);
            if (const uint32_t status = std::exchange(end->failNextRead, 0u)) {
                return status;
            }
            end->readSpace = space;
            end->readCapacity = capacity;
            end->PostDue();
        }
        end->platform.runner.Pause();
        return 0;
    }
    void Close() override {
        std::lock_guard lock(end->platform.mutex);
        end->closed = true;
        end->PostDue();
    }

  private:
    std::shared_ptr<MemoryServerEnd> end;
};

MemoryServerEnd::MemoryServerEnd(MemoryClientPlatform& owner,
                                 simconnect::SimConnectConnection& connection,
                                 ConnectionKind connectionKind, int addressFamily)
    : platform(owner), client(&connection), kind(connectionKind), family(addressFamily) {}

void MemoryServerEnd::PostDue() {
    CompletionRunner& runner = platform.runner;
    if (readSpace != nullptr && incomingRead < incoming.size()) {
        runner.Post([this] { CompleteNextRead(); });
    }
    if (platform.holdCompletions) {
        return;
    }
    if (closed) {
        runner.Post([this] { CompleteAborted(); });
    } else if (writeLength != 0) {
        runner.Post([this] { CompleteWrite(); });
    }
}

void MemoryServerEnd::CompleteNextRead() {
    std::unique_lock lock(platform.mutex);
    if (client == nullptr || closed || readSpace == nullptr || incomingRead == incoming.size()) {
        return;
    }
    const size_t n = std::min(
        {std::max<size_t>(incomingChunk, 1), incoming.size() - incomingRead, size_t(readCapacity)});
    std::memcpy(readSpace, incoming.data() + incomingRead, n);
    incomingRead += n;
    readSpace = nullptr;
    simconnect::SimConnectConnection* connection = client;
    const uint32_t status = incomingStatus;
    lock.unlock();
    connection->Complete(IoDirection::Receive, status, uint32_t(n));
}

void MemoryServerEnd::CompleteWrite() {
    std::unique_lock lock(platform.mutex);
    if (platform.holdCompletions || writeLength == 0 || client == nullptr) {
        return;
    }
    const uint32_t length = std::exchange(writeLength, 0u);
    simconnect::SimConnectConnection* connection = client;
    lock.unlock();
    connection->Complete(IoDirection::Send, 0, length);
}

void MemoryServerEnd::CompleteAborted() {
    std::unique_lock lock(platform.mutex);
    if (platform.holdCompletions || client == nullptr) {
        return;
    }
    simconnect::SimConnectConnection* connection = client;
    const bool read = std::exchange(readSpace, nullptr) != nullptr;
    const uint32_t written = std::exchange(writeLength, 0u);
    lock.unlock();
    // Each holds a reference, so the first completion never drops the last one
    // while the second is still to come.
    if (read) {
        connection->Complete(IoDirection::Receive, simconnect::kStatusCancelled, 0);
    }
    if (written != 0) {
        connection->Complete(IoDirection::Send, simconnect::kStatusCancelled, 0);
    }
}

size_t MemoryServerEnd::Deliver(std::span<const uint8_t> bytes, size_t chunk, uint32_t status) {
    {
        std::lock_guard lock(platform.mutex);
        incoming.assign(bytes.begin(), bytes.end());
        incomingRead = 0;
        incomingChunk = chunk;
        incomingStatus = status;
        PostDue();
    }
    platform.runner.Drain();
    std::lock_guard lock(platform.mutex);
    const size_t delivered = incomingRead;
    incoming.clear();
    incomingRead = 0;
    return delivered;
}

bool MemoryServerEnd::FailRead(uint32_t status) {
    {
        std::lock_guard lock(platform.mutex);
        if (readSpace == nullptr || client == nullptr) {
            return false;
        }
        platform.runner.Post([this, status] { CompleteReadWith(status); });
    }
    platform.runner.Drain();
    return true;
}

void MemoryServerEnd::CompleteReadWith(uint32_t status) {
    std::unique_lock lock(platform.mutex);
    if (readSpace == nullptr || client == nullptr) {
        return;
    }
    readSpace = nullptr;
    simconnect::SimConnectConnection* connection = client;
    lock.unlock();
    connection->Complete(IoDirection::Receive, status, 0);
}

bool MemoryServerEnd::ReadPending() {
    std::lock_guard lock(platform.mutex);
    return readSpace != nullptr;
}

std::unique_ptr<simconnect::Transport> MemoryClientPlatform::Open(
    simconnect::SimConnectConnection& connection, ConnectionKind kind, int family) {
    auto end = std::make_shared<MemoryServerEnd>(*this, connection, kind, family);
    end->failNextWrite = failFirstWrite;
    end->failNextRead = failFirstRead;
    end->incoming = greeting;
    std::lock_guard lock(mutex);
    ends.push_back(end);
    return std::make_unique<MemoryTransport>(end);
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

void MemoryClientPlatform::PostUserMessage(uintptr_t window, uint32_t message) {
    std::lock_guard lock(mutex);
    posts.emplace_back(window, message);
}

void MemoryClientPlatform::SignalEvent(uintptr_t event) {
    std::lock_guard lock(mutex);
    signals.push_back(event);
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
    {
        std::lock_guard lock(mutex);
        for (const std::shared_ptr<MemoryServerEnd>& end : ends) {
            end->PostDue();
        }
    }
    runner.Drain();
}

}  // namespace ulvo::testbed
