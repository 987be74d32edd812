// FSUIPC as the testbed plays it: a hidden top-level window of class "UIPCMAIN"
// that answers the registered message "FsasmLib:IPC". The message's wParam is a
// global atom naming the client's shared section; FSUIPC opens and maps that
// section, executes its records in order against a 65536-byte offset space and
// answers 1. The handshake offsets hold valid versions from the start.
//
// The window runs either on the calling thread, which must then pump messages
// as the simulator's main thread does (a send from that same thread is a direct
// call), or on a thread of the party's own. Everything public may be used from
// any thread.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "core/fsuipc_offset_space.h"
#include "core/fsuipc_server_protocol.h"

namespace ulvo::testbed {

class FsuipcParty {
  public:
    enum class Thread { kCalling, kOwn };
    struct Options {
        Thread thread = Thread::kCalling;
        bool logExchanges = false;
        // Called on the window's thread after each exchange, logged or not.
        std::function<void(const FsuipcServedExchange&)> onExchange;
    };

    // FSUIPC's window on a thread of its own, the other options as they are.
    static Options OwnThread() {
        Options options;
        options.thread = Thread::kOwn;
        return options;
    }

    explicit FsuipcParty(Options options);
    ~FsuipcParty();
    FsuipcParty(const FsuipcParty&) = delete;
    FsuipcParty& operator=(const FsuipcParty&) = delete;

    // The window, or null when there is none.
    HWND Window() const { return window; }

    // The next `answers` exchanges wait `delayMs` before they are served, as an
    // FSUIPC busy for longer than its client's time-out would.
    void AnswerSlowly(uint32_t answers, uint32_t delayMs);

    void LogExchanges(bool on) { logging = on; }
    // Exchanges logged while logging was on, in the order served.
    std::vector<FsuipcServedExchange> Exchanges() const;
    // The same, which are then forgotten: for a party that logs for hours.
    std::vector<FsuipcServedExchange> TakeExchanges();
    // Every "FsasmLib:IPC" message received, logged or not.
    uint64_t ExchangeCount() const { return exchangeCount; }

    // Runs `access` on the offset space under the party's lock and returns its result.
    template <class Access>
    auto WithSpace(Access&& access) {
        std::lock_guard<std::mutex> lock(mutex);
        return access(space);
    }
    // Single values of the offset space, each under the lock, as a client sees them.
    uint8_t U8(uint32_t offset) {
        return WithSpace([&](FsuipcOffsetSpace& s) { return s.U8(offset); });
    }
    uint16_t U16(uint32_t offset) {
        return WithSpace([&](FsuipcOffsetSpace& s) { return s.U16(offset); });
    }
    void SetU8(uint32_t offset, uint8_t value) {
        WithSpace([&](FsuipcOffsetSpace& s) { s.SetU8(offset, value); });
    }
    void SetU16(uint32_t offset, uint16_t value) {
        WithSpace([&](FsuipcOffsetSpace& s) { s.SetU16(offset, value); });
    }

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND CreatePartyWindow();
    void RunOwnThread();
    LRESULT Serve(WPARAM atom);
    void WaitIfSlow();

    Options options;
    UINT ipcMessage = 0;
    HWND window = nullptr;
    HANDLE stopEvent = nullptr;  // ends the own thread, and slow answers at once
    std::thread ownThread;

    std::atomic<uint32_t> slowAnswers{0};
    std::atomic<uint32_t> slowDelayMs{0};
    std::atomic<bool> logging{false};
    std::atomic<uint64_t> exchangeCount{0};

    mutable std::mutex mutex;  // guards space and exchanges
    FsuipcOffsetSpace space;
    std::vector<FsuipcServedExchange> exchanges;
};

}  // namespace ulvo::testbed
