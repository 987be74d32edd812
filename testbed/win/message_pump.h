// Message pumping for the testbed's windows. The testbed's thread plays the
// simulator's main thread: windows it owns (the simulator window, FSUIPC's window)
// answer only while it pumps, exactly as in the simulator.
#pragma once

#include <chrono>
#include <functional>

namespace ulvo::testbed {

// Dispatches every message waiting for this thread's windows; returns at once.
void PumpPending();

// Pumps for the given time.
void PumpFor(std::chrono::milliseconds duration);

// Pumps until `done` returns true or the time-out passes; returns the last answer
// of `done`.
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);

}  // namespace ulvo::testbed
