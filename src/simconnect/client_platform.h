// What the SimConnect client needs of the operating system, as two seams.
//
// A Transport is one connected named pipe or TCP socket with overlapped reads
// and writes. Each started read or write ends in exactly one completion, which
// the system side hands to SimConnectConnection::Complete on whatever thread it
// arrives (on Windows, a thread of the system's pool).
//
// The ClientPlatform opens transports and does the rest that only the system can
// do: SimConnect.cfg and the registry, the socket library, posting the user
// message and signalling the user event, the simulator window of the in-process
// channel, and waits. The Win32 edge implements both seams; native tests and
// fuzzers use in-memory ones (testbed/core/memory_client_platform.h).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "simconnect/connection_settings.h"

namespace ulvo::simconnect {

class SimConnectConnection;

enum class ConnectionKind : uint32_t { Socket = 0, Pipe = 1 };

class Transport {
  public:
    virtual ~Transport() = default;

    virtual ConnectionKind Kind() const = 0;
    // The family of a socket's resolved address; 0 for a pipe.
    virtual int AddressFamily() const = 0;
    // The pipe or socket handle, for tests.
    virtual uintptr_t Handle() const = 0;

    // Readies a connection being established: a pipe's two events, a socket's
    // no-delay option when `disableNagle` is set.
    virtual void Prepare(bool disableNagle) = 0;
    // Start one write of `length` bytes (valid until its completion), or one read
    // of up to `capacity` bytes into `space`. 0 when the operation started (it
    // ends in one completion); otherwise the status the failure stands for, and
    // no completion follows.
    virtual uint32_t StartWrite(const uint8_t* data, uint32_t length) = 0;
    virtual uint32_t StartRead(uint8_t* space, uint32_t capacity) = 0;
    // Closes the pipe or socket. Operations still outstanding complete later.
    virtual void Close() = 0;
};

class ClientPlatform {
  public:
    // SimConnect.cfg in its three folders, and the simulator's registry ports.
    virtual ConfigurationSource& Configuration() = 0;

    // Opens the pipe at `path` (waiting while it is busy) and binds it to the
    // completions of `connection`; null when that fails.
    virtual std::unique_ptr<Transport> OpenPipe(const std::wstring& path,
                                                SimConnectConnection& connection) = 0;
    // Starts and stops the socket library.
    virtual bool StartSockets() = 0;
    virtual void StopSockets() = 0;
    // Resolves `address` and `port`, connects to the first result and binds the
    // socket to the completions of `connection`; null when any step fails.
    virtual std::unique_ptr<Transport> OpenSocket(IpFamily family, const std::wstring& address,
                                                  const std::wstring& port,
                                                  SimConnectConnection& connection) = 0;

    // Posts `message` to `window` with both parameters 0.
    virtual void PostUserMessage(uintptr_t window, uint32_t message) = 0;
    virtual void SignalEvent(uintptr_t event) = 0;

    // The simulator window ("FS98MAIN"), or 0.
    virtual uintptr_t FindSimulatorWindow() = 0;
    virtual bool WindowInThisProcess(uintptr_t window) = 0;
    // Sends a record of the in-process channel to the simulator window and
    // returns once the simulator has handled it.
    virtual void SendChannelRecord(uintptr_t window, uint8_t* record) = 0;

    virtual void Sleep(uint32_t milliseconds) = 0;

  protected:
    ~ClientPlatform() = default;
};

}  // namespace ulvo::simconnect
