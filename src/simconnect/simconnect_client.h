// SimConnectClient: the object behind a SimConnect handle. It adds to its
// connection the receive queue that dispatch drains, the notification targets,
// the staging buffer in which every call builds its message, the send ids, the
// in-process channel state and its place in the process's client list.
#pragma once

#include <atomic>
#include <cstdint>

#include "common/mutex.h"
#include "simconnect/inprocess_channel_state.h"
#include "simconnect/message_header.h"
#include "simconnect/process_state.h"
#include "simconnect/simconnect_connection.h"
#include "simconnect/simconnect_packet.h"

namespace ulvo::simconnect {

// The procedure dispatch calls for each received message.
using DispatchProc = void (*)(void* message, uint32_t size, void* context);

constexpr uint32_t kStagingBufferSize = 41088;

// The plug-in never dispatches, so received messages would pile up: the receive
// queue keeps at most this many packets, dropping the oldest (host buffers go
// back to the simulator) and counting what it dropped.
constexpr uint32_t kReceiveQueueLimit = 64;

// Where the client reports received messages and a failed connection: the user
// message posted to the user window (used only when both are set) and the user
// event. Both are the system's handles, kept as opaque values.
struct NotificationTargets {
    uintptr_t window = 0;
    uint32_t message = 0;
    uintptr_t event = 0;
};

// Results of staging.
enum class StageResult { Staged = 0, NoBuffer = 1, ClosedWithError = 2 };

class SimConnectClient final : public SimConnectConnection {
  public:
    // Links the new client into the process's list. Use Create().
    SimConnectClient(ProcessState& process, const NotificationTargets& targets);
    ~SimConnectClient() override;

    // A new client that notifies `targets`, or null without memory. The targets
    // are fixed before any I/O can start, so a completion never sees them change.
    static SimConnectClient* Create(ProcessState& process, const NotificationTargets& targets);

    void CloseConnection(bool report, int32_t code) override;
    void OnMessageReceived() override;

    // The process-wide send lock, under which staging and flushing run.
    RecursiveMutex& SendLock() const LOCK_RETURNED(process.sendLock) { return process.sendLock; }
    // A zero-filled message of `size` bytes with its send id set.
    StageResult Stage(uint32_t size, uint8_t*& message) REQUIRES(process.sendLock);
    // Gives back a staged message that will not be sent.
    void FreeStaged(uint8_t* message, uint32_t size) REQUIRES(process.sendLock);
    // Hands everything staged to the transport; true when something was handed over.
    bool Flush() REQUIRES(process.sendLock);

    // Appends a received packet (taking over the reference) under the receive
    // queue lock and notifies as for any received message.
    void QueueReceived(SimConnectPacket* packet) EXCLUDES(receiveQueueLock);
    // The oldest received packet, or null.
    SimConnectPacket* PopReceived() EXCLUDES(receiveQueueLock);
    // Gives a packet up: host buffers go back to the simulator's release entry.
    void DisposeOf(SimConnectPacket* packet);

    DispatchProc StoredProc() const { return dispatchProc.load(); }
    void* StoredContext() const { return dispatchContext.load(); }
    void StoreDispatch(DispatchProc proc, void* context) {
        dispatchContext.store(context);
        dispatchProc.store(proc);
    }

    InProcessChannelState& Channel() { return channel; }

    // Client list links, changed under the process's client list lock.
    SimConnectClient* previous = nullptr;
    SimConnectClient* next = nullptr;

    // For tests.
    uint32_t ReceiveQueueLength() EXCLUDES(receiveQueueLock);
    uint32_t DiscardedPackets() const { return discardedPackets.load(); }

  private:
    void Notify();

    Mutex receiveQueueLock;
    PacketQueue receiveQueue GUARDED_BY(receiveQueueLock);
    std::atomic<uint32_t> discardedPackets{0};

    const NotificationTargets notify;
    std::atomic<DispatchProc> dispatchProc{nullptr};
    std::atomic<void*> dispatchContext{nullptr};

    // Every call stages its message here and flushes it at once, so the buffer
    // never holds more than one message.
    uint8_t staging[kStagingBufferSize] GUARDED_BY(process.sendLock) = {};
    uint32_t stagingUsed GUARDED_BY(process.sendLock) = 0;
    SendIdCounter sendIds GUARDED_BY(process.sendLock);

    InProcessChannelState channel;
};

}  // namespace ulvo::simconnect
