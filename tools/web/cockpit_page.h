// What the web page shows and what its clicks do, without the network: the
// cockpit's layout built from the bridge's tables (the same source as the offset
// reference), the block's values as the monitor writes them, and the actions the
// page sends on its own socket.
//
// The page's socket speaks small JSON messages. From the server:
//   {"kind":"values","values":{"0x943A":{"text":"12000","raw":12000}, ...}}
//   {"kind":"lab","doors":[{"name":"main exit","open":false}, ...],"jetway":{...}}
//   {"kind":"event","text":"command 1232 altitude set value = 12100"}
//   {"kind":"answer","ok":true,"text":"wrote command 1298 at 0x9400"}
// From the page:
//   {"action":"command","code":1298}             the command word
//   {"action":"step","offset":"0x94F0","steps":1}  a counter, up (+) or down (-)
//   {"action":"control","offset":"0x9428","value":9}  a direct control byte
//   {"action":"line","text":"set 0x943A 12000"}    the lab's scenario lines
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "offsets/value_text.h"
#include "web/offset_space.h"

namespace ulvo::tools::web {

// The offset block, section by section, with names, sizes and words from the
// tables; the page builds itself from it.
nlohmann::json CockpitLayout();

// The values of every entry that differs from `before` (every entry when it is
// null), as {"0x943A": {"text": "12000", "raw": 12000}, ...}.
nlohmann::json BlockValues(const BlockSnapshot& now, const BlockSnapshot* before);

struct PageAction {
    enum class Kind { kCommand, kStep, kControl, kLine };
    Kind kind = Kind::kCommand;
    WriteRequest write;  // command, step, control
    std::string line;    // line
    std::string done;    // what it does, for the answer
    std::string error;   // why it cannot be done; empty when it can
};

PageAction ParsePageAction(std::string_view text);

}  // namespace ulvo::tools::web
