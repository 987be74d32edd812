#include "core/memory_fsuipc.h"

#include "fsuipc/fsuipc_link.h"

namespace ulvo::testbed {

namespace {
constexpr fsuipc::WindowRef kWindow = 0x1234;
constexpr uint32_t kMessage = 0xC123;
constexpr fsuipc::SectionRef kSection = 0x5678;
}  // namespace

MemoryFsuipc::MemoryFsuipc() : shared(fsuipc::kBufferSize) {
    space.SetValidVersions();
}

fsuipc::WindowRef MemoryFsuipc::FindServerWindow() {
    return windowPresent ? kWindow : 0;
}

uint32_t MemoryFsuipc::RegisterIpcMessage() {
    return messageRegisters ? kMessage : 0;
}

uint16_t MemoryFsuipc::AddGlobalAtom(const char* name) {
    if (!atomsWork) {
        return 0;
    }
    atomNames.emplace_back(name);
    ++liveAtoms;
    liveAtom = uint16_t(0xC000 + atomNames.size());
    return liveAtom;
}

void MemoryFsuipc::DeleteGlobalAtom(uint16_t atom) {
    releases.emplace_back("atom");
    --liveAtoms;
    if (atom == liveAtom) {
        liveAtom = 0;
    }
}

fsuipc::FsuipcPlatform::Section MemoryFsuipc::CreateSection(const char*, uint32_t) {
    if (!sectionsWork) {
        return {};
    }
    ++liveSections;
    return Section{kSection, sectionNameExists};
}

uint8_t* MemoryFsuipc::MapView(fsuipc::SectionRef) {
    if (!viewsWork) {
        return nullptr;
    }
    ++liveViews;
    mapped = true;
    return shared.data();
}

void MemoryFsuipc::UnmapView(uint8_t*) {
    releases.emplace_back("view");
    --liveViews;
    mapped = false;
}

void MemoryFsuipc::CloseSection(fsuipc::SectionRef) {
    releases.emplace_back("section");
    --liveSections;
}

fsuipc::FsuipcPlatform::SendOutcome MemoryFsuipc::SendWithTimeout(fsuipc::WindowRef window,
                                                                  uint32_t message,
                                                                  uintptr_t wParam) {
    ++sendCalls;
    if (onSend) {
        onSend(shared.data());
    }
    if (failNextSends > 0) {
        --failNextSends;
        return SendOutcome{false, 0, sendFailureError};
    }
    if (window != kWindow || message != kMessage || !mapped) {
        return SendOutcome{false, 0, 1400};  // invalid window handle
    }
    ++exchangeCount;
    if (wParam == 0 || wParam != liveAtom) {
        return SendOutcome{true, 0, 0};  // FSUIPC cannot name the buffer and refuses
    }
    if (reply == 1) {
        FsuipcExchangeLog* log = nullptr;
        if (logExchanges) {
            exchanges.emplace_back();
            log = &exchanges.back();
        }
        space.Execute(shared.data(), shared.size(), log);
    }
    if (onAnswer) {
        onAnswer(shared.data());
    }
    return SendOutcome{true, reply, 0};
}

void MemoryFsuipc::Sleep(uint32_t milliseconds) {
    sleeps.push_back(milliseconds);
}

}  // namespace ulvo::testbed
