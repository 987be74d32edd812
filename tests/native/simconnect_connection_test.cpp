#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/memory_configuration.h"
#include "simconnect/connection_chain.h"
#include "simconnect/connection_settings.h"
#include "simconnect/pipe_path.h"

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

TEST(ConnectionSettings, DefaultsWithoutAnyFile) {
    FakeConfiguration config;
    const ConnectionSettings settings = Gather(config);
    EXPECT_EQ(settings.protocol, Protocol::Pipe);
    EXPECT_EQ(settings.address, L"");
    EXPECT_EQ(settings.port, L"");
    EXPECT_EQ(settings.maxReceiveSize, 41088u);
    EXPECT_FALSE(settings.disableNagle);
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

TEST(ConnectionSettings, FoldersWithoutAPathAreSkipped) {
    FakeConfiguration config;
    config.Set(kPublic, L"SimConnect", L"Address", L"public");
    config.Set(kCurrent, L"SimConnect", L"Port", L"42");
    config.paths.erase(kPublic);
    const ConnectionSettings settings = Gather(config);
    EXPECT_EQ(settings.address, L"");
    EXPECT_EQ(settings.port, L"42");
}

TEST(ConnectionSettings, LastIndexReadsNothing) {
    FakeConfiguration config;
    config.Set(kPublic, L"SimConnect", L"Address", L"ignored");
    config.Set(kPublic, L"SimConnect.4294967295", L"Address", L"ignored");
    const ConnectionSettings settings = Gather(config, 0xFFFFFFFF);
    EXPECT_EQ(settings.address, L"");
    EXPECT_EQ(config.lookups, 0);
}

TEST(ConnectionSettings, LongTextsAreCutTo1023Characters) {
    FakeConfiguration config;
    config.Set(kPublic, L"SimConnect", L"Address", std::wstring(2047, L'a'));
    EXPECT_EQ(Gather(config).address.size(), 1023u);
}

TEST(ConnectionSettings, SectionNames) {
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

TEST(PipePath, FormatsServerAndName) {
    struct Case {
        std::wstring server;
        std::wstring name;
        std::wstring path;
    };
    const Case cases[] = {
        {L"", L"", L"\\\\.\\pipe\\Lockheed Martin Prepar3D v4\\SimConnect"},
        {L".", L"", L"\\\\.\\pipe\\Lockheed Martin Prepar3D v4\\SimConnect"},
        {L"host", L"", L"\\\\host\\pipe\\Lockheed Martin Prepar3D v4\\SimConnect"},
        {L"", L"Mine", L"\\\\.\\pipe\\Mine"},
        {L"host", L"Mine", L"\\\\host\\pipe\\Mine"},
    };
    for (const Case& c : cases) {
        std::wstring path;
        EXPECT_TRUE(FormatPipePath(c.server, c.name, path));
        EXPECT_EQ(path, c.path);
    }
    // 259 characters fit the 260-character buffer with its terminator; 260 do not.
    std::wstring path;
    EXPECT_TRUE(FormatPipePath(L".", std::wstring(259 - 9, L'n'), path));
    EXPECT_EQ(path.size(), 259u);
    EXPECT_FALSE(FormatPipePath(L".", std::wstring(260 - 9, L'n'), path));
}

// Records the chain's steps as text; connects what it is told to.
class FakeAttempts final : public ConnectionAttempts {
  public:
    bool BeginAttempt() override {
        trace.push_back(L"begin");
        live += canCreate ? 1 : 0;
        return canCreate;
    }
    void AbandonAttempt() override {
        trace.push_back(L"abandon");
        --live;
    }
    bool ConnectPipe(const std::wstring& path) override {
        trace.push_back(L"pipe " + path);
        return pipesThatConnect > 0 && pipeCalls++ == pipesThatConnect - 1;
    }
    bool StartSockets() override {
        trace.push_back(L"sockets");
        return socketsStart;
    }
    bool ConnectSocket(IpFamily family, const std::wstring& address,
                       const std::wstring& port) override {
        const std::wstring what =
            std::wstring(family == IpFamily::IPv4 ? L"v4 " : L"v6 ") + address + L" " + port;
        trace.push_back(what);
        return what == socketThatConnects;
    }

    std::vector<std::wstring> trace;
    int live = 0;
    bool canCreate = true;
    bool socketsStart = true;
    int pipesThatConnect = 0;  // the n-th pipe attempt connects (0: none)
    int pipeCalls = 0;
    std::wstring socketThatConnects;
};

const std::wstring kDefaultPipe = L"pipe \\\\.\\pipe\\Lockheed Martin Prepar3D v4\\SimConnect";

TEST(ConnectTransport, TriesTransportsInTheFixedOrder) {
    struct Case {
        const char* name;
        ConnectionSettings settings;
        std::wstring portIPv4, portIPv6;
        int pipesThatConnect;
        std::wstring socketThatConnects;
        bool socketsStart;
        uint32_t result;
        std::vector<std::wstring> trace;
    };
    ConnectionSettings ipv4Remote;
    ipv4Remote.protocol = Protocol::IPv4;
    ipv4Remote.address = L"10.0.0.5";
    ipv4Remote.port = L"500";
    ConnectionSettings ipv6Loopback;
    ipv6Loopback.protocol = Protocol::IPv6;
    ipv6Loopback.address = L"::1";
    ipv6Loopback.port = L"700";
    ConnectionSettings remotePipe;
    remotePipe.address = L"server";
    ConnectionSettings namedPipe;
    namedPipe.address = L".";
    namedPipe.port = L"Mine";

    const Case cases[] = {
        {"DefaultsWithoutPorts",
         {},
         L"",
         L"",
         0,
         L"",
         true,
         kConnectFailed,
         {L"begin", kDefaultPipe, L"abandon", L"begin", L"sockets", L"abandon", L"begin",
          L"sockets", L"abandon", L"begin", kDefaultPipe, L"abandon"}},
        {"DefaultPipe", {}, L"", L"", 1, L"", true, kConnected, {L"begin", kDefaultPipe}},
        {"SecondPipeAttempt",
         {},
         L"",
         L"",
         2,
         L"",
         true,
         kConnected,
         {L"begin", kDefaultPipe, L"abandon", L"begin", L"sockets", L"abandon", L"begin",
          L"sockets", L"abandon", L"begin", kDefaultPipe}},
        {"IPv6Loopback",
         {},
         L"4504",
         L"6506",
         0,
         L"v6 ::1 6506",
         true,
         kConnected,
         {L"begin", kDefaultPipe, L"abandon", L"begin", L"sockets", L"v6 ::1 6506"}},
        {"IPv4Loopback",
         {},
         L"4504",
         L"6506",
         0,
         L"v4 127.0.0.1 4504",
         true,
         kConnected,
         {L"begin", kDefaultPipe, L"abandon", L"begin", L"sockets", L"v6 ::1 6506", L"abandon",
          L"begin", L"sockets", L"v4 127.0.0.1 4504"}},
        {"IPv4RemoteHasNoFallback",
         ipv4Remote,
         L"4504",
         L"6506",
         1,
         L"",
         true,
         kConnectFailed,
         {L"begin", L"sockets", L"v4 10.0.0.5 500", L"abandon"}},
        {"IPv6LoopbackFallsBackToIPv4",
         ipv6Loopback,
         L"4504",
         L"",
         0,
         L"",
         true,
         kConnectFailed,
         {L"begin", L"sockets", L"v6 ::1 700", L"abandon", L"begin", L"sockets",
          L"v4 127.0.0.1 4504", L"abandon", L"begin", kDefaultPipe, L"abandon"}},
        {"RemotePipeHasNoFallback",
         remotePipe,
         L"4504",
         L"6506",
         0,
         L"",
         true,
         kConnectFailed,
         {L"begin", L"pipe \\\\server\\pipe\\Lockheed Martin Prepar3D v4\\SimConnect", L"abandon"}},
        {"NamedLocalPipeFallsBack",
         namedPipe,
         L"",
         L"",
         0,
         L"",
         true,
         kConnectFailed,
         {L"begin", L"pipe \\\\.\\pipe\\Mine", L"abandon", L"begin", L"sockets", L"abandon",
          L"begin", L"sockets", L"abandon", L"begin", kDefaultPipe, L"abandon"}},
        {"SocketsDoNotStart",
         {},
         L"4504",
         L"6506",
         0,
         L"",
         false,
         kConnectFailed,
         {L"begin", kDefaultPipe, L"abandon", L"begin", L"sockets", L"abandon"}},
    };
    for (const Case& c : cases) {
        FakeConfiguration registry;
        registry.portIPv4 = c.portIPv4;
        registry.portIPv6 = c.portIPv6;
        FakeAttempts attempts;
        attempts.pipesThatConnect = c.pipesThatConnect;
        attempts.socketThatConnects = c.socketThatConnects;
        attempts.socketsStart = c.socketsStart;
        EXPECT_EQ(ConnectTransport(c.settings, registry, attempts), c.result) << c.name;
        EXPECT_EQ(attempts.trace, c.trace) << c.name;
        // Every failed attempt's client is destroyed; a success leaves exactly one.
        EXPECT_EQ(attempts.live, c.result == kConnected ? 1 : 0) << c.name;
    }
}

TEST(ConnectTransport, StopsWhenNoClientCanBeCreated) {
    FakeConfiguration registry;
    FakeAttempts attempts;
    attempts.canCreate = false;
    EXPECT_EQ(ConnectTransport({}, registry, attempts), kConnectFailed);
    EXPECT_EQ(attempts.trace, std::vector<std::wstring>{L"begin"});
}

}  // namespace
}  // namespace ulvo::simconnect
