// What happens in the panel lab, as values: what the aircraft, the simulator,
// GSX and FSUIPC saw, and what the scenario's lines did. The lab's printout is
// these events in words (EventText); a front end may show them any other way.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace ulvo::tools {

struct LabEvent {
    enum class Kind {
        kCommand,      // the aircraft received a command: `code`, `value`
        kSimEvent,     // the simulator received an event from the plug-in: `text`
        kDoor,         // GSX saw a door move: `text` the door, `value` 1 open, 0 closed
        kLog,          // the plug-in wrote a line to its log: `text`
        kPublished,    // the plug-in wrote an offset: `offset`, `before`, `value` (raw)
        kClientWrote,  // a program (or the lab for a line) wrote an offset of the block
        kLine,         // a line ran: `line`, `text`; `detail` what the lab says about it
        kPassed,       // an expectation held: `line`, `text`
        kFailed,       // a line failed: `line`, `text`; `detail` why
        kTiming,       // a measured time: `text` what, `number` milliseconds
        kNote,         // the lab tells the user something: `text`
    };
    Kind kind = Kind::kNote;
    double seconds = 0.0;  // since the lab was ready; below 0 while it started
    uint32_t code = 0;
    uint32_t offset = 0;
    int64_t value = 0;
    int64_t before = 0;
    double number = 0.0;
    size_t line = 0;  // the line's number, from 1
    std::string text;
    std::string detail;
};

// The event as the plain printout shows it, without its time:
// "command 1232 altitude set value = 12100", "published 0x943A 12000 (was 5000)",
// "ok line 4 (expect 0x943A 12000)".
std::string EventText(const LabEvent& event);

}  // namespace ulvo::tools
