// Step 2 of the bridge cycle: packs annunciator and switch fields of both blocks
// into the 46 BitWords.
#pragma once

#include "bridge/bridge_state.h"

namespace ulvo::bridge {

// Rebuilds every BitWords entry from zero out of the cycle's block copies. Any
// field value gives a defined word: the arithmetic is unsigned and wraps.
void PackBitWords(BridgeCycle& cycle);

}  // namespace ulvo::bridge
