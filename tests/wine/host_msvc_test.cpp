// The whole plug-in session against the host's objects as the simulator's
// compiler lays them out (ulvo_msvc_host.dll, built for the MSVC ABI) and against
// the testbed's own: DLLStart, the four registrations, a start whose log cannot
// be opened (the host's alert), every callback kind, the vehicle's title, a
// named variable read, a vehicle reload, the shutdown and DLLStop. A declaration
// of the plug-in's that the MSVC ABI reads otherwise (a slot out of place, a
// struct returned in a register) ends the session early, calls a placeholder or
// reads a wrong value there; the two hosts must run it alike.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "wine/plugin_session.h"

namespace ulvo::testbed {
namespace {

struct Trace {
    std::string log;
    std::vector<std::pair<bool, unsigned long>> registrations;  // registered?, event id
    std::vector<int> alerts;                                    // window types
    std::vector<AircraftParty::Command> commands;
    std::vector<std::pair<std::string, long>> references;  // still held after DLLStop
    long unusedSlotCalls = 0;
    std::vector<ULONG> finalCallbackCounts;
};

Trace RunSession(bool msvcAbi) {
    TestbedOptions options;
    options.host.msvcAbi = msvcAbi;
    PluginSession session(options);
    HostParty& host = session.testbed.host;
    PluginLoader& plugin = session.testbed.plugin;
    EXPECT_TRUE(host.Provider() != nullptr && plugin.LoadAndStart());
    EXPECT_TRUE(CreateDirectoryW(plugin.LogPath().c_str(), nullptr));  // the log cannot open
    session.StartMessage();
    RemoveDirectoryW(plugin.LogPath().c_str());
    session.StartMessage();
    host.namedVariables.Set("FSDT_GSX_JETWAY_POWER", 5.0);
    session.Tick();
    EXPECT_TRUE(session.PumpCommands(2));  // the jetway's and the worker's first
    host.DeliverFrame();
    host.DeliverCustomRender();
    host.DeliverMessage(P3D::kMessageViewCreated);
    session.VehicleLoaded();
    session.Shutdown();
    plugin.StopAndUnload();

    Trace trace;
    trace.log = session.Log();
    for (const HostEventService::Record& record : host.events.Records()) {
        trace.registrations.emplace_back(record.registered, record.eventId.Data1);
    }
    for (const HostReportingService::Alert& alert : host.reporting.alerts) {
        trace.alerts.push_back(alert.windowType);
    }
    trace.commands = session.testbed.aircraft.TakeCommands();
    std::sort(trace.commands.begin(), trace.commands.end());
    trace.references = host.OutstandingReferences();
    trace.unusedSlotCalls = host.UnusedSlotCalls();
    trace.finalCallbackCounts = plugin.FinalCallbackCounts();
    return trace;
}

TEST(MsvcAbiHost, RunsTheWholeSessionAsTheTestbedsOwnHostDoes) {
    // A call that does not meet the MSVC ABI may crash: end at once, without a debugger.
    SetUnhandledExceptionFilter(
        [](EXCEPTION_POINTERS*) -> LONG { return EXCEPTION_EXECUTE_HANDLER; });
    const Trace own = RunSession(false);
    const Trace msvc = RunSession(true);
    EXPECT_THAT(msvc.log, ::testing::HasSubstr("Vehicle load detected: Ulvo 737-800 Testbed\r\n"
                                               "Simconnect started."));
    EXPECT_THAT(msvc.log, ::testing::EndsWith("Logfile closed\r\n"));
    EXPECT_EQ(msvc.log, own.log);
    EXPECT_EQ(msvc.registrations.size(), 8u);
    EXPECT_EQ(msvc.registrations, own.registrations);
    EXPECT_EQ(msvc.alerts, std::vector<int>{2});
    EXPECT_EQ(msvc.alerts, own.alerts);
    EXPECT_EQ(msvc.commands, (std::vector<AircraftParty::Command>{{0, 0}, {1215, 0}}));
    EXPECT_EQ(msvc.commands, own.commands);
    for (const auto& [object, held] : msvc.references) {
        EXPECT_EQ(held, 0) << object;
    }
    EXPECT_EQ(msvc.references, own.references);
    EXPECT_EQ(msvc.unusedSlotCalls + own.unusedSlotCalls, 0);
    EXPECT_EQ(msvc.finalCallbackCounts, (std::vector<ULONG>{0, 0, 0, 0}));
}

}  // namespace
}  // namespace ulvo::testbed
