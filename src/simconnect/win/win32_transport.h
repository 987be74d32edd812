// A connected named pipe or TCP socket with overlapped I/O. Completions arrive on
// system thread-pool threads through BindIoCompletionCallback and go on to the
// connection. Each direction owns its OVERLAPPED record, which points back to
// the connection; for a pipe each record has its own manual-reset event.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "simconnect/simconnect_connection.h"

namespace ulvo::simconnect {

class Win32Transport final : public Transport {
  public:
    Win32Transport(SimConnectConnection& connection, ConnectionKind kind, uintptr_t handle,
                   int family);
    ~Win32Transport() override;

    ConnectionKind Kind() const override { return kind; }
    int AddressFamily() const override { return family; }
    uintptr_t Handle() const override { return handle; }
    void Prepare(bool disableNagle) override;
    uint32_t StartWrite(const uint8_t* data, uint32_t length) override;
    uint32_t StartRead(uint8_t* space, uint32_t capacity) override;
    void Close() override;

    // The callback bound to every pipe and socket of the client.
    static void CALLBACK OnIoCompleted(DWORD error, DWORD bytes, OVERLAPPED* overlapped);

  private:
    struct IoRecord {
        OVERLAPPED overlapped;  // first: the completion hands back this address
        SimConnectConnection* connection;
        IoDirection direction;
    };

    ConnectionKind kind;
    uintptr_t handle;  // socket or pipe handle; kNoTransport when closed
    int family;
    IoRecord receiveRecord{};
    IoRecord sendRecord{};
};

// Opens the pipe at `path` for overlapped I/O, waiting up to 5 s each time it
// is busy, and binds it to the completion callback. `busyWaits` counts the waits.
std::unique_ptr<Transport> OpenPipeTransport(const std::wstring& path,
                                             SimConnectConnection& connection,
                                             std::atomic<uint32_t>& busyWaits);
// Resolves address and port, connects a socket to the first result and binds it.
std::unique_ptr<Transport> OpenSocketTransport(const std::wstring& address,
                                               const std::wstring& port,
                                               SimConnectConnection& connection);

}  // namespace ulvo::simconnect
