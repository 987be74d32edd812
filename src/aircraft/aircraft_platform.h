// The operating-system services the aircraft link needs, as a seam: the Win32
// edge (aircraft/win) opens the aircraft's named sections, finds the simulator
// window and posts to it; native tests use an in-memory aircraft.
#pragma once

#include <cstddef>
#include <cstdint>

namespace ulvo::aircraft {

using SectionRef = uintptr_t;  // a section handle, 0 for none
using WindowRef = uintptr_t;   // a window handle, 0 for none

class AircraftPlatform {
  public:
    // Opens an existing named section for reading, not inheritable; 0 on failure.
    virtual SectionRef OpenSection(const char* name) = 0;
    // Maps `size` bytes from offset 0 read-only; null on failure.
    virtual const uint8_t* MapView(SectionRef section, size_t size) = 0;
    virtual void UnmapView(const uint8_t* view) = 0;
    virtual void CloseSection(SectionRef section) = 0;

    // The first top-level window of class "FS98MAIN" with any title, or 0.
    virtual WindowRef FindSimulatorWindow() = 0;
    // The id of the registered message "Ulvo737NG_MSG_SDK", or 0.
    virtual uint32_t RegisterCommandMessage() = 0;
    // Posts without waiting: wParam = code zero-extended, lParam = value
    // sign-extended to pointer width. The outcome is not reported.
    virtual void PostCommand(WindowRef window, uint32_t message, uint32_t code, int32_t value) = 0;

  protected:
    ~AircraftPlatform() = default;
};

}  // namespace ulvo::aircraft
