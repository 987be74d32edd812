// What FSUIPC should show for an aircraft once the bridge has published it: the
// publishing steps run on fresh tables over the given sections, against an
// in-memory FSUIPC whose offsets start at zero (as a fresh FSUIPC's do). The soak
// compares the testbed's FSUIPC with it at every published offset.
#pragma once

#include <cstdint>
#include <vector>

#include "core/fsuipc_offset_space.h"

namespace ulvo::testbed {

struct PublishedOffset {
    uint32_t offset;
    uint32_t size;
};

// Every offset a publishing step writes (145 values) and its size, by offset.
std::vector<PublishedOffset> PublishedOffsets();

// The offsets after publishing blocks copied from these sections (at least 4272
// and 6772 bytes).
FsuipcOffsetSpace PublishedSpace(const std::vector<uint8_t>& sdk, const std::vector<uint8_t>& sdk2);

}  // namespace ulvo::testbed
