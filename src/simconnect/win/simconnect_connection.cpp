#include <winsock2.h>
#include <ws2tcpip.h>

#include "simconnect/win/simconnect_connection.h"

#include <cstdio>

#include "simconnect/status_codes.h"
#include "simconnect/win/process_state.h"

namespace ulvo::simconnect {

namespace {

constexpr uintptr_t kNoTransport = ~uintptr_t(0);

void ResetOverlapped(OVERLAPPED& overlapped) {
    const HANDLE event = overlapped.hEvent;
    overlapped = OVERLAPPED{};
    overlapped.hEvent = event;
}

void CloseEvent(OVERLAPPED& overlapped) {
    if (overlapped.hEvent != nullptr) {
        CloseHandle(overlapped.hEvent);
        overlapped.hEvent = nullptr;
    }
}

}  // namespace

SimConnectConnection::SimConnectConnection() : handle(kNoTransport) {
    Process().liveConnections.fetch_add(1);
    receiveRecord.connection = this;
    receiveRecord.direction = IoDirection::Receive;
    sendRecord.connection = this;
    sendRecord.direction = IoDirection::Send;
    extractor.Allocate();  // without memory the first read closes the connection
}

SimConnectConnection::~SimConnectConnection() {
    EmptySendQueue();
    if (handle != kNoTransport) {
        CloseTransport(false, 0);
    }
    CloseEvent(receiveRecord.overlapped);
    CloseEvent(sendRecord.overlapped);
    Process().liveConnections.fetch_sub(1);
}

void SimConnectConnection::Release() {
    if (refCount.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        delete this;
    }
}

void SimConnectConnection::Establish(ConnectionKind connectionKind, uintptr_t transport,
                                     int addressFamily, const ConnectionSettings& settings) {
    kind = connectionKind;
    handle = transport;
    family = addressFamily;
    maxReceiveSize = settings.maxReceiveSize;
    disableNagle = settings.disableNagle;
    extractor.SetMaxReceiveSize(maxReceiveSize);
    OnEstablished();
    PostRead();
}

void SimConnectConnection::ResetTransferState() {
    Locked lock(connectionLock);
    EmptySendQueue();
    // A write still in flight keeps its buffer until it completes; the buffer
    // goes with the object at the last reference.
    if (!sendInProgress) {
        sendBuffer.reset();
        sendLength = 0;
    }
    serial.store(NextConnectionSerial());
}

void SimConnectConnection::OnEstablished() {
    ResetTransferState();
    extractor.Rewind();  // no read is outstanding before the first one
    if (kind == ConnectionKind::Pipe) {
        for (IoRecord* record : {&receiveRecord, &sendRecord}) {
            CloseEvent(record->overlapped);
            record->overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
            if (record->overlapped.hEvent == nullptr) {
                std::printf("CreateEvent failed with %d.\n", int(GetLastError()));
            }
        }
    }
    if (kind == ConnectionKind::Socket && disableNagle) {
        const BOOL on = TRUE;
        setsockopt(SOCKET(handle), IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on),
                   sizeof on);
    }
    state.store(ConnectionState::Connected);
}

void SimConnectConnection::CloseConnection(bool report, int32_t code) {
    CloseTransport(report, code);
}

bool SimConnectConnection::CloseTransport(bool report, int32_t code) {
    Locked lock(connectionLock);
    const ConnectionState previous = state.exchange(ConnectionState::Closed);
    serial.store(0);
    const bool wasOpen = previous == ConnectionState::Connected && handle != kNoTransport;
    if (wasOpen) {
        if (report) {
            closeCode.store(code);
        }
        if (kind == ConnectionKind::Socket) {
            const SOCKET socket = SOCKET(handle);
            shutdown(socket, SD_BOTH);
            CancelIoEx(reinterpret_cast<HANDLE>(socket), nullptr);
            closesocket(socket);
        } else {
            CloseHandle(reinterpret_cast<HANDLE>(handle));
            CloseEvent(receiveRecord.overlapped);
            CloseEvent(sendRecord.overlapped);
        }
        handle = kNoTransport;
    }
    closedWithError.store(report);
    return wasOpen;
}

void SimConnectConnection::OnMessageReceived() {
    extractor.TakeMessage();
}

void SimConnectConnection::OnRawReceive(const uint8_t*, uint32_t) {}

void SimConnectConnection::QueueForSending(SimConnectPacket* packet) {
    if (!IsConnected()) {
        packet->Release();
        return;
    }
    Locked lock(connectionLock);
    {
        Locked queueLock(sendQueueLock);
        sendQueue.Push(packet);
    }
    TrySend(false);
}

void SimConnectConnection::TrySend(bool forced) {
    if (!IsConnected() || (!forced && sendInProgress)) {
        return;
    }
    sendBuffer.reset();
    sendLength = 0;
    SimConnectPacket* packet;
    {
        Locked queueLock(sendQueueLock);
        packet = sendQueue.Pop();
    }
    if (packet == nullptr) {
        sendInProgress = false;
        return;
    }
    sendLength = packet->Size();
    sendBuffer = packet->TakeData();
    packet->Release();

    AddRef();
    sendInProgress = true;
    writesStarted.fetch_add(1);
    ResetOverlapped(sendRecord.overlapped);
    DWORD failure = 0;
    if (kind == ConnectionKind::Socket) {
        WSABUF buffer{sendLength, reinterpret_cast<char*>(sendBuffer.get())};
        if (WSASend(SOCKET(handle), &buffer, 1, nullptr, 0, &sendRecord.overlapped, nullptr) != 0 &&
            WSAGetLastError() != WSA_IO_PENDING) {
            failure = DWORD(WSAGetLastError());
        }
    } else if (!WriteFile(reinterpret_cast<HANDLE>(handle), sendBuffer.get(), sendLength, nullptr,
                          &sendRecord.overlapped) &&
               GetLastError() != ERROR_IO_PENDING) {
        failure = GetLastError();
    }
    if (failure != 0) {
        Complete(sendRecord, StatusFromSystemError(failure), 0);
    }
}

void SimConnectConnection::PostRead() {
    Locked lock(connectionLock);
    if (!IsConnected()) {
        return;
    }
    if (extractor.WriteSpaceSize() == 0) {
        // Only when not even the first receive buffer could be allocated.
        CloseConnection(true, kOutOfMemory);
        return;
    }
    AddRef();
    ResetOverlapped(receiveRecord.overlapped);
    DWORD failure = 0;
    if (kind == ConnectionKind::Socket) {
        WSABUF buffer{extractor.WriteSpaceSize(), reinterpret_cast<char*>(extractor.WriteSpace())};
        DWORD flags = 0;
        if (WSARecv(SOCKET(handle), &buffer, 1, nullptr, &flags, &receiveRecord.overlapped,
                    nullptr) != 0 &&
            WSAGetLastError() != WSA_IO_PENDING) {
            failure = DWORD(WSAGetLastError());
        }
    } else if (!ReadFile(reinterpret_cast<HANDLE>(handle), extractor.WriteSpace(),
                         extractor.WriteSpaceSize(), nullptr, &receiveRecord.overlapped) &&
               GetLastError() != ERROR_IO_PENDING) {
        failure = GetLastError();
    }
    if (failure != 0) {
        Complete(receiveRecord, StatusFromSystemError(failure), 0);
    }
}

void CALLBACK SimConnectConnection::OnIoCompleted(DWORD error, DWORD, OVERLAPPED* overlapped) {
    auto* record = reinterpret_cast<IoRecord*>(overlapped);
    // The record holds the completion's NTSTATUS and byte count; the callback's
    // own arguments are the Win32 translation (and no count for a partial read).
    uint32_t status = uint32_t(overlapped->Internal);
    if (status == 0 && error != 0) {
        status = StatusFromSystemError(error);
    }
    const uint32_t bytes =
        status == 0 || status == kStatusBufferOverflow ? uint32_t(overlapped->InternalHigh) : 0;
    record->connection->Complete(*record, status, bytes);
}

void SimConnectConnection::Complete(IoRecord& record, uint32_t status, uint32_t bytes) {
    if (state.load() == ConnectionState::Closed) {
        Release();
        return;
    }
    if (status == kStatusBufferOverflow && kind == ConnectionKind::Pipe) {
        status = 0;  // the pipe delivered part of a longer message
    }
    if (status != 0) {
        CloseConnection(true, int32_t(status));
    } else if (bytes == 0) {
        CloseConnection(true, int32_t(kStatusGracefulDisconnect));
    } else if (record.direction == IoDirection::Send) {
        Locked lock(connectionLock);
        TrySend(true);
    } else {
        CompleteRead(bytes);
    }
    Release();
}

void SimConnectConnection::CompleteRead(uint32_t bytes) {
    OnRawReceive(extractor.WriteSpace(), bytes);
    extractor.CommitReceived(bytes);
    ExtractReport report;
    while ((report = extractor.Extract()) == ExtractReport::Message) {
        OnMessageReceived();
    }
    switch (report) {
        case ExtractReport::NeedMoreData:
            PostRead();
            break;
        case ExtractReport::NoMemory:
            CloseConnection(true, kOutOfMemory);
            break;
        default:  // too large, or a size field of 1 to 3
            CloseConnection(true, kMessageRefused);
            break;
    }
    bytesReceived.fetch_add(bytes);
}

void SimConnectConnection::EmptySendQueue() {
    Locked queueLock(sendQueueLock);
    while (SimConnectPacket* packet = sendQueue.Pop()) {
        packet->Release();
    }
}

}  // namespace ulvo::simconnect
