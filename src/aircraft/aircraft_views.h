// The aircraft's two mapped sections as their readers see them, and the copies
// into the private blocks. A view is null while the section is not attached.
#pragma once

#include <cstdint>

#include "aircraft/sdk_blocks.h"

namespace ulvo::aircraft {

class AircraftViews {
  public:
    // The first section's view (kSdkViewSize bytes), or null.
    virtual const uint8_t* SdkView() const = 0;
    // The second section's view (kSdk2ViewSize bytes), or null.
    virtual const uint8_t* Sdk2View() const = 0;

  protected:
    ~AircraftViews() = default;
};

// Plain byte copies of the first 4272 or 6772 bytes of a view; false, and the
// block untouched, when the view is null. No lock against the aircraft's writer:
// a copy may mix two of its states, and the next copy corrects it.
bool CopySdkBlock(const AircraftViews& views, SdkBlock& block);
bool CopySdk2Block(const AircraftViews& views, Sdk2Block& block);

// The worker's copies, which also tell whether the block changed. The aircraft
// rewrites its sections at its own frame rate, slower than the worker's cycle,
// so most cycles find a section as it was: comparing first costs one read of
// both, about what the copy costs, and leaves the block as it is.
enum class BlockRefresh { kNoView, kUnchanged, kChanged };
BlockRefresh RefreshSdkBlock(const AircraftViews& views, SdkBlock& block);
BlockRefresh RefreshSdk2Block(const AircraftViews& views, Sdk2Block& block);

}  // namespace ulvo::aircraft
