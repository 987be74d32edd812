// The names the offset reference gives aircraft commands, so that the tools print
// "1232 altitude set value = 12100" instead of a bare number. Only commands whose
// meaning the plug-in's tables show have a name; the others stay numbers.
#pragma once

#include <cstdint>
#include <string>

namespace ulvo::tools {

// "altitude set value"; empty for a command the reference names no meaning for.
std::string CommandName(uint32_t code);

// "1232 altitude set value = 12100", "628 = 0": a command as the aircraft gets it.
std::string NamedCommandText(uint32_t code, int64_t value);

}  // namespace ulvo::tools
