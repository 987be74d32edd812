// SimConnectConnection: one connected transport (named pipe or TCP socket).
// Outgoing packets wait in a send queue with one write outstanding; incoming
// bytes are read into the receive buffer, one read outstanding, and cut into
// messages by their size prefix. The transport does the system's part (starting
// reads and writes, closing); its completions come back through Complete.
//
// Each outstanding read or write holds a reference; the creator holds the first.
// Every outcome of an I/O start (pending, done at once, failed at once) ends in
// Complete exactly once: a start that succeeds is completed by the transport, and
// one that fails is handed to Complete by the starter itself.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

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
    void Establish(std::unique_ptr<Transport> connected, const ConnectionSettings& settings);

    // Hands a packet to the transport (taking over the caller's reference); a
    // packet for a connection that is not connected is dropped.
    void QueueForSending(SimConnectPacket* packet);

    // One read or write ended with a system status (0 success) and a byte count.
    // Any thread; drops the reference the operation held.
    void Complete(IoDirection direction, uint32_t status, uint32_t bytes);

    void AddRef() { refCount.fetch_add(1, std::memory_order_relaxed); }
    // Destroys the object at the last reference.
    void Release();

    ProcessState& Process() const { return process; }
    ConnectionKind Kind() const;
    uintptr_t TransportHandle() const;
    int AddressFamily() const;
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
    void ResetTransferState();

  protected:
    // Closes an open transport; true when this call closed it.
    bool CloseTransport(bool report, int32_t code);
    // The extracted message, moved out of the holder.
    OwnedMessage TakeExtractedMessage() { return extractor.TakeMessage(); }

  private:
    void CompleteRead(uint32_t bytes);
    void PostRead();
    // Starts the next write; unless forced, only when none is in progress. Runs
    // under the connection lock.
    void TrySend(bool forced);
    void EmptySendQueue();

    ProcessState& process;
    std::unique_ptr<Transport> transport;  // null until established
    std::atomic<ConnectionState> state{ConnectionState::Closed};
    std::atomic<uint32_t> serial{0};
    std::atomic<uint32_t> refCount{1};

    std::mutex sendQueueLock;
    PacketQueue sendQueue;
    bool sendInProgress = false;
    std::unique_ptr<uint8_t[]> sendBuffer;
    uint32_t sendLength = 0;

    ReceiveExtractor extractor;

    uint32_t maxReceiveSize = kDefaultMaxReceiveSize;
    bool disableNagle = false;

    std::atomic<int32_t> closeCode{0};
    std::atomic<bool> closedWithError{false};
    // Serialises queuing-and-sending against write completions and closes, and
    // every use of the transport against its closing. The thread that holds it
    // takes it again when a failed I/O start closes the connection.
    std::recursive_mutex connectionLock;

    std::atomic<uint32_t> writesStarted{0};
    std::atomic<uint64_t> bytesReceived{0};
};

}  // namespace ulvo::simconnect
