#include "win/plugin_threads.h"

#include <tlhelp32.h>

#include <cstdint>

namespace ulvo::testbed {

namespace {

// NtQueryInformationThread's class for the address a thread was started at.
constexpr ULONG kThreadStartAddressClass = 9;
using QueryThread = LONG(WINAPI*)(HANDLE thread, ULONG infoClass, void* info, ULONG length,
                                  ULONG* returned);

uintptr_t StartAddress(DWORD id) {
    static const auto query = reinterpret_cast<QueryThread>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationThread")));
    const HANDLE thread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, id);
    if (query == nullptr || thread == nullptr) {
        if (thread != nullptr) {
            CloseHandle(thread);
        }
        return 0;
    }
    uintptr_t address = 0;
    if (query(thread, kThreadStartAddressClass, &address, sizeof address, nullptr) != 0) {
        address = 0;
    }
    CloseHandle(thread);
    return address;
}

}  // namespace

std::vector<DWORD> ThreadsStartedIn(HMODULE module) {
    std::vector<DWORD> ids;
    if (module == nullptr) {
        return ids;
    }
    const auto base = reinterpret_cast<uintptr_t>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(module);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const uintptr_t end = base + nt->OptionalHeader.SizeOfImage;

    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return ids;
    }
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != GetCurrentProcessId()) {
            continue;
        }
        const uintptr_t start = StartAddress(entry.th32ThreadID);
        if (start >= base && start < end) {
            ids.push_back(entry.th32ThreadID);
        }
    }
    CloseHandle(snapshot);
    return ids;
}

bool ThreadObjectExists(DWORD id) {
    const HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, id);
    if (thread == nullptr) {
        return false;
    }
    CloseHandle(thread);
    return true;
}

}  // namespace ulvo::testbed
