// One client connection of the testbed's SimConnect server, over a named pipe or
// a TCP socket. A reader thread records every message the client sends, cut by
// its size prefix, in order; the server answers an open and closes the connection.
#pragma once

#include <windows.h>
#include <winsock2.h>

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace ulvo::testbed {

using Bytes = std::vector<uint8_t>;

class ServerConnection {
  public:
    // Where a connection reports: `changed` is notified (under `mutex`) whenever a
    // message arrives or the connection ends; `onMessage` then sees each message
    // on the reader thread, outside the mutex.
    struct Observer {
        std::mutex& mutex;
        std::condition_variable& changed;
        std::function<void(ServerConnection&, const Bytes&)> onMessage;
    };

    // Takes over a connected pipe instance (opened for overlapped I/O) or socket.
    static ServerConnection* ForPipe(HANDLE pipe, Observer observer);
    static ServerConnection* ForSocket(SOCKET socket, Observer observer);
    ~ServerConnection();
    ServerConnection(const ServerConnection&) = delete;
    ServerConnection& operator=(const ServerConnection&) = delete;

    // One write of all the bytes on a pipe (the server replies only to the open on
    // the pipe); false on a socket or when the connection is gone.
    bool Send(const Bytes& bytes);
    // Closes the server's end: the pipe handle, or a graceful shutdown of the socket.
    void Close();

    // Under the server's mutex.
    const std::vector<Bytes>& Messages() const { return messages; }
    bool Ended() const { return ended; }
    bool IsPipe() const { return isPipe; }

  private:
    ServerConnection(HANDLE pipeHandle, SOCKET socketHandle, Observer observer);
    void ReadPipe();
    void ReadSocket();
    void Received(const uint8_t* bytes, size_t count);
    void End();

    const bool isPipe;
    HANDLE pipe;  // the pipe instance; closed (null) once the server closed its end
    SOCKET socket;
    Observer observer;
    HANDLE closeEvent;
    std::mutex writeMutex;
    Bytes pending;
    std::vector<Bytes> messages;
    bool ended = false;
    bool closed = false;
    std::thread reader;
};

}  // namespace ulvo::testbed
