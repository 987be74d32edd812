#include "win/process_use.h"

// after windows.h, which they need
#include <psapi.h>
#include <winternl.h>

#include <cstdint>

namespace ulvo::testbed {

namespace {

// The kind of an open handle, as the system names it; empty when it will not say.
std::string TypeOf(HANDLE handle) {
    alignas(8) unsigned char buffer[512];
    ULONG length = 0;
    if (NtQueryObject(handle, ObjectTypeInformation, buffer, sizeof buffer, &length) != 0) {
        return "";
    }
    const UNICODE_STRING& name =
        reinterpret_cast<PUBLIC_OBJECT_TYPE_INFORMATION*>(buffer)->TypeName;
    std::string text;
    for (USHORT i = 0; i < name.Length / sizeof(wchar_t); ++i) {
        text += char(name.Buffer[i] < 0x80 ? name.Buffer[i] : '?');
    }
    return text;
}

}  // namespace

// Every handle value up to the highest in use is asked about: Wine reports no
// handle count of its own, and the kinds need the handles themselves anyway.
ProcessUse MeasureProcess() {
    ProcessUse use;
    for (uintptr_t value = 4; value < 0x10000; value += 4) {
        const HANDLE handle = reinterpret_cast<HANDLE>(value);
        DWORD flags;
        if (GetHandleInformation(handle, &flags)) {
            ++use.handles;
            const std::string type = TypeOf(handle);
            ++use.handlesByType[type.empty() ? "unknown" : type];
        }
    }
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    if (GetProcessMemoryInfo(GetCurrentProcess(),
                             reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                             sizeof counters)) {
        // Wine leaves PrivateUsage at 0; its commit charge is in PagefileUsage.
        use.privateBytes =
            counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage;
    }
    return use;
}

std::string HandleGrowth(const ProcessUse& base, const ProcessUse& now) {
    std::string growth;
    for (const auto& [type, count] : now.handlesByType) {
        const auto before = base.handlesByType.find(type);
        const DWORD was = before != base.handlesByType.end() ? before->second : 0;
        if (count > was) {
            growth += (growth.empty() ? "" : ", ") + type + " +" + std::to_string(count - was);
        }
    }
    return growth;
}

}  // namespace ulvo::testbed
