// The worker thread as the plug-in's handlers and connection sequences see it.
// The Win32 edge creates a real thread running the worker loop; native tests
// use threads and scripts of their own.
#pragma once

#include <cstdint>

namespace ulvo::plugin {

class WorkerThreadPort {
  public:
    // Creates the worker thread, running at once. False when it could not be
    // created; then no thread exists.
    virtual bool Start() = 0;
    // A worker thread was created and is not yet released. It may have ended by
    // itself already.
    virtual bool Exists() const = 0;
    // Waits up to `milliseconds` for the thread to end; true once it has ended.
    // Messages sent to the calling thread's windows are served while it waits.
    virtual bool WaitForEnd(uint32_t milliseconds) = 0;
    // Gives up the ended thread (its handle); afterwards no thread exists.
    virtual void Release() = 0;

  protected:
    ~WorkerThreadPort() = default;
};

}  // namespace ulvo::plugin
