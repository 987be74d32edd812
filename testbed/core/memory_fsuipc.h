// An in-memory FSUIPC for native tests and benchmarks: implements the platform
// seam of FsuipcLink, executes every exchange against an offset space at once,
// and offers the same fault switches as the testbed's windowed FSUIPC.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/fsuipc_offset_space.h"
#include "fsuipc/fsuipc_platform.h"

namespace ulvo::testbed {

class MemoryFsuipc : public fsuipc::FsuipcPlatform {
  public:
    MemoryFsuipc();

    // Fault switches.
    bool windowPresent = true;
    bool messageRegisters = true;
    bool atomsWork = true;
    bool sectionNameExists = false;
    bool sectionsWork = true;
    bool viewsWork = true;
    uintptr_t reply = 1;               // what FSUIPC answers to an exchange
    int failNextSends = 0;             // this many coming sends are not delivered ...
    uint32_t sendFailureError = 1460;  // ... with this system error (0 for none)
    bool logExchanges = false;
    // Run on the shared buffer at every send, before FSUIPC sees it, and after it
    // answered a delivered exchange (a test can read, stamp or spoil the records).
    std::function<void(uint8_t* buffer)> onSend;
    std::function<void(uint8_t* buffer)> onAnswer;

    FsuipcOffsetSpace space;
    std::vector<FsuipcExchangeLog> exchanges;  // when logExchanges is set
    uint64_t exchangeCount = 0;                // delivered exchanges
    uint64_t sendCalls = 0;
    std::vector<uint32_t> sleeps;        // every Sleep, in milliseconds
    std::vector<std::string> atomNames;  // every atom added
    std::vector<std::string> releases;   // "atom", "view", "section", in the order released
    int liveAtoms = 0;
    int liveSections = 0;
    int liveViews = 0;

    fsuipc::WindowRef FindServerWindow() override;
    uint32_t RegisterIpcMessage() override;
    uint32_t CurrentProcessId() override { return 0x1A2B; }
    uint16_t AddGlobalAtom(const char* name) override;
    void DeleteGlobalAtom(uint16_t atom) override;
    Section CreateSection(const char* name, uint32_t size) override;
    uint8_t* MapView(fsuipc::SectionRef section) override;
    void UnmapView(uint8_t* view) override;
    void CloseSection(fsuipc::SectionRef section) override;
    SendOutcome SendWithTimeout(fsuipc::WindowRef window, uint32_t message,
                                uintptr_t wParam) override;
    void Sleep(uint32_t milliseconds) override;

    // The shared buffer as the client last left it or FSUIPC answered it.
    const uint8_t* SharedBuffer() const { return shared.data(); }

  private:
    std::vector<uint8_t> shared;  // the one section's memory
    bool mapped = false;
    uint16_t liveAtom = 0;  // the atom that names the section, 0 when none
};

}  // namespace ulvo::testbed
