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
    EXPECT_EQ(testbed::HandleGrowth(base, testbed::MeasureProcess()), "");
}

}  // namespace
}  // namespace ulvo
