#include "plugin/win/win32_worker_thread.h"

#include "bridge/win/win32_worker_clock.h"
#include "plugin/win/wait_serving_sent_messages.h"

namespace ulvo::plugin {

DWORD WINAPI WorkerThreadMain(LPVOID parameter) {
    bridge::Win32WorkerClock clock;  // the timer belongs to this thread's life
    return bridge::WorkerMain(*static_cast<bridge::WorkerContext*>(parameter), clock);
}

Win32WorkerThread::Win32WorkerThread(HANDLE& thread_, DWORD& threadId_,
                                     bridge::WorkerContext& context_)
    : thread(thread_), threadId(threadId_), context(context_) {}

bool Win32WorkerThread::Start() {
    thread = CreateThread(nullptr, 0, WorkerThreadMain, &context, 0, &threadId);
    if (thread == nullptr) {
        threadId = 0;
        return false;
    }
    return true;
}

bool Win32WorkerThread::WaitForEnd(uint32_t milliseconds) {
    return WaitServingSentMessages(thread, milliseconds);
}

void Win32WorkerThread::Release() {
    CloseHandle(thread);
    thread = nullptr;
    threadId = 0;
}

}  // namespace ulvo::plugin
