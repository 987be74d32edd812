// The threads the plug-in created, seen from the outside: a test finds the
// worker by where it started and checks afterwards that it is gone.
#pragma once

#include <windows.h>

#include <vector>

namespace ulvo::testbed {

// Ids of this process's threads whose start address lies in `module`'s image.
std::vector<DWORD> ThreadsStartedIn(HMODULE module);

// The thread with this id still exists as an object: it runs, or it ended and a
// handle to it is still open somewhere.
bool ThreadObjectExists(DWORD id);

}  // namespace ulvo::testbed
