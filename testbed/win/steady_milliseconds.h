// The performance counter in milliseconds, for the testbed's measuring modes.
#pragma once

#include <windows.h>

namespace ulvo::testbed {

inline double SteadyMilliseconds() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return double(f.QuadPart);
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return double(now.QuadPart) * 1000.0 / frequency;
}

}  // namespace ulvo::testbed
