// The whole plug-in in the testbed, driven as the simulator drives it: host
// messages and one-second ticks on this thread, which also serves the
// simulator's window (and FSUIPC's, when it runs on this thread) while it pumps.
// Waits pump until a condition holds and give up after a few seconds, so that
// nothing can hang; they measure nothing.
//
// The one start-up sequence of the testbed: the Wine tests, the demo, the soak,
// the latency measurement and the panel lab all start the plug-in through it.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "offsets/value_text.h"
#include "win/testbed.h"

namespace ulvo::testbed {

constexpr std::chrono::milliseconds kPatience(5000);

// An exchange of an FSUIPC client in this process (the plug-in's, in the
// testbed), not of another program: its section is named after this process.
bool OfThisProcess(const FsuipcServedExchange& served);

class PluginSession {
  public:
    explicit PluginSession(const TestbedOptions& options = {});

    // DLLStart, then the start message (407): the log opens and the connections
    // open, on this thread, before it returns. False when the DLL did not load.
    bool Start();
    // Start, then the first tick, which confirms the aircraft and starts the
    // worker; true once the worker has made its first cycles: it found 0 (the
    // command word of a fresh FSUIPC) at 0x9400, performed command 0 once and
    // cleared the word. That command is taken from the aircraft.
    bool StartRunning();

    void StartMessage() { testbed.host.DeliverMessage(P3D::kMessageLoadingComplete); }
    void Tick() { testbed.host.DeliverOneSecond(); }
    void VehicleLoaded() { testbed.host.DeliverMessage(P3D::kMessageVehicleChanged); }
    void Shutdown() { testbed.host.DeliverMessage(P3D::kMessageShutdown); }

    std::string Log() const { return testbed.plugin.ReadLog(); }
    // The log written since the last call.
    std::string NewLog();

    // Threads running from the plug-in's code: the worker, if any.
    std::vector<DWORD> PluginThreads() const;
    bool PumpUntil(const std::function<bool()>& done);
    // Pumps until FSUIPC has served `count` more exchanges.
    bool PumpExchanges(uint64_t count);
    // Pumps until the aircraft has received `count` commands in all.
    bool PumpCommands(size_t count);
    // After the first tick: pumps until the worker has performed command 0 (see
    // StartRunning) and cleared the word to idle; takes that command.
    bool PumpFirstCycles();

    // The testbed's FSUIPC, which this session's options must not switch off.
    FsuipcParty& Fsuipc() { return *testbed.fsuipc; }
    // The plug-in's block as an FSUIPC client reads it now.
    tools::BlockSnapshot Block();

    Testbed testbed;

  private:
    size_t logSeen = 0;
};

}  // namespace ulvo::testbed
