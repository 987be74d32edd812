// The worker thread on Windows: created with CreateThread over the worker
// context that the plug-in object keeps for its whole life. The handle and the
// id live in the plug-in's fields workerThread and workerThreadId.
#pragma once

#include <windows.h>

#include "bridge/worker_main.h"
#include "plugin/worker_thread_port.h"

namespace ulvo::plugin {

// The thread procedure: `parameter` is a WorkerContext that outlives the thread.
// Runs WorkerMain with a clock on a high-resolution timer and returns its result.
DWORD WINAPI WorkerThreadMain(LPVOID parameter);

class Win32WorkerThread final : public WorkerThreadPort {
  public:
    Win32WorkerThread(HANDLE& thread, DWORD& threadId, bridge::WorkerContext& context);

    // Default stack size, runs at once, argument: the worker context.
    bool Start() override;
    bool Exists() const override { return thread != nullptr; }
    // Serves messages sent to the calling thread's windows while it waits.
    bool WaitForEnd(uint32_t milliseconds) override;
    // Closes the handle and clears both fields.
    void Release() override;

  private:
    HANDLE& thread;
    DWORD& threadId;
    bridge::WorkerContext& context;
};

}  // namespace ulvo::plugin
