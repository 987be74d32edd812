#include "win/simconnect_server.h"

#include <ws2tcpip.h>

#include <string>

#include "common/little_endian.h"
#include "core/simconnect_server_messages.h"

namespace ulvo::testbed {

namespace {

constexpr wchar_t kPipeName[] = L"\\\\.\\pipe\\Lockheed Martin Prepar3D v4\\SimConnect";
constexpr wchar_t kRegistryKey[] = L"SOFTWARE\\Lockheed Martin\\Prepar3D v4";
constexpr wchar_t kPortValueIPv4[] = L"SimConnect_Port_IPv4";
constexpr wchar_t kPortValueIPv6[] = L"SimConnect_Port_IPv6";
constexpr DWORD kPipeBufferSize = 65536;
constexpr uint32_t kOpenMessageId = 0xF0000001;

SOCKET Listen(int family, uint16_t& port) {
    const SOCKET listener = socket(family, SOCK_STREAM, IPPROTO_TCP);
    if (listener == INVALID_SOCKET) {
        return INVALID_SOCKET;
    }
    sockaddr_storage address = {};
    int length;
    if (family == AF_INET) {
        auto* v4 = reinterpret_cast<sockaddr_in*>(&address);
        v4->sin_family = AF_INET;
        v4->sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        length = sizeof(sockaddr_in);
    } else {
        auto* v6 = reinterpret_cast<sockaddr_in6*>(&address);
        v6->sin6_family = AF_INET6;
        v6->sin6_addr = in6addr_loopback;
        length = sizeof(sockaddr_in6);
    }
    if (bind(listener, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        listen(listener, SOMAXCONN) != 0 ||
        getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        closesocket(listener);
        return INVALID_SOCKET;
    }
    port = ntohs(family == AF_INET ? reinterpret_cast<sockaddr_in*>(&address)->sin_port
                                   : reinterpret_cast<sockaddr_in6*>(&address)->sin6_port);
    return listener;
}

void SetPortValue(HKEY key, const wchar_t* name, uint16_t port) {
    const std::wstring text = std::to_wstring(port);
    RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   DWORD((text.size() + 1) * sizeof(wchar_t)));
}

}  // namespace

SimConnectServer::SimConnectServer(Options serverOptions)
    : options(serverOptions), stopEvent(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    if (options.tcp) {
        StartListening();
        WritePortsToRegistry();
        socketAcceptor = std::thread([this] { AcceptSockets(); });
    }
    if (options.pipe) {
        // The first instance exists before the constructor returns, so a client
        // started right after finds the pipe.
        const HANDLE first = CreateInstance();
        if (first != nullptr) {
            pipeAcceptor = std::thread([this, first] { AcceptPipes(first); });
        }
    }
}

SimConnectServer::~SimConnectServer() {
    stopping = true;
    SetEvent(stopEvent);
    if (pipeAcceptor.joinable()) {
        pipeAcceptor.join();
    }
    if (socketAcceptor.joinable()) {
        socketAcceptor.join();
    }
    for (SOCKET listener : {listenIPv4, listenIPv6}) {
        if (listener != INVALID_SOCKET) {
            closesocket(listener);
        }
    }
    connections.clear();
    if (socketsStarted) {
        WSACleanup();
    }
    if (wroteRegistry) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kRegistryKey, 0, KEY_SET_VALUE, &key) ==
            ERROR_SUCCESS) {
            RegDeleteValueW(key, kPortValueIPv4);
            RegDeleteValueW(key, kPortValueIPv6);
            RegCloseKey(key);
        }
    }
    CloseHandle(stopEvent);
}

void SimConnectServer::StartListening() {
    WSADATA data;
    socketsStarted = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    listenIPv4 = Listen(AF_INET, portIPv4);
    listenIPv6 = Listen(AF_INET6, portIPv6);
}

void SimConnectServer::WritePortsToRegistry() {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kRegistryKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS) {
        return;
    }
    if (listenIPv4 != INVALID_SOCKET) {
        SetPortValue(key, kPortValueIPv4, portIPv4);
    }
    if (listenIPv6 != INVALID_SOCKET) {
        SetPortValue(key, kPortValueIPv6, portIPv6);
    }
    RegCloseKey(key);
    wroteRegistry = true;
}

ServerConnection::Observer SimConnectServer::Observer() {
    ServerConnection::Observer observer{mutex, changed, nullptr};
    if (options.openReplyCookie != 0) {
        const uint32_t cookie = options.openReplyCookie;
        observer.onMessage = [cookie](ServerConnection& connection, const Bytes& message) {
            if (message.size() >= 12 && LoadU32(message.data() + 8) == kOpenMessageId) {
                connection.Send(OpenReply(cookie));
            }
        };
    }
    return observer;
}

HANDLE SimConnectServer::CreateInstance() {
    const HANDLE instance =
        CreateNamedPipeW(kPipeName, PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED,
                         PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT, PIPE_UNLIMITED_INSTANCES,
                         kPipeBufferSize, kPipeBufferSize, 0, nullptr);
    return instance == INVALID_HANDLE_VALUE ? nullptr : instance;
}

void SimConnectServer::AcceptPipes(HANDLE instance) {
    OVERLAPPED overlapped = {};
    overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    for (; instance != nullptr && !stopping; instance = CreateInstance()) {
        ResetEvent(overlapped.hEvent);
        bool connected = ConnectNamedPipe(instance, &overlapped) != 0;
        const DWORD error = connected ? 0 : GetLastError();
        connected = connected || error == ERROR_PIPE_CONNECTED;
        if (error == ERROR_IO_PENDING) {
            const HANDLE waits[] = {overlapped.hEvent, stopEvent};
            DWORD ignored = 0;
            if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0) {
                connected = GetOverlappedResult(instance, &overlapped, &ignored, FALSE) != 0;
            } else {
                CancelIoEx(instance, &overlapped);
                GetOverlappedResult(instance, &overlapped, &ignored, TRUE);
            }
        }
        if (!connected) {
            CloseHandle(instance);
            continue;
        }
        Add(ServerConnection::ForPipe(instance, Observer()));
    }
    if (instance != nullptr) {
        CloseHandle(instance);
    }
    CloseHandle(overlapped.hEvent);
}

void SimConnectServer::AcceptSockets() {
    while (!stopping) {
        fd_set ready;
        FD_ZERO(&ready);
        for (SOCKET listener : {listenIPv4, listenIPv6}) {
            if (listener != INVALID_SOCKET) {
                FD_SET(listener, &ready);
            }
        }
        if (ready.fd_count == 0) {
            return;
        }
        timeval tick{0, 50000};  // look at the stop flag now and then
        if (select(0, &ready, nullptr, nullptr, &tick) <= 0) {
            continue;
        }
        for (u_int i = 0; i < ready.fd_count; ++i) {
            const SOCKET accepted = accept(ready.fd_array[i], nullptr, nullptr);
            if (accepted != INVALID_SOCKET) {
                Add(ServerConnection::ForSocket(accepted, Observer()));
            }
        }
    }
}

void SimConnectServer::Add(ServerConnection* connection) {
    std::lock_guard<std::mutex> lock(mutex);
    connections.emplace_back(connection);
    changed.notify_all();
}

ServerConnection* SimConnectServer::At(size_t connection) {
    std::lock_guard<std::mutex> lock(mutex);
    return connection < connections.size() ? connections[connection].get() : nullptr;
}

bool SimConnectServer::WaitUntil(std::chrono::milliseconds timeout,
                                 const std::function<bool()>& done) {
    std::unique_lock<std::mutex> lock(mutex);
    return changed.wait_for(lock, timeout, done);
}

bool SimConnectServer::WaitForMessages(size_t connection, size_t count,
                                       std::chrono::milliseconds timeout) {
    return WaitUntil(timeout, [&] {
        return connection < connections.size() && connections[connection] != nullptr &&
               connections[connection]->Messages().size() >= count;
    });
}

bool SimConnectServer::WaitForEnd(size_t connection, std::chrono::milliseconds timeout) {
    return WaitUntil(timeout, [&] {
        // A released connection had ended.
        return connection < connections.size() &&
               (connections[connection] == nullptr || connections[connection]->Ended());
    });
}

size_t SimConnectServer::ReleaseEnded() {
    std::vector<std::unique_ptr<ServerConnection>> ended;
    {
        std::lock_guard<std::mutex> lock(mutex);
        for (std::unique_ptr<ServerConnection>& connection : connections) {
            if (connection != nullptr && connection->Ended()) {
                ended.push_back(std::move(connection));
            }
        }
    }
    // Destroyed here, outside the lock: each joins its reader thread, which takes
    // the lock to report its end.
    return ended.size();
}

size_t SimConnectServer::ConnectionCount() {
    std::lock_guard<std::mutex> lock(mutex);
    return connections.size();
}

std::vector<Bytes> SimConnectServer::Messages(size_t connection) {
    std::lock_guard<std::mutex> lock(mutex);
    return connection < connections.size() && connections[connection] != nullptr
               ? connections[connection]->Messages()
               : std::vector<Bytes>{};
}

std::vector<SimConnectServer::Sent> SimConnectServer::MessagesSince(std::vector<size_t>& seen) {
    std::vector<Sent> fresh;
    seen.resize(std::max(seen.size(), ConnectionCount()), 0);
    for (size_t connection = 0; connection < seen.size(); ++connection) {
        const std::vector<Bytes> messages = Messages(connection);
        for (; seen[connection] < messages.size(); ++seen[connection]) {
            fresh.push_back({connection, seen[connection], messages[seen[connection]]});
        }
    }
    return fresh;
}

bool SimConnectServer::IsPipe(size_t connection) {
    ServerConnection* found = At(connection);
    return found != nullptr && found->IsPipe();
}

void SimConnectServer::Close(size_t connection) {
    if (ServerConnection* found = At(connection)) {
        found->Close();
    }
}

}  // namespace ulvo::testbed
