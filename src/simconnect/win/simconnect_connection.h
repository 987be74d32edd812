// SimConnectConnection: one connected transport (named pipe or TCP socket) with
// overlapped I/O. Completions arrive on system thread-pool threads through
// BindIoCompletionCallback. Outgoing packets wait in a send queue with one write
// outstanding; incoming bytes are read into the receive buffer, one read
// outstanding, and cut into messages by their size prefix.
//
// Each direction owns its OVERLAPPED record, which points back to the connection.
// Each outstanding read or write holds a reference; the creator holds the first.
// Every outcome of an I/O start (pending, done at once, failed at once) ends in
// the same completion path exactly once: a start that succeeds or pends posts a
// completion, and one that fails posts none, so the starter hands the failure to
// that path itself.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>

#include "simconnect/connection_settings.h"
#include "simconnect/receive_extractor.h"
#include "simconnect/simconnect_packet.h"
#include "simconnect/win/critical_section.h"

namespace ulvo::simconnect {

enum class ConnectionKind : uint32_t { Socket = 0, Pipe = 1 };
enum class ConnectionState : uint32_t { Closed = 0, Connected = 2 };
enum class IoDirection : uint32_t { Receive = 0, Send = 1 };

class SimConnectConnection;

struct IoRecord {
    OVERLAPPED overlapped;  // first: the completion hands back this address
    SimConnectConnection* connection;
    IoDirection direction;
};

class SimConnectConnection {
  public:
    SimConnectConnection();
    virtual ~SimConnectConnection();
    SimConnectConnection(const SimConnectConnection&) = delete;
    SimConnectConnection& operator=(const SimConnectConnection&) = delete;

    // Resets the connection (empty send side, new serial, receive positions at the
    // start), creates the pipe events, applies DisableNagle and marks it connected.
    virtual void OnEstablished();
    // Marks the connection closed and closes its handle. A reporting close records
    // `code` as the close code that later calls return.
    virtual void CloseConnection(bool report, int32_t code);
    // Takes the message extracted into the holder.
    virtual void OnMessageReceived();
    // Called with every read's bytes before extraction; nothing by default.
    virtual void OnRawReceive(const uint8_t* bytes, uint32_t count);

    // Takes over a connected pipe or socket already bound to OnIoCompleted, with
    // the settings of the connection step, and starts the first read.
    void Establish(ConnectionKind connectionKind, uintptr_t transport, int addressFamily,
                   const ConnectionSettings& settings);

    // Hands a packet to the transport (taking over the caller's reference); a
    // packet for a connection that is not connected is dropped.
    void QueueForSending(SimConnectPacket* packet);

    void AddRef() { refCount.fetch_add(1, std::memory_order_relaxed); }
    // Destroys the object at the last reference.
    void Release();

    // The callback bound to every pipe and socket of the client.
    static void CALLBACK OnIoCompleted(DWORD error, DWORD bytes, OVERLAPPED* overlapped);

    ConnectionKind Kind() const { return kind; }
    uintptr_t Transport() const { return handle; }
    bool IsConnected() const { return state.load() == ConnectionState::Connected; }
    uint32_t Serial() const { return serial.load(); }
    bool ClosedWithError() const { return closedWithError.load(); }
    int32_t CloseCode() const { return closeCode.load(); }
    uint32_t MaxReceiveSize() const { return maxReceiveSize; }
    bool DisableNagle() const { return disableNagle; }
    int AddressFamily() const { return family; }
    // For tests: writes started and bytes received so far.
    uint32_t WritesStarted() const { return writesStarted.load(); }
    uint64_t BytesReceived() const { return bytesReceived.load(); }

    // Empties the send queue, frees the send buffer unless a write is in flight,
    // and takes a new serial.
    void ResetTransferState();

  protected:
    // Closes an open transport; true when this call closed it.
    bool CloseTransport(bool report, int32_t code);
    // The extracted message, moved out of the holder.
    OwnedMessage TakeExtractedMessage() { return extractor.TakeMessage(); }

  private:
    void Complete(IoRecord& record, uint32_t status, uint32_t bytes);
    void CompleteRead(uint32_t bytes);
    void PostRead();
    // Starts the next write; unless forced, only when none is in progress. Runs
    // under the connection lock.
    void TrySend(bool forced);
    void EmptySendQueue();

    ConnectionKind kind = ConnectionKind::Socket;
    uintptr_t handle = 0;  // socket or pipe handle; kNoTransport when closed
    std::atomic<ConnectionState> state{ConnectionState::Closed};
    std::atomic<uint32_t> serial{0};
    std::atomic<uint32_t> refCount{1};

    CriticalSection sendQueueLock{100};
    PacketQueue sendQueue;
    bool sendInProgress = false;
    std::unique_ptr<uint8_t[]> sendBuffer;
    uint32_t sendLength = 0;

    ReceiveExtractor extractor;
    IoRecord receiveRecord{};
    IoRecord sendRecord{};

    uint32_t maxReceiveSize = kDefaultMaxReceiveSize;
    bool disableNagle = false;
    int family = 0;

    std::atomic<int32_t> closeCode{0};
    std::atomic<bool> closedWithError{false};
    // Serialises queuing-and-sending against write completions and closes, and
    // every use of the handle against its closing.
    CriticalSection connectionLock{100};

    std::atomic<uint32_t> writesStarted{0};
    std::atomic<uint64_t> bytesReceived{0};
};

}  // namespace ulvo::simconnect
