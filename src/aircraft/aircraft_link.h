// The link to the aircraft: its two named sections with their read-only views,
// and the command channel (the simulator window and the registered message).
//
// Attach and Detach run on the host thread. The worker reads the views while it
// runs; the view fields are atomic so that a view cleared by the host reads as
// null, never as a torn pointer. The window and the message id are written only
// by Attach, while no worker runs, and stay once found, across detaches.
#pragma once

#include <atomic>
#include <cstdint>

#include "aircraft/aircraft_command.h"
#include "aircraft/aircraft_platform.h"
#include "aircraft/aircraft_views.h"
#include "common/log_sink.h"

namespace ulvo::aircraft {

inline constexpr char kSdkSectionName[] = "Ulvo737NG_SDK_FileMappingObject";
inline constexpr char kSdk2SectionName[] = "Ulvo737NG_SDK2_FileMappingObject";

class AircraftLink final : public AircraftViews, public AircraftCommandPort {
  public:
    explicit AircraftLink(AircraftPlatform& platform);
    AircraftLink(const AircraftLink&) = delete;
    AircraftLink& operator=(const AircraftLink&) = delete;

    // Opens and maps the first section, then the second, then looks up the window
    // and the message while they are unknown. Logs each step. On failure it undoes
    // only what the failed step itself says to undo and returns false; the caller
    // then closes everything, which detaches whatever is still attached.
    bool Attach(LogSink& log);

    // Unmaps and closes whatever is attached, each step with its line:
    // first view, first section, second view, second section.
    void Detach(LogSink& log);

    const uint8_t* SdkView() const override { return sdkView.load(std::memory_order_acquire); }
    const uint8_t* Sdk2View() const override { return sdk2View.load(std::memory_order_acquire); }
    SectionRef SdkMapping() const { return sdkMapping; }
    SectionRef Sdk2Mapping() const { return sdk2Mapping; }

    WindowRef SimWindow() const { return simWindow; }
    uint32_t SdkMessage() const { return sdkMessage; }

    bool Ready() const override { return simWindow != 0 && sdkMessage != 0; }
    void Post(uint32_t code, int32_t value) override;

  private:
    void UnmapSdkView();
    void UnmapSdk2View();

    AircraftPlatform& platform;
    SectionRef sdkMapping = 0;
    std::atomic<const uint8_t*> sdkView{nullptr};
    SectionRef sdk2Mapping = 0;
    std::atomic<const uint8_t*> sdk2View{nullptr};
    WindowRef simWindow = 0;
    uint32_t sdkMessage = 0;
};

}  // namespace ulvo::aircraft
