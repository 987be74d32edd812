// What the testbed's FSUIPC reports of each exchange it served.
#pragma once

#include <cstdint>
#include <string>

#include "core/fsuipc_offset_space.h"

namespace ulvo::testbed {

// One exchange as FSUIPC served it.
struct FsuipcServedExchange {
    std::string section;    // the name the atom carried; empty when it named nothing
    uintptr_t reply = 0;    // what FSUIPC answered
    FsuipcExchangeLog log;  // the records executed (none unless the reply was 1)
};

}  // namespace ulvo::testbed
