// Aircraft commands: the registered message "Ulvo737NG_MSG_SDK" posted to the
// simulator's main window "FS98MAIN", wParam = command code, lParam = value.
#pragma once

#include <cstdint>

namespace ulvo::aircraft {

// Where commands go. The Win32 edge posts the message; tests record the posts.
class AircraftCommandPort {
  public:
    // True once both the simulator window and the message id are known.
    virtual bool Ready() const = 0;
    // Posts without waiting; lParam is sign-extended to pointer width.
    virtual void Post(uint32_t code, int32_t value) = 0;

  protected:
    ~AircraftCommandPort() = default;
};

// The value an aircraft command carries for a floating value: a value strictly
// between 0 and 1 is a fraction and is multiplied by 100 first; then the value is
// truncated toward zero. Values outside the 32-bit range saturate and NaN gives 0,
// so the conversion is always defined (the callers never produce such values).
int32_t AircraftCommandValue(double value);

// Posts `code` with AircraftCommandValue(value); does nothing while the port is
// not ready.
void PostAircraftCommand(AircraftCommandPort& port, uint32_t code, double value);

}  // namespace ulvo::aircraft
