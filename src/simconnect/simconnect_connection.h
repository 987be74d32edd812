// SimConnectConnection: one connected transport (named pipe or TCP socket).
// Outgoing packets wait in a send queue with one write outstanding; incoming
// bytes are read into the receive buffer, one read outstanding, and cut into
// messages by their size prefix. The transport does the system's part (starting
// reads and writes, closing); its completions come back through Complete.
//
// Each outstanding read or write holds a reference; the creator holds the first.
// Every I/O start ends in FinishStart once the connection lock is released (a
// start that failed at once drops its reference there, and the connection
// stands: only the peer or a close ends it); a start that succeeded then ends in
// Complete, exactly once, when the transport completes it.
//
// Locks, taken in this order: the process-wide send lock (a flush holds it while
// it queues), the connection lock, the send-queue lock.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "common/mutex.h"
#include "simconnect/client_platform.h"
#include "simconnect/connection_settings.h"
#include "simconnect/receive_extractor.h"
#include "simconnect/simconnect_packet.h"

namespace ulvo::simconnect {

struct ProcessState;

enum class ConnectionState : uint32_t { Closed = 0, Connected = 2 };
enum class IoDirection : uint32_t { Receive = 0, Send = 1 };

class SimConnectConnection {
  public:
    explicit SimConnectConnection(ProcessState& process);
    virtual ~SimConnectConnection();
    SimConnectConnection(const SimConnectConnection&) = delete;
    SimConnectConnection& operator=(const SimConnectConnection&) = delete;

    // Resets the connection (empty send side, new serial, receive positions at the
    // start), readies the transport and marks it connected.
    virtual void OnEstablished();
    // Marks the connection closed and closes its transport. A reporting close
    // records `code` as the close code that later calls return.
    virtual void CloseConnection(bool report, int32_t code);
    // Takes the message extracted into the holder.
    virtual void OnMessageReceived();
    // Called with every read's bytes before extraction; nothing by default.
    virtual void OnRawReceive(const uint8_t* bytes, uint32_t count);

    // Takes over a connected transport, already bound to this connection's
    // completions, with the settings of the connection step, and starts the
    // first read.
    void Establish(std::unique_ptr<Transport> connected, const ConnectionSettings& settings)
        EXCLUDES(connectionLock);

    // Hands a packet to the transport (taking over the caller's reference); a
    // packet for a connection that is not connected is dropped.
    void QueueForSending(SimConnectPacket* packet) EXCLUDES(connectionLock);

    // One read or write ended with a system status (0 success) and a byte count.
    // Any thread; drops the reference the operation held.
    void Complete(IoDirection direction, uint32_t status, uint32_t bytes) EXCLUDES(connectionLock);

    void AddRef() { refCount.fetch_add(1, std::memory_order_relaxed); }
    // Destroys the object at the last reference.
    void Release();

    ProcessState& Process() const { return process; }
    // Socket until established.
    ConnectionKind Kind() const { return kind; }
    uintptr_t TransportHandle() const EXCLUDES(connectionLock);
    int AddressFamily() const EXCLUDES(connectionLock);
    bool IsConnected() const { return state.load() == ConnectionState::Connected; }
    uint32_t Serial() const { return serial.load(); }
    bool ClosedWithError() const { return closedWithError.load(); }
    int32_t CloseCode() const { return closeCode.load(); }
    uint32_t MaxReceiveSize() const { return maxReceiveSize; }
    bool DisableNagle() const { return disableNagle; }
    // For tests: writes started and bytes received so far.
    uint32_t WritesStarted() const { return writesStarted.load(); }
    uint64_t BytesReceived() const { return bytesReceived.load(); }

    // Empties the send queue, frees the send buffer unless a write is in flight,
    // and takes a new serial.
    void ResetTransferState() EXCLUDES(connectionLock);

  protected:
    ProcessState& process;

    // Closes an open transport; true when this call closed it.
    bool CloseTransport(bool report, int32_t code) EXCLUDES(connectionLock);
    // The extracted message, moved out of the holder.
    OwnedMessage TakeExtractedMessage() { return extractor.TakeMessage(); }

  private:
    void CompleteRead(uint32_t bytes) EXCLUDES(connectionLock);
    void PostRead() EXCLUDES(connectionLock);
    // Starts the next write; unless forced, only when none is in progress. Returns
    // what FinishStart needs: 0, or the status of a start that failed at once.
    uint32_t TrySend(bool forced) REQUIRES(connectionLock);
    // The one path every read or write start takes once the connection lock is
    // released: a start that failed at once drops the reference its operation
    // held (which may be the last one). Only a completion or a close ends the
    // connection.
    void FinishStart(uint32_t failure) EXCLUDES(connectionLock);
    void EmptySendQueue() EXCLUDES(sendQueueLock);

    // Serialises queuing-and-sending against write completions and closes, and
    // every use of the transport against its closing. Never held while a
    // completion runs or a reference is dropped.
    mutable Mutex connectionLock;
    std::unique_ptr<Transport> transport PT_GUARDED_BY(connectionLock);  // null until established
    // Set when established, before any I/O starts.
    ConnectionKind kind = ConnectionKind::Socket;
    std::atomic<ConnectionState> state{ConnectionState::Closed};
    std::atomic<uint32_t> serial{0};
    std::atomic<uint32_t> refCount{1};

    Mutex sendQueueLock;
    PacketQueue sendQueue GUARDED_BY(sendQueueLock);
    bool sendInProgress GUARDED_BY(connectionLock) = false;
    std::unique_ptr<uint8_t[]> sendBuffer GUARDED_BY(connectionLock);
    uint32_t sendLength GUARDED_BY(connectionLock) = 0;

    // Used by one read at a time: by its start and then by its completion, which
    // the start orders.
    ReceiveExtractor extractor;

    uint32_t maxReceiveSize = kDefaultMaxReceiveSize;
    bool disableNagle = false;

    std::atomic<int32_t> closeCode{0};
    std::atomic<bool> closedWithError{false};

    std::atomic<uint32_t> writesStarted{0};
    std::atomic<uint64_t> bytesReceived{0};
};

}  // namespace ulvo::simconnect
