#include "aircraft/aircraft_link.h"

namespace ulvo::aircraft {

namespace {

// What attaching and detaching write, one line per step ("filemp" is the line as
// users have always seen it).
constexpr char kSdkSectionFailed[] = "Ulvo 737 SDK filemap did not open.";
constexpr char kSdkSectionOpened[] = "Ulvo 737 SDK filemap opened.";
constexpr char kSdkViewFailed[] = "Ulvo 737 SDK buffer did not open. Closing filemap";
constexpr char kSdkViewOpened[] = "Ulvo 737 SDK buffer opened.";
constexpr char kSdk2SectionFailed[] = "Ulvo 737 SDK 2nd filemap did not open.";
constexpr char kSdk2SectionOpened[] = "Ulvo 737 SDK 2nd filemp opened.";
constexpr char kSdk2ViewFailed[] =
    "Ulvo 737 SDK 2nd buffer did not open. Closing filemap and 1st buffer and 1st filemap";
constexpr char kSdk2ViewOpened[] = "Ulvo 737 SDK 2nd buffer opened.";
constexpr char kAllOpened[] = "All connections opened and started.";

constexpr char kClosingSdkView[] = "Closing ulvo SDK buffer.";
constexpr char kClosingSdkSection[] = "Closing ulvo SDK filemap.";
constexpr char kClosingSdk2View[] = "Closing ulvo SDK 2nd buffer.";
constexpr char kClosingSdk2Section[] = "Closing ulvo SDK 2nd filemap.";

}  // namespace

AircraftLink::AircraftLink(AircraftPlatform& platform_) : platform(platform_) {}

// Called only while detached: the close sequence always runs before an attach.
bool AircraftLink::Attach(LogSink& log) {
    sdkMapping = platform.OpenSection(kSdkSectionName);
    if (sdkMapping == 0) {
        log.LogLine(kSdkSectionFailed);
        return false;
    }
    log.LogLine(kSdkSectionOpened);

    const uint8_t* view = platform.MapView(sdkMapping, kSdkViewSize);
    if (view == nullptr) {
        log.LogLine(kSdkViewFailed);
        platform.CloseSection(sdkMapping);
        sdkMapping = 0;
        return false;
    }
    sdkView.store(view, std::memory_order_release);
    log.LogLine(kSdkViewOpened);

    sdk2Mapping = platform.OpenSection(kSdk2SectionName);
    if (sdk2Mapping == 0) {
        log.LogLine(kSdk2SectionFailed);
        return false;
    }
    log.LogLine(kSdk2SectionOpened);

    view = platform.MapView(sdk2Mapping, kSdk2ViewSize);
    if (view == nullptr) {
        log.LogLine(kSdk2ViewFailed);
        UnmapSdkView();
        platform.CloseSection(sdkMapping);
        platform.CloseSection(sdk2Mapping);
        sdkMapping = 0;
        sdk2Mapping = 0;
        return false;
    }
    sdk2View.store(view, std::memory_order_release);
    log.LogLine(kSdk2ViewOpened);

    // Neither look-up is checked: until both are known, commands are dropped.
    if (simWindow == 0) {
        simWindow = platform.FindSimulatorWindow();
    }
    if (sdkMessage == 0) {
        sdkMessage = platform.RegisterCommandMessage();
    }
    log.LogLine(kAllOpened);
    return true;
}

void AircraftLink::Detach(LogSink& log) {
    if (SdkView() != nullptr) {
        log.LogLine(kClosingSdkView);
        UnmapSdkView();
    }
    if (sdkMapping != 0) {
        log.LogLine(kClosingSdkSection);
        platform.CloseSection(sdkMapping);
        sdkMapping = 0;
    }
    if (Sdk2View() != nullptr) {
        log.LogLine(kClosingSdk2View);
        UnmapSdk2View();
    }
    if (sdk2Mapping != 0) {
        log.LogLine(kClosingSdk2Section);
        platform.CloseSection(sdk2Mapping);
    }
    sdk2Mapping = 0;
}

void AircraftLink::Post(uint32_t code, int32_t value) {
    platform.PostCommand(simWindow, sdkMessage, code, value);
}

// A view is cleared before it is unmapped, so that a reader finds null rather
// than memory that is going away.
void AircraftLink::UnmapSdkView() {
    platform.UnmapView(sdkView.exchange(nullptr, std::memory_order_acq_rel));
}

void AircraftLink::UnmapSdk2View() {
    platform.UnmapView(sdk2View.exchange(nullptr, std::memory_order_acq_rel));
}

}  // namespace ulvo::aircraft
