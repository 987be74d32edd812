// Scenarios: the panel lab's lines, read from a file (`ulvo-panel-lab.exe run
// FILE`) or typed at its prompt. One line per action, in the offset reference's
// terms; ScenarioHelp lists them. A line may start with `at SECONDS` (not before
// that time after the start, in file order) or `repeat COUNT every SECONDS`
// (the line COUNT times, the k-th at k times SECONDS after the first). `#`
// starts a comment.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "groundservices/ground_services_table.h"
#include "panel_lab/lab_port.h"
#include "panel_lab/test_patterns.h"

namespace ulvo::tools {

constexpr double kExpectWithin = 2.0;  // seconds an expect waits by default

struct ScenarioLine {
    enum class Kind {
        kNone,  // blank or a comment
        kSet,
        kFsuipcSet,
        kFsuipcRestart,
        kGsxDoor,
        kJetway,
        kAircraftReload,
        kAircraftOther,
        kSelector,
        kSimConnectFail,
        kPattern,
        kWatch,
        kTiming,
        kWait,
        kExpectValue,
        kExpectRaw,
        kExpectCommand,
        kExpectNoCommand,
        kExpectEvent,
        kExpectLog,
        kQuit,
        kHelp,
    };
    Kind kind = Kind::kNone;
    size_t number = 0;         // line number, from 1
    std::string text;          // as written, without the comment
    std::optional<double> at;  // not before this many seconds after the start
    size_t repeat = 1;         // repeat COUNT every SECONDS
    double every = 0.0;
    double seconds = 0.0;  // wait: how long; expect: the limit; pattern: each step
    std::string target;    // set, expect: "0x943A", "0x9402.3"
    std::string value;     // set, expect: "12000"
    std::string name;      // expect event: the event; expect log: the line
    uint32_t code = 0;     // expect command
    std::optional<int64_t> commandValue;
    size_t count = 0;  // expect command ... xN: exactly N; 0: one at least
    groundservices::Door door = groundservices::Door::kMainExit;
    DoorAction action = DoorAction::kToggle;
    groundservices::Jetway jetway = groundservices::Jetway::kPower;
    double amount = 0.0;  // jetway: its value; selector: the position
    uint32_t offset = 0;  // fsuipc set, expect raw
    uint32_t size = 0;    // fsuipc set
    uint64_t raw = 0;     // fsuipc set, expect raw: the bytes as a little-endian number
    Pattern pattern = Pattern::kLamps;
    std::vector<uint32_t> watch;  // the offsets to show; empty: every offset
    bool on = false;              // timing on
    std::string error;            // why the line cannot be used; empty when it can
};

ScenarioLine ParseScenarioLine(std::string_view line, size_t number);

// Every line that is not blank or a comment, in order, each checked: a line that
// cannot be used carries its error, whatever its time.
std::vector<ScenarioLine> ParseScenario(std::string_view text);

// The lines the lab understands, for `help` and the usage text.
std::string ScenarioHelp();

}  // namespace ulvo::tools
