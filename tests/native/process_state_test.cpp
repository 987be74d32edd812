#include "simconnect/process_state.h"

#include <gtest/gtest.h>

#include "core/memory_client_platform.h"

namespace ulvo::simconnect {
namespace {

TEST(ProcessState, ANestedStateInstallsTheOneBeforeItAgainWhenItEnds) {
    testbed::MemoryClientPlatform platform;
    ProcessState outer(platform);
    {
        ProcessState inner(platform);
        EXPECT_EQ(ProcessState::Installed(), &inner);
    }
    EXPECT_EQ(ProcessState::Installed(), &outer);
}

}  // namespace
}  // namespace ulvo::simconnect
