// The Win32 side of FsuipcLink: FSUIPC's window, the registered message, the
// global atom and the paging-file section.
#pragma once

#include "fsuipc/fsuipc_link.h"
#include "fsuipc/fsuipc_platform.h"

namespace ulvo::fsuipc {

class Win32FsuipcPlatform final : public FsuipcPlatform {
  public:
    WindowRef FindServerWindow() override;
    uint32_t RegisterIpcMessage() override;
    uint32_t CurrentProcessId() override;
    uint16_t AddGlobalAtom(const char* name) override;
    void DeleteGlobalAtom(uint16_t atom) override;
    Section CreateSection(const char* name, uint32_t size) override;
    uint8_t* MapView(SectionRef section) override;
    void UnmapView(uint8_t* view) override;
    void CloseSection(SectionRef section) override;
    SendOutcome SendWithTimeout(WindowRef window, uint32_t message, uintptr_t wParam) override;
    void Sleep(uint32_t milliseconds) override;
};

}  // namespace ulvo::fsuipc
