#include "win/simconnect_server_connection.h"

#include "common/little_endian.h"

namespace ulvo::testbed {

namespace {
constexpr DWORD kReadChunk = 65536;
}  // namespace

ServerConnection::ServerConnection(HANDLE pipeHandle, SOCKET socketHandle, Observer watcher)
    : isPipe(pipeHandle != nullptr),
      pipe(pipeHandle),
      socket(socketHandle),
      observer(std::move(watcher)),
      closeEvent(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

ServerConnection* ServerConnection::ForPipe(HANDLE pipe, Observer observer) {
    auto* connection = new ServerConnection(pipe, INVALID_SOCKET, std::move(observer));
    connection->reader = std::thread([connection] { connection->ReadPipe(); });
    return connection;
}

ServerConnection* ServerConnection::ForSocket(SOCKET socket, Observer observer) {
    auto* connection = new ServerConnection(nullptr, socket, std::move(observer));
    connection->reader = std::thread([connection] { connection->ReadSocket(); });
    return connection;
}

ServerConnection::~ServerConnection() {
    Close();
    if (reader.joinable()) {
        reader.join();
    }
    if (!isPipe) {
        closesocket(socket);
    }
    CloseHandle(closeEvent);
}

void ServerConnection::ReadPipe() {
    std::vector<uint8_t> buffer(kReadChunk);
    OVERLAPPED overlapped = {};
    overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    for (;;) {
        DWORD count = 0;
        if (!ReadFile(pipe, buffer.data(), kReadChunk, nullptr, &overlapped) &&
            GetLastError() != ERROR_IO_PENDING) {
            break;
        }
        const HANDLE waits[] = {overlapped.hEvent, closeEvent};
        if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0) {
            CancelIoEx(pipe, &overlapped);
            GetOverlappedResult(pipe, &overlapped, &count, TRUE);
            break;
        }
        if (!GetOverlappedResult(pipe, &overlapped, &count, FALSE) || count == 0) {
            break;
        }
        Received(buffer.data(), count);
    }
    CloseHandle(overlapped.hEvent);
    End();
}

void ServerConnection::ReadSocket() {
    std::vector<char> buffer(kReadChunk);
    for (;;) {
        const int count = recv(socket, buffer.data(), int(buffer.size()), 0);
        if (count <= 0) {
            break;
        }
        Received(reinterpret_cast<const uint8_t*>(buffer.data()), size_t(count));
    }
    End();
}

void ServerConnection::Received(const uint8_t* bytes, size_t count) {
    std::vector<Bytes> arrived;
    {
        std::lock_guard<std::mutex> lock(observer.mutex);
        pending.insert(pending.end(), bytes, bytes + count);
        while (pending.size() >= 4) {
            size_t size = LoadU32(pending.data());
            if (size < 4) {
                size = pending.size();  // no framing left: keep the rest as it came
            }
            if (size > pending.size()) {
                break;
            }
            arrived.emplace_back(pending.begin(), pending.begin() + ptrdiff_t(size));
            pending.erase(pending.begin(), pending.begin() + ptrdiff_t(size));
        }
        messages.insert(messages.end(), arrived.begin(), arrived.end());
        observer.changed.notify_all();
    }
    if (observer.onMessage) {
        for (const Bytes& message : arrived) {
            observer.onMessage(*this, message);
        }
    }
}

void ServerConnection::End() {
    std::lock_guard<std::mutex> lock(observer.mutex);
    ended = true;
    observer.changed.notify_all();
}

bool ServerConnection::Send(const Bytes& bytes) {
    std::lock_guard<std::mutex> lock(writeMutex);
    if (closed || !isPipe) {
        return false;
    }
    OVERLAPPED overlapped = {};
    overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    DWORD written = 0;
    const bool started = WriteFile(pipe, bytes.data(), DWORD(bytes.size()), nullptr, &overlapped) ||
                         GetLastError() == ERROR_IO_PENDING;
    const bool done = started && GetOverlappedResult(pipe, &overlapped, &written, TRUE) &&
                      written == bytes.size();
    CloseHandle(overlapped.hEvent);
    return done;
}

void ServerConnection::Close() {
    {
        std::lock_guard<std::mutex> lock(writeMutex);
        if (closed) {
            return;
        }
        closed = true;
    }
    if (isPipe) {
        SetEvent(closeEvent);
        reader.join();
        CloseHandle(pipe);
        pipe = nullptr;
    } else {
        shutdown(socket, SD_BOTH);
    }
}

}  // namespace ulvo::testbed
