// The close's wait on the simulator's thread: messages other threads send to this
// thread's windows are served, posted ones stay queued for the thread's pump.
#include "plugin/win/wait_serving_sent_messages.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace ulvo::plugin {
namespace {

constexpr UINT kSent = WM_APP + 1;
constexpr UINT kPosted = WM_APP + 2;

struct Counts {
    int sent = 0;
    int posted = 0;
};
Counts counts;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kSent) {
        ++counts.sent;
        return 7;
    }
    if (message == kPosted) {
        ++counts.posted;
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

class WaitServingSentMessages_ : public ::testing::Test {
  protected:
    void SetUp() override {
        counts = {};
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = CountingProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"UlvoWaitTestWindow";
        RegisterClassW(&windowClass);
        window = CreateWindowExW(0, L"UlvoWaitTestWindow", L"", 0, 0, 0, 0, 0, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override { DestroyWindow(window); }

    HWND window = nullptr;
};

TEST_F(WaitServingSentMessages_, ServesAnotherThreadsSendUntilThatThreadEnds) {
    struct Send {
        HWND window;
        LRESULT answer;
    } send{window, 0};
    const HANDLE sender = CreateThread(
        nullptr, 0,
        [](void* parameter) -> DWORD {
            auto* s = static_cast<Send*>(parameter);
            s->answer = SendMessageW(s->window, kSent, 0, 0);
            return 0;
        },
        &send, 0, nullptr);
    ASSERT_NE(sender, nullptr);
    // Without serving, the sender would never end and the wait would run out.
    EXPECT_TRUE(WaitServingSentMessages(sender, 5000));
    EXPECT_EQ(WaitForSingleObject(sender, 5000), WAIT_OBJECT_0);
    CloseHandle(sender);
    EXPECT_EQ(counts.sent, 1);
    EXPECT_EQ(send.answer, 7);
}

TEST_F(WaitServingSentMessages_, LeavesPostedMessagesQueuedAndReportsATimeOut) {
    ASSERT_TRUE(PostMessageW(window, kPosted, 0, 0));
    const HANDLE never = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    EXPECT_FALSE(WaitServingSentMessages(never, 20));
    EXPECT_EQ(counts.posted, 0);
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, window, kPosted, kPosted, PM_REMOVE));

    SetEvent(never);
    EXPECT_TRUE(WaitServingSentMessages(never, 0));  // already signalled
    CloseHandle(never);
}

}  // namespace
}  // namespace ulvo::plugin
