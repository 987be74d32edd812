#include "win/aircraft_party.h"

#include <cstring>

#include "aircraft/aircraft_link.h"
#include "aircraft/sdk_blocks.h"
#include "common/little_endian.h"

namespace ulvo::testbed {

AircraftParty::AircraftParty(SimWindow* window_, Options options) : window(window_) {
    commandMessage = RegisterWindowMessageA("Ulvo737NG_MSG_SDK");
    if (options.sdkSection) {
        sdk = Create(aircraft::kSdkSectionName, aircraft::kSdkViewSize);
    }
    if (options.sdk2Section) {
        sdk2 = Create(aircraft::kSdk2SectionName, aircraft::kSdk2ViewSize);
    }
    SetI32(Block::Sdk2, aircraft::kAircraftStateOffset, 1);
    if (window == nullptr) {
        return;
    }
    handlerId = window->AddHandler([this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT&) {
        if (message != commandMessage || commandMessage == 0) {
            return false;
        }
        commands.emplace_back(wParam, lParam);
        return true;
    });
}

AircraftParty::~AircraftParty() {
    if (window != nullptr) {
        window->RemoveHandler(handlerId);
    }
    for (Section* section : {&sdk, &sdk2}) {
        if (section->view != nullptr) {
            UnmapViewOfFile(section->view);
        }
        if (section->mapping != nullptr) {
            CloseHandle(section->mapping);
        }
    }
}

AircraftParty::Section AircraftParty::Create(const char* name, size_t mappedSize) {
    Section section;
    section.mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                         DWORD(mappedSize), name);
    if (section.mapping == nullptr) {
        return section;
    }
    section.view = static_cast<uint8_t*>(MapViewOfFile(section.mapping, FILE_MAP_WRITE, 0, 0, 0));
    if (section.view == nullptr) {
        CloseHandle(section.mapping);
        section.mapping = nullptr;
        return section;
    }
    section.fieldBytes = mappedSize - 1;
    return section;
}

bool AircraftParty::Set(Block block, uint32_t offset, const void* bytes, size_t size) {
    Section& section = block == Block::Sdk ? sdk : sdk2;
    if (section.view == nullptr || offset > section.fieldBytes ||
        size > section.fieldBytes - offset) {
        return false;
    }
    std::memcpy(section.view + offset, bytes, size);
    return true;
}

std::vector<uint8_t> AircraftParty::Bytes(Block block) const {
    const Section& section = block == Block::Sdk ? sdk : sdk2;
    if (section.view == nullptr) {
        return {};
    }
    return std::vector<uint8_t>(section.view, section.view + section.fieldBytes);
}

bool AircraftParty::SetI32(Block block, uint32_t offset, int32_t value) {
    uint8_t bytes[4];
    StoreU32(bytes, uint32_t(value));
    return Set(block, offset, bytes, sizeof bytes);
}

bool AircraftParty::SetF64(Block block, uint32_t offset, double value) {
    uint8_t bytes[8];
    StoreF64(bytes, value);
    return Set(block, offset, bytes, sizeof bytes);
}

}  // namespace ulvo::testbed
