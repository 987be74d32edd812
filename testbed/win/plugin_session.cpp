#include "win/plugin_session.h"

#include <algorithm>
#include <cstdio>

#include "win/message_pump.h"
#include "win/plugin_threads.h"

namespace ulvo::testbed {

bool OfThisProcess(const FsuipcServedExchange& served) {
    char prefix[64];
    std::snprintf(prefix, sizeof prefix, "FsasmLib:IPC:%X:", unsigned(GetCurrentProcessId()));
    return served.section.rfind(prefix, 0) == 0;
}

PluginSession::PluginSession(const TestbedOptions& options) : testbed(options) {}

bool PluginSession::Start() {
    if (!testbed.plugin.LoadAndStart()) {
        return false;
    }
    StartMessage();
    return true;
}

bool PluginSession::StartRunning() {
    if (!Start()) {
        return false;
    }
    Tick();
    return PumpFirstCycles();
}

std::string PluginSession::NewLog() {
    const std::string log = Log();
    const std::string fresh = log.substr(std::min(logSeen, log.size()));
    logSeen = log.size();
    return fresh;
}

std::vector<DWORD> PluginSession::PluginThreads() const {
    return ThreadsStartedIn(testbed.plugin.Module());
}

bool PluginSession::PumpUntil(const std::function<bool()>& done) {
    return testbed::PumpUntil(done, kPatience);
}

bool PluginSession::PumpExchanges(uint64_t count) {
    const uint64_t target = Fsuipc().ExchangeCount() + count;
    return PumpUntil([&] { return Fsuipc().ExchangeCount() >= target; });
}

bool PluginSession::PumpCommands(size_t count) {
    return PumpUntil([&] { return testbed.aircraft.Commands().size() >= count; });
}

bool PluginSession::PumpFirstCycles() {
    return testbed.fsuipc && PumpUntil([&] { return Fsuipc().U16(0x9400) == 0xFFFF; }) &&
           PumpCommands(1) &&
           testbed.aircraft.TakeCommands() == std::vector<AircraftParty::Command>{{0, 0}};
}

tools::BlockSnapshot PluginSession::Block() {
    tools::BlockSnapshot snapshot;
    Fsuipc().WithSpace([&](FsuipcOffsetSpace& space) {
        std::copy_n(space.bytes.begin() + tools::kBlockFirst, tools::kBlockSize,
                    snapshot.bytes.begin());
    });
    return snapshot;
}

}  // namespace ulvo::testbed
