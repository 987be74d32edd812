// A Win32 critical section with a spin count, and a scoped holder. Critical
// sections may be entered again by the thread that holds them, which the client
// relies on when a failed I/O start closes the connection it was sending on.
#pragma once

#include <windows.h>

namespace ulvo::simconnect {

class CriticalSection {
  public:
    explicit CriticalSection(DWORD spinCount = 100) {
        InitializeCriticalSectionAndSpinCount(&section, spinCount);
    }
    ~CriticalSection() { DeleteCriticalSection(&section); }
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;

    void Enter() { EnterCriticalSection(&section); }
    void Leave() { LeaveCriticalSection(&section); }

  private:
    CRITICAL_SECTION section;
};

class Locked {
  public:
    explicit Locked(CriticalSection& section) : held(section) { held.Enter(); }
    ~Locked() { held.Leave(); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

  private:
    CriticalSection& held;
};

}  // namespace ulvo::simconnect
