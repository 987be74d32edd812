// The real Win32 FsuipcLink against the testbed's FSUIPC, placed as the plug-in
// meets it and as an outside client meets it:
// - main thread: FSUIPC's window on the test's thread, which pumps messages like
//   the simulator's main thread; Open and Close run there (a send to one's own
//   window is a direct call), Read, Write and Process on a worker thread;
// - own thread: FSUIPC's window on a thread of the party's own;
// - other process: testbed.exe fsuipc-server, commanded through its pipes.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "core/fsuipc_server_protocol.h"
#include "fsuipc/win/fsuipc_platform_win.h"
#include "win/fsuipc_party.h"
#include "win/message_pump.h"
#include "win/testbed.h"
#include "win/testbed_process.h"

namespace ulvo::fsuipc {
namespace {

using testbed::FsuipcOffsetSpace;
using testbed::FsuipcParty;
using namespace std::chrono_literals;

enum class Placement { kMainThread, kOwnThread, kOtherProcess };

// FSUIPC as a test sees it, wherever it runs.
class Fsuipc {
  public:
    virtual ~Fsuipc() = default;
    virtual bool Ready() = 0;
    virtual void Set(uint32_t offset, const std::vector<uint8_t>& bytes) = 0;
    virtual std::vector<uint8_t> Get(uint32_t offset, uint32_t size) = 0;
    virtual void AnswerWith(uintptr_t reply) = 0;
    virtual void AnswerSlowly(uint32_t answers, uint32_t delayMs) = 0;
    virtual void SpoilVersion(uint32_t offset) = 0;
    // Every exchange served so far, as "exchange <section> reply ..." lines.
    virtual std::vector<std::string> ExchangeLines() = 0;
};

class PartyFsuipc final : public Fsuipc {
  public:
    PartyFsuipc(FsuipcParty::Thread thread, bool window)
        : party(FsuipcParty::Options{thread, window, true, nullptr}) {}
    bool Ready() override { return party.Window() != nullptr; }
    void Set(uint32_t offset, const std::vector<uint8_t>& bytes) override {
        party.WithSpace([&](FsuipcOffsetSpace& space) {
            std::copy(bytes.begin(), bytes.end(), space.bytes.begin() + offset);
        });
    }
    std::vector<uint8_t> Get(uint32_t offset, uint32_t size) override {
        return party.WithSpace([&](FsuipcOffsetSpace& space) {
            return std::vector<uint8_t>(space.bytes.begin() + offset,
                                        space.bytes.begin() + offset + size);
        });
    }
    void AnswerWith(uintptr_t reply) override { party.AnswerWith(reply); }
    void AnswerSlowly(uint32_t answers, uint32_t delayMs) override {
        party.AnswerSlowly(answers, delayMs);
    }
    void SpoilVersion(uint32_t offset) override { party.SpoilVersion(offset); }
    std::vector<std::string> ExchangeLines() override {
        std::vector<std::string> lines;
        for (const testbed::FsuipcServedExchange& exchange : party.Exchanges()) {
            lines.push_back(testbed::FormatServedExchange(exchange));
        }
        return lines;
    }

  private:
    FsuipcParty party;
};

class ProcessFsuipc final : public Fsuipc {
  public:
    explicit ProcessFsuipc(bool window)
        : server(window ? L"fsuipc-server" : L"fsuipc-server --no-window") {
        const auto first = server.ReadLine(testbed::kTestbedAnswerTimeout);
        ready = window && first && first->rfind("ready ", 0) == 0 && Command("log on") == "ok";
    }
    bool Ready() override { return ready; }
    void Set(uint32_t offset, const std::vector<uint8_t>& bytes) override {
        char command[32];
        std::snprintf(command, sizeof command, "set %X ", offset);
        EXPECT_EQ(Command(command + testbed::HexBytes(bytes.data(), bytes.size())), "ok");
    }
    std::vector<uint8_t> Get(uint32_t offset, uint32_t size) override {
        char command[32];
        std::snprintf(command, sizeof command, "get %X %u", offset, size);
        const std::string answer = Command(command);
        std::vector<uint8_t> bytes;
        for (size_t i = 6; i + 1 < answer.size(); i += 2) {
            bytes.push_back(uint8_t(std::stoul(answer.substr(i, 2), nullptr, 16)));
        }
        return bytes;
    }
    void AnswerWith(uintptr_t reply) override {
        EXPECT_EQ(Command("reply " + std::to_string(reply)), "ok");
    }
    void AnswerSlowly(uint32_t answers, uint32_t delayMs) override {
        EXPECT_EQ(Command("slow " + std::to_string(answers) + " " + std::to_string(delayMs)), "ok");
    }
    void SpoilVersion(uint32_t offset) override {
        char command[32];
        std::snprintf(command, sizeof command, "badversion %X", offset);
        EXPECT_EQ(Command(command), "ok");
    }
    std::vector<std::string> ExchangeLines() override {
        // The server reports an exchange before it answers it, so every exchange
        // the client has seen end is reported ahead of this command's answer.
        Command("count");
        return exchangeLines;
    }

  private:
    // Sends a command and returns its answer, collecting exchange reports on the way.
    std::string Command(const std::string& line) {
        if (!server.WriteLine(line)) {
            return "";
        }
        while (const auto answer = server.ReadLine(testbed::kTestbedAnswerTimeout)) {
            if (answer->rfind("exchange ", 0) != 0) {
                return *answer;
            }
            exchangeLines.push_back(*answer);
        }
        return "";
    }

    testbed::TestbedProcess server;
    bool ready = false;
    std::vector<std::string> exchangeLines;
};

std::unique_ptr<Fsuipc> StartFsuipc(Placement placement, bool window = true) {
    switch (placement) {
        case Placement::kMainThread:
            return std::make_unique<PartyFsuipc>(FsuipcParty::Thread::kCalling, window);
        case Placement::kOwnThread:
            return std::make_unique<PartyFsuipc>(FsuipcParty::Thread::kOwn, window);
        case Placement::kOtherProcess:
            return std::make_unique<ProcessFsuipc>(window);
    }
    return nullptr;
}

const char* PlacementName(Placement placement) {
    switch (placement) {
        case Placement::kMainThread:
            return "MainThread";
        case Placement::kOwnThread:
            return "OwnThread";
        case Placement::kOtherProcess:
            return "OtherProcess";
    }
    return "Unknown";
}

// Names the test cases and the parameter in CTest's test names.
std::string PlacementTestName(const ::testing::TestParamInfo<Placement>& param) {
    return PlacementName(param.param);
}

void PrintTo(Placement placement, std::ostream* out) {
    *out << PlacementName(placement);
}

std::string SectionName(uint32_t count) {
    char name[64];
    std::snprintf(name, sizeof name, "FsasmLib:IPC:%X:%X", unsigned(GetCurrentProcessId()),
                  unsigned(count));
    return name;
}

// The section named in a served exchange's line.
std::string SectionOf(const std::string& line) {
    const size_t start = line.find(' ') + 1;
    return line.substr(start, line.find(' ', start) - start);
}

bool AtomExists(const std::string& name) {
    return GlobalFindAtomA(name.c_str()) != 0;
}

bool SectionExists(const std::string& name) {
    HANDLE section = OpenFileMappingA(FILE_MAP_READ, FALSE, name.c_str());
    if (section != nullptr) {
        CloseHandle(section);
    }
    return section != nullptr;
}

class FsuipcLinkWineBase : public ::testing::TestWithParam<Placement> {
  protected:
    // Runs a worker-side call (Read, Write, Process). With FSUIPC on this thread
    // it runs on a worker thread while this thread pumps, as in the simulator.
    bool OnWorker(const std::function<bool()>& call) {
        if (GetParam() != Placement::kMainThread) {
            return call();
        }
        std::atomic<bool> done{false};
        bool outcome = false;
        std::thread worker([&] {
            outcome = call();
            done = true;
        });
        // Process is bounded (9 attempts of at most 2000 ms), so this returns.
        testbed::PumpUntil([&] { return done.load(); }, 60s);
        worker.join();
        return outcome;
    }

    bool ReadAndProcess(uint32_t offset, uint32_t size, void* destination) {
        return OnWorker(
            [&] { return link.Read(offset, size, destination, result) && link.Process(result); });
    }

    Win32FsuipcPlatform platform;
    FsuipcLink link{platform};
    uint32_t result = 99;
};

class FsuipcLinkWine : public FsuipcLinkWineBase {
  protected:
    void SetUp() override {
        fsuipc = StartFsuipc(GetParam());
        ASSERT_TRUE(fsuipc->Ready());
    }

    std::unique_ptr<Fsuipc> fsuipc;
};

TEST_P(FsuipcLinkWine, OpensWithOneHandshakeExchangeAndClosesWithoutTrace) {
    ASSERT_TRUE(link.Open(result));
    EXPECT_EQ(result, kOk);
    EXPECT_EQ(link.FsuipcVersion(), 0x50000000u);
    EXPECT_EQ(link.SimulatorVersion(), 0x000Cu);
    const std::string name = SectionName(1);
    EXPECT_TRUE(AtomExists(name));
    EXPECT_TRUE(SectionExists(name));
    EXPECT_EQ(fsuipc->ExchangeLines(),
              std::vector<std::string>{"exchange " + name +
                                       " reply 1 records 3 reads 2 writes 330A=D207"});

    link.Close();
    EXPECT_FALSE(AtomExists(name));
    EXPECT_FALSE(SectionExists(name));
}

TEST_P(FsuipcLinkWine, ReadsAndWritesRoundTrip) {
    ASSERT_TRUE(link.Open(result));
    fsuipc->Set(0x9400, {0x12, 0x05});
    std::vector<uint8_t> pattern(3000);
    for (size_t i = 0; i < pattern.size(); ++i) {
        pattern[i] = uint8_t(i * 7 + 1);
    }
    const uint8_t idle[2] = {0xFF, 0xFF};
    uint16_t word = 0;
    ASSERT_TRUE(OnWorker([&] {
        return link.Write(0x9430, 2, idle, result) &&
               link.Write(0x1000, 3000, pattern.data(), result) &&
               link.Read(0x9400, 2, &word, result) && link.Process(result);
    }));
    EXPECT_EQ(word, 0x0512);
    EXPECT_EQ(fsuipc->Get(0x9430, 2), (std::vector<uint8_t>{0xFF, 0xFF}));

    // What one exchange wrote, the next reads back, byte for byte.
    std::vector<uint8_t> back(3000);
    ASSERT_TRUE(ReadAndProcess(0x1000, 3000, back.data()));
    EXPECT_EQ(back, pattern);
    EXPECT_EQ(fsuipc->Get(0x1000, 3000), pattern);
}

TEST_P(FsuipcLinkWine, OpenWhileOpenGivesOneAndTheNextOpenUsesTheNextCount) {
    ASSERT_TRUE(link.Open(result));
    EXPECT_FALSE(link.Open(result));
    EXPECT_EQ(result, kAlreadyOpen);
    uint32_t version = 0;
    EXPECT_TRUE(ReadAndProcess(kFsuipcVersionOffset, 4, &version));
    EXPECT_EQ(version, 0x50000000u);
    link.Close();

    ASSERT_TRUE(link.Open(result));
    const std::vector<std::string> lines = fsuipc->ExchangeLines();
    ASSERT_EQ(lines.size(), 3u);  // handshake, the read, handshake again
    EXPECT_EQ(SectionOf(lines[0]), SectionName(1));
    EXPECT_EQ(SectionOf(lines[1]), SectionName(1));
    EXPECT_EQ(SectionOf(lines[2]), SectionName(2));
    link.Close();
}

TEST_P(FsuipcLinkWine, ReplyOtherThanOneGivesThirteenAndKeepsTheLinkOpen) {
    ASSERT_TRUE(link.Open(result));
    fsuipc->AnswerWith(0);
    uint32_t version = 0;
    EXPECT_FALSE(ReadAndProcess(kFsuipcVersionOffset, 4, &version));
    EXPECT_EQ(result, kBadReply);
    EXPECT_EQ(version, 0u);
    EXPECT_TRUE(link.IsOpen());
    fsuipc->AnswerWith(1);
    EXPECT_TRUE(ReadAndProcess(kFsuipcVersionOffset, 4, &version));
    EXPECT_EQ(version, 0x50000000u);
}

INSTANTIATE_TEST_SUITE_P(Placements, FsuipcLinkWine,
                         ::testing::Values(Placement::kMainThread, Placement::kOwnThread,
                                           Placement::kOtherProcess),
                         PlacementTestName);

// Faults that need an FSUIPC of their own (for each case).
class FsuipcLinkWineFaults : public FsuipcLinkWineBase {};

TEST_P(FsuipcLinkWineFaults, BadVersionClosesWithSevenAndReleasesAtomAndSection) {
    uint32_t count = 0;
    for (const uint32_t offset : {kFsuipcVersionOffset, kSimulatorVersionOffset}) {
        SCOPED_TRACE(offset);
        std::unique_ptr<Fsuipc> fsuipc = StartFsuipc(GetParam());
        ASSERT_TRUE(fsuipc->Ready());
        fsuipc->SpoilVersion(offset);
        EXPECT_FALSE(link.Open(result));
        EXPECT_EQ(result, kBadVersion);
        EXPECT_FALSE(link.IsOpen());
        const std::vector<std::string> lines = fsuipc->ExchangeLines();
        ASSERT_EQ(lines.size(), 1u);  // both versions came at once: no second attempt
        const std::string name = SectionOf(lines[0]);
        EXPECT_EQ(name, SectionName(++count));
        EXPECT_FALSE(AtomExists(name));
        EXPECT_FALSE(SectionExists(name));
    }
}

TEST_P(FsuipcLinkWineFaults, NoWindowGivesTwo) {
    std::unique_ptr<Fsuipc> absent = StartFsuipc(GetParam(), false);
    EXPECT_FALSE(link.Open(result));
    EXPECT_EQ(result, kNoWindow);
    EXPECT_FALSE(link.IsOpen());
    EXPECT_FALSE(AtomExists(SectionName(1)));
}

// An FSUIPC busy for longer than the 2000 ms time-out. Each slow answer takes a
// little more than the time-out, so each one costs the client one attempt.
constexpr uint32_t kSlowAnswerMs = 2300;

// Nine time-outs cost about 20 s, so the exhaustion runs in one placement only;
// the pumping main thread's slow answers are covered by the retry test below.
class FsuipcLinkWineExhausted : public FsuipcLinkWineBase {};

TEST_P(FsuipcLinkWineExhausted, SlowFsuipcGivesTwelveAfterNineAttempts) {
    std::unique_ptr<Fsuipc> fsuipc = StartFsuipc(GetParam());
    ASSERT_TRUE(fsuipc->Ready());
    ASSERT_TRUE(link.Open(result));
    fsuipc->AnswerSlowly(9, kSlowAnswerMs);
    uint8_t byte = 0x77;
    EXPECT_FALSE(ReadAndProcess(kFsuipcVersionOffset + 3, 1, &byte));
    EXPECT_EQ(result, kSendFailedWithError);  // the system reports the time-out (1460)
    EXPECT_EQ(byte, 0x77);
    EXPECT_TRUE(link.IsOpen());
}

TEST_P(FsuipcLinkWineFaults, SlowFsuipcIsAskedAgainUntilItAnswers) {
    std::unique_ptr<Fsuipc> fsuipc = StartFsuipc(GetParam());
    ASSERT_TRUE(fsuipc->Ready());
    ASSERT_TRUE(link.Open(result));
    fsuipc->Set(0x9400, {0x34, 0x12});
    fsuipc->AnswerSlowly(2, kSlowAnswerMs);
    uint16_t word = 0;
    EXPECT_TRUE(ReadAndProcess(0x9400, 2, &word));
    EXPECT_EQ(result, kOk);
    EXPECT_EQ(word, 0x1234);
    // The handshake, then the timed-out attempts and the answered one.
    EXPECT_GE(fsuipc->ExchangeLines().size(), 3u);
}

// The slow cases run where the difference lies: a pumping main thread and
// another process.
INSTANTIATE_TEST_SUITE_P(Placements, FsuipcLinkWineFaults,
                         ::testing::Values(Placement::kMainThread, Placement::kOtherProcess),
                         PlacementTestName);
INSTANTIATE_TEST_SUITE_P(Placements, FsuipcLinkWineExhausted,
                         ::testing::Values(Placement::kOtherProcess), PlacementTestName);

// The testbed brings FSUIPC along unless told not to.
TEST(TestbedFsuipc, IsThereByDefaultAndGoneWhenSwitchedOff) {
    for (const bool on : {true, false}) {
        SCOPED_TRACE(on);
        testbed::TestbedOptions options;
        options.fsuipc = on;
        testbed::Testbed testbed(options);
        EXPECT_EQ(testbed.fsuipc.has_value(), on);
        Win32FsuipcPlatform platform;
        FsuipcLink link(platform);
        uint32_t result = 99;
        EXPECT_EQ(link.Open(result), on);
        EXPECT_EQ(result, on ? kOk : kNoWindow);
        if (on) {
            EXPECT_EQ(testbed.fsuipc->ExchangeCount(), 1u);
        }
    }
}

}  // namespace
}  // namespace ulvo::fsuipc
