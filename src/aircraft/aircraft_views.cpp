#include "aircraft/aircraft_views.h"

#include <cstring>

namespace ulvo::aircraft {

namespace {

template <size_t N>
bool CopyView(const uint8_t* view, std::array<uint8_t, N>& block) {
    if (view == nullptr) {
        return false;
    }
    std::memcpy(block.data(), view, N);
    return true;
}

// The block ends up holding the view's bytes either way: when the comparison
// finds them equal, the copy would not change a byte.
template <size_t N>
BlockRefresh RefreshView(const uint8_t* view, std::array<uint8_t, N>& block) {
    if (view == nullptr) {
        return BlockRefresh::kNoView;
    }
    if (std::memcmp(block.data(), view, N) == 0) {
        return BlockRefresh::kUnchanged;
    }
    std::memcpy(block.data(), view, N);
    return BlockRefresh::kChanged;
}

}  // namespace

bool CopySdkBlock(const AircraftViews& views, SdkBlock& block) {
    return CopyView(views.SdkView(), block);
}

bool CopySdk2Block(const AircraftViews& views, Sdk2Block& block) {
    return CopyView(views.Sdk2View(), block);
}

BlockRefresh RefreshSdkBlock(const AircraftViews& views, SdkBlock& block) {
    return RefreshView(views.SdkView(), block);
}

BlockRefresh RefreshSdk2Block(const AircraftViews& views, Sdk2Block& block) {
    return RefreshView(views.Sdk2View(), block);
}

}  // namespace ulvo::aircraft
