#include "fsuipc/win/fsuipc_platform_win.h"

#include <windows.h>

namespace ulvo::fsuipc {

namespace {
constexpr UINT kSendTimeoutMs = 2000;
}  // namespace

WindowRef Win32FsuipcPlatform::FindServerWindow() {
    return reinterpret_cast<WindowRef>(FindWindowExA(nullptr, nullptr, "UIPCMAIN", nullptr));
}

uint32_t Win32FsuipcPlatform::RegisterIpcMessage() {
    return RegisterWindowMessageA("FsasmLib:IPC");
}

uint32_t Win32FsuipcPlatform::CurrentProcessId() {
    return GetCurrentProcessId();
}

uint16_t Win32FsuipcPlatform::AddGlobalAtom(const char* name) {
    return GlobalAddAtomA(name);
}

void Win32FsuipcPlatform::DeleteGlobalAtom(uint16_t atom) {
    GlobalDeleteAtom(atom);
}

FsuipcPlatform::Section Win32FsuipcPlatform::CreateSection(const char* name, uint32_t size) {
    HANDLE section =
        CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, size, name);
    const bool existed = section != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
    return Section{reinterpret_cast<SectionRef>(section), existed};
}

uint8_t* Win32FsuipcPlatform::MapView(SectionRef section) {
    return static_cast<uint8_t*>(
        MapViewOfFile(reinterpret_cast<HANDLE>(section), FILE_MAP_WRITE, 0, 0, 0));
}

void Win32FsuipcPlatform::UnmapView(uint8_t* view) {
    UnmapViewOfFile(view);
}

void Win32FsuipcPlatform::CloseSection(SectionRef section) {
    CloseHandle(reinterpret_cast<HANDLE>(section));
}

FsuipcPlatform::SendOutcome Win32FsuipcPlatform::SendWithTimeout(WindowRef window, uint32_t message,
                                                                 uintptr_t wParam) {
    DWORD_PTR reply = 0;
    const LRESULT sent = SendMessageTimeoutA(reinterpret_cast<HWND>(window), message, wParam, 0,
                                             SMTO_BLOCK, kSendTimeoutMs, &reply);
    if (sent == 0) {
        return SendOutcome{false, 0, GetLastError()};
    }
    return SendOutcome{true, reply, 0};
}

void Win32FsuipcPlatform::Sleep(uint32_t milliseconds) {
    ::Sleep(milliseconds);
}

}  // namespace ulvo::fsuipc
