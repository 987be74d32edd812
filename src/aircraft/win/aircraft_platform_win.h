// The Win32 side of the aircraft link: the aircraft's named sections, the
// simulator window and the posted command message.
#pragma once

#include "aircraft/aircraft_link.h"
#include "aircraft/aircraft_platform.h"

namespace ulvo::aircraft {

class Win32AircraftPlatform final : public AircraftPlatform {
  public:
    SectionRef OpenSection(const char* name) override;
    const uint8_t* MapView(SectionRef section, size_t size) override;
    void UnmapView(const uint8_t* view) override;
    void CloseSection(SectionRef section) override;
    WindowRef FindSimulatorWindow() override;
    uint32_t RegisterCommandMessage() override;
    void PostCommand(WindowRef window, uint32_t message, uint32_t code, int32_t value) override;
};

}  // namespace ulvo::aircraft
