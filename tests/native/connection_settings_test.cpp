#include "simconnect/connection_settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/memory_configuration.h"

namespace ulvo::simconnect {
namespace {

using FakeConfiguration = testbed::MemoryConfiguration;

constexpr ConfigFolder P = ConfigFolder::PublicDocuments, D = ConfigFolder::Documents,
                       C = ConfigFolder::CurrentDirectory;

ConnectionSettings Gather(FakeConfiguration& config, uint32_t index = 0) {
    ConnectionSettings settings;
    EXPECT_EQ(GatherSettings(index, config, settings), SettingsResult::Ready);
    return settings;
}

// Keys of section "SimConnect" in the three files (P, D, C, read in that order),
// with the registry ports 4504 (IPv4) and 6506 (IPv6).
TEST(ConnectionSettings, LaterFilesOverrideKeyByKeyByTheRulesOfEachKey) {
    struct Key {
        ConfigFolder folder;
        const wchar_t* key;
        const wchar_t* value;
    };
    // What the keys give; the defaults are what no key changes.
    struct Settings {
        Protocol protocol = Protocol::Pipe;
        const wchar_t* address = L"";
        const wchar_t* port = L"";
        uint32_t maxReceiveSize = 41088;
        bool disableNagle = false;
    };
    struct Case {
        std::vector<Key> keys;
        Settings expected;
    };
    constexpr Protocol kIPv4 = Protocol::IPv4, kIPv6 = Protocol::IPv6;
    const Case cases[] = {
        {{}, {}},  // no keys: the defaults
        {{{P, L"Address", L"alpha"},
          {P, L"DisableNagle", L"1"},
          {D, L"Address", L"beta"},
          {D, L"DisableNagle", L"0"},
          {C, L"Port", L"5000"}},
         {.address = L"beta", .port = L"5000"}},
        // A missing key keeps the earlier value.
        {{{P, L"DisableNagle", L"7"}, {D, L"Address", L"a"}},
         {.address = L"a", .disableNagle = true}},
        // MaxReceiveSize only grows; read unsigned, -1 leaves the buffer's 1 MiB limit to rule.
        {{{P, L"MaxReceiveSize", L"1000"}}, {}},
        {{{P, L"MaxReceiveSize", L"41089"}}, {.maxReceiveSize = 41089}},
        {{{P, L"MaxReceiveSize", L"100000"}, {D, L"MaxReceiveSize", L"50000"}},
         {.maxReceiveSize = 100000}},
        {{{P, L"MaxReceiveSize", L"50000"}, {C, L"MaxReceiveSize", L"60000"}},
         {.maxReceiveSize = 60000}},
        {{{P, L"MaxReceiveSize", L"-1"}}, {.maxReceiveSize = 0xFFFFFFFF}},
        // Protocol names ignore case; unknown ones change nothing.
        {{{P, L"Protocol", L"IPv4"}}, {.protocol = kIPv4}},
        {{{P, L"Protocol", L"ipv6"}}, {.protocol = kIPv6}},
        {{{P, L"Protocol", L"IPV4"}, {D, L"Protocol", L"auto"}}, {}},
        {{{P, L"Protocol", L"IPv6"}, {D, L"Protocol", L"PIPE"}}, {}},
        {{{P, L"Protocol", L"IPv6"}, {D, L"Protocol", L"tcp"}}, {.protocol = kIPv6}},
        {{{P, L"Protocol", L"IPv6 "}}, {}},
        // A socket protocol replaces a port from an earlier file with the registry's.
        {{{P, L"Port", L"9000"}, {D, L"Protocol", L"IPv4"}}, {.protocol = kIPv4, .port = L"4504"}},
        {{{P, L"Port", L"9000"}, {D, L"Protocol", L"IPv6"}}, {.protocol = kIPv6, .port = L"6506"}},
        {{{D, L"Protocol", L"IPv4"}}, {.protocol = kIPv4}},  // an empty port stays
        {{{P, L"Port", L"9000"}, {D, L"Protocol", L"IPv4"}, {D, L"Port", L"7000"}},
         {.protocol = kIPv4, .port = L"7000"}},
        {{{P, L"Port", L"9000"}, {D, L"Protocol", L"Pipe"}}, {.port = L"9000"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        FakeConfiguration config;
        config.portIPv4 = L"4504";
        config.portIPv6 = L"6506";
        for (const Key& key : c.keys) {
            config.Set(key.folder, L"SimConnect", key.key, key.value);
        }
        const ConnectionSettings settings = Gather(config);
        EXPECT_EQ(settings.protocol, c.expected.protocol);
        EXPECT_EQ(settings.address, c.expected.address);
        EXPECT_EQ(settings.port, c.expected.port);
        EXPECT_EQ(settings.maxReceiveSize, c.expected.maxReceiveSize);
        EXPECT_EQ(settings.disableNagle, c.expected.disableNagle);
    }
}

TEST(ConnectionSettings, ARegistryWithoutThePortAndTheLastIndexReadNothing) {
    FakeConfiguration config;
    config.Set(P, L"SimConnect", L"Port", L"9000");
    config.Set(C, L"SimConnect", L"Protocol", L"IPv4");
    EXPECT_EQ(Gather(config).port, L"");

    config.Set(P, L"SimConnect.4294967295", L"Address", L"ignored");
    config.lookups = 0;
    EXPECT_EQ(Gather(config, 0xFFFFFFFF).port, L"");
    EXPECT_EQ(config.lookups, 0);
}

TEST(ConnectionSettings, NumberedSectionsMustExistInOneOfTheFiles) {
    FakeConfiguration config;
    config.Set(P, L"SimConnect", L"Address", L"plain");
    ConnectionSettings settings;
    EXPECT_EQ(GatherSettings(3, config, settings), SettingsResult::SectionMissing);
    EXPECT_EQ(config.sectionChecks.size(), 3u);

    config.Set(C, L"SimConnect.3", L"Address", L"three");
    ASSERT_EQ(GatherSettings(3, config, settings), SettingsResult::Ready);
    EXPECT_EQ(settings.address, L"three");

    // The first file with the section ends the check.
    config.sectionChecks.clear();
    config.Set(P, L"SimConnect.3", L"Port", L"1");
    ASSERT_EQ(GatherSettings(3, config, settings), SettingsResult::Ready);
    EXPECT_EQ(config.sectionChecks, std::vector<std::wstring>{L"P:\\SimConnect.cfg"});

    // No folder could be tried at all.
    config.paths.clear();
    EXPECT_EQ(GatherSettings(3, config, settings), SettingsResult::SectionMissing);
}

TEST(ConnectionSettings, FoldersWithoutAPathAreSkippedAndLongTextsCut) {
    FakeConfiguration config;
    config.Set(P, L"SimConnect", L"Address", L"public");
    config.Set(C, L"SimConnect", L"Port", L"42");
    config.Set(C, L"SimConnect", L"Address", std::wstring(2047, L'a'));
    config.paths.erase(P);
    const ConnectionSettings settings = Gather(config);
    EXPECT_EQ(settings.address.size(), 1023u);
    EXPECT_EQ(settings.port, L"42");
    config.values.erase({L"C:\\SimConnect.cfg", L"SimConnect", L"Address"});
    EXPECT_EQ(Gather(config).address, L"");

    EXPECT_EQ(SectionName(0xFFFFFFFE), L"SimConnect.4294967294");
}

TEST(ParseProfileInteger, ReadsLikeTheSystemIntegerConversion) {
    struct Case {
        std::wstring text;
        int32_t value;
    };
    const Case cases[] = {
        {L"  17", 17},
        {L"\t-5", -5},
        {L" \n\v\f\r9", 9},  // the blanks are space and tab to carriage return
        {L"\b9", 0},
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
