#include "wine/plugin_session.h"

#include "win/message_pump.h"
#include "win/plugin_threads.h"

namespace ulvo::testbed {

PluginSession::PluginSession(const TestbedOptions& options) : testbed(options) {}

bool PluginSession::Start() {
    if (!testbed.plugin.LoadAndStart()) {
        return false;
    }
    StartMessage();
    return true;
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
    const uint64_t target = testbed.fsuipc->ExchangeCount() + count;
    return PumpUntil([&] { return testbed.fsuipc->ExchangeCount() >= target; });
}

bool PluginSession::PumpCommands(size_t count) {
    return PumpUntil([&] { return testbed.aircraft.Commands().size() >= count; });
}

bool PluginSession::PumpFirstCycles() {
    if (!PumpUntil([&] { return FsuipcU16(0x9400) == 0xFFFF; }) || !PumpCommands(1)) {
        return false;
    }
    return testbed.aircraft.TakeCommands() == std::vector<AircraftParty::Command>{{0, 0}};
}

uint16_t PluginSession::FsuipcU16(uint32_t offset) {
    return testbed.fsuipc->U16(offset);
}

void PluginSession::SetFsuipcU8(uint32_t offset, uint8_t value) {
    testbed.fsuipc->SetU8(offset, value);
}

void PluginSession::SetFsuipcU16(uint32_t offset, uint16_t value) {
    testbed.fsuipc->SetU16(offset, value);
}

uint8_t PluginSession::FsuipcU8(uint32_t offset) {
    return testbed.fsuipc->U8(offset);
}

}  // namespace ulvo::testbed
