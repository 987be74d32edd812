// The testbed's SimConnect server: the simulator's named pipe
// "\\.\pipe\Lockheed Martin Prepar3D v4\SimConnect" and TCP listeners on
// 127.0.0.1 and ::1, whose ports it writes to the registry values clients read
// (HKCU "SOFTWARE\Lockheed Martin\Prepar3D v4", "SimConnect_Port_IPv4/IPv6").
// It records every message each client sends, in order, answers an open with an
// open reply when asked to, and lets a test close a connection.
#pragma once

#include <windows.h>
#include <winsock2.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "win/simconnect_server_connection.h"

namespace ulvo::testbed {

class SimConnectServer {
  public:
    struct Options {
        bool pipe = true;
        bool tcp = true;
        // Non-zero: every open on the pipe is answered with an open reply carrying it.
        uint32_t openReplyCookie = 0;
    };

    explicit SimConnectServer(Options options);
    ~SimConnectServer();  // closes everything and removes the registry values it wrote
    SimConnectServer(const SimConnectServer&) = delete;
    SimConnectServer& operator=(const SimConnectServer&) = delete;

    uint16_t PortIPv4() const { return portIPv4; }

    // Connections are numbered in the order they were accepted. The waits give up
    // after `timeout` (a guard against hanging, not a measurement).
    bool WaitForMessages(size_t connection, size_t count,
                         std::chrono::milliseconds timeout = std::chrono::seconds(5));
    bool WaitForEnd(size_t connection, std::chrono::milliseconds timeout = std::chrono::seconds(5));
    size_t ConnectionCount();
    // Frees the connections whose client has gone: their messages, handles and
    // reader threads. Their numbers stay taken; they read as ended, without
    // messages. For long runs that measure what the plug-in holds; call it while
    // no other thread sends on or closes those connections. Returns how many.
    size_t ReleaseEnded();
    std::vector<Bytes> Messages(size_t connection);
    // The messages that came since `seen` (a count per connection, grown as
    // connections come, and moved on), each with its connection and its place
    // among that connection's messages, from 0.
    struct Sent {
        size_t connection;
        size_t index;
        Bytes message;
    };
    std::vector<Sent> MessagesSince(std::vector<size_t>& seen);
    bool IsPipe(size_t connection);

    void Close(size_t connection);

  private:
    // Creates the next listening pipe instance; null when that fails.
    static HANDLE CreateInstance();
    // Serves pipe clients, starting with an instance created before the thread.
    void AcceptPipes(HANDLE instance);
    void AcceptSockets();
    void Add(ServerConnection* connection);
    ServerConnection* At(size_t connection);
    ServerConnection::Observer Observer();
    void StartListening();
    void WritePortsToRegistry();
    bool WaitUntil(std::chrono::milliseconds timeout, const std::function<bool()>& done);

    Options options;
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::unique_ptr<ServerConnection>> connections;

    HANDLE stopEvent;
    std::atomic<bool> stopping{false};
    SOCKET listenIPv4 = INVALID_SOCKET;
    SOCKET listenIPv6 = INVALID_SOCKET;
    uint16_t portIPv4 = 0;
    uint16_t portIPv6 = 0;
    bool socketsStarted = false;
    bool wroteRegistry = false;
    std::thread pipeAcceptor;
    std::thread socketAcceptor;
};

}  // namespace ulvo::testbed
