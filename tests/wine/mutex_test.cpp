// Locks that come and go leave nothing behind, also after two threads contended
// for one: mingw-w64's threads library gives a contended recursive mutex an event
// that only destroying the mutex gives back, which the standard mutex never does.
#include "common/mutex.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "win/process_use.h"

namespace ulvo {
namespace {

TEST(RecursiveMutex, OneThatTwoThreadsContendedForLeavesNoHandleBehind) {
    auto contend = [] {
        RecursiveMutex mutex;
        mutex.Lock();
        std::thread contender([&mutex] { MutexLock lock(mutex); });
        Sleep(5);  // the contender waits for the lock
        mutex.Unlock();
        contender.join();
    };
    contend();  // what the threads library makes once, on first use
    const testbed::ProcessUse base = testbed::MeasureProcess();
    for (int round = 0; round < 20; ++round) {
        contend();
    }
    // A kept event grows by one a contended round; on a busy machine the first
    // round may not have contended, so a late first-use object or two are allowed.
    const testbed::ProcessUse now = testbed::MeasureProcess();
    EXPECT_LE(now.handles, base.handles + 2) << testbed::HandleGrowth(base, now);
}

}  // namespace
}  // namespace ulvo
