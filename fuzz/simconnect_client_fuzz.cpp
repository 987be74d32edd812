// Fuzzes a whole SimConnect client, opened as the plug-in opens it, with any
// bytes from the server: cut into reads of any size, between dispatches, calls
// and messages the simulator lends through the in-process channel.
//
// Input: byte 0 picks the transport, whether the simulator window is there (and
// binds the channel at once), and MaxReceiveSize; bytes 1-4 seed the choices;
// the rest is the server's byte stream.
//
// Checked: no crash, leak or stall (a read is outstanding while the connection
// stands); the receive queue never holds more than 64 messages; every dispatched
// message is at least 12 bytes, and is either one the simulator lent or the
// stream's next bytes with a size field that matches and is allowed; a closed
// connection reports 0x80004004 from every later call and dispatch; closing the
// client gives every lent buffer back and frees everything.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "common/little_endian.h"
#include "core/host_channel.h"
#include "core/memory_client_platform.h"
#include "core/simconnect_server_messages.h"
#include "simconnect/api_calls.h"
#include "simconnect/process_state.h"
#include "simconnect/simconnect_dispatch.h"
#include "simconnect/status_codes.h"

using ulvo::LoadU32;
using namespace ulvo::simconnect;
using Bytes = std::vector<uint8_t>;

namespace {

constexpr uint32_t kLimits[] = {kDefaultMaxReceiveSize, 100000, 0x200000, 0xFFFFFFFF};
constexpr uint32_t kLentId = 0xB0570000;  // ids of the messages the simulator lends

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void Collect(void* message, uint32_t size, void* context) {
    const auto* bytes = static_cast<const uint8_t*>(message);
    static_cast<std::vector<Bytes>*>(context)->emplace_back(bytes, bytes + size);
}

struct Run {
    const uint8_t* stream;
    size_t size;
    size_t delivered = 0;  // stream bytes handed to the client
    size_t matched = 0;    // stream bytes up to the end of the last message dispatched
    uint32_t limit;
    std::vector<Bytes> lent;  // what the simulator lent, by the number in its id

    bool IsLent(const Bytes& message) const {
        const uint32_t id = LoadU32(message.data() + 8);
        return id >= kLentId && id - kLentId < lent.size() && lent[id - kLentId] == message;
    }

    // A message from the stream lies after the one before it, within what was delivered.
    void ExpectFromStream(const Bytes& message) {
        Check(LoadU32(message.data()) == message.size() && message.size() <= limit);
        const uint8_t* end = stream + delivered;
        const uint8_t* found = std::search(stream + matched, end, message.begin(), message.end());
        Check(found != end);
        matched = size_t(found - stream) + message.size();
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 5) {
        return 0;
    }
    const uint8_t options = data[0];
    uint32_t seed = LoadU32(data + 1) | 1;
    Run run{data + 5, size - 5, 0, 0, kLimits[(options >> 3) & 3], {}};

    ulvo::testbed::MemoryClientPlatform platform;
    std::optional<ulvo::testbed::HostChannel> host;
    if (options & 0x02) {
        host.emplace((options & 0x04) != 0);
        platform.simulatorWindow = 0x5151;
        platform.host = &*host;
    }
    if (options & 0x01) {
        platform.ServeSocketOnly();
    }
    platform.configuration.Set(ConfigFolder::CurrentDirectory, L"SimConnect", L"MaxReceiveSize",
                               std::to_wstring(run.limit));
    ProcessState process(platform);
    void* handle = nullptr;
    Check(OpenClient(process, &handle, "Ulvo2GSX Simconnect proc", {0x77, 0x401, 0x99}, 0) == kOk);
    platform.RunCompletions();
    auto& client = *static_cast<SimConnectClient*>(handle);
    ulvo::testbed::MemoryServerEnd& server = platform.LastEnd();

    auto dispatch = [&] {
        std::vector<Bytes> messages;
        const int32_t result = SimConnect_CallDispatch(handle, &Collect, &messages);
        Check(result == (client.ClosedWithError() ? client.CloseCode() : kOk));
        for (const Bytes& message : messages) {
            Check(message.size() >= 12);
            if (!run.IsLent(message)) {
                run.ExpectFromStream(message);
            }
        }
    };

    while (run.delivered < run.size) {
        seed = seed * 1103515245u + 12345u;
        const uint32_t choice = seed >> 16;
        const size_t n = std::min<size_t>(1 + choice % 300, run.size - run.delivered);
        switch (choice % 8) {
            case 5:
                dispatch();
                break;
            case 6: {
                const int32_t result = CallClient(process, handle, kTransmitClientEventLayout,
                                                  {0u, choice % 5, 0u, 1u, 0x10u});
                Check(result == (client.ClosedWithError() ? client.CloseCode() : kOk));
                platform.RunCompletions();
                break;
            }
            case 7:
                if (host && client.Channel().bound.load()) {
                    run.lent.push_back(ulvo::testbed::ServerMessage(
                        uint32_t(n), kLentId + uint32_t(run.lent.size()), uint8_t(choice)));
                    host->Deliver(run.lent.back());
                    break;
                }
                [[fallthrough]];
            default: {
                const size_t taken = server.Deliver({run.stream + run.delivered, n}, n);
                run.delivered += taken;
                Check(taken == n || client.ClosedWithError());
                break;
            }
        }
        Check(client.ReceiveQueueLength() <= 64);
        Check(platform.posts.size() == platform.signals.size());
        if (client.ClosedWithError()) {
            Check(client.CloseCode() == kMessageRefused);
            break;
        }
        Check(server.ReadPending());
    }
    dispatch();
    Check(CloseClient(process, handle) == kOk);
    Check(process.clientCount.load() == 0 && process.liveConnections.load() == 0);
    if (host) {
        Check(host->LentBuffers() == 0);
        Check(host->Allocations() == host->Sent().size() + host->Frees());
    }
    return 0;
}
