#include <winsock2.h>

#include "simconnect/win/win32_client_platform.h"

#include "simconnect/inprocess_records.h"
#include "simconnect/win/win32_transport.h"

namespace ulvo::simconnect {

namespace {
constexpr wchar_t kSimulatorWindowClass[] = L"FS98MAIN";
}  // namespace

std::unique_ptr<Transport> Win32ClientPlatform::OpenPipe(const std::wstring& path,
                                                         SimConnectConnection& connection) {
    return OpenPipeTransport(path, connection, busyPipeWaits);
}

bool Win32ClientPlatform::StartSockets() {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 0), &data) == 0;
}

void Win32ClientPlatform::StopSockets() {
    WSACleanup();
}

// The attempt's family names the step; the address itself decides the family of
// the socket, as the resolver reports it.
std::unique_ptr<Transport> Win32ClientPlatform::OpenSocket(IpFamily, const std::wstring& address,
                                                           const std::wstring& port,
                                                           SimConnectConnection& connection) {
    return OpenSocketTransport(address, port, connection);
}

void Win32ClientPlatform::PostUserMessage(uintptr_t window, uint32_t message) {
    PostMessageW(reinterpret_cast<HWND>(window), message, 0, 0);
}

void Win32ClientPlatform::SignalEvent(uintptr_t event) {
    SetEvent(reinterpret_cast<HANDLE>(event));
}

uintptr_t Win32ClientPlatform::FindSimulatorWindow() {
    return reinterpret_cast<uintptr_t>(FindWindowW(kSimulatorWindowClass, nullptr));
}

bool Win32ClientPlatform::WindowInThisProcess(uintptr_t window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(reinterpret_cast<HWND>(window), &processId);
    return processId == GetCurrentProcessId();
}

void Win32ClientPlatform::SendChannelRecord(uintptr_t window, uint8_t* record) {
    SendMessageW(reinterpret_cast<HWND>(window), WM_COMMAND, kChannelCommand,
                 reinterpret_cast<LPARAM>(record));
}

void Win32ClientPlatform::Sleep(uint32_t milliseconds) {
    ::Sleep(milliseconds);
}

}  // namespace ulvo::simconnect
