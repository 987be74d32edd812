// Where the SimConnect client's Win32 configuration finds SimConnect.cfg (the
// three folders) and the simulator's registry ports. What the client makes of
// them is tested natively (tests/native/simconnect_connection_test.cpp).
#include <gtest/gtest.h>

#include <string>

#include "simconnect/win/win32_configuration.h"
#include "wine/simconnect_environment.h"

namespace ulvo::simconnect {
namespace {

class Win32ConfigurationTest : public SimConnectEnvironment {};

TEST_F(Win32ConfigurationTest, FilesAndPortsAreFoundWhereTheSystemKeepsThem) {
    Win32Configuration configuration;
    std::wstring path;
    for (const ConfigFolder folder : kConfigFolders) {
        ASSERT_TRUE(configuration.ConfigFilePath(folder, path));
        EXPECT_EQ(path, Folder(folder) + L"\\SimConnect.cfg");
    }
    WriteConfig(ConfigFolder::CurrentDirectory,
                "[SimConnect.7]\r\nPort=Mine\r\n[SimConnect]\r\nAddress=here\r\n");
    EXPECT_EQ(configuration.ReadProfileString(path, L"SimConnect.7", L"Port"), L"Mine");
    EXPECT_EQ(configuration.ReadProfileString(path, L"SimConnect", L"Port"), L"");
    EXPECT_TRUE(configuration.SectionHasContent(path, L"SimConnect.7"));
    EXPECT_FALSE(configuration.SectionHasContent(path, L"SimConnect.8"));

    // Ten characters with the terminator is the limit; longer values count as missing.
    const struct {
        const wchar_t* stored;
        const wchar_t* read;
    } ports[] = {{L"50123", L"50123"}, {L"123456789", L"123456789"}, {L"1234567890", L""}};
    for (const auto& c : ports) {
        SetRegistryPort(kPortValueIPv4, c.stored);
        EXPECT_EQ(configuration.ReadRegistryPort(IpFamily::IPv4), c.read) << c.stored;
    }
    SetRegistryPort(kPortValueIPv6, L"6506");
    EXPECT_EQ(configuration.ReadRegistryPort(IpFamily::IPv6), L"6506");
}

}  // namespace
}  // namespace ulvo::simconnect
