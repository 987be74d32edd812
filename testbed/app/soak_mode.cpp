// `testbed.exe soak [SECONDS] [SEED]`: runs the real plug-in in the testbed for a
// while with everything moving at once, as in a long flight:
//   - the aircraft changes random fields (digits, blanks, signs, whole words and
//     real values, not-a-number among them) in every cycle;
//   - an FSUIPC client stores command words at 0x9400 whenever it reads idle,
//     turns step controls by whole trains of steps and sets direct controls;
//   - GSX asks for doors and moves the jetway's power at the one-second ticks.
// Checked while it runs and at the end: every few seconds, with the aircraft
// held still for a few cycles, every published FSUIPC offset shows what the
// aircraft shows; every command word is performed exactly once; every train
// arrives as exactly its steps, every direct value once; every door request as
// its two SimConnect events, every jetway change as its command; the process's
// handle count and private memory stay flat after the first seconds.
// The client's writes are stored into FSUIPC's offsets as FSUIPC stores a
// client's write record. Prints what it did and exits 0 when everything held.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <limits>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "bridge/control_table.h"
#include "bridge/further_table.h"
#include "core/gsx_doors.h"
#include "core/published_offsets.h"
#include "core/simconnect_message_text.h"
#include "modes.h"
#include "win/message_pump.h"
#include "win/plugin_session.h"
#include "win/plugin_threads.h"
#include "win/process_use.h"
#include "win/steady_milliseconds.h"

namespace ulvo::testbed {
namespace {

using Command = AircraftParty::Command;
constexpr uint32_t kCommandWord = 0x9400;
constexpr size_t kHoldStillCycles = 4;  // cycles the aircraft rests before a convergence check
constexpr double kCheckEveryMs = 3000;  // convergence checks
constexpr double kSettleMs = 2000;      // handles and memory are taken as a base after this

class Soak {
  public:
    Soak(uint32_t seed) : rng(seed) {}

    bool Start();
    // Runs until `seconds` have passed; false at the first check that fails.
    bool Run(double seconds);
    void Summary(double seconds) const;

  private:
    uint16_t U16(uint32_t offset) { return testbed.fsuipc->U16(offset); }
    void SetU8(uint32_t offset, uint8_t value) { testbed.fsuipc->SetU8(offset, value); }
    void SetU16(uint32_t offset, uint16_t value) { testbed.fsuipc->SetU16(offset, value); }
    bool Fail(const char* what) {
        std::printf("soak failed: %s\n", what);
        std::fflush(stdout);
        return false;
    }

    // One cycle's worth of each party's doing, run after each exchange.
    void ChangeAircraft();
    void ClientCommandWord();
    void ClientControls();
    bool Outstanding(uint32_t code) const;
    void OneSecond();
    void FollowDoors();
    // Takes the aircraft's commands and books them against what is expected.
    bool TakeCommands();
    bool CheckConvergence();

    PluginSession session;
    Testbed& testbed = session.testbed;
    std::mt19937 rng;
    uint64_t exchangesSeen = 0;
    uint64_t cycles = 0;

    std::map<Command, int64_t> expected;  // commands still to arrive, by (code, value)
    uint16_t pendingCommand = 0;          // 0: none
    uint64_t commandWords = 0;
    uint64_t trainSteps = 0;
    uint64_t directValues = 0;
    std::vector<uint8_t> controlBytes = std::vector<uint8_t>(0x10000);

    double nextTick = 0;
    uint64_t ticks = 0;
    uint64_t doorRequests = 0;
    uint64_t jetwayChanges = 0;
    double jetwayPower = 0;
    uint64_t lastDoorTick = 0;
    GsxDoors gsx{[this](const std::string& name, double value) {
        testbed.host.namedVariables.Set(name, value);
    }};
    ClientEventNames eventNames;
    std::vector<size_t> doorMessagesSeen;  // per SimConnect connection

    uint64_t convergenceChecks = 0;
    ProcessUse base, last;
};

bool Soak::Start() {
    if (!session.StartRunning()) {
        return Fail("the worker did not start");
    }
    exchangesSeen = testbed.fsuipc->ExchangeCount();
    nextTick = SteadyMilliseconds() + 1000;
    return true;
}

// Values that hit the decoding rules, and anything at all.
void Soak::ChangeAircraft() {
    AircraftParty& aircraft = testbed.aircraft;
    for (int change = 0; change < 8; ++change) {
        const bool first = rng() % 3 != 0;
        const uint32_t size = first ? 4272 : 6772;
        const uint32_t offset = (rng() % (size / 4)) * 4;
        if (!first && offset == 0x1A70) {
            continue;  // the aircraft stays the loaded one
        }
        // A digit, a blank or a sign, a boolean, or anything at all.
        const uint32_t kind = rng() % 5;
        const int32_t value = kind == 0   ? int32_t(rng() % 10)
                              : kind == 1 ? 10 + int32_t(rng() % 3)
                              : kind == 2 ? int32_t(rng() % 2)
                                          : int32_t(rng());
        aircraft.SetI32(first ? AircraftParty::Block::Sdk : AircraftParty::Block::Sdk2, offset,
                        value);
    }
    const bridge::FurtherRecord& record =
        bridge::kFurtherRecords[rng() % bridge::kFurtherRecords.size()];
    if (record.type == bridge::FurtherSource::kReal) {
        const double values[] = {std::numeric_limits<double>::quiet_NaN(), -0.0, 1e300,
                                 double(int32_t(rng())) / 1000.0};
        aircraft.SetF64(AircraftParty::Block::Sdk, record.source, values[rng() % 4]);
    }
}

// A client that writes the next command once the word reads idle again.
void Soak::ClientCommandWord() {
    if (pendingCommand != 0 || U16(kCommandWord) != 0xFFFF || rng() % 3 != 0) {
        return;
    }
    pendingCommand = uint16_t(100 + rng() % 400);  // plain commands, posted with value 0
    ++expected[{pendingCommand, 0}];
    ++commandWords;
    SetU16(kCommandWord, pendingCommand);
}

// Whether commands of this code are still to arrive.
bool Soak::Outstanding(uint32_t code) const {
    for (auto at = expected.lower_bound({code, LPARAM(INT32_MIN)});
         at != expected.end() && at->first.first == code; ++at) {
        if (at->second != 0) {
            return true;
        }
    }
    return false;
}

// Trains on the step controls (at most 100 steps either way) and new values on
// the two direct controls. A control moves again only once its last move has
// arrived: two moves within one cycle reach the bridge as one (their sum, or the
// later value), by design.
void Soak::ClientControls() {
    if (rng() % 4 != 0) {
        return;
    }
    if (rng() % 2 == 0) {
        const bridge::StepControl& control =
            rng() % 2 ? bridge::kStepControlsFirst[rng() % std::size(bridge::kStepControlsFirst)]
                      : bridge::kStepControlsLast[rng() % std::size(bridge::kStepControlsLast)];
        const int32_t steps = int32_t(rng() % 201) - 100;
        if (steps == 0 || Outstanding(control.commandUp) || Outstanding(control.commandDown)) {
            return;
        }
        uint8_t& byte = controlBytes[control.offset];
        byte = uint8_t(byte + steps);
        SetU8(control.offset, byte);
        expected[{steps > 0 ? control.commandUp : control.commandDown, 0}] += std::abs(steps);
        trainSteps += std::abs(steps);
    } else {
        const bridge::DirectControl& control =
            bridge::kDirectControls[rng() % 2];  // 0x942E, 0x942F
        if (Outstanding(control.command)) {
            return;
        }
        uint8_t& byte = controlBytes[control.offset];
        const uint8_t value = uint8_t(byte + 1 + rng() % 255);  // always a new value
        byte = value;
        SetU8(control.offset, value);
        // A value strictly between 0 and 1 would be scaled; whole values pass as they are.
        ++expected[{control.command, value}];
        ++directValues;
    }
}

// GSX: a door asked for at most every seventh tick (a request rests five ticks)
// and only once the last one was heard; the jetway's power moving in and out of 5.
void Soak::OneSecond() {
    FollowDoors();
    constexpr GsxDoors::Door kDoors[] = {GsxDoors::Door::kMainExit, GsxDoors::Door::kServiceDoors,
                                         GsxDoors::Door::kCargoDoors};
    const bool asking = std::any_of(std::begin(kDoors), std::end(kDoors),
                                    [&](GsxDoors::Door door) { return gsx.IsAsked(door); });
    if (!asking && ticks >= lastDoorTick + 7 && rng() % 2 == 0) {
        gsx.Ask(kDoors[rng() % 3], GsxDoors::Action::kToggle);
        lastDoorTick = ticks;
        ++doorRequests;
    }
    const double power = rng() % 3 == 0 ? (jetwayPower == 5.0 ? 0.0 : 5.0) : jetwayPower;
    if (power != jetwayPower) {
        ++expected[{power == 5.0 ? 1215u : 1216u, 0}];
        ++jetwayChanges;
        jetwayPower = power;
        gsx.Jetway(groundservices::Jetway::kPower, power);
    }
    testbed.host.DeliverOneSecond();
    ++ticks;
}

// Hands GSX the simulator events the plug-in transmitted since the last look.
void Soak::FollowDoors() {
    for (const auto& [connection, index, message] :
         testbed.simConnect->server.MessagesSince(doorMessagesSeen)) {
        if (auto event = eventNames.Follow(connection, ReadClientCall(message))) {
            gsx.SimEvent(*event);
        }
    }
}

bool Soak::TakeCommands() {
    for (const Command& command : testbed.aircraft.TakeCommands()) {
        if (command.first == pendingCommand && command.second == 0) {
            pendingCommand = 0;
        }
        const Command key{command.first, LPARAM(int32_t(command.second))};
        if (--expected[key] < 0) {
            std::printf("command %llu (value %lld) arrived once more than asked for\n",
                        (unsigned long long)command.first, (long long)command.second);
            return false;
        }
    }
    return true;
}

// Holds the aircraft still, lets the worker publish, and compares every
// published offset with what the aircraft shows.
bool Soak::CheckConvergence() {
    const uint64_t target = testbed.fsuipc->ExchangeCount() + kHoldStillCycles;
    if (!PumpUntil([&] { return testbed.fsuipc->ExchangeCount() >= target; }, kPatience)) {
        return Fail("the worker stopped exchanging");
    }
    const FsuipcOffsetSpace wanted =
        PublishedSpace(testbed.aircraft.Bytes(AircraftParty::Block::Sdk),
                       testbed.aircraft.Bytes(AircraftParty::Block::Sdk2));
    const bool same = testbed.fsuipc->WithSpace([&](FsuipcOffsetSpace& space) {
        for (const PublishedOffset& published : PublishedOffsets()) {
            for (uint32_t i = 0; i < published.size; ++i) {
                if (space.U8(published.offset + i) != wanted.U8(published.offset + i)) {
                    std::printf("offset 0x%X shows 0x%02X, the aircraft 0x%02X\n",
                                published.offset + i, space.U8(published.offset + i),
                                wanted.U8(published.offset + i));
                    return false;
                }
            }
        }
        return true;
    });
    ++convergenceChecks;
    exchangesSeen = testbed.fsuipc->ExchangeCount();
    return same || Fail("an FSUIPC offset did not converge to the aircraft");
}

bool Soak::Run(double seconds) {
    const double start = SteadyMilliseconds();
    const double end = start + seconds * 1000;
    double nextCheck = start + kCheckEveryMs;
    bool settled = false;
    while (SteadyMilliseconds() < end) {
        if (!PumpUntil([&] { return testbed.fsuipc->ExchangeCount() > exchangesSeen; },
                       kPatience)) {
            return Fail("the worker stopped exchanging");
        }
        exchangesSeen = testbed.fsuipc->ExchangeCount();
        ++cycles;
        if (!TakeCommands()) {
            return false;
        }
        const double now = SteadyMilliseconds();
        if (now >= nextCheck) {
            if (!CheckConvergence()) {
                return false;
            }
            nextCheck = now + kCheckEveryMs;
        }
        if (!settled && now >= start + kSettleMs) {
            base = MeasureProcess();
            settled = true;
        }
        if (now >= nextTick) {
            OneSecond();
            nextTick += 1000;
        }
        ChangeAircraft();
        ClientCommandWord();
        ClientControls();
    }
    // Everything asked for arrives, and nothing more.
    if (!CheckConvergence()) {
        return false;
    }
    PumpUntil(
        [&] {
            TakeCommands();
            for (const auto& [command, left] : expected) {
                if (left != 0) {
                    return false;
                }
            }
            return true;
        },
        kPatience);
    for (const auto& [command, left] : expected) {
        if (left != 0) {
            std::printf("command %llu (value %lld): %lld still missing\n",
                        (unsigned long long)command.first, (long long)command.second,
                        (long long)left);
            return Fail("a command did not arrive");
        }
    }
    // Two SimConnect events per door request, after the eleven of the set-up.
    size_t transmitted = 0;
    for (const Bytes& message : testbed.simConnect->server.Messages(0)) {
        transmitted += ReadClientCall(message).kind == ClientCall::Kind::kTransmitClientEvent;
    }
    if (transmitted != 2 * doorRequests) {
        std::printf("%zu door events for %llu requests\n", transmitted,
                    (unsigned long long)doorRequests);
        return Fail("a door request was lost or doubled");
    }
    last = MeasureProcess();
    if (!WithinSlack(base, last)) {
        return Fail("handles or memory grew");
    }
    return true;
}

void Soak::Summary(double seconds) const {
    std::printf(
        "soak %.0f s: %llu cycles, %llu command words, %llu train steps, %llu direct values, "
        "%llu ticks, %llu door requests, %llu jetway changes, %llu convergence checks; "
        "handles %lu -> %lu, private bytes %.1f MiB -> %.1f MiB\n",
        seconds, (unsigned long long)cycles, (unsigned long long)commandWords,
        (unsigned long long)trainSteps, (unsigned long long)directValues, (unsigned long long)ticks,
        (unsigned long long)doorRequests, (unsigned long long)jetwayChanges,
        (unsigned long long)convergenceChecks, (unsigned long)base.handles,
        (unsigned long)last.handles, double(base.privateBytes) / 1048576.0,
        double(last.privateBytes) / 1048576.0);
    std::fflush(stdout);
}

int RunSoak(int argc, wchar_t** argv) {
    const double seconds = argc >= 2 ? std::wcstod(argv[1], nullptr) : 60;
    const uint32_t seed = argc >= 3 ? uint32_t(std::wcstoul(argv[2], nullptr, 10)) : 1;
    if (!(seconds >= 5)) {
        std::fwprintf(stderr, L"usage: testbed.exe soak [SECONDS >= 5] [SEED]\n");
        return 2;
    }
    Soak soak(seed);
    const bool held = soak.Start() && soak.Run(seconds);
    soak.Summary(seconds);
    std::printf("%s\n", held ? "soak: everything held" : "soak: FAILED");
    return held ? 0 : 1;
}

const TestbedMode soakMode(L"soak", L"the plug-in under random load, checked as it runs", RunSoak);

}  // namespace
}  // namespace ulvo::testbed
