// The whole plug-in session against the host's objects as the simulator's
// compiler lays them out (ulvo_msvc_host.dll) and against the testbed's own. A
// declaration of the plug-in's that the MSVC ABI reads otherwise (a slot out of
// place, a struct returned in a register) crashes there, calls a placeholder or
// reads a wrong value.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "win/plugin_session.h"

namespace ulvo::testbed {
namespace {

struct Trace {
    std::string log;
    std::vector<std::pair<std::string, long>> references;  // held after DLLStop
    long unusedSlotCalls = 0;
    std::vector<ULONG> finalCallbackCounts;
    std::vector<std::pair<bool, unsigned long>> registrations = {};  // registered?, event id
    std::vector<int> alerts = {};                                    // window types
    bool operator==(const Trace&) const = default;
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
    host.DeliverFrame();
    host.DeliverCustomRender();
    host.DeliverMessage(P3D::kMessageViewCreated);
    session.VehicleLoaded();
    session.Shutdown();
    plugin.StopAndUnload();

    Trace trace{session.Log(), host.OutstandingReferences(), host.UnusedSlotCalls(),
                plugin.FinalCallbackCounts()};
    for (const HostEventService::Record& record : host.events.Records()) {
        trace.registrations.emplace_back(record.registered, record.eventId.Data1);
    }
    for (const HostReportingService::Alert& alert : host.reporting.alerts) {
        trace.alerts.push_back(alert.windowType);
    }
    return trace;
}

TEST(MsvcAbiHost, RunsTheWholeSessionAsTheTestbedsOwnHostDoes) {
    // A call that does not meet the MSVC ABI may crash: end at once, without a debugger.
    SetUnhandledExceptionFilter(
        [](EXCEPTION_POINTERS*) -> LONG { return EXCEPTION_EXECUTE_HANDLER; });
    const Trace own = RunSession(false);
    const Trace msvc = RunSession(true);
    // What each step gives with the testbed's own host is tested on its own; here
    // the session must get as far and run alike.
    EXPECT_THAT(own.log, ::testing::HasSubstr("Jetway Power status changed to value: 5\r\n"));
    EXPECT_THAT(own.log, ::testing::EndsWith("Logfile closed\r\n"));
    EXPECT_EQ(msvc.log, own.log);
    EXPECT_TRUE(msvc == own);
}

}  // namespace
}  // namespace ulvo::testbed
