// The aircraft's two mapped sections in memory, as the worker reads them, for
// native tests and benchmarks: either view can be taken away, and a test can act
// when the first one is read.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "aircraft/aircraft_views.h"

namespace ulvo::testbed {

struct MemorySections final : aircraft::AircraftViews {
    std::vector<uint8_t> sdk = std::vector<uint8_t>(aircraft::kSdkViewSize);
    std::vector<uint8_t> sdk2 = std::vector<uint8_t>(aircraft::kSdk2ViewSize);
    bool sdkPresent = true;
    bool sdk2Present = true;
    std::function<void()> onSdkView;

    const uint8_t* SdkView() const override {
        if (onSdkView) {
            onSdkView();
        }
        return sdkPresent ? sdk.data() : nullptr;
    }
    const uint8_t* Sdk2View() const override { return sdk2Present ? sdk2.data() : nullptr; }
};

}  // namespace ulvo::testbed
