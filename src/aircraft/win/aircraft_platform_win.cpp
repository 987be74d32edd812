#include "aircraft/win/aircraft_platform_win.h"

#include <windows.h>

namespace ulvo::aircraft {

SectionRef Win32AircraftPlatform::OpenSection(const char* name) {
    return reinterpret_cast<SectionRef>(OpenFileMappingA(FILE_MAP_READ, FALSE, name));
}

const uint8_t* Win32AircraftPlatform::MapView(SectionRef section, size_t size) {
    return static_cast<const uint8_t*>(
        MapViewOfFile(reinterpret_cast<HANDLE>(section), FILE_MAP_READ, 0, 0, size));
}

void Win32AircraftPlatform::UnmapView(const uint8_t* view) {
    UnmapViewOfFile(view);
}

void Win32AircraftPlatform::CloseSection(SectionRef section) {
    CloseHandle(reinterpret_cast<HANDLE>(section));
}

WindowRef Win32AircraftPlatform::FindSimulatorWindow() {
    return reinterpret_cast<WindowRef>(FindWindowExA(nullptr, nullptr, "FS98MAIN", nullptr));
}

uint32_t Win32AircraftPlatform::RegisterCommandMessage() {
    return RegisterWindowMessageA("Ulvo737NG_MSG_SDK");
}

void Win32AircraftPlatform::PostCommand(WindowRef window, uint32_t message, uint32_t code,
                                        int32_t value) {
    // WPARAM is unsigned: the code is zero-extended; LPARAM is signed: the value
    // is sign-extended.
    PostMessageA(reinterpret_cast<HWND>(window), message, WPARAM(code), LPARAM(value));
}

}  // namespace ulvo::aircraft
