#include "simconnect/connection_settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/memory_configuration.h"

namespace ulvo::simconnect {
namespace {

using FakeConfiguration = testbed::MemoryConfiguration;

constexpr ConfigFolder kPublic = ConfigFolder::PublicDocuments;
constexpr ConfigFolder kDocuments = ConfigFolder::Documents;
constexpr ConfigFolder kCurrent = ConfigFolder::CurrentDirectory;

ConnectionSettings Gather(FakeConfiguration& config, uint32_t index = 0) {
    ConnectionSettings settings;
    EXPECT_EQ(GatherSettings(index, config, settings), SettingsResult::Ready);
    return settings;
}

TEST(ConnectionSettings, DefaultsWithoutAnyFileAndForTheLastIndex) {
    FakeConfiguration config;
    const ConnectionSettings settings = Gather(config);
    EXPECT_EQ(settings.protocol, Protocol::Pipe);
    EXPECT_EQ(settings.address, L"");
    EXPECT_EQ(settings.port, L"");
    EXPECT_EQ(settings.maxReceiveSize, 41088u);
    EXPECT_FALSE(settings.disableNagle);

    // The last index reads nothing at all.
    config.Set(kPublic, L"SimConnect", L"Address", L"ignored");
    config.Set(kPublic, L"SimConnect.4294967295", L"Address", L"ignored");
    config.lookups = 0;
    EXPECT_EQ(Gather(config, 0xFFFFFFFF).address, L"");
    EXPECT_EQ(config.lookups, 0);
}

TEST(ConnectionSettings, LaterFilesOverrideKeyByKey) {
    FakeConfiguration config;
    config.Set(kPublic, L"SimConnect", L"Address", L"alpha");
    config.Set(kPublic, L"SimConnect", L"DisableNagle", L"1");
    config.Set(kDocuments, L"SimConnect", L"Address", L"beta");
    config.Set(kDocuments, L"SimConnect", L"DisableNagle", L"0");
    config.Set(kCurrent, L"SimConnect", L"Port", L"5000");
    const ConnectionSettings settings = Gather(config);
    EXPECT_EQ(settings.address, L"beta");
    EXPECT_EQ(settings.port, L"5000");
    EXPECT_FALSE(settings.disableNagle);

    // A key missing from a later file keeps the earlier value.
    config.Set(kPublic, L"SimConnect", L"DisableNagle", L"7");
    config.values.erase({L"D:\\SimConnect.cfg", L"SimConnect", L"DisableNagle"});
    EXPECT_TRUE(Gather(config).disableNagle);
}

TEST(ConnectionSettings, MaxReceiveSizeOnlyGrows) {
    struct Case {
        std::vector<std::wstring> values;  // Public, Documents, current directory
        uint32_t expected;
    };
    const Case cases[] = {
        {{L"1000"}, 41088},
        {{L"100000"}, 100000},
        {{L"100000", L"50000"}, 100000},
        {{L"50000", L"", L"60000"}, 60000},
        {{L"41089"}, 41089},
        {{L"abc"}, 41088},
        {{L"-1"}, 0xFFFFFFFF},  // read unsigned: the buffer's 1 MiB limit then rules
    };
    for (const Case& c : cases) {
        FakeConfiguration config;
        for (size_t i = 0; i < c.values.size(); ++i) {
            config.Set(kConfigFolders[i], L"SimConnect", L"MaxReceiveSize", c.values[i]);
        }
        EXPECT_EQ(Gather(config).maxReceiveSize, c.expected) << c.values[0];
    }
}

TEST(ConnectionSettings, ProtocolNamesIgnoreCaseAndUnknownOnesChangeNothing) {
    struct Case {
        std::wstring first;
        std::wstring second;
        Protocol expected;
    };
    const Case cases[] = {
        {L"IPv4", L"", Protocol::IPv4},     {L"ipv6", L"", Protocol::IPv6},
        {L"IPV4", L"auto", Protocol::Pipe}, {L"IPv6", L"PIPE", Protocol::Pipe},
        {L"IPv6", L"tcp", Protocol::IPv6},  {L"IPv6 ", L"", Protocol::Pipe},
    };
    for (const Case& c : cases) {
        FakeConfiguration config;
        config.Set(kPublic, L"SimConnect", L"Protocol", c.first);
        config.Set(kDocuments, L"SimConnect", L"Protocol", c.second);
        EXPECT_EQ(Gather(config).protocol, c.expected) << c.first << "/" << c.second;
    }
}

TEST(ConnectionSettings, SocketProtocolReplacesAPortFromAnEarlierFileWithTheRegistryPort) {
    struct Case {
        const char* name;
        std::wstring earlierPort;
        std::wstring protocol;
        std::wstring samePort;  // Port in the file that names the protocol
        std::wstring expected;
    };
    const Case cases[] = {
        {"EarlierPortReplaced", L"9000", L"IPv4", L"", L"4504"},
        {"IPv6Port", L"9000", L"IPv6", L"", L"6506"},
        {"EmptyPortStays", L"", L"IPv4", L"", L""},
        {"PortReadAfterProtocol", L"9000", L"IPv4", L"7000", L"7000"},
        {"PipeKeepsPort", L"9000", L"Pipe", L"", L"9000"},
    };
    for (const Case& c : cases) {
        FakeConfiguration config;
        config.portIPv4 = L"4504";
        config.portIPv6 = L"6506";
        config.Set(kPublic, L"SimConnect", L"Port", c.earlierPort);
        config.Set(kDocuments, L"SimConnect", L"Protocol", c.protocol);
        config.Set(kDocuments, L"SimConnect", L"Port", c.samePort);
        EXPECT_EQ(Gather(config).port, c.expected) << c.name;
    }
    // A registry without the value empties the port.
    FakeConfiguration config;
    config.Set(kPublic, L"SimConnect", L"Port", L"9000");
    config.Set(kCurrent, L"SimConnect", L"Protocol", L"IPv4");
    EXPECT_EQ(Gather(config).port, L"");
}

TEST(ConnectionSettings, NumberedSectionsMustExistInOneOfTheFiles) {
    FakeConfiguration config;
    config.Set(kPublic, L"SimConnect", L"Address", L"plain");
    ConnectionSettings settings;
    EXPECT_EQ(GatherSettings(3, config, settings), SettingsResult::SectionMissing);
    EXPECT_EQ(config.sectionChecks.size(), 3u);

    config.Set(kCurrent, L"SimConnect.3", L"Address", L"three");
    ASSERT_EQ(GatherSettings(3, config, settings), SettingsResult::Ready);
    EXPECT_EQ(settings.address, L"three");

    // The first file with the section ends the check.
    config.sectionChecks.clear();
    config.Set(kPublic, L"SimConnect.3", L"Port", L"1");
    ASSERT_EQ(GatherSettings(3, config, settings), SettingsResult::Ready);
    EXPECT_EQ(config.sectionChecks, std::vector<std::wstring>{L"P:\\SimConnect.cfg"});

    // No folder could be tried at all.
    config.paths.clear();
    EXPECT_EQ(GatherSettings(3, config, settings), SettingsResult::SectionMissing);
}

TEST(ConnectionSettings, FoldersWithoutAPathAreSkippedAndLongTextsCut) {
    FakeConfiguration config;
    config.Set(kPublic, L"SimConnect", L"Address", L"public");
    config.Set(kCurrent, L"SimConnect", L"Port", L"42");
    config.Set(kCurrent, L"SimConnect", L"Address", std::wstring(2047, L'a'));
    config.paths.erase(kPublic);
    const ConnectionSettings settings = Gather(config);
    EXPECT_EQ(settings.address.size(), 1023u);
    EXPECT_EQ(settings.port, L"42");
    config.values.erase({L"C:\\SimConnect.cfg", L"SimConnect", L"Address"});
    EXPECT_EQ(Gather(config).address, L"");

    EXPECT_EQ(SectionName(0), L"SimConnect");
    EXPECT_EQ(SectionName(1), L"SimConnect.1");
    EXPECT_EQ(SectionName(0xFFFFFFFE), L"SimConnect.4294967294");
}

TEST(ParseProfileInteger, ReadsLikeTheSystemIntegerConversion) {
    struct Case {
        std::wstring text;
        int32_t value;
    };
    const Case cases[] = {
        {L"0", 0},
        {L"42", 42},
        {L"  17", 17},
        {L"\t-5", -5},
        {L"+8", 8},
        {L"12abc", 12},
        {L"abc", 0},
        {L"- 3", 0},
        {L"2147483647", 2147483647},
        {L"2147483648", 2147483647},
        {L"-2147483648", int32_t(-2147483647 - 1)},
        {L"-99999999999999", int32_t(-2147483647 - 1)},
        {L"4294967295", 2147483647},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseProfileInteger(c.text), c.value) << c.text.size();
    }
}

}  // namespace
}  // namespace ulvo::simconnect
