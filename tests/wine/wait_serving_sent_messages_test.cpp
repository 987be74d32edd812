// The close's wait on the simulator's thread leaves posted messages queued for
// the thread's pump and reports a time-out. That it serves the messages other
// threads send (the worker's FSUIPC exchange) is shown through the whole DLL by
// RunningSession.AShutdownServesTheExchangeTheWorkerIsWaitingIn.
#include "plugin/win/wait_serving_sent_messages.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace ulvo::plugin {
namespace {

TEST(WaitServingSentMessages, LeavesPostedMessagesQueuedAndReportsATimeOut) {
    const HWND window =
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(PostMessageW(window, WM_APP, 0, 0));
    const HANDLE never = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    EXPECT_FALSE(WaitServingSentMessages(never, 20));
    MSG message;
    EXPECT_TRUE(PeekMessageW(&message, window, WM_APP, WM_APP, PM_REMOVE));

    SetEvent(never);
    EXPECT_TRUE(WaitServingSentMessages(never, 0));  // already signalled
    CloseHandle(never);
    DestroyWindow(window);
}

}  // namespace
}  // namespace ulvo::plugin
