#include "core/memory_aircraft.h"

#include <cstring>

#include "aircraft/aircraft_link.h"
#include "aircraft/sdk_blocks.h"

namespace ulvo::testbed {

namespace {
constexpr aircraft::SectionRef kSdkSection = 1;
constexpr aircraft::SectionRef kSdk2Section = 2;

const char* SectionTag(aircraft::SectionRef section) {
    return section == kSdkSection ? "sdk" : section == kSdk2Section ? "sdk2" : "unknown";
}
}  // namespace

MemoryAircraft::MemoryAircraft()
    : sdkSection(aircraft::kSdkViewSize), sdk2Section(aircraft::kSdk2ViewSize) {}

aircraft::SectionRef MemoryAircraft::OpenSection(const char* name) {
    calls.push_back(std::string("open ") + name);
    aircraft::SectionRef section = 0;
    if (std::strcmp(name, aircraft::kSdkSectionName) == 0 && sdkSectionPresent) {
        section = kSdkSection;
    } else if (std::strcmp(name, aircraft::kSdk2SectionName) == 0 && sdk2SectionPresent) {
        section = kSdk2Section;
    }
    liveSections += section != 0;
    return section;
}

const uint8_t* MemoryAircraft::MapView(aircraft::SectionRef section, size_t size) {
    calls.push_back(std::string("map ") + SectionTag(section) + " " + std::to_string(size));
    // Like the system, a view larger than the section does not map.
    if (section == kSdkSection && sdkViewMaps && size <= sdkSection.size()) {
        ++liveViews;
        return sdkSection.data();
    }
    if (section == kSdk2Section && sdk2ViewMaps && size <= sdk2Section.size()) {
        ++liveViews;
        return sdk2Section.data();
    }
    return nullptr;
}

void MemoryAircraft::UnmapView(const uint8_t* view) {
    const bool known = view == sdkSection.data() || view == sdk2Section.data();
    calls.push_back(std::string("unmap ") + (view == sdkSection.data() ? "sdk"
                                             : known                   ? "sdk2"
                                                                       : "unknown"));
    liveViews -= known;
}

void MemoryAircraft::CloseSection(aircraft::SectionRef section) {
    calls.push_back(std::string("close ") + SectionTag(section));
    --liveSections;
}

aircraft::WindowRef MemoryAircraft::FindSimulatorWindow() {
    calls.push_back("find window");
    return windowPresent ? kWindow : 0;
}

uint32_t MemoryAircraft::RegisterCommandMessage() {
    calls.push_back("register message");
    return messageRegisters ? kMessage : 0;
}

void MemoryAircraft::PostCommand(aircraft::WindowRef window, uint32_t message, uint32_t code,
                                 int32_t value) {
    posts.push_back(PostedCommand{window, message, code, value});
}

}  // namespace ulvo::testbed
