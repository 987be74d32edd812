#include "plugin/win/win32_worker_thread.h"

#include "bridge/win/worker_thread.h"
#include "plugin/win/wait_serving_sent_messages.h"

namespace ulvo::plugin {

Win32WorkerThread::Win32WorkerThread(HANDLE& thread_, DWORD& threadId_,
                                     bridge::WorkerContext& context_)
    : thread(thread_), threadId(threadId_), context(context_) {}

bool Win32WorkerThread::Start() {
    thread = CreateThread(nullptr, 0, bridge::WorkerThreadMain, &context, 0, &threadId);
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
