// The whole plug-in in the testbed, driven as the simulator drives it: messages
// and one-second ticks on this thread, which also serves the simulator's and
// FSUIPC's windows while it pumps. Waits pump until a condition holds and give
// up after a few seconds, so that no test can hang; they measure nothing.
#pragma once

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/plugin_simconnect_messages.h"
#include "win/message_pump.h"
#include "win/plugin_threads.h"
#include "win/testbed.h"

namespace ulvo::testbed {

constexpr std::chrono::milliseconds kPatience(5000);

class PluginSession {
  public:
    explicit PluginSession(const TestbedOptions& options = {}) : testbed(options) {}

    // DLLStart, then the start message (407).
    bool Start() {
        if (!testbed.plugin.LoadAndStart()) {
            return false;
        }
        StartMessage();
        return true;
    }
    void StartMessage() { testbed.host.DeliverMessage(P3D::kMessageLoadingComplete); }
    void Tick() { testbed.host.DeliverOneSecond(); }
    void VehicleLoaded() { testbed.host.DeliverMessage(P3D::kMessageVehicleChanged); }
    void Shutdown() { testbed.host.DeliverMessage(P3D::kMessageShutdown); }

    std::string Log() const { return testbed.plugin.ReadLog(); }
    // The log written since the last call.
    std::string NewLog() {
        const std::string log = Log();
        const std::string fresh = log.substr(std::min(logSeen, log.size()));
        logSeen = log.size();
        return fresh;
    }

    // Threads running from the plug-in's code: the worker, if any.
    std::vector<DWORD> PluginThreads() const { return ThreadsStartedIn(testbed.plugin.Module()); }
    bool PumpUntil(const std::function<bool()>& done) {
        return testbed::PumpUntil(done, kPatience);
    }
    // Pumps until FSUIPC has served `count` more exchanges.
    bool PumpExchanges(uint64_t count) {
        const uint64_t target = Fsuipc().ExchangeCount() + count;
        return PumpUntil([&] { return Fsuipc().ExchangeCount() >= target; });
    }
    // Pumps until the aircraft has received `count` commands in all.
    bool PumpCommands(size_t count) {
        return PumpUntil([&] { return testbed.aircraft.Commands().size() >= count; });
    }
    // After the first tick: pumps until the worker has performed the command that
    // a fresh offset space holds at 0x9400 (0, the command word of a client that
    // has not written yet) and cleared it to idle; takes that command.
    bool PumpFirstCycles() {
        return PumpUntil([&] { return Fsuipc().U16(0x9400) == 0xFFFF; }) && PumpCommands(1) &&
               testbed.aircraft.TakeCommands() == std::vector<AircraftParty::Command>{{0, 0}};
    }

    // The testbed's FSUIPC, which this session's options must not switch off.
    FsuipcParty& Fsuipc() { return *testbed.fsuipc; }

    Testbed testbed;

  private:
    size_t logSeen = 0;
};

}  // namespace ulvo::testbed
