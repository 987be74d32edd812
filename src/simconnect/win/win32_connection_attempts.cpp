#include <winsock2.h>
#include <ws2tcpip.h>

#include "simconnect/win/win32_connection_attempts.h"

#include "simconnect/win/client_lifetime.h"
#include "simconnect/win/process_state.h"

namespace ulvo::simconnect {

namespace {
constexpr DWORD kBusyPipeWaitMs = 5000;
}  // namespace

bool Win32ConnectionAttempts::BeginAttempt() {
    client = SimConnectClient::Create();
    return client != nullptr;
}

void Win32ConnectionAttempts::AbandonAttempt() {
    DestroyClient(client);
    client = nullptr;
}

bool Win32ConnectionAttempts::ConnectPipe(const std::wstring& path) {
    for (;;) {
        const HANDLE pipe = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
        if (pipe != INVALID_HANDLE_VALUE) {
            if (!BindIoCompletionCallback(pipe, &SimConnectConnection::OnIoCompleted, 0)) {
                CloseHandle(pipe);
                return false;
            }
            client->Establish(ConnectionKind::Pipe, reinterpret_cast<uintptr_t>(pipe), 0, settings);
            return true;
        }
        if (GetLastError() != ERROR_PIPE_BUSY) {
            return false;
        }
        Process().busyPipeWaits.fetch_add(1);
        if (!WaitNamedPipeW(path.c_str(), kBusyPipeWaitMs)) {
            return false;
        }
    }
}

bool Win32ConnectionAttempts::StartSockets() {
    ProcessState& process = Process();
    if (process.socketsStarted.load()) {
        return true;
    }
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 0), &data) != 0) {
        return false;
    }
    process.socketsStarted.store(true);
    return true;
}

// The attempt's family names the step; the address itself decides the family of
// the socket, as the resolver reports it.
bool Win32ConnectionAttempts::ConnectSocket(IpFamily, const std::wstring& address,
                                            const std::wstring& port) {
    ADDRINFOW hints = {};
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    ADDRINFOW* resolved = nullptr;
    if (GetAddrInfoW(address.c_str(), port.c_str(), &hints, &resolved) != 0 ||
        resolved == nullptr) {
        return false;
    }
    const int family = resolved->ai_family;
    const SOCKET socket =
        ::socket(resolved->ai_family, resolved->ai_socktype, resolved->ai_protocol);
    const bool connected = socket != INVALID_SOCKET &&
                           connect(socket, resolved->ai_addr, int(resolved->ai_addrlen)) == 0 &&
                           BindIoCompletionCallback(reinterpret_cast<HANDLE>(socket),
                                                    &SimConnectConnection::OnIoCompleted, 0);
    FreeAddrInfoW(resolved);
    if (!connected) {
        if (socket != INVALID_SOCKET) {
            closesocket(socket);
        }
        return false;
    }
    client->Establish(ConnectionKind::Socket, uintptr_t(socket), family, settings);
    return true;
}

}  // namespace ulvo::simconnect
