// The text protocol of `testbed.exe fsuipc-server`: the process that plays FSUIPC
// for clients in other processes takes one command per line on its standard
// input and answers each with one line on its standard output. Exchanges it
// serves are reported, when logging is on, as lines of their own that begin with
// "exchange ".
//
// Commands (offsets in hexadecimal, other numbers in decimal):
//   quit                      end the server
//   reply N                   answer every exchange with N (1 executes the records)
//   slow COUNT MS             the next COUNT exchanges wait MS milliseconds first
//   badversion 3304|3308      spoil the FSUIPC or simulator version
//   set OFFSET HEXBYTES       store bytes in the offset space
//   get OFFSET SIZE           read bytes: answered "bytes HEXBYTES"
//   log on|off                report exchanges
//   count                     exchanges served so far: answered "count N"
// Anything else is answered "error <reason>"; the others "ok".
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/fsuipc_offset_space.h"

namespace ulvo::testbed {

// One exchange as FSUIPC served it.
struct FsuipcServedExchange {
    std::string section;    // the name the atom carried; empty when it named nothing
    uintptr_t reply = 0;    // what FSUIPC answered
    FsuipcExchangeLog log;  // the records executed (none unless the reply was 1)
};

struct FsuipcServerCommand {
    enum Kind { kInvalid, kQuit, kReply, kSlow, kBadVersion, kSet, kGet, kLog, kCount };
    Kind kind = kInvalid;
    uint64_t number = 0;         // reply: the value; slow: the count; get: the size
    uint32_t offset = 0;         // set, get, badversion
    uint32_t delayMs = 0;        // slow
    std::vector<uint8_t> bytes;  // set
    bool on = false;             // log
    std::string error;           // why a line is kInvalid
};

// The most a `slow` command may ask for, so a typing slip cannot stall a server
// for hours: 100 answers of at most 60 s.
constexpr uint64_t kMaxSlowAnswers = 100;
constexpr uint32_t kMaxSlowDelayMs = 60000;

// Parses one line (without its line end). Never fails other than by kInvalid.
FsuipcServerCommand ParseFsuipcServerCommand(std::string_view line);

// Upper-case hexadecimal, two digits a byte, no separators.
std::string HexBytes(const uint8_t* bytes, size_t size);

// "exchange <section> reply <n> records <n> reads <n> writes[ <OFFSET>=<HEX>]..."
std::string FormatServedExchange(const FsuipcServedExchange& exchange);

}  // namespace ulvo::testbed
