// The start and shutdown messages as the plug-in's Windows side handles them,
// through the real DLL: the log beside the module, the vehicle's title, messages
// out of order, a log that cannot be opened, a renamed module. Lines end in CR LF.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/expected_log_lines.h"
#include "win/plugin_session.h"

namespace ulvo::testbed {
namespace {

const std::string kClosed = kConnectionsClosed + kLogClosed;

bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST(PluginLog, TheVehicleReportEndsItsLineOnlyWithATitle) {
    const struct {
        const char* name;
        std::function<void(HostOptions&)> configure;
        std::string report;  // an unended report is continued by the next line
    } cases[] = {
        {"a title beyond the buffer, with characters beyond one byte",
         [](HostOptions& host) {
             host.vehicleTitle = L"Caf\u00E9 \u0416" + std::wstring(300, L'x');
         },
         kVehicleReport + "Caf\xE9 ?" + std::string(259 - 6, 'x') + "\r\n"},
        {"no user vehicle", [](HostOptions& host) { host.userObjectFails = true; }, kVehicleReport},
        {"no vehicle service", [](HostOptions& host) { host.vehicleService = false; },
         kVehicleReport},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestbedOptions options;
        c.configure(options.host);
        PluginSession session(options);
        ASSERT_TRUE(session.Start());
        session.Shutdown();
        EXPECT_EQ(session.Log(), kLogOpened + c.report + kConnectionsOpened + kClosed);
        session.testbed.plugin.StopAndUnload();
        EXPECT_EQ(session.testbed.host.vehicle.Outstanding(), 0);
    }
}

// Only the first start message starts, only after it do a vehicle load and the
// shutdown act, and after the shutdown nothing starts again.
TEST(PluginLog, MessagesBeforeTheStartOrAfterTheShutdownDoNothing) {
    PluginSession session;
    ASSERT_TRUE(session.testbed.plugin.LoadAndStart());
    session.Shutdown();
    session.VehicleLoaded();
    EXPECT_FALSE(FileExists(session.testbed.plugin.LogPath()));
    EXPECT_EQ(session.testbed.host.vehicle.AddRefs(), 0);
    EXPECT_EQ(session.testbed.simConnect->server.ConnectionCount(), 0u);
    EXPECT_EQ(session.testbed.fsuipc->ExchangeCount(), 0u);

    session.StartMessage();
    session.StartMessage();
    session.Shutdown();
    session.Shutdown();  // its closing line is lost
    session.StartMessage();
    session.Tick();
    EXPECT_EQ(session.Log(), kStartLog + kClosed);
    EXPECT_EQ(session.testbed.host.vehicle.AddRefs(), 1);  // one vehicle report
    // The file is closed: another program may replace it.
    EXPECT_TRUE(DeleteFileW(session.testbed.plugin.LogPath().c_str()));
}

// A folder of the log's name is in the way: the host shows the failure (when it
// offers its message service) and the next start message tries again.
TEST(PluginLog, ALogThatCannotBeOpenedIsReportedToTheHostAndTheNextStartTriesAgain) {
    for (const bool messageService : {true, false}) {
        SCOPED_TRACE(messageService);
        TestbedOptions options;
        options.host.messageService = messageService;
        PluginSession session(options);
        const std::wstring path = session.testbed.plugin.LogPath();
        ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
        ASSERT_TRUE(session.Start());
        const auto& alerts = session.testbed.host.reporting.alerts;
        ASSERT_EQ(alerts.size(), messageService ? 1u : 0u);
        if (messageService) {
            EXPECT_NE(alerts[0].text.find(L"\"" + path + L"\""), std::wstring::npos);
            EXPECT_EQ(alerts[0].windowType, 2);
        }
        EXPECT_EQ(session.testbed.host.vehicle.AddRefs(), 0);  // not started

        ASSERT_TRUE(RemoveDirectoryW(path.c_str()));
        session.StartMessage();
        EXPECT_EQ(session.Log(), kStartLog);
        EXPECT_EQ(alerts.size(), messageService ? 1u : 0u);
        session.testbed.plugin.StopAndUnload();
        EXPECT_EQ(session.testbed.host.reporting.Outstanding(), 0);
    }
}

TEST(PluginLog, UnderAnotherFileNameThePluginWorksOnWithoutALog) {
    TestbedOptions options;
    options.pluginFileName = L"Renamed.dll";  // the plug-in looks for its module by name
    PluginSession session(options);
    ASSERT_TRUE(session.Start());
    session.StartMessage();
    EXPECT_EQ(session.testbed.host.vehicle.AddRefs(), 1);  // started once: one vehicle report
    session.Shutdown();
    session.testbed.plugin.StopAndUnload();
    EXPECT_FALSE(FileExists(session.testbed.plugin.LogPath()));
    EXPECT_TRUE(session.testbed.host.reporting.alerts.empty());
}

}  // namespace
}  // namespace ulvo::testbed
