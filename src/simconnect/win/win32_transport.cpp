#include <winsock2.h>
#include <ws2tcpip.h>

#include "simconnect/win/win32_transport.h"

#include <new>

#include "simconnect/status_codes.h"

namespace ulvo::simconnect {

namespace {

constexpr uintptr_t kNoTransport = ~uintptr_t(0);
constexpr DWORD kBusyPipeWaitMs = 5000;

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

// The transport over a handle that is connected and bound; without memory for
// it the handle is closed again.
std::unique_ptr<Transport> Wrap(SimConnectConnection& connection, ConnectionKind kind,
                                uintptr_t handle, int family) {
    std::unique_ptr<Transport> transport(new (std::nothrow)
                                             Win32Transport(connection, kind, handle, family));
    if (!transport) {
        Win32Transport(connection, kind, handle, family).Close();
    }
    return transport;
}

}  // namespace

Win32Transport::Win32Transport(SimConnectConnection& connection, ConnectionKind connectionKind,
                               uintptr_t transport, int addressFamily)
    : kind(connectionKind), handle(transport), family(addressFamily) {
    receiveRecord.connection = &connection;
    receiveRecord.direction = IoDirection::Receive;
    sendRecord.connection = &connection;
    sendRecord.direction = IoDirection::Send;
}

Win32Transport::~Win32Transport() {
    Close();
    CloseEvent(receiveRecord.overlapped);
    CloseEvent(sendRecord.overlapped);
}

void Win32Transport::Prepare(bool disableNagle) {
    // A record left without its event still completes through the callback: the
    // event only marks the operation done, and nothing here waits on it. A DLL
    // in the simulator's process has no console to report the failure to.
    if (kind == ConnectionKind::Pipe) {
        for (IoRecord* record : {&receiveRecord, &sendRecord}) {
            CloseEvent(record->overlapped);
            record->overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        }
    }
    if (kind == ConnectionKind::Socket && disableNagle) {
        const BOOL on = TRUE;
        setsockopt(SOCKET(handle), IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on),
                   sizeof on);
    }
}

void Win32Transport::Close() {
    if (handle == kNoTransport) {
        return;
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

uint32_t Win32Transport::StartWrite(const uint8_t* data, uint32_t length) {
    ResetOverlapped(sendRecord.overlapped);
    DWORD failure = 0;
    if (kind == ConnectionKind::Socket) {
        WSABUF buffer{length, reinterpret_cast<char*>(const_cast<uint8_t*>(data))};
        if (WSASend(SOCKET(handle), &buffer, 1, nullptr, 0, &sendRecord.overlapped, nullptr) != 0 &&
            WSAGetLastError() != WSA_IO_PENDING) {
            failure = DWORD(WSAGetLastError());
        }
    } else if (!WriteFile(reinterpret_cast<HANDLE>(handle), data, length, nullptr,
                          &sendRecord.overlapped) &&
               GetLastError() != ERROR_IO_PENDING) {
        failure = GetLastError();
    }
    return failure != 0 ? StatusFromSystemError(failure) : 0;
}

uint32_t Win32Transport::StartRead(uint8_t* space, uint32_t capacity) {
    ResetOverlapped(receiveRecord.overlapped);
    DWORD failure = 0;
    if (kind == ConnectionKind::Socket) {
        WSABUF buffer{capacity, reinterpret_cast<char*>(space)};
        DWORD flags = 0;
        if (WSARecv(SOCKET(handle), &buffer, 1, nullptr, &flags, &receiveRecord.overlapped,
                    nullptr) != 0 &&
            WSAGetLastError() != WSA_IO_PENDING) {
            failure = DWORD(WSAGetLastError());
        }
    } else if (!ReadFile(reinterpret_cast<HANDLE>(handle), space, capacity, nullptr,
                         &receiveRecord.overlapped) &&
               GetLastError() != ERROR_IO_PENDING) {
        failure = GetLastError();
    }
    return failure != 0 ? StatusFromSystemError(failure) : 0;
}

void CALLBACK Win32Transport::OnIoCompleted(DWORD error, DWORD, OVERLAPPED* overlapped) {
    auto* record = reinterpret_cast<IoRecord*>(overlapped);
    // The record holds the completion's NTSTATUS and byte count; the callback's
    // own arguments are the Win32 translation (and no count for a partial read).
    uint32_t status = uint32_t(overlapped->Internal);
    if (status == 0 && error != 0) {
        status = StatusFromSystemError(error);
    }
    const uint32_t bytes =
        status == 0 || status == kStatusBufferOverflow ? uint32_t(overlapped->InternalHigh) : 0;
    record->connection->Complete(record->direction, status, bytes);
}

std::unique_ptr<Transport> OpenPipeTransport(const std::wstring& path,
                                             SimConnectConnection& connection,
                                             std::atomic<uint32_t>& busyWaits) {
    for (;;) {
        const HANDLE pipe = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
        if (pipe != INVALID_HANDLE_VALUE) {
            if (!BindIoCompletionCallback(pipe, &Win32Transport::OnIoCompleted, 0)) {
                CloseHandle(pipe);
                return nullptr;
            }
            return Wrap(connection, ConnectionKind::Pipe, reinterpret_cast<uintptr_t>(pipe), 0);
        }
        if (GetLastError() != ERROR_PIPE_BUSY) {
            return nullptr;
        }
        busyWaits.fetch_add(1);
        if (!WaitNamedPipeW(path.c_str(), kBusyPipeWaitMs)) {
            return nullptr;
        }
    }
}

std::unique_ptr<Transport> OpenSocketTransport(const std::wstring& address,
                                               const std::wstring& port,
                                               SimConnectConnection& connection) {
    ADDRINFOW hints = {};
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    ADDRINFOW* resolved = nullptr;
    if (GetAddrInfoW(address.c_str(), port.c_str(), &hints, &resolved) != 0 ||
        resolved == nullptr) {
        return nullptr;
    }
    const int family = resolved->ai_family;
    const SOCKET socket =
        ::socket(resolved->ai_family, resolved->ai_socktype, resolved->ai_protocol);
    const bool connected = socket != INVALID_SOCKET &&
                           connect(socket, resolved->ai_addr, int(resolved->ai_addrlen)) == 0 &&
                           BindIoCompletionCallback(reinterpret_cast<HANDLE>(socket),
                                                    &Win32Transport::OnIoCompleted, 0);
    FreeAddrInfoW(resolved);
    if (!connected) {
        if (socket != INVALID_SOCKET) {
            closesocket(socket);
        }
        return nullptr;
    }
    return Wrap(connection, ConnectionKind::Socket, uintptr_t(socket), family);
}

}  // namespace ulvo::simconnect
