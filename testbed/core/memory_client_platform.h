// The SimConnect client's platform in memory, for native tests and fuzzers.
//
// Pipes and sockets are server ends in memory: the test sees every write the
// client started, delivers bytes to the reads the client posts (cut into reads
// of any size), fails reads and starts, and sees when the client closed its end.
// Completions (writes in full, deliveries, what a closed end still had
// outstanding) go to a CompletionRunner: without threads they run on the test's
// thread whenever it delivers, fails a read or runs them, and during every wait
// of the client (as the system's pool would run them meanwhile); with threads
// they run there at random moments, and those test calls wait until all is done.
// The simulator window hands channel records to a HostChannel. Notifications and
// waits are recorded.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <set>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "core/completion_runner.h"
#include "core/host_channel.h"
#include "core/memory_configuration.h"
#include "simconnect/client_platform.h"
#include "simconnect/simconnect_connection.h"

namespace ulvo::testbed {

class MemoryClientPlatform;

// The server's end of one connection.
class MemoryServerEnd {
  public:
    using Bytes = std::vector<uint8_t>;

    MemoryServerEnd(MemoryClientPlatform& platform, simconnect::SimConnectConnection& connection,
                    simconnect::ConnectionKind connectionKind, int addressFamily);

    // Delivers `bytes` to the client's reads, at most `chunk` bytes per read,
    // each read completing with `status`. Returns how many bytes were delivered:
    // all of them, unless the client stopped reading (closed, gone, or a read
    // start failed).
    size_t Deliver(std::span<const uint8_t> bytes, size_t chunk = SIZE_MAX, uint32_t status = 0);
    // Completes the outstanding read with `status` and no bytes (status 0: the
    // peer closed). False when no read is outstanding.
    bool FailRead(uint32_t status);

    bool ReadPending();

    // Every write the client started, in order.
    std::vector<Bytes> writes;
    bool noDelay = false;  // asked for when the connection was established
    // The next start fails at once with this status (0: it starts).
    uint32_t failNextWrite = 0;
    uint32_t failNextRead = 0;

  private:
    friend class MemoryTransport;
    friend class MemoryClientPlatform;

    // The completions the runner runs; each looks at the end when it runs.
    void CompleteNextRead();
    void CompleteReadWith(uint32_t status);  // no bytes
    void CompleteWrite();
    // Operations still outstanding after the client closed end with this status.
    void CompleteAborted();
    // Posts what is due now: a read with bytes waiting, a write, an abort.
    void PostDue();

    MemoryClientPlatform& platform;
    simconnect::SimConnectConnection* client;  // null once the connection is destroyed
    simconnect::ConnectionKind kind;
    int family;
    bool closed = false;
    uint8_t* readSpace = nullptr;
    uint32_t readCapacity = 0;
    uint32_t writeLength = 0;
    // Bytes on their way to the client's reads.
    Bytes incoming;
    size_t incomingRead = 0;
    size_t incomingChunk = SIZE_MAX;
    uint32_t incomingStatus = 0;
};

class MemoryClientPlatform final : public simconnect::ClientPlatform {
  public:
    // `completionThreads` 0: completions run on the test's thread.
    explicit MemoryClientPlatform(unsigned completionThreads = 0) : runner(completionThreads) {}

    simconnect::ConfigurationSource& Configuration() override { return configuration; }
    std::unique_ptr<simconnect::Transport> OpenPipe(
        const std::wstring& path, simconnect::SimConnectConnection& connection) override;
    bool StartSockets() override { return socketsStart; }
    void StopSockets() override { ++socketStops; }
    std::unique_ptr<simconnect::Transport> OpenSocket(
        simconnect::IpFamily family, const std::wstring& address, const std::wstring& port,
        simconnect::SimConnectConnection& connection) override;
    void PostUserMessage(uintptr_t window, uint32_t message) override;
    void SignalEvent(uintptr_t event) override;
    uintptr_t FindSimulatorWindow() override { return simulatorWindow; }
    bool WindowInThisProcess(uintptr_t) override { return windowInThisProcess; }
    void SendChannelRecord(uintptr_t window, uint8_t* record) override;
    void Sleep(uint32_t milliseconds) override;

    // Runs every completion due: writes in full, and what a closed end still
    // had outstanding; writes and aborts wait while `holdCompletions` is set.
    void RunCompletions();
    bool holdCompletions = false;
    // The first write or read start of every new end fails with this status.
    uint32_t failFirstWrite = 0;
    uint32_t failFirstRead = 0;
    // Bytes every new end has ready for the client's first reads.
    std::vector<uint8_t> greeting;

    // The end of the connection opened last, and of every one so far.
    MemoryServerEnd& LastEnd() { return *ends.back(); }
    std::vector<std::shared_ptr<MemoryServerEnd>> ends;

    MemoryConfiguration configuration;
    // No pipe, only the simulator's socket on the IPv6 loopback at its registry
    // port: the second attempt of the default chain connects.
    void ServeSocketOnly() {
        pipes.clear();
        configuration.portIPv6 = L"500";
        sockets = {L"::1 500"};
    }

    // The pipes that accept a client, by path; the simulator's default pipe.
    std::set<std::wstring> pipes{L"\\\\.\\pipe\\Lockheed Martin Prepar3D v4\\SimConnect"};
    // The sockets that accept a client, as "address port".
    std::set<std::wstring> sockets;
    bool socketsStart = true;
    int socketStops = 0;

    std::vector<std::pair<uintptr_t, uint32_t>> posts;
    std::vector<uintptr_t> signals;
    std::vector<uint32_t> sleeps;

    uintptr_t simulatorWindow = 0;  // none
    bool windowInThisProcess = true;
    HostChannel* host = nullptr;  // answers the records sent to the simulator window

  private:
    friend class MemoryServerEnd;
    friend class MemoryTransport;

    std::unique_ptr<simconnect::Transport> Open(simconnect::SimConnectConnection& connection,
                                                simconnect::ConnectionKind kind, int family);

    // Guards the ends, the notifications and `holdCompletions` once completions
    // run on other threads. Never held while the client runs a completion.
    std::mutex mutex;
    CompletionRunner runner;  // last: its threads end before the rest goes
};

}  // namespace ulvo::testbed
