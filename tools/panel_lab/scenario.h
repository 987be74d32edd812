// Scenarios: the panel lab's lines, read from a file (`ulvo-panel-lab.exe run
// FILE`) or typed at its prompt. One action per line, in the offset reference's
// terms, optionally at a time in seconds after the start:
//
//   at 2.5 set 0x943A 12000             the altitude window shows 12000
//   set 0x9402.3 on                     a lamp
//   set 0x9477 0.25                     a further value
//   set 0x94F0 +1                       a client turns a counter one step up
//   gsx exit open                       GSX asks for the main exit (service, cargo)
//   jetway power on                     GSX reports jetway power (air; on, off, a number)
//   wait 1                              one second later, the next line
//   at 3 expect command 1232 12100      the aircraft received 1232 with 12100
//   expect 0x943A 12000                 an FSUIPC client reads 12000 there
//   expect event SELECT_1               the simulator received that event
//   expect log Main exit toggle requested.
//
// An expect waits up to two seconds for its condition ("within 10" sets another
// limit); `#` starts a comment.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ulvo::tools {

constexpr double kExpectWithin = 2.0;  // seconds an expect waits by default

struct ScenarioLine {
    enum class Kind {
        kNone,  // blank or a comment
        kSet,
        kWait,
        kExpectValue,
        kExpectCommand,
        kExpectEvent,
        kExpectLog,
        kGsxDoor,
        kJetway,
        kQuit,
        kHelp,
    };
    Kind kind = Kind::kNone;
    size_t number = 0;         // line number, from 1
    std::string text;          // as written, without the comment
    std::optional<double> at;  // seconds after the start
    double seconds = 0.0;      // wait: how long; expect: the limit
    std::string target;        // set, expect: "0x943A", "0x9402.3"
    std::string value;         // set, expect: "12000"; gsx: "open", "close", "toggle"
    std::string name;          // expect event, expect log; gsx: "exit"; jetway: "power"
    uint32_t code = 0;         // expect command
    std::optional<int64_t> commandValue;
    double jetwayValue = 0.0;
    std::string error;  // why the line cannot be used; empty when it can
};

ScenarioLine ParseScenarioLine(std::string_view line, size_t number);

// Every line that is not blank or a comment, in order.
std::vector<ScenarioLine> ParseScenario(std::string_view text);

// The lines the lab understands, for `help` and the usage text.
std::string ScenarioHelp();

}  // namespace ulvo::tools
