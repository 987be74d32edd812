#include "aircraft/aircraft_views.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "core/memory_worker.h"

namespace ulvo::aircraft {
namespace {

TEST(AircraftViews, RefreshCopiesOnlyAChangedViewAndTellsWhich) {
    const struct {
        const char* name;
        bool present;
        bool differs;
        BlockRefresh expected;
    } cases[] = {
        {"no view", false, false, BlockRefresh::kNoView},
        {"same bytes", true, false, BlockRefresh::kUnchanged},
        {"last copied byte differs", true, true, BlockRefresh::kChanged},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testbed::MemorySections views;
        views.sdkPresent = views.sdk2Present = c.present;
        std::fill(views.sdk.begin(), views.sdk.end(), 0x5A);
        std::fill(views.sdk2.begin(), views.sdk2.end(), 0x5A);
        views.sdk.back() = views.sdk2.back() = 0x77;  // the byte past a block is never copied
        if (c.differs) {
            views.sdk[kSdkBlockSize - 1] = views.sdk2[kSdk2BlockSize - 1] = 0x01;
        }
        auto sdk = std::make_unique<SdkBlock>();
        auto sdk2 = std::make_unique<Sdk2Block>();
        sdk->fill(0x5A);
        sdk2->fill(0x5A);
        EXPECT_EQ(RefreshSdkBlock(views, *sdk), c.expected);
        EXPECT_EQ(RefreshSdk2Block(views, *sdk2), c.expected);
        EXPECT_EQ(sdk->back(), c.differs ? 0x01 : 0x5A);
        EXPECT_EQ(sdk2->back(), c.differs ? 0x01 : 0x5A);
        EXPECT_TRUE(!c.present || std::equal(sdk->begin(), sdk->end(), views.sdk.begin()));
        EXPECT_TRUE(!c.present || std::equal(sdk2->begin(), sdk2->end(), views.sdk2.begin()));
        // The plain copy of the one-second check.
        sdk->fill(0);
        EXPECT_EQ(CopySdkBlock(views, *sdk), c.present);
        EXPECT_EQ(sdk->front(), c.present ? 0x5A : 0);
    }
}

}  // namespace
}  // namespace ulvo::aircraft
