// The operating-system services FsuipcLink needs, as a seam: the Win32 edge
// (fsuipc/win) implements it with windows, atoms and file mappings; tests and
// benchmarks use an in-memory FSUIPC.
#pragma once

#include <cstdint>

namespace ulvo::fsuipc {

using WindowRef = uintptr_t;   // a window handle, 0 for none
using SectionRef = uintptr_t;  // a section handle, 0 for none

class FsuipcPlatform {
  public:
    // The first top-level window of class "UIPCMAIN", or 0.
    virtual WindowRef FindServerWindow() = 0;
    // The id of the registered message "FsasmLib:IPC", or 0.
    virtual uint32_t RegisterIpcMessage() = 0;
    virtual uint32_t CurrentProcessId() = 0;
    // Adds a global atom; 0 on failure.
    virtual uint16_t AddGlobalAtom(const char* name) = 0;
    virtual void DeleteGlobalAtom(uint16_t atom) = 0;

    struct Section {
        SectionRef handle = 0;
        bool nameExisted = false;  // the system reported that the name already existed
    };
    // Creates a paging-file-backed read-write section of `size` bytes named `name`.
    virtual Section CreateSection(const char* name, uint32_t size) = 0;
    // Maps the whole section for writing; null on failure.
    virtual uint8_t* MapView(SectionRef section) = 0;
    virtual void UnmapView(uint8_t* view) = 0;
    virtual void CloseSection(SectionRef section) = 0;

    struct SendOutcome {
        bool delivered = false;  // the send call returned non-zero
        uintptr_t reply = 0;     // the receiver's answer when delivered
        uint32_t lastError = 0;  // the system's last error when not delivered
    };
    // One blocking send with a time-out of 2000 ms: SendMessageTimeoutA with SMTO_BLOCK.
    virtual SendOutcome SendWithTimeout(WindowRef window, uint32_t message, uintptr_t wParam) = 0;
    virtual void Sleep(uint32_t milliseconds) = 0;

  protected:
    ~FsuipcPlatform() = default;
};

}  // namespace ulvo::fsuipc
