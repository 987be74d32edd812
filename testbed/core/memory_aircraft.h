// An in-memory aircraft for native tests: implements the platform seam of the
// aircraft link with two byte arrays as the sections, records every platform call
// in order and every posted command, and can leave out either section, either
// view, the simulator window or the message id.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "aircraft/aircraft_platform.h"

namespace ulvo::testbed {

class MemoryAircraft final : public aircraft::AircraftPlatform {
  public:
    MemoryAircraft();

    // Fault switches.
    bool sdkSectionPresent = true;
    bool sdk2SectionPresent = true;
    bool sdkViewMaps = true;
    bool sdk2ViewMaps = true;
    bool windowPresent = true;
    bool messageRegisters = true;

    // The sections' contents, as mapped (4273 and 6773 bytes).
    std::vector<uint8_t> sdkSection;
    std::vector<uint8_t> sdk2Section;

    struct PostedCommand {
        aircraft::WindowRef window;
        uint32_t message;
        uint32_t code;
        int32_t value;
    };
    std::vector<PostedCommand> posts;
    // Every platform call, e.g. "open Ulvo737NG_SDK_FileMappingObject", "map sdk 4273",
    // "unmap sdk", "close sdk", "find window", "register message".
    std::vector<std::string> calls;
    int liveSections = 0;
    int liveViews = 0;

    static constexpr aircraft::WindowRef kWindow = 0x5AFE;
    static constexpr uint32_t kMessage = 0xC0DE;

    aircraft::SectionRef OpenSection(const char* name) override;
    const uint8_t* MapView(aircraft::SectionRef section, size_t size) override;
    void UnmapView(const uint8_t* view) override;
    void CloseSection(aircraft::SectionRef section) override;
    aircraft::WindowRef FindSimulatorWindow() override;
    uint32_t RegisterCommandMessage() override;
    void PostCommand(aircraft::WindowRef window, uint32_t message, uint32_t code,
                     int32_t value) override;
};

}  // namespace ulvo::testbed
