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

}  // namespace

bool CopySdkBlock(const AircraftViews& views, SdkBlock& block) {
    return CopyView(views.SdkView(), block);
}

bool CopySdk2Block(const AircraftViews& views, Sdk2Block& block) {
    return CopyView(views.Sdk2View(), block);
}

}  // namespace ulvo::aircraft
