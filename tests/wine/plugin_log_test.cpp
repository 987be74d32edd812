// The plug-in's log file as the start and shutdown messages write it, through
// the real DLL loaded by the testbed. Lines end in CR LF.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "win/testbed.h"
#include "wine/plugin_log_lines.h"

namespace ulvo::testbed {
namespace {

const std::string kOpened = kLogOpened;
const std::string kVehicle = kVehicleReport;
const std::string kStarted = kStartLog;
// The shutdown message closes the connections, then the log.
const std::string kClosed = kConnectionsClosed + kLogClosed;

std::wstring LogPathBesideModule(const PluginLoader& plugin) {
    std::wstring path = plugin.ModuleFileName();
    return path.substr(0, path.find_last_of(L'\\') + 1) + L"Ulvo2FSUIPC.log";
}

std::wstring FailureText(const std::wstring& path) {
    return L"Failed to open \"" + path +
           L"\". Please ensure the file has the correct permissions and is not being used by "
           L"another application.";
}

TEST(PluginLog, AStartAndAShutdownWriteTheLogByteForByte) {
    Testbed testbed;
    ASSERT_TRUE(testbed.plugin.LoadAndStart());
    testbed.host.DeliverMessage(P3D::kMessageLoadingComplete);
    // Each line is on disk at once, while the plug-in keeps the file open.
    EXPECT_EQ(testbed.plugin.ReadLog(), kStarted);
    testbed.host.DeliverMessage(P3D::kMessageShutdown);
    EXPECT_EQ(testbed.plugin.ReadLog(), kStarted + kClosed);
    EXPECT_EQ(testbed.plugin.LogPath(), LogPathBesideModule(testbed.plugin));
    testbed.plugin.StopAndUnload();
    EXPECT_TRUE(testbed.host.reporting.alerts.empty());
}

TEST(PluginLog, TheVehicleReportEndsItsLineOnlyWithATitle) {
    const std::wstring longTitle(300, L'x');
    const struct {
        const char* name;
        std::function<void(HostOptions&)> configure;
        std::string report;  // between the opening and the closing line
    } cases[] = {
        {"title with characters beyond one byte",
         [](HostOptions& host) {
             host.vehicleTitle = L"Ulvo 737 Caf\u00E9 \u0416\u03A9 \U0001F6EB end";
         },
         kVehicle + "Ulvo 737 Caf\xE9 ?? ? end\r\n"},
        {"empty title", [](HostOptions& host) { host.vehicleTitle = L""; }, kVehicle + "\r\n"},
        {"title longer than the buffer", [&](HostOptions& host) { host.vehicleTitle = longTitle; },
         kVehicle + std::string(259, 'x') + "\r\n"},
        {"no user vehicle", [](HostOptions& host) { host.userObjectFails = true; }, kVehicle},
        {"no vehicle service", [](HostOptions& host) { host.vehicleService = false; }, kVehicle},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestbedOptions options;
        c.configure(options.host);
        Testbed testbed(options);
        ASSERT_TRUE(testbed.plugin.LoadAndStart());
        testbed.host.DeliverMessage(P3D::kMessageLoadingComplete);
        testbed.host.DeliverMessage(P3D::kMessageShutdown);
        // An unended report is continued by the next line.
        EXPECT_EQ(testbed.plugin.ReadLog(), kOpened + c.report + kConnectionsOpened + kClosed);
        testbed.plugin.StopAndUnload();
        EXPECT_EQ(testbed.host.vehicle.Outstanding(), 0);
    }
}

TEST(PluginLog, ASecondStartDoesNothing) {
    Testbed testbed;
    ASSERT_TRUE(testbed.plugin.LoadAndStart());
    testbed.host.DeliverMessage(P3D::kMessageLoadingComplete);
    testbed.host.DeliverMessage(P3D::kMessageLoadingComplete);
    EXPECT_EQ(testbed.host.vehicle.AddRefs(), 1);  // one vehicle report
    testbed.host.DeliverMessage(P3D::kMessageShutdown);
    EXPECT_EQ(testbed.plugin.ReadLog(), kStarted + kClosed);
}

TEST(PluginLog, AfterShutdownLinesAreLostAndAStartDoesNotReopen) {
    Testbed testbed;
    ASSERT_TRUE(testbed.plugin.LoadAndStart());
    testbed.host.DeliverMessage(P3D::kMessageLoadingComplete);
    testbed.host.DeliverMessage(P3D::kMessageShutdown);
    const std::string closed = testbed.plugin.ReadLog();
    testbed.host.DeliverMessage(P3D::kMessageShutdown);  // its closing line is lost
    testbed.host.DeliverMessage(P3D::kMessageLoadingComplete);
    testbed.host.DeliverOneSecond();
    EXPECT_EQ(testbed.plugin.ReadLog(), closed);
    // The file is closed: another program may replace it.
    EXPECT_TRUE(DeleteFileW(testbed.plugin.LogPath().c_str()));
    testbed.plugin.StopAndUnload();
    EXPECT_TRUE(testbed.host.reporting.alerts.empty());
}

TEST(PluginLog, AShutdownBeforeAnyStartWritesNothing) {
    Testbed testbed;
    ASSERT_TRUE(testbed.plugin.LoadAndStart());
    testbed.host.DeliverMessage(P3D::kMessageShutdown);
    testbed.host.DeliverMessage(P3D::kMessageLoadingComplete);
    testbed.host.DeliverMessage(P3D::kMessageShutdown);
    EXPECT_EQ(testbed.plugin.ReadLog(), kStarted + kClosed);
}

// Something in the log's way, and how to clear it again.
struct Obstacle {
    const char* name;
    std::function<HANDLE(const std::wstring& path)> place;  // returns a handle to close, or null
    std::function<void(const std::wstring& path)> clear;
};

const Obstacle kObstacles[] = {
    {"a folder of the log's name",
     [](const std::wstring& path) {
         EXPECT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
         return HANDLE{nullptr};
     },
     [](const std::wstring& path) { EXPECT_TRUE(RemoveDirectoryW(path.c_str())); }},
    {"the log held open without sharing",
     [](const std::wstring& path) {
         const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                         FILE_ATTRIBUTE_NORMAL, nullptr);
         EXPECT_NE(file, INVALID_HANDLE_VALUE);
         return file;
     },
     [](const std::wstring&) {}},
};

TEST(PluginLog, ALogThatCannotBeOpenedIsReportedToTheHostAndTheNextStartTriesAgain) {
    for (const Obstacle& obstacle : kObstacles) {
        SCOPED_TRACE(obstacle.name);
        Testbed testbed;
        ASSERT_TRUE(testbed.plugin.LoadAndStart());
        const std::wstring path = LogPathBesideModule(testbed.plugin);
        const HANDLE held = obstacle.place(path);

        testbed.host.DeliverMessage(P3D::kMessageLoadingComplete);
        ASSERT_EQ(testbed.host.reporting.alerts.size(), 1u);
        EXPECT_EQ(testbed.host.reporting.alerts[0].text, FailureText(path));
        EXPECT_EQ(testbed.host.reporting.alerts[0].windowType, 2);
        EXPECT_EQ(testbed.host.vehicles.LastCall(), "");  // not started: no vehicle report

        if (held != nullptr) {
            CloseHandle(held);
        }
        obstacle.clear(path);
        testbed.host.DeliverMessage(P3D::kMessageLoadingComplete);
        testbed.host.DeliverMessage(P3D::kMessageShutdown);
        EXPECT_EQ(testbed.plugin.ReadLog(), kStarted + kClosed);
        EXPECT_EQ(testbed.host.reporting.alerts.size(), 1u);
        testbed.plugin.StopAndUnload();
        EXPECT_EQ(testbed.host.reporting.Outstanding(), 0);
    }
}

TEST(PluginLog, WithoutAMessageServiceAFailedOpenIsSilentAndRetriedLater) {
    TestbedOptions options;
    options.host.messageService = false;
    Testbed testbed(options);
    ASSERT_TRUE(testbed.plugin.LoadAndStart());
    const std::wstring path = LogPathBesideModule(testbed.plugin);
    ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
    testbed.host.DeliverMessage(P3D::kMessageLoadingComplete);
    EXPECT_EQ(testbed.host.vehicles.LastCall(), "");
    ASSERT_TRUE(RemoveDirectoryW(path.c_str()));
    testbed.host.DeliverMessage(P3D::kMessageLoadingComplete);
    EXPECT_EQ(testbed.plugin.ReadLog(), kStarted);
    EXPECT_TRUE(testbed.host.reporting.alerts.empty());
}

TEST(PluginLog, UnderAnotherFileNameThePluginWorksOnWithoutALog) {
    TestbedOptions options;
    options.pluginFileName = L"Renamed.dll";  // the plug-in looks for its module by name
    Testbed testbed(options);
    ASSERT_TRUE(testbed.plugin.LoadAndStart());
    testbed.host.DeliverMessage(P3D::kMessageLoadingComplete);
    EXPECT_EQ(testbed.host.vehicle.AddRefs(), 1);  // started: the vehicle was reported
    EXPECT_EQ(testbed.host.vehicle.Outstanding(), 0);
    testbed.host.DeliverMessage(P3D::kMessageLoadingComplete);
    EXPECT_EQ(testbed.host.vehicle.AddRefs(), 1);  // and only once
    testbed.host.DeliverMessage(P3D::kMessageShutdown);
    testbed.plugin.StopAndUnload();
    EXPECT_EQ(GetFileAttributesW(testbed.plugin.LogPath().c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(testbed.host.reporting.alerts.empty());
}

TEST(PluginLog, TheNextSimulatorRunOverwritesTheLog) {
    Testbed testbed;
    ASSERT_TRUE(testbed.plugin.LoadAndStart());
    testbed.host.DeliverMessage(P3D::kMessageLoadingComplete);
    testbed.host.DeliverMessage(P3D::kMessageShutdown);
    testbed.plugin.StopAndUnload();

    testbed.host.vehicle.title = L"B";
    ASSERT_TRUE(testbed.plugin.LoadAndStart());  // the same DLL file, the same folder
    testbed.host.DeliverMessage(P3D::kMessageLoadingComplete);
    EXPECT_EQ(testbed.plugin.ReadLog(), kOpened + kVehicle + "B\r\n" + kConnectionsOpened);
}

}  // namespace
}  // namespace ulvo::testbed
