// What the testbed process holds, for the soak and the fault tests: its handles,
// counted by kind, and its private memory. Both are taken as a base once the
// plug-in runs and must stay within a small slack of it.
#pragma once

#include <windows.h>

#include <cstddef>
#include <map>
#include <string>

namespace ulvo::testbed {

struct ProcessUse {
    DWORD handles = 0;
    // Handles by the system's name of their kind ("Event", "Thread", "Key" ...).
    std::map<std::string, DWORD> handlesByType;
    size_t privateBytes = 0;
};

// Handles a long run may gain (system caches, thread-pool threads) and private
// bytes it may gain (heaps growing to their working size) without leaking.
constexpr DWORD kHandleSlack = 16;
constexpr size_t kMemorySlack = size_t(8) << 20;

ProcessUse MeasureProcess();

// True when `now` stays within the slack of `base`.
inline bool WithinSlack(const ProcessUse& base, const ProcessUse& now) {
    return now.handles <= base.handles + kHandleSlack &&
           now.privateBytes <= base.privateBytes + kMemorySlack;
}

// The kinds whose count grew from `base` to `now`, as "Event +3, Thread +1";
// empty when none grew.
std::string HandleGrowth(const ProcessUse& base, const ProcessUse& now);

}  // namespace ulvo::testbed
