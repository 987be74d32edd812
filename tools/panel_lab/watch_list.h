// The offsets a `watch` line names, so that the lab's plain output shows only the
// changes a builder cares about: offsets of the block ("0x943A"; a bit such as
// "0x9402.3" watches its byte), or keys and names as docs/offsets.csv gives them
// ("display05", "Display05 altitude window", "BitWord00 bit 3", and "BitWord00"
// for a whole lamp byte), in any case; a name of several words goes in double
// quotes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ulvo::tools {

// The offsets `text` names, in order; empty when it names none (watch all
// again). Returns why a word names no offset, or "".
std::string ReadWatchList(std::string_view text, std::vector<uint32_t>& offsets);

}  // namespace ulvo::tools
