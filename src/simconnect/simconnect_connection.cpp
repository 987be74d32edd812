#include "simconnect/simconnect_connection.h"

#include "simconnect/process_state.h"
#include "simconnect/status_codes.h"

namespace ulvo::simconnect {

SimConnectConnection::SimConnectConnection(ProcessState& processState) : process(processState) {
    process.liveConnections.fetch_add(1);
    extractor.Allocate();  // without memory the first read closes the connection
}

SimConnectConnection::~SimConnectConnection() {
    EmptySendQueue();
    transport.reset();  // closes a pipe or socket still open
    process.liveConnections.fetch_sub(1);
}

void SimConnectConnection::Release() {
    if (refCount.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        delete this;
    }
}

uintptr_t SimConnectConnection::TransportHandle() const {
    MutexLock lock(connectionLock);
    return transport ? transport->Handle() : 0;
}

int SimConnectConnection::AddressFamily() const {
    MutexLock lock(connectionLock);
    return transport ? transport->AddressFamily() : 0;
}

void SimConnectConnection::Establish(std::unique_ptr<Transport> connected,
                                     const ConnectionSettings& settings) {
    {
        MutexLock lock(connectionLock);
        transport = std::move(connected);
        kind = transport->Kind();
    }
    maxReceiveSize = settings.maxReceiveSize;
    disableNagle = settings.disableNagle;
    extractor.SetMaxReceiveSize(maxReceiveSize);
    OnEstablished();
    PostRead();
}

void SimConnectConnection::ResetTransferState() {
    MutexLock lock(connectionLock);
    EmptySendQueue();
    // A write still in flight keeps its buffer until it completes; the buffer
    // goes with the object at the last reference.
    if (!sendInProgress) {
        sendBuffer.reset();
        sendLength = 0;
    }
    serial.store(process.NextConnectionSerial());
}

void SimConnectConnection::OnEstablished() {
    ResetTransferState();
    extractor.Rewind();  // no read is outstanding before the first one
    {
        MutexLock lock(connectionLock);
        if (transport) {
            transport->Prepare(disableNagle);
        }
    }
    state.store(ConnectionState::Connected);
}

void SimConnectConnection::CloseConnection(bool report, int32_t code) {
    CloseTransport(report, code);
}

bool SimConnectConnection::CloseTransport(bool report, int32_t code) {
    MutexLock lock(connectionLock);
    const ConnectionState previous = state.exchange(ConnectionState::Closed);
    serial.store(0);
    const bool wasOpen = previous == ConnectionState::Connected && transport != nullptr;
    if (wasOpen) {
        if (report) {
            closeCode.store(code);
        }
        transport->Close();
    }
    closedWithError.store(report);
    return wasOpen;
}

void SimConnectConnection::OnMessageReceived() {
    extractor.TakeMessage();
}

void SimConnectConnection::OnRawReceive(const uint8_t*, uint32_t) {}

void SimConnectConnection::QueueForSending(SimConnectPacket* packet) {
    if (!IsConnected()) {
        packet->Release();
        return;
    }
    uint32_t failure;
    {
        MutexLock lock(connectionLock);
        {
            MutexLock queueLock(sendQueueLock);
            sendQueue.Push(packet);
        }
        failure = TrySend(false);
    }
    FinishStart(failure);
}

uint32_t SimConnectConnection::TrySend(bool forced) {
    if (!IsConnected() || (!forced && sendInProgress)) {
        return 0;
    }
    sendBuffer.reset();
    sendLength = 0;
    SimConnectPacket* packet;
    {
        MutexLock queueLock(sendQueueLock);
        packet = sendQueue.Pop();
    }
    if (packet == nullptr) {
        sendInProgress = false;
        return 0;
    }
    sendLength = packet->Size();
    sendBuffer = packet->TakeData();
    packet->Release();

    AddRef();
    // Set also when the start fails: no completion comes to send the next packet,
    // so the queue waits until the connection closes.
    sendInProgress = true;
    writesStarted.fetch_add(1);
    return transport->StartWrite(sendBuffer.get(), sendLength);
}

void SimConnectConnection::PostRead() {
    if (!IsConnected()) {
        return;
    }
    if (extractor.WriteSpaceSize() == 0) {
        // Only when not even the first receive buffer could be allocated.
        CloseConnection(true, kOutOfMemory);
        return;
    }
    uint32_t failure;
    {
        MutexLock lock(connectionLock);
        if (!IsConnected()) {
            return;
        }
        AddRef();
        failure = transport->StartRead(extractor.WriteSpace(), extractor.WriteSpaceSize());
    }
    FinishStart(failure);
}

void SimConnectConnection::FinishStart(uint32_t failure) {
    if (failure != 0) {
        Release();
    }
}

void SimConnectConnection::Complete(IoDirection direction, uint32_t status, uint32_t bytes) {
    if (state.load() == ConnectionState::Closed) {
        Release();
        return;
    }
    if (status == kStatusBufferOverflow && kind == ConnectionKind::Pipe) {
        status = 0;  // the pipe delivered part of a longer message
    }
    if (status != 0) {
        CloseConnection(true, int32_t(status));
    } else if (bytes == 0) {
        CloseConnection(true, int32_t(kStatusGracefulDisconnect));
    } else if (direction == IoDirection::Send) {
        uint32_t failure;
        {
            MutexLock lock(connectionLock);
            failure = TrySend(true);
        }
        FinishStart(failure);
    } else {
        CompleteRead(bytes);
    }
    Release();
}

void SimConnectConnection::CompleteRead(uint32_t bytes) {
    OnRawReceive(extractor.WriteSpace(), bytes);
    extractor.CommitReceived(bytes);
    ExtractReport report;
    while ((report = extractor.Extract()) == ExtractReport::Message) {
        OnMessageReceived();
    }
    switch (report) {
        case ExtractReport::NeedMoreData:
            PostRead();
            break;
        case ExtractReport::NoMemory:
            CloseConnection(true, kOutOfMemory);
            break;
        default:  // too large, or a size field of 1 to 3
            CloseConnection(true, kMessageRefused);
            break;
    }
    bytesReceived.fetch_add(bytes);
}

void SimConnectConnection::EmptySendQueue() {
    MutexLock queueLock(sendQueueLock);
    while (SimConnectPacket* packet = sendQueue.Pop()) {
        packet->Release();
    }
}

}  // namespace ulvo::simconnect
