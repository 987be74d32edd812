// The FSUIPC link over its Win32 platform against the testbed's FSUIPC, placed as
// the plug-in meets it: FSUIPC's window on this thread, which pumps messages like
// the simulator's main thread, and the exchange sent from a worker thread. The
// link's protocol is tested natively (tests/native/fsuipc_link_test.cpp).
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "fsuipc/win/fsuipc_platform_win.h"
#include "win/fsuipc_party.h"
#include "win/message_pump.h"

namespace ulvo::fsuipc {
namespace {

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

TEST(FsuipcPlatformWin, AnExchangeFromAWorkerGoesThroughTheNamedSectionThatTheCloseRemoves) {
    testbed::FsuipcParty fsuipc(testbed::FsuipcParty::Options{});
    fsuipc.LogExchanges(true);
    // A link's first open names its section and atom after the process and 1. An
    // earlier process of this id may have left its atom behind (atoms outlive
    // their process in the Wine session): the close must remove this link's own.
    char name[64];
    std::snprintf(name, sizeof name, "FsasmLib:IPC:%X:1", unsigned(GetCurrentProcessId()));
    while (const ATOM stale = GlobalFindAtomA(name)) {
        GlobalDeleteAtom(stale);
    }
    Win32FsuipcPlatform platform;
    FsuipcLink link(platform);
    uint32_t result = 99;
    ASSERT_TRUE(link.Open(result));
    EXPECT_EQ(result, kOk);
    ASSERT_EQ(fsuipc.Exchanges().size(), 1u);  // the handshake
    EXPECT_EQ(fsuipc.Exchanges()[0].section, name);
    EXPECT_TRUE(AtomExists(name));
    EXPECT_TRUE(SectionExists(name));

    fsuipc.SetU16(0x9400, 0x0512);
    fsuipc.AnswerSlowly(1, 1000);  // within the 2000 ms time-out: no second send
    std::vector<uint8_t> pattern(3000);
    for (size_t i = 0; i < pattern.size(); ++i) {
        pattern[i] = uint8_t(i * 7 + 1);
    }
    uint16_t word = 0;
    std::atomic<bool> done{false};
    bool processed = false;
    std::thread worker([&] {
        processed = link.Write(0x1000, 3000, pattern.data(), result) &&
                    link.Read(0x9400, 2, &word, result) && link.Process(result);
        done = true;
    });
    testbed::PumpUntil([&] { return done.load(); }, std::chrono::seconds(30));
    worker.join();
    EXPECT_TRUE(processed) << result;
    EXPECT_EQ(word, 0x0512);
    EXPECT_TRUE(fsuipc.WithSpace([&](testbed::FsuipcOffsetSpace& space) {
        return std::equal(pattern.begin(), pattern.end(), space.bytes.begin() + 0x1000);
    }));
    ASSERT_EQ(fsuipc.Exchanges().size(), 2u);  // the handshake and the one exchange
    EXPECT_EQ(fsuipc.Exchanges()[1].section, name);

    link.Close();
    EXPECT_FALSE(AtomExists(name));
    EXPECT_FALSE(SectionExists(name));
}

}  // namespace
}  // namespace ulvo::fsuipc
