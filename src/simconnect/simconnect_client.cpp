#include "simconnect/simconnect_client.h"

#include <cstring>
#include <new>

#include "simconnect/process_state.h"

namespace ulvo::simconnect {

SimConnectClient::SimConnectClient(ProcessState& processState, const NotificationTargets& targets)
    : SimConnectConnection(processState), notify(targets) {
    process.clientCount.fetch_add(1);
    process.clientsCreated.fetch_add(1);
    MutexLock lock(process.clientListLock);
    previous = process.lastClient;
    if (previous != nullptr) {
        previous->next = this;
    } else {
        process.firstClient = this;
    }
    process.lastClient = this;
}

SimConnectClient::~SimConnectClient() {
    while (SimConnectPacket* packet = PopReceived()) {
        DisposeOf(packet);
    }
    process.clientCount.fetch_sub(1);
}

SimConnectClient* SimConnectClient::Create(ProcessState& process,
                                           const NotificationTargets& targets) {
    return new (std::nothrow) SimConnectClient(process, targets);
}

void SimConnectClient::CloseConnection(bool report, int32_t code) {
    if (CloseTransport(report, code) && report) {
        Notify();
    }
}

void SimConnectClient::Notify() {
    ClientPlatform& platform = process.platform;
    if (notify.window != 0 && notify.message != 0) {
        platform.PostUserMessage(notify.window, notify.message);
    }
    if (notify.event != 0) {
        platform.SignalEvent(notify.event);
    }
}

void SimConnectClient::OnMessageReceived() {
    OwnedMessage message = TakeExtractedMessage();
    SimConnectPacket* packet =
        SimConnectPacket::Create(std::move(message.data), message.size, Serial());
    if (packet == nullptr) {
        discardedPackets.fetch_add(1);
        return;
    }
    QueueReceived(packet);
}

void SimConnectClient::QueueReceived(SimConnectPacket* packet) {
    SimConnectPacket* dropped;
    {
        MutexLock lock(receiveQueueLock);
        dropped = receiveQueue.PushBounded(packet, kReceiveQueueLimit);
    }
    if (dropped != nullptr) {
        discardedPackets.fetch_add(1);
        DisposeOf(dropped);
    }
    Notify();
}

SimConnectPacket* SimConnectClient::PopReceived() {
    MutexLock lock(receiveQueueLock);
    return receiveQueue.Pop();
}

uint32_t SimConnectClient::ReceiveQueueLength() {
    MutexLock lock(receiveQueueLock);
    return receiveQueue.Count();
}

void SimConnectClient::DisposeOf(SimConnectPacket* packet) {
    if (packet->FromHost() && channel.bound.load() && channel.release != nullptr) {
        channel.release(channel.cookie.load(), packet->Serial(), packet->Data());
    }
    packet->Release();
}

StageResult SimConnectClient::Stage(uint32_t size, uint8_t*& message) {
    if (ClosedWithError()) {
        return StageResult::ClosedWithError;
    }
    if (channel.bound.load()) {
        if (channel.stagedCount == InProcessChannelState::kStagedLimit ||
            channel.alloc == nullptr) {
            return StageResult::NoBuffer;
        }
        auto* buffer = static_cast<uint8_t*>(channel.alloc(channel.cookie.load(), Serial(), size));
        if (buffer == nullptr) {
            return StageResult::NoBuffer;
        }
        std::memset(buffer, 0, size);
        WriteSendId(buffer, sendIds.Next());
        channel.staged[channel.stagedCount++] = {buffer, size};
        message = buffer;
        return StageResult::Staged;
    }
    if (kStagingBufferSize - stagingUsed < size) {
        return StageResult::NoBuffer;
    }
    message = staging + stagingUsed;
    WriteSendId(message, sendIds.Next());
    stagingUsed += size;
    return StageResult::Staged;
}

void SimConnectClient::FreeStaged(uint8_t* message, uint32_t size) {
    for (uint32_t i = 0; i < channel.stagedCount; ++i) {
        if (channel.staged[i].data == message) {
            if (channel.free != nullptr) {
                channel.free(channel.cookie.load(), Serial(), message);
            }
            channel.staged[i] = channel.staged[--channel.stagedCount];
            return;
        }
    }
    // Only the message staged last can be given back, which is the only one a
    // call ever holds.
    if (message + size == staging + stagingUsed) {
        stagingUsed -= size;
        std::memset(message, 0, size);
    }
}

bool SimConnectClient::Flush() {
    bool handedOver = false;
    for (uint32_t i = 0; i < channel.stagedCount; ++i) {
        channel.send(channel.cookie.load(), Serial(), channel.staged[i].size,
                     channel.staged[i].data);
        handedOver = true;
    }
    channel.stagedCount = 0;
    if (stagingUsed > 0) {
        std::unique_ptr<uint8_t[]> copy(new (std::nothrow) uint8_t[stagingUsed]);
        if (copy) {
            std::memcpy(copy.get(), staging, stagingUsed);
            SimConnectPacket* packet =
                SimConnectPacket::Create(std::move(copy), stagingUsed, Serial());
            if (packet != nullptr) {
                QueueForSending(packet);
                handedOver = true;
            }
        }
        std::memset(staging, 0, stagingUsed);
        stagingUsed = 0;
    }
    return handedOver;
}

}  // namespace ulvo::simconnect
