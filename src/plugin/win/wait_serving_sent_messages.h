// A wait on the simulator's thread that keeps that thread's windows answering
// other threads.
#pragma once

#include <windows.h>

#include <cstdint>

namespace ulvo::plugin {

// Waits up to `milliseconds` for `object` to be signalled. Meanwhile it serves the
// messages other threads send to this thread's windows (a worker's blocking
// exchange with a window this thread owns then completes); posted messages stay
// queued for the thread's own pump. True once the object is signalled.
bool WaitServingSentMessages(HANDLE object, uint32_t milliseconds);

}  // namespace ulvo::plugin
